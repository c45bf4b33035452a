#include "du/DUxBalloonStyleWrapper.h"

#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxLeaderStyle.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxSymState.h"
#include "du/DUxTextStyle.h"

RSeRef<DUxBalloonStyle> DUxBalloonStyleWrapper::Style() const {
    if (m_style.HasTarget()) return m_style;
    const DUxSymState* state = m_state.Read();
    return RSeRef<DUxBalloonStyle>(state ? dynamic_cast<DUxBalloonStyle*>(state->GetStyle())
                                         : nullptr);
}

void DUxBalloonStyleWrapper::SetPrimaryStyle(const RSeRef<DUxBalloonStyle>& style) {
    if (DUxSymState* state = m_state.get()) state->SetStyle(style.Read());
    m_style = style;
}

void DUxBalloonStyleWrapper::SetDefaultType(DUxBalloonStyle::EBalloonType type) {
    if (DUxBalloonStyle* style = Style().get()) style->SetDefaultType(type);
}

const DUxBalloonStyle* DUxBalloonStyleWrapper::Read(bool* found) const {
    const DUxBalloonStyle* style = Style().Read();
    if (found) *found = style != nullptr;
    return style;
}

DUxBalloonStyle::EBalloonType DUxBalloonStyleWrapper::GetDefaultType(bool* found) const {
    const DUxBalloonStyle* s = Read(found);
    return s ? s->GetDefaultType() : DUxBalloonStyle::eCircular;
}

namespace {
SmartPtr<DUxLeaderStyleWrapper> Wrap(const RSeRef<DUxLeaderStyle>& style) {
    const DUxLeaderStyle* s = style.Read();
    return SmartPtr<DUxLeaderStyleWrapper>(s ? s->NewWrapper() : nullptr);
}
} // namespace

SmartPtr<DUxLeaderStyleWrapper> DUxBalloonStyleWrapper::GetLeaderStyle(bool* found) const {
    const DUxBalloonStyle* s = Read(found);
    return s ? Wrap(s->GetLeaderStyle()) : nullptr;
}

SmartPtr<DUxLeaderStyleWrapper> DUxBalloonStyleWrapper::GetAltLeaderStyle(bool* found) const {
    const DUxBalloonStyle* s = Read(found);
    return s ? Wrap(s->GetAltLeaderStyle()) : nullptr;
}

SmartPtr<DUxTextStyleWrapper> DUxBalloonStyleWrapper::GetTextStyle(bool* found) const {
    const DUxBalloonStyle* s = Read(found);
    const DUxTextStyle* text = s ? s->GetTextStyle().Read() : nullptr;
    // Balloons write no GD&T symbols: no symbol font.
    return text ? SmartPtr<DUxTextStyleWrapper>(
                      new DUxTextStyleWrapper(text->GetFontId(), 0, text->GetHeight()))
                : nullptr;
}

bool DUxBalloonStyleWrapper::GetScaleToTextHeight(bool* found) const {
    const DUxBalloonStyle* s = Read(found);
    return s && s->GetScaleToTextHeight();
}

double DUxBalloonStyleWrapper::GetSize(bool* found) const {
    const DUxBalloonStyle* s = Read(found);
    return s ? s->GetSize() : 1.0;
}

bool DUxBalloonStyleWrapper::GetStretchBallonToText(bool* found) const {
    const DUxBalloonStyle* s = Read(found);
    return s && s->GetStretchBalloonToText();
}

double DUxBalloonStyleWrapper::GetOffsetSpacing(bool* found) const {
    const DUxBalloonStyle* s = Read(found);
    return s ? s->GetOffsetSpacing() : 0.0;
}

void DUxBalloonStyleWrapper::GetItems(std::vector<RSeRef<DUxTableStyleColumn>>& items) const {
    const DUxBalloonStyle* s = Style().Read();
    items = s ? s->GetItems() : DUxBalloonItemList();
}
