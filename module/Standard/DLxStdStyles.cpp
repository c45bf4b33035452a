#include "Standard/DLxStdStyles.h"

#include "Standard/DLxCFCFStd.h"
#include "Standard/DLxStdRegistration.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "du/DUxCategoryDefault.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxStandard.h"
#include "rse/RSeMeta.h"

namespace {
struct Standard {
    const char16_t* name;
    const UTxGUID& (*guid)();
};
const UTxGUID& GbGuid() {
    return DLxGBStandardGUID;
}
const Standard kStandards[] = {
    {u"ANSI", &DUxStandardGUID::GetANSIGuid}, {u"BSI", &DUxStandardGUID::GetBSIGuid},
    {u"DIN", &DUxStandardGUID::GetDINGuid},   {u"GB", &GbGuid},
    {u"ISO", &DUxStandardGUID::GetISOGuid},   {u"JIS", &DUxStandardGUID::GetJISGuid}};
} // namespace

bool DLxStdStyles::AddDocumentStyles(FWxSceneDoc* doc) {
    auto* drawingDoc = dynamic_cast<DLxDrawingDoc*>(doc);
    DLxDrawing* drawing = drawingDoc ? drawingDoc->GetDrawing() : nullptr;
    if (!drawing) return false;
    RSeMetaType* meta = RSe::_GetMeta(static_cast<const DUxFeatureControlFrameStyle*>(nullptr));
    for (const Standard& st : kStandards) {
        if (drawing->FindStyle(meta, st.name)) continue;
        auto* style = new (meta, drawing->GetSegment()) DUxFeatureControlFrameStyle();
        style->SetStyleName(st.name);
        RSeRef<DUxCategoryDefault> defaults =
            DUxStandardUtil::GetCategoryDefault(doc, st.guid(), DLxCFCFStd::kCategory);
        if (defaults.HasTarget()) defaults->CopyToStyle(RSeRef<FWxStyle>(style));
        drawing->AddStyle(style);
    }
    return true;
}
