// Storage of the legacy frame record (version 0): the base part, a reference, a point, the 13
// value references (value 0, then the pairs of variables 20, 22, 24, 14, 16, 18), a flag.
#include "BofM/DLxPersistUtil.h"
#include "Symbol/DLxCFCF.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
// {75afb411-bea6-11d1-8775-00805fc288f3}
void FrameRecordGuid(UTxGUID& g) {
    g = UTxGUID(0x75afb411, 0xbea611d1, 0x87750080, 0x5fc288f3);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxCFCF*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxCFCF>(u"DLxCFCF", &FrameRecordGuid, 0, RSeMetaType::kClass,
                             RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxCFCF* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxCFCF::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxCFCF::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_reference);
    RSeLoadData(s, m_point);
    for (RSeRef<DUxValue>& value : m_values)
        s.Read(value);
    s.Read(m_flag);
}

void DLxCFCF::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_reference);
    RSeSaveData(s, m_point);
    for (const RSeRef<DUxValue>& value : m_values)
        s.Write(value);
    s << m_flag;
}

void DLxCFCF::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_reference.FixAddress(ctx);
    for (RSeRef<DUxValue>& value : m_values)
        value.FixAddress(ctx);
}

UTxResult DLxCFCF::Clone(DLxCFCF* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    cc->CloneRef(m_reference, t->m_reference);
    t->m_point = m_point;
    for (int32_t i = 0; i < kValueCount; ++i)
        DLxPersistUtil::CloneOwned(cc, m_values[i], t->m_values[i]);
    t->m_flag = m_flag;
    return {};
}
