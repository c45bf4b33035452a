#include "dc/RDxPersist.h"
#include "du/DUxLeaderNode.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
void NodeGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0d01, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
void TerminalGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0d02, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
void GeneratorGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0d03, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxLeaderNode*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxLeaderNode>(u"DUxLeaderNode", &NodeGuid, 0, RSeMetaType::kClass,
                                   RSe::_InitMeta(static_cast<const RDxNode*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxLeaderNode* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DUxBaseTerminalLeaderNode*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxBaseTerminalLeaderNode>(
        u"DUxBaseTerminalLeaderNode", &TerminalGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DUxLeaderNode*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxBaseTerminalLeaderNode* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DUxBaseTerminalNodeGenerator*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxBaseTerminalNodeGenerator>(
        u"DUxBaseTerminalNodeGenerator", &GeneratorGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RDxNode*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxBaseTerminalNodeGenerator* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_nodeMeta = RSe::_InitMeta(static_cast<const DUxLeaderNode*>(nullptr));
static RSeMetaType* const s_terminalMeta =
    RSe::_InitMeta(static_cast<const DUxBaseTerminalLeaderNode*>(nullptr));
static RSeMetaType* const s_generatorMeta =
    RSe::_InitMeta(static_cast<const DUxBaseTerminalNodeGenerator*>(nullptr));

RSeMetaType* DUxLeaderNode::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DUxBaseTerminalLeaderNode::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DUxBaseTerminalNodeGenerator::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxLeaderNode::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    RSeLoadData(s, m_point);
    s.Read(m_parent);
    RDxPersist::LoadRefs(s, m_children);
    s.Read(m_nodeId);
}

void DUxLeaderNode::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    RSeSaveData(s, m_point);
    s.Write(m_parent);
    RDxPersist::SaveRefs(s, m_children);
    s.Write(m_nodeId);
}

void DUxLeaderNode::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_parent.FixAddress(ctx);
    RDxPersist::FixRefs(m_children, ctx);
}

UTxResult DUxLeaderNode::Clone(DUxLeaderNode* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_point = m_point;
    cc->CloneRef(m_parent, target->m_parent);
    RDxPersist::CloneRefs(m_children, target->m_children, cc);
    target->m_nodeId = m_nodeId;
    return {};
}
