#include "du/DUxLeaderStyle.h"

#include "du/DUxLeaderStyleWrapper.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

const UTxString16 DUxLeaderStyle::m_sLeaderCollectionName = u"Leader";

DUxLeaderStyle* DUxLeaderStyle::CreateStyle(RSeSegment* segment, const UTxString16& name) {
    auto* style = new (RSe::_GetMeta(static_cast<const DUxLeaderStyle*>(nullptr)),
                       segment ? segment : RSe::TransientSegment()) DUxLeaderStyle();
    style->SetStyleName(name);
    return style;
}

void DUxLeaderStyle::SetColor(const SMxColor& color) {
    if (color == m_color) return;
    RSe::PrepareWrite(this);
    m_color = color;
}

void DUxLeaderStyle::SetLineWeight(int32_t weight) {
    if (weight == m_lineWeight) return;
    RSe::PrepareWrite(this);
    m_lineWeight = weight;
}

void DUxLeaderStyle::SetLineType(int32_t type) {
    if (type == m_lineType) return;
    RSe::PrepareWrite(this);
    m_lineType = type;
}

DUxLeaderStyleWrapper* DUxLeaderStyle::NewWrapper() const {
    return new DUxLeaderStyleWrapper(m_color, m_lineWeight, m_lineType);
}
