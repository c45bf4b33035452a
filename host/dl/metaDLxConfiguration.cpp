#include "dl/DLxConfiguration.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxTagManager.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b24, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxConfiguration*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxConfiguration>(u"DLxConfiguration", &InitGuid, 0, RSeMetaType::kClass,
                                      RSe::_InitMeta(static_cast<const RDxObject*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxConfiguration* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxConfiguration*>(nullptr));

RSeMetaType* DLxConfiguration::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxConfiguration::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_bom);
    s.Read(m_tagManager);
    s.Read(m_member);
    s.Read(m_status);
}

void DLxConfiguration::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_bom);
    s.Write(m_tagManager);
    s.Write(m_member);
    s.Write(m_status);
}

void DLxConfiguration::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_bom.FixAddress(ctx);
    m_tagManager.FixAddress(ctx);
}

UTxResult DLxConfiguration::Clone(DLxConfiguration* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    cc->CloneRef(m_bom, target->m_bom);
    cc->CloneRef(m_tagManager, target->m_tagManager);
    target->m_member = m_member;
    target->m_status = m_status;
    return {};
}
