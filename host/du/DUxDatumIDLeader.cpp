#include "du/DUxDatumIDLeader.h"

#include "dc/RDxFragment.h"
#include "rse/RSeTransaction.h"

DUxDatumIDLeader* DUxDatumIDLeader::Create(RDxFragment* fragment,
                                           DUxBaseTerminalNodeGenerator* generator,
                                           const WqGePoint3d& point, DUxArrowHeadState* arrowHead,
                                           uint32_t arrowId) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* leader = new (RSe::_GetMeta(static_cast<const DUxDatumIDLeader*>(nullptr)),
                        fragment->GetSegment()) DUxDatumIDLeader();
    leader->InitRoot(fragment, generator, point, arrowHead, arrowId);
    return leader;
}

void DUxDatumIDLeader::SetFeatureIdentifier(bool feature) {
    if (feature == m_feature) return;
    RSe::PrepareWrite(this);
    m_feature = feature;
}
