#include "du/DUxTextStyle.h"

#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

DUxTextStyle* DUxTextStyle::CreateStyle(RSeSegment* segment, const UTxString16& name) {
    auto* style = new (RSe::_GetMeta(static_cast<const DUxTextStyle*>(nullptr)),
                       segment ? segment : RSe::TransientSegment()) DUxTextStyle();
    style->SetStyleName(name);
    return style;
}

const UTxString16& DUxTextStyle::GetInternalStylesCollectionNameStatic() {
    static const UTxString16 name = u"TextStyles";
    return name;
}

void DUxTextStyle::SetFontId(int32_t id) {
    if (id == m_fontId) return;
    RSe::PrepareWrite(this);
    m_fontId = id;
    MarkEdited(1);
}

void DUxTextStyle::SetHeight(double height) {
    if (height == m_height) return;
    RSe::PrepareWrite(this);
    m_height = height;
    MarkEdited(1);
}
