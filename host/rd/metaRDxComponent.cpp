#include "rd/RDxComponent.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b20, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const RDxComponent*) {
    static RSeMetaType* mt =
        RSeMakeMeta<RDxComponent>(u"RDxComponent", &InitGuid, 0, RSeMetaType::kClass,
                                  RSe::_InitMeta(static_cast<const RDxObject*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const RDxComponent* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const RDxComponent*>(nullptr));

RSeMetaType* RDxComponent::GetMeta() const {
    return RSe::_GetMeta(this);
}

void RDxComponent::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_component);
    int32_t kind = 0;
    s.Read(kind);
    m_kind = kind == kAssembly ? kAssembly : kPart;
    s.Read(m_name);
    s.Read(m_path);
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 10);
    m_props.clear();
    for (uint32_t i = 0; i < n; ++i) {
        std::u16string k, v;
        s.Read(k);
        s.Read(v);
        m_props[std::move(k)] = std::move(v);
    }
}

// Properties in key order, so the bytes follow the content alone.
void RDxComponent::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_component);
    s.Write(int32_t(m_kind));
    s.Write(m_name);
    s.Write(m_path);
    s.Write(uint32_t(m_props.size()));
    for (const auto& [k, v] : m_props) {
        s.Write(k);
        s.Write(v);
    }
}

UTxResult RDxComponent::Clone(RDxComponent* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_component = m_component;
    target->m_kind = m_kind;
    target->m_name = m_name;
    target->m_path = m_path;
    target->m_props = m_props;
    return {};
}
