#include "du/DUxFeatureControlFrameStyle.h"

#include "rse/RSeTransaction.h"

void DUxFeatureControlFrameStyle::Prepare() {
    RSe::PrepareWrite(this);
}

void DUxFeatureControlFrameStyle::SetTextStyle(const DUxTextStyleWrapper& t) {
    Set(m_fontId, t.GetFontId());
    Set(m_gdtFontId, t.GetGdtFontId());
    Set(m_fontSize, t.GetFontSize());
}
