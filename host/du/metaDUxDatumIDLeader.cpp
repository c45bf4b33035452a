#include "du/DUxDatumIDLeader.h"
#include "rse/RSeMeta.h"

namespace {
void LeaderGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0d21, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxDatumIDLeader*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxDatumIDLeader>(
        u"DUxDatumIDLeader", &LeaderGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DUxLeaderNodeTree*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxDatumIDLeader* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxDatumIDLeader*>(nullptr));

RSeMetaType* DUxDatumIDLeader::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxDatumIDLeader::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_feature);
}

void DUxDatumIDLeader::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_feature);
}

UTxResult DUxDatumIDLeader::Clone(DUxDatumIDLeader* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_feature = m_feature;
    return {};
}
