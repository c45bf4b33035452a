#include "dl/DLxComponentProxy.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTagManager.h"
#include "rd/RDxComponent.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
// Each kind its own GUID: a meta type is also found by its GUID.
template <uint32_t N>
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b30 + N, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}

template <class T, class Base, uint32_t N>
RSeMetaType* MakeMeta(const char16_t* name, uint32_t flags = RSeMetaType::kClass) {
    return RSeMakeMeta<T>(name, &InitGuid<N>, 0, flags,
                          RSe::_InitMeta(static_cast<const Base*>(nullptr)));
}
} // namespace

namespace RSe {
#define KORVU_PROXY_META(T, Base, N)                                                               \
    RSeMetaType* _InitMeta(const T*) {                                                             \
        static RSeMetaType* mt = MakeMeta<T, Base, N>(u## #T);                                     \
        return mt;                                                                                 \
    }                                                                                              \
    RSeMetaType* _GetMeta(const T* p) {                                                            \
        return _InitMeta(p);                                                                       \
    }
KORVU_PROXY_META(DLxCustomSurrogate, RDxObject, 0)
KORVU_PROXY_META(DLxComponentProxy, RDxObject, 1)
KORVU_PROXY_META(DLxComponentProxyNode, DLxComponentProxy, 2)
KORVU_PROXY_META(DLxComponentProxyPartDT, DLxComponentProxyNode, 3)
KORVU_PROXY_META(DLxComponentProxyAssemblySurrogate, DLxComponentProxyNode, 4)
KORVU_PROXY_META(DLxComponentProxyPartSurrogate, DLxComponentProxyNode, 5)
KORVU_PROXY_META(DLxComponentProxyDT, DLxComponentProxy, 6)
KORVU_PROXY_META(DLxComponentProxyCustom, DLxComponentProxy, 7)
#undef KORVU_PROXY_META
} // namespace RSe

// Registered when the library loads, so that a load finds every kind by name.
static RSeMetaType* const s_metas[] = {
    RSe::_InitMeta(static_cast<const DLxCustomSurrogate*>(nullptr)),
    RSe::_InitMeta(static_cast<const DLxComponentProxy*>(nullptr)),
    RSe::_InitMeta(static_cast<const DLxComponentProxyNode*>(nullptr)),
    RSe::_InitMeta(static_cast<const DLxComponentProxyPartDT*>(nullptr)),
    RSe::_InitMeta(static_cast<const DLxComponentProxyAssemblySurrogate*>(nullptr)),
    RSe::_InitMeta(static_cast<const DLxComponentProxyPartSurrogate*>(nullptr)),
    RSe::_InitMeta(static_cast<const DLxComponentProxyDT*>(nullptr)),
    RSe::_InitMeta(static_cast<const DLxComponentProxyCustom*>(nullptr)),
};

RSeMetaType* DLxCustomSurrogate::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxComponentProxy::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxComponentProxyNode::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxComponentProxyPartDT::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxComponentProxyAssemblySurrogate::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxComponentProxyPartSurrogate::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxComponentProxyDT::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxComponentProxyCustom::GetMeta() const {
    return RSe::_GetMeta(this);
}

// Values in key order, so the bytes follow the content alone.
void DLxCustomSurrogate::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 10);
    m_values.clear();
    for (uint32_t i = 0; i < n; ++i) {
        std::u16string k, v;
        s.Read(k);
        s.Read(v);
        m_values[std::move(k)] = std::move(v);
    }
}

void DLxCustomSurrogate::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(uint32_t(m_values.size()));
    for (const auto& [k, v] : m_values) {
        s.Write(k);
        s.Write(v);
    }
}

UTxResult DLxCustomSurrogate::Clone(DLxCustomSurrogate* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_values = m_values;
    return {};
}

void DLxComponentProxy::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_cached[0]);
    s.Read(m_cached[1]);
    s.Read(m_marker);
}

void DLxComponentProxy::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_cached[0]);
    s.Write(m_cached[1]);
    s.Write(m_marker);
}

UTxResult DLxComponentProxy::Clone(DLxComponentProxy* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_cached[0] = m_cached[0];
    target->m_cached[1] = m_cached[1];
    target->m_marker = m_marker;
    return {};
}

void DLxComponentProxyNode::Load(RSeStream& s) {
    DLxComponentProxy::Load(s);
    s.Read(m_node);
    s.Read(m_manager);
}

void DLxComponentProxyNode::Save(RSeStream& s) const {
    DLxComponentProxy::Save(s);
    s.Write(m_node);
    s.Write(m_manager);
}

void DLxComponentProxyNode::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_node.FixAddress(ctx);
    m_manager.FixAddress(ctx);
}

UTxResult DLxComponentProxyNode::Clone(DLxComponentProxyNode* target, RSeCloneCommander* cc) const {
    DLxComponentProxy::Clone(target, cc);
    cc->CloneRef(m_node, target->m_node);
    cc->CloneRef(m_manager, target->m_manager);
    return {};
}

void DLxComponentProxyDT::Load(RSeStream& s) {
    DLxComponentProxy::Load(s);
    s.Read(m_assembly);
    s.Read(m_child);
    s.Read(m_tag);
}

void DLxComponentProxyDT::Save(RSeStream& s) const {
    DLxComponentProxy::Save(s);
    s.Write(m_assembly);
    s.Write(m_child);
    s.Write(m_tag);
}

void DLxComponentProxyDT::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_assembly.FixAddress(ctx);
    m_child.FixAddress(ctx);
}

UTxResult DLxComponentProxyDT::Clone(DLxComponentProxyDT* target, RSeCloneCommander* cc) const {
    DLxComponentProxy::Clone(target, cc);
    cc->CloneRef(m_assembly, target->m_assembly);
    cc->CloneRef(m_child, target->m_child);
    target->m_tag = m_tag;
    return {};
}

void DLxComponentProxyCustom::Load(RSeStream& s) {
    DLxComponentProxy::Load(s);
    s.Read(m_surrogate);
}

void DLxComponentProxyCustom::Save(RSeStream& s) const {
    DLxComponentProxy::Save(s);
    s.Write(m_surrogate);
}

void DLxComponentProxyCustom::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_surrogate.FixAddress(ctx);
}

UTxResult DLxComponentProxyCustom::Clone(DLxComponentProxyCustom* target,
                                         RSeCloneCommander* cc) const {
    DLxComponentProxy::Clone(target, cc);
    cc->CloneRef(m_surrogate, target->m_surrogate);
    return {};
}
