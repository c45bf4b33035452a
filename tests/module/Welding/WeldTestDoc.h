#pragma once
// The weld tests' drawing and record helpers.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Request/DLxCreateWeldSymbolRequest.h"
#include "Standard/DLxStdStyles.h"
#include "Welding/DLxWeldInstance.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxWeldState.h"
#include "fb/FBxObjectEditRecord.h"
#include "rse/RSeDatabase.h"

namespace weldtest {

using W = DUxWeldState;

using Records = FBxObjectEditRecordList;

inline FBxObjectEditRecord Rec(const char16_t* key, int32_t v) {
    return FBxObjectEditRecord(key).AddInt(v);
}
inline FBxObjectEditRecord Rec(const char16_t* key, bool v) {
    return FBxObjectEditRecord(key).AddBool(v);
}
inline FBxObjectEditRecord Rec(const char16_t* key, const char16_t* v) {
    return FBxObjectEditRecord(key).AddString(v);
}
inline FBxObjectEditRecord Weld(const char16_t* key, uint32_t type) {
    FBxObjectEditRecord r = Rec(key, int32_t(type));
    r.SetAttribute(u"group", FWxTranscriptValue::MakeInt(0));
    return r;
}

// A drawing under a standard with one sheet and a view whose edge 1 runs along y = 150 from
// x 150 to 250.
struct WeldDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;

    explicit WeldDoc(const char16_t* standard = u"ISO") {
        doc->GetDrawing()->SetStandardName(standard);
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        view = sheet->CreateView(u"Front");
        view->SetViewCenter({200, 150, 0});
        view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0})});
        DLxStdStyles::AddDocumentStyles(doc.get());
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
    }

    // The arrow at `param` along the edge, the root of the reference line at `root`.
    UTxResult Create(const Records& records = {}, double param = 0.5,
                     WqGePoint3d root = {220, 180, 0}) {
        const WqGePoint3d end = {150 + 100 * param, 150, 0};
        return doc->ProcessChangeRequest(new DLxCreateWeldSymbolRequest(
            DLxIntent::OnEdge(view, 1, param), {end, root}, root, {}, {}, records));
    }
    // A leader through `points`, its end (at `param` along the edge) first, the root last.
    UTxResult CreateThrough(std::vector<WqGePoint3d> points, double param) {
        return doc->ProcessChangeRequest(new DLxCreateWeldSymbolRequest(
            DLxIntent::OnEdge(view, 1, param), points, points.back(), {}, {}, {}));
    }
    UTxResult Edit(DLxWeldInstance* w, const Records& records) {
        return doc->ProcessChangeRequest(
            new DLxCreateWeldSymbolRequest(RSeRef<DLxWeldInstance>(w), records));
    }
    DLxWeldInstance* Weld(size_t i = 0) const {
        size_t n = 0;
        for (const RSeRef<RDxNode>& r : sheet->GetNodes())
            if (auto* w = dynamic_cast<DLxWeldInstance*>(r.GetTarget()))
                if (n++ == i) return w;
        return nullptr;
    }
    W* State(size_t i = 0) const {
        DLxWeldInstance* w = Weld(i);
        return w ? w->GetWeldState() : nullptr;
    }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
        return bytes;
    }
};

} // namespace weldtest
