#include "dc/RDxObject.h"

#include "rse/RSeMeta.h"

namespace {
void InitObjectGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0a10, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const RDxObject*) {
    static RSeMetaType* mt =
        RSeMakeMeta<RDxObject>(u"RDxObject", &InitObjectGuid, 0, RSeMetaType::kAbstractClass,
                               RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const RDxObject* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_objectMeta = RSe::_InitMeta(static_cast<const RDxObject*>(nullptr));

RSeMetaType* RDxObject::GetMeta() const {
    return RSe::_GetMeta(this);
}

void RDxObject::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_flags);
    s.Read(m_sick);
}

void RDxObject::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_flags);
    s.Write(m_sick);
}

UTxResult RDxObject::Clone(RDxObject* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_flags = m_flags;
    target->m_sick = m_sick;
    return {};
}
