#include "BofM/DLxPartListComponentPropertiesTable.h"
#include "BofM/DLxPersistUtil.h"
#include "Standard/DLxCPartList.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"
#include "rse/RSeSegmentMigrator.h"

namespace {
void PartListGuid(UTxGUID& g) {
    g = UTxGUID(0x96e536f5, 0x0d3c11d2, 0xba800800, 0x09db8810);
}

// Anything but versions 0 to 2 is refused: the older parts list cannot guess another layout.
void CheckVersion(uint16_t version, int32_t line) {
    if (version > 2) DLxPersistUtil::RefuseVersion("metaCPartList", line);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxCPartList*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxCPartList>(u"DLxCPartList", &PartListGuid, 2, RSeMetaType::kClass,
                                  RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxCPartList* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxCPartList::GetMeta() const {
    return RSe::_GetMeta(this);
}

// Record (version 2): origin, direction, text fit mode, properties table, section breaks.
// Versions 0 and 1 interleave an older record (three longs and a string after the origin, a long
// after the direction); version 0 has no section breaks.
void DLxCPartList::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeLoadData(s, m_origin);
    s.Read(m_direction);
    s.Read(m_textFitMode);
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_propertiesTable);
    }
    DLxPersistUtil::ReadVector(s, m_sectionBreaks);
}

void DLxCPartList::LoadMigrate(RSeStream& s) {
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    CheckVersion(version, __LINE__);
    DLxPersistUtil::LoadBase(this, s);
    auto* old = new DLxCPartListOldRecord(this);
    RSeLoadData(s, m_origin);
    s.Read(old->m_first);
    s.Read(old->m_second);
    s.Read(old->m_third);
    s.Read(old->m_text);
    s.Read(m_direction);
    s.Read(old->m_last);
    s.Read(m_textFitMode);
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_propertiesTable);
    }
    if (version == 1)
        DLxPersistUtil::ReadVector(s, m_sectionBreaks);
    else
        m_sectionBreaks.clear();
    if (RSeSegmentMigrationContextRSeRef* ctx = RSe::SegmentMigrationContextRSeRef(
            GetSegment(), RSe::_GetMeta(static_cast<const DLxCPartList*>(nullptr)), 1, true))
        ctx->Add(RSeRef<RSeIDed>(this));
}

void DLxCPartList::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    RSeSaveData(s, m_origin);
    s << m_direction << m_textFitMode;
    s.Write(m_propertiesTable);
    DLxPersistUtil::WriteVector(s, m_sectionBreaks);
}

void DLxCPartList::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_propertiesTable.FixAddress(ctx);
}

void DLxCPartList::FixPtrsMigrate(RSeMetaContext& ctx) {
    CheckVersion(DLxPersistUtil::StoredVersion(ctx), __LINE__);
    FixPtrs(ctx);
}

UTxResult DLxCPartList::PostRestoreMigrate(RSeMetaContext& ctx) {
    CheckVersion(DLxPersistUtil::StoredVersion(ctx), __LINE__);
    DLxPersistUtil::PostRestoreBase(this, ctx);
    return {};
}

UTxResult DLxCPartList::Clone(DLxCPartList* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_origin = m_origin;
    t->m_direction = m_direction;
    t->m_textFitMode = m_textFitMode;
    cc->CloneRef(m_propertiesTable, t->m_propertiesTable);
    t->m_sectionBreaks = m_sectionBreaks;
    return {};
}
