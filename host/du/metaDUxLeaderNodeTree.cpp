#include <string>

#include "dc/RDxPersist.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"
#include "utx/UTxString16.h"

namespace {
void TreeGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0d04, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxLeaderNodeTree*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxLeaderNodeTree>(u"DUxLeaderNodeTree", &TreeGuid, 0, RSeMetaType::kClass,
                                       RSe::_InitMeta(static_cast<const RDxState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxLeaderNodeTree* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_treeMeta =
    RSe::_InitMeta(static_cast<const DUxLeaderNodeTree*>(nullptr));

RSeMetaType* DUxLeaderNodeTree::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxLeaderNodeTree::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_generator);
    s.Read(m_root);
    RDxPersist::LoadRefs(s, m_nodes);
    s.Read(m_nodeCounter);
    s.Read(m_landingLength);
    s.Read(m_refLandingLength);
    s.Read(m_landingPos);
    // Tables indexed by the position have one entry per ELandingPos, as SetLandingPosition keeps.
    if (m_landingPos < kNoLanding || m_landingPos > kNegY)
        RSe::ThrowDamaged(u"a leader's landing position is " +
                          UTx::MakeWideString(std::to_string(m_landingPos)) +
                          u" (expected 0 to 4)");
    s.Read(m_secondLanding);
    s.Read(m_dirFlag0);
    s.Read(m_dirFlag1);
    s.Read(m_allAround);
}

void DUxLeaderNodeTree::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_generator);
    s.Write(m_root);
    RDxPersist::SaveRefs(s, m_nodes);
    s.Write(m_nodeCounter);
    s.Write(m_landingLength);
    s.Write(m_refLandingLength);
    s.Write(m_landingPos);
    s.Write(m_secondLanding);
    s.Write(m_dirFlag0);
    s.Write(m_dirFlag1);
    s.Write(m_allAround);
}

void DUxLeaderNodeTree::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_generator.FixAddress(ctx);
    m_root.FixAddress(ctx);
    RDxPersist::FixRefs(m_nodes, ctx);
}

UTxResult DUxLeaderNodeTree::Clone(DUxLeaderNodeTree* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    cc->CloneRef(m_generator, target->m_generator);
    cc->CloneRef(m_root, target->m_root);
    RDxPersist::CloneRefs(m_nodes, target->m_nodes, cc);
    target->m_nodeCounter = m_nodeCounter;
    target->m_landingLength = m_landingLength;
    target->m_refLandingLength = m_refLandingLength;
    target->m_landingPos = m_landingPos;
    target->m_secondLanding = m_secondLanding;
    target->m_dirFlag0 = m_dirFlag0;
    target->m_dirFlag1 = m_dirFlag1;
    target->m_allAround = m_allAround;
    return {};
}
