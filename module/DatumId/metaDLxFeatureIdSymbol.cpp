// Storage of the older feature identifier, after the older symbol part: the data record
// (reference) and a short stored as a long, at version 1 and at version 0 alike. Symbols of
// version 0 are queued for the feature identifier upgrade.
#include "BofM/DLxPersistUtil.h"
#include "DatumId/DLxCId.h"
#include "DatumId/DLxFeatureIdSymbol.h"
#include "rse/RSeMeta.h"

namespace {
// {bd1f35f0-a264-11d1-bab7-00a076a03a3c}
void FeatureIdSymbolGuid(UTxGUID& g) {
    g = UTxGUID(0xBD1F35F0, 0xA26411D1, 0xBAB700A0, 0x76A03A3C);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxFeatureIdSymbol*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxFeatureIdSymbol>(
        u"DLxFeatureIdSymbol", &FeatureIdSymbolGuid, 1, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxSymbol*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxFeatureIdSymbol* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxFeatureIdSymbol::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxFeatureIdSymbol::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_record);
    }
    s.Read(m_short);
}

void DLxFeatureIdSymbol::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_record);
    s << m_short;
}

void DLxFeatureIdSymbol::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_record.FixAddress(ctx);
}

UTxResult DLxFeatureIdSymbol::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    QueueForUpgrade(0);
    return {};
}

UTxResult DLxFeatureIdSymbol::Clone(DLxFeatureIdSymbol* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    DLxPersistUtil::CloneOwned(cc, m_record, t->m_record);
    t->m_short = m_short;
    return {};
}
