#include "dc/RDxInstance.h"

#include "rse/RSeMeta.h"

namespace {
void InitInstanceGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0a16, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const RDxInstance*) {
    static RSeMetaType* mt = RSeMakeMeta<RDxInstance>(
        u"RDxInstance", &InitInstanceGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RDxDirectedConstraint*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const RDxInstance* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_instanceMeta = RSe::_InitMeta(static_cast<const RDxInstance*>(nullptr));

RSeMetaType* RDxInstance::GetMeta() const {
    return RSe::_GetMeta(this);
}

void RDxInstance::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_templateGuid);
    s.Read(m_templateVersion);
}

void RDxInstance::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_templateGuid);
    s.Write(m_templateVersion);
}

UTxResult RDxInstance::Clone(RDxInstance* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_templateGuid = m_templateGuid;
    target->m_templateVersion = m_templateVersion;
    return {};
}
