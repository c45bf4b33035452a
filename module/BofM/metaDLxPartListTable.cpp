// Stored form of a placed parts list (version 11): after the annotation's base fields, the
// design-view reference as an embedded UFRxRef record.
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxPartListTableLegacyRecord.h"
#include "BofM/DLxPersistUtil.h"
#include "dc/RDxFragment.h"
#include "fw/FWxDocUtil.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"
#include "rse/RSeSegment.h"
#include "rse/RSeSegmentMigrator.h"

namespace {
// {96e536f1-0d3c-11d2-ba80-080009db8810}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x96e536f1, 0x0d3c11d2, 0xba800800, 0x09db8810);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListTable*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxPartListTable>(u"DLxPartListTable", &InitGuid, 11, RSeMetaType::kClass,
                                      RSe::_InitMeta(static_cast<const DLxEmblem*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxPartListTable* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxPartListTable::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxPartListTable::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    if (DLxPersistUtil::StoredVersion(s) != 11) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    m_dvRef.Load(s);
    m_dvRef.SetOwnerNode(this);
}

void DLxPartListTable::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    m_dvRef.Save(s);
}

void DLxPartListTable::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_dvRef.FixPtrs(ctx);
}

namespace {
RSeMetaType* TableMeta() {
    return RSe::_GetMeta(static_cast<const DLxPartListTable*>(nullptr));
}

void AddTo(RSeSegmentMigrationContextRSeRef* ctx, DLxPartListTable* table) {
    if (ctx) ctx->Add(RSeRef<RSeIDed>(table));
}

// Queues the table for a named document migrator, when this build has it.
void QueueFor(const char* migrator, DLxPartListTable* table) {
    if (RSeSegmentMigrator* m = RSeSegmentMigrator::Get(migrator))
        AddTo(RSe::SegmentMigrationContextRSeRef(table->GetSegment(), m), table);
}
} // namespace

// Stored versions: 0 A, B, X, P0, V1-V3, C; 1 as 0 and Y; 2 A, B, P0, V1-V3, C, Y; 3 to 5
// A, B, P0, V1-V3, C, F, D, P1, P2; 6 to 9 nothing; 10 the design-view reference. Y, the
// oldest form's state, has nothing left to upgrade it and is dropped.
void DLxPartListTable::LoadMigrate(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    const uint16_t v = DLxPersistUtil::StoredVersion(s);
    if (v > 10) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    RSeSegment* segment = GetSegment();
    if (v <= 5) {
        auto* record = new DLxPartListTableLegacyRecord(this);
        RSeRefBase oldState;
        s.Read(record->a);
        s.Read(record->b);
        if (v <= 1) s.Read(record->observer);
        RSeLoadData(s, record->p0);
        RSeLoadData(s, record->v1);
        RSeLoadData(s, record->v2);
        RSeLoadData(s, record->v3);
        s.Read(record->c);
        if (v == 1 || v == 2) s.Read(oldState);
        if (v >= 3) {
            s.Read(record->f);
            s.Read(record->d);
            RSeLoadData(s, record->p1);
            RSeLoadData(s, record->p2);
        }
        AddTo(RSe::SegmentMigrationContextRSeRef(segment, TableMeta(), 5, true), this);
        if (v < 5) SetBirthday(-1);
    }
    if (v <= 6) AddTo(RSe::SegmentMigrationContextRSeRef(segment, TableMeta(), 6, true), this);
    if (v == 10) m_dvRef.Load(s);
    m_dvRef.SetOwnerNode(this);
}

void DLxPartListTable::FixPtrsMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    const uint16_t v = DLxPersistUtil::StoredVersion(ctx);
    if (v == 10) m_dvRef.FixPtrs(ctx);
    if (v > 5) return;
    auto* record = RSeMigrationPacket::GetManager().Find<DLxPartListTableLegacyRecord>(this);
    if (!record) return;
    for (RSeRefBase* ref : {&record->a, &record->b, &record->c, &record->d, &record->observer})
        ref->FixAddress(ctx);
    // The former data-source observer goes with the table to the migrator that deletes it,
    // once it names its object.
    if (v <= 1)
        if (auto* refs = dynamic_cast<RSeSegmentMigrationContextRSeRef*>(
                RSe::SegmentMigrationContext(GetSegment(), TableMeta(), 1))) {
            AddTo(refs, this);
            refs->Add(RSeRef<RSeIDed>(record->observer));
        }
}

UTxResult DLxPartListTable::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    return {};
}

UTxResult DLxPartListTable::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    const uint16_t v = DLxPersistUtil::StoredVersion(ctx);
    if (v < 5) AddTo(RSe::SegmentMigrationContextRSeRef(GetSegment(), TableMeta(), 4, true), this);
    if (v <= 5) MarkEdited(true);
    if (v == 6 || v == 7) QueueFor("DLxCleanupOrphanedPartlistStylesMigrator", this);
    if (v < 9) QueueFor("DLxPartListTableWithBottomHeadingMigrator", this);
    if (v < 11) QueueFor("DLxUnregisteredLBOMAnnosMigrator", this);
    return {};
}

UTxResult DLxPartListTable::Clone(DLxPartListTable* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    const RSeSegment* segment = target->GetSegment();
    if (!segment || !segment->IsTransient()) m_dvRef.CloneTo(target->m_dvRef, cc);
    target->m_dvRef.SetOwnerNode(target);
    return {};
}

UTxResult DLxPartListTable::PostClone(DLxPartListTable* source, RSeCloneCommander* cc) {
    DLxPersistUtil::PostCloneBase(this, source, cc);
    const RSeSegment* segment = GetSegment();
    if (!segment || segment->IsTransient()) return {};
    RSeIDed* sheet = nullptr;
    if (FWxDocUtil::DocumentOf(this) == FWxDocUtil::DocumentOf(source))
        sheet = GetFragment().get();
    else if (RDxFragment* from = source->GetFragment().get())
        sheet = dynamic_cast<RSeIDed*>(cc->CloneOf(from));
    RegisterAnnotation(sheet);
    return {};
}
