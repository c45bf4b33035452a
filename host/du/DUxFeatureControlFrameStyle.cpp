#include "du/DUxFeatureControlFrameStyle.h"

#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxSymState.h"
#include "du/DUxSymUnitAttr.h"
#include "rse/RSeTransaction.h"

void DUxFeatureControlFrameStyle::Prepare() {
    RSe::PrepareWrite(this);
}

void DUxFeatureControlFrameStyle::SetTextStyle(const DUxTextStyleWrapper& t) {
    Set(m_fontId, t.GetFontId());
    Set(m_gdtFontId, t.GetGdtFontId());
    Set(m_fontSize, t.GetFontSize());
}

SmartPtr<DUxLeaderStyleWrapper> DUxFeatureControlFrameStyleWrapper::GetLeaderStyle() const {
    if (!Style()) return nullptr;
    DUxLeaderStyleWrapper::Defaults d;
    d.overshoot = Style()->GetExtensionLineOvershoot();
    d.allAroundDiameter = 0.9 * Style()->GetTextStyle().GetFontSize();
    return new DUxLeaderStyleWrapper(dynamic_cast<const DUxSymState*>(m_owner.Read()), d);
}

std::unique_ptr<DUxSymUnitAttr> DUxFeatureControlFrameStyleWrapper::GetSymUnitAttr() const {
    if (!m_style) return nullptr;
    auto attr = std::make_unique<DUxSymUnitAttr>();
    for (int32_t f = 0; f < int32_t(DUxUnitField::Count); ++f)
        attr->SetField(DUxUnitField(f), Style()->GetUnitValue(DUxUnitField(f)));
    return attr;
}
