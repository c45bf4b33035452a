#include "Standard/DLxStdStyles.h"

#include "Standard/DLxCBalloonStd.h"
#include "Standard/DLxCDatumStd.h"
#include "Standard/DLxCFCFStd.h"
#include "Standard/DLxCIdStd.h"
#include "Standard/DLxCPartListStd.h"
#include "Standard/DLxCSurfTextStd.h"
#include "Standard/DLxStdRegistration.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "du/DUxBalloonStyle.h"
#include "du/DUxCategoryDefault.h"
#include "du/DUxDimensionStyle.h"
#include "du/DUxDatumTargetStyle.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxIdStyle.h"
#include "du/DUxStandard.h"
#include "du/DUxSurfaceTextureStyle.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "du/DUxTextStyle.h"
#include "du/DUxWeldState.h"
#include "du/DUxWeldStyle.h"
#include "rse/RSe.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"

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

// The drawing's standard; ISO when it names none.
const Standard& DrawingStandard(const DLxDrawing& drawing) {
    const Standard* standard = &kStandards[4];
    for (const Standard& st : kStandards)
        if (drawing.GetStandardName() == st.name) standard = &st;
    return *standard;
}
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
    AddIdStyles(doc, *drawing);
    // One datum-target style per standard, in the standard's text font and height. ANSI gives
    // its text height in inches; sheets are laid out in millimetres.
    RSeMetaType* targetMeta = RSe::_GetMeta(static_cast<const DUxDatumTargetStyle*>(nullptr));
    for (const Standard& st : kStandards) {
        if (drawing->FindStyle(targetMeta, st.name)) continue;
        auto* style = DUxDatumTargetStyle::CreateStyle(drawing->GetSegment(), st.name);
        const bool inches = st.guid() == DUxStandardGUID::GetANSIGuid();
        const double height = DUxStandardUtil::GetTextHeight(doc, st.guid());
        style->SetTextStyle({DUxStandardUtil::GetFontID(doc, st.guid()), 2,
                             inches ? height * 25.4 : height});
        RSeRef<DUxCategoryDefault> defaults =
            DUxStandardUtil::GetCategoryDefault(doc, st.guid(), DLxCDatumStd::kCategory);
        if (defaults.HasTarget()) defaults->CopyToStyle(RSeRef<FWxStyle>(style));
        drawing->AddStyle(style);
    }
    RSeMetaType* surfMeta = RSe::_GetMeta(static_cast<const DUxSurfaceTextureStyle*>(nullptr));
    for (const Standard& st : kStandards) {
        if (drawing->FindStyle(surfMeta, st.name)) continue;
        auto* style = new (surfMeta, drawing->GetSegment()) DUxSurfaceTextureStyle();
        style->SetStyleName(st.name);
        RSeRef<DUxCategoryDefault> defaults =
            DUxStandardUtil::GetCategoryDefault(doc, st.guid(), DLxCSurfTextStd::kCategory);
        if (defaults.HasTarget()) defaults->CopyToStyle(RSeRef<FWxStyle>(style));
        style->CleanStyleEdits();
        drawing->AddStyle(style);
    }
    return true;
}

void DLxStdStyles::AddIdStyles(FWxSceneDoc* doc, DLxDrawing& drawing) {
    // The datum triangle of each standard's identifiers, in the order of kStandards: filled,
    // but open under DIN and JIS.
    const uint32_t triangles[] = {DUxIdStyle::kFilledTriangle, DUxIdStyle::kFilledTriangle,
                                  DUxIdStyle::kOpenTriangle,   DUxIdStyle::kFilledTriangle,
                                  DUxIdStyle::kFilledTriangle, DUxIdStyle::kOpenTriangle};
    RSeMetaType* meta = RSe::_GetMeta(static_cast<const DUxIdStyle*>(nullptr));
    for (size_t i = 0; i < std::size(kStandards); ++i) {
        const Standard& st = kStandards[i];
        if (drawing.FindStyle(meta, st.name)) continue;
        DUxIdStyle* style = DUxIdStyle::CreateStyle(drawing.GetSegment(), st.name);
        style->SetFontId(DUxStandardUtil::GetFontID(doc, st.guid()));
        style->SetTextHeight(DUxStandardUtil::GetTextHeight(doc, st.guid()));
        style->SetArrowHead(triangles[i]);
        RSeRef<DUxCategoryDefault> defaults =
            DUxStandardUtil::GetCategoryDefault(doc, st.guid(), DLxCIdStd::kFirstCategory);
        if (defaults.HasTarget()) defaults->CopyToStyle(RSeRef<FWxStyle>(style));
        drawing.AddStyle(style);
    }
}

double DLxStdStyles::GetStandardTextHeight(FWxSceneDoc* doc) {
    auto* drawingDoc = dynamic_cast<DLxDrawingDoc*>(doc);
    DLxDrawing* drawing = drawingDoc ? drawingDoc->GetDrawing() : nullptr;
    return drawing ? DUxStandardUtil::GetTextHeight(doc, DrawingStandard(*drawing).guid()) : 0.0;
}

int32_t DLxStdStyles::GetStandardFontId(FWxSceneDoc* doc) {
    auto* drawingDoc = dynamic_cast<DLxDrawingDoc*>(doc);
    DLxDrawing* drawing = drawingDoc ? drawingDoc->GetDrawing() : nullptr;
    return drawing ? DUxStandardUtil::GetFontID(doc, DrawingStandard(*drawing).guid()) : 0;
}

DUxSurfaceTextureStyle* DLxStdStyles::GetDocumentSurfaceTextureStyle(FWxSceneDoc* doc) {
    auto* drawingDoc = dynamic_cast<DLxDrawingDoc*>(doc);
    DLxDrawing* drawing = drawingDoc ? drawingDoc->GetDrawing() : nullptr;
    if (!drawing) return nullptr;
    return dynamic_cast<DUxSurfaceTextureStyle*>(drawing->FindStyle(
        RSe::_GetMeta(static_cast<const DUxSurfaceTextureStyle*>(nullptr)),
        DrawingStandard(*drawing).name));
}

void DLxStdStyles::RegisterSurfaceTextureServices() {
    DUxSurfTextStdServices::SetFinder([](FWxSceneDoc* doc, int32_t code) {
        // Codes 1 ANSI, 2 BSI, 3 DIN, 4 GB, 5 ISO, 6 JIS: the order of kStandards.
        if (code < 1 || code > 6) return static_cast<DUxSurfTextStdServices*>(nullptr);
        const Standard& st = kStandards[size_t(code - 1)];
        return static_cast<DUxSurfTextStdServices*>(dynamic_cast<DLxCSurfTextStd*>(
            DUxStandardUtil::GetCategoryDefault(doc, st.guid(), DLxCSurfTextStd::kCategory)
                .GetTarget()));
    });
}

DUxTableStylePartsList* DLxStdStyles::GetPartsListStyle(FWxSceneDoc* doc) {
    auto* drawingDoc = dynamic_cast<DLxDrawingDoc*>(doc);
    DLxDrawing* drawing = drawingDoc ? drawingDoc->GetDrawing() : nullptr;
    if (!drawing) return nullptr;
    const Standard* standard = &DrawingStandard(*drawing);
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

DUxBalloonStyle* DLxStdStyles::GetBalloonStyle(FWxSceneDoc* doc) {
    auto* drawingDoc = dynamic_cast<DLxDrawingDoc*>(doc);
    DLxDrawing* drawing = drawingDoc ? drawingDoc->GetDrawing() : nullptr;
    if (!drawing) return nullptr;
    const Standard& standard = DrawingStandard(*drawing);
    RSeMetaType* meta = RSe::_GetMeta(static_cast<const DUxBalloonStyle*>(nullptr));
    if (auto* found = dynamic_cast<DUxBalloonStyle*>(drawing->FindStyle(meta, standard.name)))
        return found;

    DUxTextStyle* text = GetStandardTextStyle(doc);
    DUxBalloonStyle* style = DUxBalloonStyle::CreateStyle(drawing->GetSegment(), standard.name);
    style->SetTextStyle(RSeRef<DUxTextStyle>(text));
    RSeRef<DUxCategoryDefault> defaults =
        DUxStandardUtil::GetCategoryDefault(doc, standard.guid(), DLxCBalloonStd::kCategory);
    if (defaults.HasTarget()) defaults->CopyToStyle(RSeRef<FWxStyle>(style));
    // The standards give items to borderless balloons only; a drawing's balloons number their
    // rows whatever their shape, so a style left without items shows the item number.
    if (style->GetItems().empty()) {
        DUxBalloonItemList items{RSeRef<DUxTableStyleColumn>(
            DLxCBalloonStd::NewItemColumn(drawing->GetSegment()))};
        style->SetItems(items);
        DUxTableStyle::ClearColumns(items);
    }
    // The standards' balloon size (1.0) is in their own length unit, which need not be the
    // sheet's: taken as a multiple of the text height it gives a balloon twice the text's height
    // across on any sheet, where a plain size would draw a balloon smaller than its number.
    if (!style->GetScaleToTextHeight()) style->SetScaleToTextHeight(true);
    drawing->AddStyle(style);
    return style;
}

DUxTextStyle* DLxStdStyles::GetStandardTextStyle(FWxSceneDoc* doc) {
    auto* drawingDoc = dynamic_cast<DLxDrawingDoc*>(doc);
    DLxDrawing* drawing = drawingDoc ? drawingDoc->GetDrawing() : nullptr;
    if (!drawing) return nullptr;
    const Standard& standard = DrawingStandard(*drawing);
    RSeMetaType* textMeta = RSe::_GetMeta(static_cast<const DUxTextStyle*>(nullptr));
    auto* text = dynamic_cast<DUxTextStyle*>(drawing->FindStyle(textMeta, standard.name));
    if (!text) {
        text = DUxTextStyle::CreateStyle(drawing->GetSegment(), standard.name);
        text->SetFontId(DUxStandardUtil::GetFontID(doc, standard.guid()));
        text->SetHeight(DUxStandardUtil::GetTextHeight(doc, standard.guid()));
        text->CleanStyleEdits();
        drawing->AddStyle(text);
    }
    return text;
}

DUxDimensionStyle* DLxStdStyles::GetLeaderTextStyle(FWxSceneDoc* doc) {
    auto* drawingDoc = dynamic_cast<DLxDrawingDoc*>(doc);
    DLxDrawing* drawing = drawingDoc ? drawingDoc->GetDrawing() : nullptr;
    if (!drawing) return nullptr;
    const Standard& standard = DrawingStandard(*drawing);
    RSeMetaType* meta = RSe::_GetMeta(static_cast<const DUxDimensionStyle*>(nullptr));
    if (auto* found = dynamic_cast<DUxDimensionStyle*>(drawing->FindStyle(meta, standard.name)))
        return found;
    DUxTextStyle* text = GetStandardTextStyle(doc);
    DUxDimensionStyle* style = DUxDimensionStyle::CreateStyle(drawing->GetSegment(), standard.name);
    style->SetTextStyle(text);
    style->SetHasLeaderLanding(true);
    style->SetTextGap(text ? text->GetHeight() / 4 : 0.0);
    // ANSI writes a leader's note beside its landing; the others write it above a reference
    // line, which its last line stands on.
    if (&standard != &kStandards[0])
        style->SetLeaderUnderliningType(DUxDimensionStyle::kUnderlineLast);
    style->CleanStyleEdits();
    drawing->AddStyle(style);
    return style;
}

DUxWeldStyle* DLxStdStyles::GetWeldStyle(FWxSceneDoc* doc) {
    auto* drawingDoc = dynamic_cast<DLxDrawingDoc*>(doc);
    DLxDrawing* drawing = drawingDoc ? drawingDoc->GetDrawing() : nullptr;
    if (!drawing) return nullptr;
    const Standard& standard = DrawingStandard(*drawing);
    RSeMetaType* meta = RSe::_GetMeta(static_cast<const DUxWeldStyle*>(nullptr));
    if (auto* found = dynamic_cast<DUxWeldStyle*>(drawing->FindStyle(meta, standard.name)))
        return found;
    DUxWeldStyle* style = DUxWeldStyle::CreateStyle(drawing->GetSegment(), standard.name);
    // ANSI and JIS put the arrow side below the line and draw no identification line; the
    // others put it above a continuous line with the dashed line below.
    const bool below = &standard == &kStandards[0] || &standard == &kStandards[5];
    style->SetArrowSidePosition(below ? 0 : 1);
    style->SetIdentLineType(below ? DUxWeldState::kNoIdentLine : DUxWeldState::kIdentLineBelow);
    style->SetTextStyle({DUxStandardUtil::GetFontID(doc, standard.guid()), 2,
                         DUxWeldState::kTextHeight});
    style->CleanStyleEdits();
    drawing->AddStyle(style);
    return style;
}
