// Storage of the older datum identifier, after the older symbol part:
//   version 2: the data record (reference), a short stored as a long, the direction vector;
//   version 1: the same; such symbols are queued for the datum identifier upgrade;
//   version 0: refused, the load of the document ends.
#include "BofM/DLxPersistUtil.h"
#include "DatumId/DLxCId.h"
#include "DatumId/DLxDatumIdSymbol.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
// {23d2c373-9d91-11d1-8757-00805fc288f3}
void DatumIdSymbolGuid(UTxGUID& g) {
    g = UTxGUID(0x23D2C373, 0x9D9111D1, 0x87570080, 0x5FC288F3);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxDatumIdSymbol*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxDatumIdSymbol>(
        u"DLxDatumIdSymbol", &DatumIdSymbolGuid, 2, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxSymbol*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxDatumIdSymbol* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxDatumIdSymbol::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxDatumIdSymbol::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_record);
    }
    s.Read(m_short);
    RSeLoadData(s, m_direction);
}

void DLxDatumIdSymbol::LoadMigrate(RSeStream& s) {
    if (DLxPersistUtil::StoredVersion(s) == 0) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    Load(s);
}

void DLxDatumIdSymbol::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_record);
    s << m_short;
    RSeSaveData(s, m_direction);
}

void DLxDatumIdSymbol::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_record.FixAddress(ctx);
}

UTxResult DLxDatumIdSymbol::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    QueueForUpgrade(1);
    return {};
}

UTxResult DLxDatumIdSymbol::Clone(DLxDatumIdSymbol* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    DLxPersistUtil::CloneOwned(cc, m_record, t->m_record);
    t->m_short = m_short;
    t->m_direction = m_direction;
    return {};
}
