// Storage of the legacy feature control frame, after the legacy symbol part:
//   version 2: the frame record (reference), a vector of longs, a long;
//   version 1: the same;
//   version 0: without the last long, which loads as 0.
// Frames of versions 0 and 1 are queued for the frame upgrade.
#include "BofM/DLxPersistUtil.h"
#include "Symbol/DLxCFCF.h"
#include "Symbol/DLxGDTSymbol.h"
#include "rse/RSeMeta.h"

namespace {
// {01c31361-91c3-11d1-baa9-00a076a03a3c}
void GDTSymbolGuid(UTxGUID& g) {
    g = UTxGUID(0x01c31361, 0x91c311d1, 0xbaa900a0, 0x76a03a3c);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxGDTSymbol*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxGDTSymbol>(u"DLxGDTSymbol", &GDTSymbolGuid, 2, RSeMetaType::kClass,
                                  RSe::_InitMeta(static_cast<const DLxSymbol*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxGDTSymbol* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxGDTSymbol::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxGDTSymbol::ReadFields(RSeStream& s, bool withInteger) {
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_frame);
    }
    DLxPersistUtil::ReadVector(s, m_integers);
    m_integer = 0;
    if (withInteger) s.Read(m_integer);
}

void DLxGDTSymbol::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    ReadFields(s, true);
}

void DLxGDTSymbol::LoadMigrate(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    if (version > 1) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    ReadFields(s, version == 1);
}

void DLxGDTSymbol::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_frame);
    DLxPersistUtil::WriteVector(s, m_integers);
    s << m_integer;
}

void DLxGDTSymbol::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_frame.FixAddress(ctx);
}

UTxResult DLxGDTSymbol::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    QueueForUpgrade();
    return {};
}

UTxResult DLxGDTSymbol::Clone(DLxGDTSymbol* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    DLxPersistUtil::CloneOwned(cc, m_frame, t->m_frame);
    t->m_integers = m_integers;
    t->m_integer = m_integer;
    return {};
}
