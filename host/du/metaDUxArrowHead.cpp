#include "du/DUxArrowHead.h"
#include "rse/RSeMeta.h"

namespace {
void StateGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0d05, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxArrowHeadState*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxArrowHeadState>(u"DUxArrowHeadState", &StateGuid, 0, RSeMetaType::kClass,
                                       RSe::_InitMeta(static_cast<const RDxState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxArrowHeadState* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxArrowHeadState*>(nullptr));

RSeMetaType* DUxArrowHeadState::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxArrowHeadState::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_templateId);
}

void DUxArrowHeadState::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_templateId);
}

UTxResult DUxArrowHeadState::Clone(DUxArrowHeadState* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_templateId = m_templateId;
    return {};
}
