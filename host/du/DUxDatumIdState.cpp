#include "du/DUxDatumIdState.h"

#include <algorithm>

#include "dc/RDxFragment.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxIdStyle.h"
#include "du/DUxLeaderNodeTree.h"
#include "ge/WqArray.h"
#include "rd/RDxString.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "sm/SMxDisplayListBuilder.h"
#include "uc/UCxStringUtil.h"

DUxDatumIdState* DUxDatumIdState::Create(RDxFragment* fragment, RDxString* text) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* state = new (RSe::_GetMeta(static_cast<const DUxDatumIdState*>(nullptr)),
                       fragment->GetSegment()) DUxDatumIdState();
    state->m_text = RSeRef<RDxString>(text);
    fragment->AddNode(state);
    return state;
}

RDxString* DUxDatumIdState::GetDatumIdString() const {
    return m_text.GetTarget() ? static_cast<RDxString*>(m_text.GetTarget()) : nullptr;
}

void DUxDatumIdState::SetDatumIdText(const RDxString* text) {
    if (!text) return;
    RDxString* own = GetDatumIdString();
    if (!own) {
        RSeSegment* segment = GetSegment();
        if (!segment) return;
        own = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)), segment) RDxString();
        BeginValueChange();
        m_text = RSeRef<RDxString>(own);
    }
    if (own != text) own->CopyValues(*text);
}

void DUxDatumIdState::SetFeatureIdentifier(bool on) {
    if (on == m_feature) return;
    BeginValueChange();
    m_feature = on;
}

double DUxDatumIdState::FrameWidth(int32_t chars, double height) {
    const double text = UCxStringUtil::kAdvanceRatio * height * std::max(chars, 1);
    return std::max(FrameHeight(height), text + height);
}

void DUxDatumIdState::GenGraphics(SMxDisplayList& symbolList, SMxDisplayList& textList, int32_t,
                                  const UTxGUID&, bool, int32_t) {
    const RDxString* text = GetDatumIdString();
    if (!text) return;
    const UTxString16 shown = text->GetDisplayText();
    const DUxIdStyleWrapper style(this);
    const DUxTextStyleWrapper look = style.GetTextStyle();
    const double h = text->GetTextHeight() > 0 ? text->GetTextHeight() : look.GetFontSize();
    const double w2 = FrameWidth(int32_t(shown.size()), h) / 2;
    const double h2 = FrameHeight(h) / 2;

    SMxDisplayListBuilder frame(symbolList);
    frame.SetItemId(
        DUxLeaderNodeTree::SynthesizeItemID(DUxLeaderNodeTree::kSymbolBodyItem, 0, -1, -1));
    WqArray<WqGePoint3d> pts;
    pts.append(WqGePoint3d(-w2, -h2, 0));
    pts.append(WqGePoint3d(w2, -h2, 0));
    pts.append(WqGePoint3d(w2, h2, 0));
    pts.append(WqGePoint3d(-w2, h2, 0));
    frame.AddPolyline(pts, true);

    SMxDisplayListBuilder b(textList);
    b.SetItemId(DUxLeaderNodeTree::SynthesizeItemID(DUxLeaderNodeTree::kSymbolBodyItem, 0, -1, -1));
    b.SetFontId(text->GetFontId() ? text->GetFontId() : look.GetFontId());
    b.AddText(shown, WqGePoint3d(), WqGeVector3d::kXAxis, h, SMxTextAlign::MiddleCenter);
}
