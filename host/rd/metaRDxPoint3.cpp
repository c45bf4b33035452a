#include "rd/RDxPoint3.h"

#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0a03, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const RDxPoint3*) {
    static RSeMetaType* mt =
        RSeMakeMeta<RDxPoint3>(u"RDxPoint3", &InitGuid, 0, RSeMetaType::kClass,
                               RSe::_InitMeta(static_cast<const RDxState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const RDxPoint3* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const RDxPoint3*>(nullptr));

RSeMetaType* RDxPoint3::GetMeta() const {
    return RSe::_GetMeta(this);
}

void RDxPoint3::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    RSeLoadData(s, m_value);
}

void RDxPoint3::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    RSeSaveData(s, m_value);
}

UTxResult RDxPoint3::Clone(RDxPoint3* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_value = m_value;
    return {};
}
