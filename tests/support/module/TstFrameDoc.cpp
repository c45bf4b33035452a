#include "TstFrameDoc.h"

#include <gtest/gtest.h>

#include "Request/DLxCreateGDTRequest.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxGDTInstance.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxIntent.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxArrowHead.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxString16.h"

TstFrameDoc::TstFrameDoc() {
    doc->GetDrawing()->SetStandardName(u"ISO");
    sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
    view = sheet->CreateView(u"Front");
    view->SetViewCenter({200, 150, 0});
    view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0})});
    DLxStdStyles::AddDocumentStyles(doc.get());
    RDxComputeContext ctx;
    sheet->Recompute(ctx);
    const std::vector<UTxString16> fields{u"", u"5", u"0.1", u"", u"A", u"", u""};
    EXPECT_FALSE(doc->ProcessChangeRequest(
                        new DLxCreateGDTRequest(DLxIntent::OnEdge(view, 1, 0.5),
                                                {{200, 150, 0}, {205, 170, 0}, {220, 190, 0}},
                                                28029, true, false, fields,
                                                std::vector<int32_t>(fields.size(), 3), {true},
                                                {}, {}))
                     .Failed());
    // The journal starts after the setup.
    FWxUtil::GetTranscriptMgr().ClearLines();
}

DLxGDTInstance* TstFrameDoc::Frame() const {
    RSeReadOnlyScope reading;
    for (const RSeRef<RDxNode>& r : sheet->GetNodes())
        if (auto* f = dynamic_cast<DLxGDTInstance*>(r.GetTarget())) return f;
    return nullptr;
}

RSeRef<DLxSymInstance> TstFrameDoc::Ref() const {
    return RSeRef<DLxSymInstance>(Frame());
}

uint32_t TstFrameDoc::ArrowHead() const {
    RSeReadOnlyScope reading;
    const DUxArrowHeadTemplate* t = Frame()->GetArrowHeadRef(0, 0);
    return t ? t->id : 0;
}

std::vector<uint8_t> TstFrameDoc::Bytes() const {
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
    return bytes;
}
