#include "Standard/DLxStdStyles.h"

#include "Standard/DLxCFCFStd.h"
#include "Standard/DLxCPartListStd.h"
#include "Standard/DLxStdRegistration.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "du/DUxCategoryDefault.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxStandard.h"
#include "du/DUxTableStyle.h"
#include "rse/RSe.h"
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

DUxTableStylePartsList* DLxStdStyles::GetPartsListStyle(FWxSceneDoc* doc) {
    auto* drawingDoc = dynamic_cast<DLxDrawingDoc*>(doc);
    DLxDrawing* drawing = drawingDoc ? drawingDoc->GetDrawing() : nullptr;
    if (!drawing) return nullptr;
    const Standard* standard = &kStandards[4]; // ISO when the drawing names none
    for (const Standard& st : kStandards)
        if (drawing->GetStandardName() == st.name) standard = &st;
    RSeMetaType* meta = RSe::_GetMeta(static_cast<const DUxTableStylePartsList*>(nullptr));
    if (auto* found =
            dynamic_cast<DUxTableStylePartsList*>(drawing->FindStyle(meta, standard->name)))
        return found;
    DUxTableStylePartsList* style =
        DUxTableStylePartsList::CreateStyle(drawing->GetSegment(), standard->name);
    const double height = DUxStandardUtil::GetTextHeight(doc, standard->guid());
    const int32_t font = DUxStandardUtil::GetFontID(doc, standard->guid());
    style->SetTextStyle({font, height});
    style->SetHeadingTextStyle({font, height});
    style->SetTitleTextStyle({font, height * 1.4});
    // A standard's parts list numbers its items.
    style->SetDisplayGroupedItemNumber(true);
    // Title, layout, gaps and columns come from the standard, as for any style it fills.
    RSeRef<DUxCategoryDefault> defaults =
        DUxStandardUtil::GetCategoryDefault(doc, standard->guid(), DLxCPartListStd::kCategory);
    if (defaults.HasTarget()) defaults->CopyToStyle(RSeRef<FWxStyle>(style));
    drawing->AddStyle(style);
    return style;
}
