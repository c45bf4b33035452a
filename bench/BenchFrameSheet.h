#pragma once
// An ISO drawing for benchmarks of feature control frames: one A0 sheet, a view of 20 vertical
// edges, and a number of frames made by their real create request, each ending on an edge.
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Request/DLxCreateGDTRequest.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxGDTInstance.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxIntent.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/SmartPtr.h"
#include "utx/UTxString16.h"

namespace BenchFrames {

inline std::vector<UTxString16> Fields(int i) {
    return {u"",  u"5", UTx::MakeWideString(std::to_string(0.01 * (1 + i % 9))), u"", u"A",
            u"B", u""};
}

inline WqGePoint3d RootOf(int i) {
    return {20.0 + (i % 380), 20.0 + (i / 380 % 260), 0};
}

// An ISO drawing: one A0 sheet, a view of 20 edges, and `count` frames made by requests.
struct FrameSheet {
    explicit FrameSheet(int count) {
        doc->GetDrawing()->SetStandardName(u"ISO");
        sheet = doc->CreateSheet(u"Sheet 1", 1189, 841);
        view = sheet->CreateView(u"Front");
        view->SetViewCenter({600, 420, 0});
        std::vector<DLxViewEdge> edges;
        for (int e = 0; e < 20; ++e)
            edges.push_back(
                DLxViewEdge::Line(e + 1, {-400.0 + 40 * e, -300, 0}, {-400.0 + 40 * e, 300, 0}));
        view->SetEdges(std::move(edges));
        DLxStdStyles::AddDocumentStyles(doc.get());
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
        for (int i = 0; i < count; ++i)
            if (Create(i).Failed()) std::abort();
        turned = last; // a frame that the runs never undo
        FWxTranscriptMgr::Get().ClearLines();
    }

    UTxResult Create(int i) {
        const std::vector<UTxString16> fields = Fields(i);
        const WqGePoint3d end = {200.0 + 40 * (i % 20), 420, 0};
        // Held here: the document lets go of the request once it has run.
        const SmartPtr<DLxCreateGDTRequest> request = new DLxCreateGDTRequest(
            DLxIntent::OnEdge(view, i % 20 + 1, 0.5), {end, RootOf(i)}, 28029, true, false, fields,
            std::vector<int32_t>(fields.size(), 3), {true}, {}, {});
        const UTxResult r = doc->ProcessChangeRequest(request.get());
        if (!r.Failed()) last = request->GetInstance();
        return r;
    }

    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;
    RSeRef<DLxGDTInstance> last;
    RSeRef<DLxGDTInstance> turned;
};

// One sheet a size for the whole run: making 100 000 frames by request takes a while.
inline FrameSheet& SheetOf(int count) {
    static std::map<int, std::unique_ptr<FrameSheet>> sheets;
    auto& s = sheets[count];
    if (!s) s = std::make_unique<FrameSheet>(count);
    return *s;
}

} // namespace BenchFrames
