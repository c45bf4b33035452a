#include "du/DUxDatumTargetStyle.h"

#include "du/DUxSymUnitAttr.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

const UTxString16 DUxDatumTargetStyle::m_sDatumTargetCollectionName = u"DatumTarget";

DUxDatumTargetStyle* DUxDatumTargetStyle::CreateStyle(RSeSegment* segment,
                                                      const UTxString16& name) {
    auto* style = new (RSe::_GetMeta(static_cast<const DUxDatumTargetStyle*>(nullptr)),
                       segment ? segment : RSe::TransientSegment()) DUxDatumTargetStyle();
    style->SetStyleName(name);
    return style;
}

void DUxDatumTargetStyle::Prepare() {
    RSe::PrepareWrite(this);
}

void DUxDatumTargetStyle::SetTextStyle(const DUxTextStyleWrapper& t) {
    Set(m_fontId, t.GetFontId());
    Set(m_gdtFontId, t.GetGdtFontId());
    Set(m_fontSize, t.GetFontSize());
}

std::unique_ptr<DUxSymUnitAttr> DUxDatumTargetStyleWrapper::GetSymUnitAttr() const {
    if (!m_style) return nullptr;
    auto attr = std::make_unique<DUxSymUnitAttr>();
    for (int32_t f = 0; f < int32_t(DUxUnitField::Count); ++f)
        attr->SetField(DUxUnitField(f), Style()->GetUnitValue(DUxUnitField(f)));
    return attr;
}
