#include "dc/RDxPersist.h"
#include "dl/DLxComponentProxy.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTagManager.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b22, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxTagManager*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxTagManager>(u"DLxTagManager", &InitGuid, 0, RSeMetaType::kClass,
                                   RSe::_InitMeta(static_cast<const RDxObject*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxTagManager* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DLxStructureNode*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxStructureNode>(u"DLxStructureNode", &InitGuid, 0, RSeMetaType::kClass,
                                      RSe::_InitMeta(static_cast<const RDxObject*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxStructureNode* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxTagManager*>(nullptr));
static RSeMetaType* const s_nodeMeta =
    RSe::_InitMeta(static_cast<const DLxStructureNode*>(nullptr));

RSeMetaType* DLxTagManager::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxTagManager::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_bom);
    s.Read(m_configuration);
    RDxPersist::LoadRefs(s, m_nodes);
    m_indexed = false;
    s.Read(m_depthFirst);
    s.Read(m_tagMode);
    char mode = 0;
    s.Read(mode);
    m_listMode = uint8_t(mode);
    RDxPersist::LoadRefs(s, m_roots);
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 5);
    m_rootTypes.resize(n);
    if (n) s.Read(m_rootTypes.data(), n);
}

void DLxTagManager::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_bom);
    s.Write(m_configuration);
    RDxPersist::SaveRefs(s, m_nodes);
    s.Write(m_depthFirst);
    s.Write(m_tagMode);
    s.Write(char(m_listMode));
    RDxPersist::SaveRefs(s, m_roots);
    s.Write(uint32_t(m_rootTypes.size()));
    for (int32_t t : m_rootTypes)
        s.Write(t);
}

void DLxTagManager::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_bom.FixAddress(ctx);
    m_configuration.FixAddress(ctx);
    RDxPersist::FixRefs(m_nodes, ctx);
    RDxPersist::FixRefs(m_roots, ctx);
}

UTxResult DLxTagManager::Clone(DLxTagManager* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    cc->CloneRef(m_bom, target->m_bom);
    cc->CloneRef(m_configuration, target->m_configuration);
    RDxPersist::CloneRefs(m_nodes, target->m_nodes, cc);
    target->m_depthFirst = m_depthFirst;
    target->m_tagMode = m_tagMode;
    target->m_listMode = m_listMode;
    RDxPersist::CloneRefs(m_roots, target->m_roots, cc);
    target->m_rootTypes = m_rootTypes;
    return {};
}

RSeMetaType* DLxStructureNode::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxStructureNode::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 5);
    m_path.resize(n);
    if (n) s.Read(m_path.data(), n);
    s.Read(m_component);
    s.Read(m_kind);
    s.Read(m_manager);
}

void DLxStructureNode::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(uint32_t(m_path.size()));
    for (int32_t id : m_path)
        s.Write(id);
    s.Write(m_component);
    s.Write(m_kind);
    s.Write(m_manager);
}

void DLxStructureNode::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_manager.FixAddress(ctx);
}

UTxResult DLxStructureNode::Clone(DLxStructureNode* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_path = m_path;
    target->m_component = m_component;
    target->m_kind = m_kind;
    cc->CloneRef(m_manager, target->m_manager);
    return {};
}
