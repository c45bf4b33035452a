#include "du/DUxWhoAmIState.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0d20, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxWhoAmIState*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxWhoAmIState>(u"DUxWhoAmIState", &InitGuid, 0, RSeMetaType::kClass,
                                    RSe::_InitMeta(static_cast<const RDxState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxWhoAmIState* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxWhoAmIState*>(nullptr));

RSeMetaType* DUxWhoAmIState::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxWhoAmIState::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_owner);
}

void DUxWhoAmIState::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_owner);
}

void DUxWhoAmIState::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_owner.FixAddress(ctx);
}

UTxResult DUxWhoAmIState::Clone(DUxWhoAmIState* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    cc->CloneRef(m_owner, target->m_owner);
    return {};
}
