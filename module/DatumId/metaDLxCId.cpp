// Storage of the older identifiers' data record (version 0): the base part, the text value
// (reference), the direction code (long), a second long, the reference point.
#include "BofM/DLxPersistUtil.h"
#include "DatumId/DLxCId.h"
#include "du/DUxValue.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
// {11db12b3-bdf9-11d1-9aa3-0060b087bcec}
void IdRecordGuid(UTxGUID& g) {
    g = UTxGUID(0x11DB12B3, 0xBDF911D1, 0x9AA30060, 0xB087BCEC);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxCId*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxCId>(u"DLxCId", &IdRecordGuid, 0, RSeMetaType::kClass,
                            RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxCId* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxCId::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxCId::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_text);
    }
    s.Read(m_direction);
    s.Read(m_second);
    RSeLoadData(s, m_origin);
}

void DLxCId::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_text);
    s << m_direction << m_second;
    RSeSaveData(s, m_origin);
}

void DLxCId::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_text.FixAddress(ctx);
}

// A copy owns a copy of the text value.
UTxResult DLxCId::Clone(DLxCId* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    DLxPersistUtil::CloneOwned(cc, m_text, t->m_text);
    t->m_direction = m_direction;
    t->m_second = m_second;
    t->m_origin = m_origin;
    return {};
}
