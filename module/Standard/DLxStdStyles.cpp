#include "Standard/DLxStdStyles.h"

#include "Standard/DLxCColumnDef.h"
#include "Standard/DLxCFCFStd.h"
#include "Standard/DLxCPartListStd.h"
#include "Standard/DLxStdRegistration.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "du/DUxCategoryDefault.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxStandard.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
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

namespace {
// The parts-list property each heading of the standard's default columns shows.
const char16_t* PropertyOfHeading(int32_t index) {
    static const char16_t* const kProperties[] = {u"1", u"2", u"6", u"7"};
    return index >= 0 && index < 4 ? kProperties[index] : nullptr;
}
// Standard column widths are in units of this many millimetres on the sheet.
constexpr double kColumnWidthUnit = 8.0;
} // namespace

DUxTableStylePartsList* DLxStdStyles::GetPartsListStyle(FWxSceneDoc* doc) {
    auto* drawingDoc = dynamic_cast<DLxDrawingDoc*>(doc);
    DLxDrawing* drawing = drawingDoc ? drawingDoc->GetDrawing() : nullptr;
    if (!drawing) return nullptr;
    const Standard* standard = &kStandards[4]; // ISO when the drawing names none
    for (const Standard& st : kStandards)
        if (drawing->GetStandardName() == st.name) standard = &st;
    RSeMetaType* meta = RSe::_GetMeta(static_cast<const DUxTableStylePartsList*>(nullptr));
    if (auto* found = dynamic_cast<DUxTableStylePartsList*>(drawing->FindStyle(meta, standard->name)))
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
    RSeRef<DUxCategoryDefault> defaults =
        DUxStandardUtil::GetCategoryDefault(doc, standard->guid(), DLxCPartListStd::kCategory);
    if (auto* std = dynamic_cast<DLxCPartListStd*>(defaults.get())) {
        style->SetTitle(std->GetTitle());
        style->SetUseTitle(std->GetUseTitle());
        DUxTableColumnList columns;
        int32_t index = 0;
        for (const RSeRef<DLxCColumnDef>& ref : std->GetColumnDefs()) {
            const DLxCColumnDef* def = ref.get();
            const char16_t* property = PropertyOfHeading(index++);
            if (!def || !property) continue;
            DUxTableStylePartsListColumn* c = DUxTableStylePartsListColumn::New(RSe::TransientSegment());
            c->GetPropertyID()->SetPropertySet(DUxStyleFormatColumnPropertyID::PartsListPropertySet());
            c->GetPropertyID()->SetPropertyID(property);
            c->GetPropertyID()->SetPropertyExternalName(def->GetName());
            c->SetWidth(def->GetWidth() * kColumnWidthUnit);
            // Numbers centred, texts from the left.
            c->SetColumnAlignment(index <= 2 ? 1 : 0);
            c->SetHeadingAlignment(1);
            columns.emplace_back(c);
        }
        style->SetColumns(columns);
        DUxTableStyle::ClearColumns(columns);
    }
    drawing->AddStyle(style);
    return style;
}
