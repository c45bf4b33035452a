#include "rd/RDxBool.h"

#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0a04, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const RDxBool*) {
    static RSeMetaType* mt =
        RSeMakeMeta<RDxBool>(u"RDxBool", &InitGuid, 0, RSeMetaType::kClass,
                             RSe::_InitMeta(static_cast<const RDxState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const RDxBool* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const RDxBool*>(nullptr));

RSeMetaType* RDxBool::GetMeta() const {
    return RSe::_GetMeta(this);
}

void RDxBool::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_value);
}

void RDxBool::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_value);
}

UTxResult RDxBool::Clone(RDxBool* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_value = m_value;
    return {};
}
