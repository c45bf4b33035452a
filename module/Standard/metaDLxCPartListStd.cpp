#include "BofM/DLxPartListColumnHeaders.h"
#include "BofM/DLxPersistUtil.h"
#include "Standard/DLxCColumnDef.h"
#include "Standard/DLxCPartListStd.h"
#include "du/DUxTableStyleColumn.h"
#include "rse/RSeSegmentMigrator.h"
#include "rse/RSeTransaction.h"

DLX_STD_META_DEF(DLxCPartListStd, DUxCategoryDefault, 0x20, 5, 0x9fdbc589, 0x991c11d2, 0xb2e50060,
                 0xb0fbe8cf)
DLX_STD_META_DEF(DLxCPartListStdANSI, DLxCPartListStd, 0x21, 0, 0x9fdbc588, 0x991c11d2, 0xb2e50060,
                 0xb0fbe8cf)
DLX_STD_META_DEF(DLxCPartListStdBSI, DLxCPartListStdISO, 0x22, 0, 0xa7e957e1, 0x13fe11d3,
                 0xbf330010, 0x4bb54a0b)
DLX_STD_META_DEF(DLxCPartListStdDIN, DLxCPartListStd, 0x23, 0, 0x9fdbc587, 0x991c11d2, 0xb2e50060,
                 0xb0fbe8cf)
DLX_STD_META_DEF(DLxCPartListStdGB, DLxCPartListStdISO, 0x24, 0, 0x95a72330, 0x06dc11d3, 0xbf270010,
                 0x4bb54a0b)
DLX_STD_META_DEF(DLxCPartListStdISO, DLxCPartListStd, 0x25, 0, 0x9fdbc586, 0x991c11d2, 0xb2e50060,
                 0xb0fbe8cf)
DLX_STD_META_DEF(DLxCPartListStdJIS, DLxCPartListStd, 0x26, 0, 0x9fdbc585, 0x991c11d2, 0xb2e50060,
                 0xb0fbe8cf)

// Record (version 5): layout codes A, B, C, gaps A and B, use title, title, the further integer,
// column definitions, column headers, row keys, nested delimiter, nested inheritance, row key
// mode. Versions 2 to 4 keep integer row keys in place of the key objects (2 stops after them,
// 3 lacks the mode); versions 0 and 1 stop after the column definitions with a reference to
// older column headers. The former form held no field of its own.
void DLxCPartListStd::LoadFront(RSeStream& s) {
    s.Read(m_layoutA);
    s.Read(m_layoutB);
    s.Read(m_layoutC);
    s.Read(m_gapA);
    s.Read(m_gapB);
    s.Read(m_useTitle);
    s.Read(m_title);
    s.Read(m_further);
    DLxPersistUtil::ReadVector(s, m_columnDefs);
}

void DLxCPartListStd::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    LoadFront(s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_columnHeaders);
    DLxPersistUtil::ReadVector(s, m_rowKeys);
    s.Read(m_nestedDelimiter);
    s.Read(m_nestedInheritance);
    s.Read(m_rowKeyMode);
}

void DLxCPartListStd::LoadMigrate(RSeStream& s) {
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    DLxPersistUtil::LoadBase(this, s);
    if (version > 4) return;
    LoadFront(s);
    m_nestedDelimiter = u".";
    m_nestedInheritance = true;
    m_rowKeyMode = 0;
    if (version <= 1) {
        {
            RSeIRefAllocDisable guard(s.GetSegment());
            s.Read(m_oldColumnHeaders);
        }
        QueueRowKeys({kDefaultRowKeyPID, kDefaultRowKeyPID, kDefaultRowKeyPID});
        return;
    }
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_columnHeaders);
    }
    std::vector<int32_t> keys;
    DLxPersistUtil::ReadVector(s, keys);
    QueueRowKeys(keys);
    if (version == 2) return;
    s.Read(m_nestedDelimiter);
    s.Read(m_nestedInheritance);
    if (version == 4) s.Read(m_rowKeyMode);
}

void DLxCPartListStd::QueueRowKeys(const std::vector<int32_t>& keys) {
    auto* ctx = dynamic_cast<DLxCPartListStdRowKeyMigrationContext*>(RSe::SegmentMigrationContext(
        GetSegment(), RSe::_GetMeta(static_cast<const DLxCPartListStd*>(nullptr)), 4, true));
    if (ctx) ctx->m_entries.emplace_back(RSeRef<DLxCPartListStd>(this), keys);
}

void DLxCPartListStd::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_layoutA << m_layoutB << m_layoutC << m_gapA << m_gapB << m_useTitle << m_title
      << m_further;
    DLxPersistUtil::WriteVector(s, m_columnDefs);
    s.Write(m_columnHeaders);
    DLxPersistUtil::WriteVector(s, m_rowKeys);
    s << m_nestedDelimiter << m_nestedInheritance << m_rowKeyMode;
}

void DLxCPartListStd::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    for (auto& c : m_columnDefs)
        c.FixAddress(ctx);
    m_columnHeaders.FixAddress(ctx);
    for (auto& k : m_rowKeys)
        k.FixAddress(ctx);
}

void DLxCPartListStd::FixPtrsMigrate(RSeMetaContext& ctx) {
    const uint16_t version = DLxPersistUtil::StoredVersion(ctx);
    DLxPersistUtil::FixPtrsBase(this, ctx);
    if (version > 4) return;
    for (auto& c : m_columnDefs)
        c.FixAddress(ctx);
    if (version <= 1)
        m_oldColumnHeaders.FixAddress(ctx);
    else
        m_columnHeaders.FixAddress(ctx);
}

// The oldest records named column headers of either generation: the current kind is taken
// over; an older one is converted into new headers, and none at all gets the default columns.
// Those two are queued for DLxUpdatePLStdInitializer, which deletes the older headers once
// nothing loading can still reach them.
UTxResult DLxCPartListStd::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    if (DLxPersistUtil::StoredVersion(ctx) > 1) return {};
    RSeIDed* old = m_oldColumnHeaders.GetTarget();
    if (auto* headers = dynamic_cast<DLxPartListColumnHeaders*>(old)) {
        m_columnHeaders = RSeRef<DLxPartListColumnHeaders>(headers);
        m_oldColumnHeaders = RSeRef<RSeIDed>();
        return {};
    }
    DLxPartListColumnHeaders* headers = nullptr;
    if (auto* older = dynamic_cast<DLxColumnHeaders*>(old)) {
        headers = DLxPartListColumnHeaders::New(GetSegment(), false);
        older->ConvertToPartListColumns(*headers);
    } else {
        headers = DLxPartListColumnHeaders::New(GetSegment(), true);
    }
    m_columnHeaders = RSeRef<DLxPartListColumnHeaders>(headers);
    if (RSeSegmentMigrationContextRSeRef* queue = RSe::SegmentMigrationContextRSeRef(
            GetSegment(), RSe::_GetMeta(static_cast<const DLxCPartListStd*>(nullptr)), 1))
        queue->Add(RSeRef<RSeIDed>(this));
    return {};
}

UTxResult DLxCPartListStd::Clone(DLxCPartListStd* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_layoutA = m_layoutA;
    t->m_layoutB = m_layoutB;
    t->m_layoutC = m_layoutC;
    t->m_gapA = m_gapA;
    t->m_gapB = m_gapB;
    t->m_useTitle = m_useTitle;
    t->m_title = m_title;
    t->m_further = m_further;
    t->m_columnDefs.resize(m_columnDefs.size());
    for (size_t i = 0; i < m_columnDefs.size(); ++i)
        cc->CloneRef(m_columnDefs[i], t->m_columnDefs[i]);
    cc->CloneRef(m_columnHeaders, t->m_columnHeaders);
    t->m_rowKeys.resize(m_rowKeys.size());
    for (size_t i = 0; i < m_rowKeys.size(); ++i)
        cc->CloneRef(m_rowKeys[i], t->m_rowKeys[i]);
    t->m_nestedDelimiter = m_nestedDelimiter;
    t->m_nestedInheritance = m_nestedInheritance;
    t->m_rowKeyMode = m_rowKeyMode;
    t->m_oldColumnHeaders = RSeRef<RSeIDed>();
    return {};
}

DLxCPartListStdRowKeyMigrator::DLxCPartListStdRowKeyMigrator()
    : RSeSegmentMigrator("DLxCPartListStdRowKeyMigrator") {
    Handles(u"DLxCPartListStd", 4);
}

DLxCPartListStdRowKeyMigrator::~DLxCPartListStdRowKeyMigrator() = default;

RSeSegmentMigrationContext* DLxCPartListStdRowKeyMigrator::AllocateContext(RSeSegment* segment) {
    return new (segment) DLxCPartListStdRowKeyMigrationContext(segment);
}

std::pair<int32_t, int32_t> DLxCPartListStdRowKeyMigrator::KeyFor(int32_t v) {
    switch (v) {
    case 22388:
    case -1:
    case -2:
        return {1, DLxCPartListStd::kDefaultRowKeyPID};
    case -3:
        return {5, -1};
    case -4:
        return {6, -1};
    case -5:
        return {7, -1};
    default:
        return {1, v};
    }
}

void DLxCPartListStdRowKeyMigrator::Migrate(RSeSegmentMigrationContext* context) {
    auto* ctx = dynamic_cast<DLxCPartListStdRowKeyMigrationContext*>(context);
    if (!ctx) return;
    for (auto& [ref, ints] : ctx->m_entries) {
        DLxCPartListStd* standard = ref.get();
        if (!standard) continue;
        std::vector<RSeRef<DUxRowKey>> keys;
        for (int32_t v : ints) {
            const auto [type, pid] = KeyFor(v);
            keys.emplace_back(DUxRowKey::New(nullptr, type, pid, u""));
        }
        standard->SetRowKeys(keys);
        for (const RSeRef<DUxRowKey>& k : keys)
            if (RSeIDed* t = k.GetTarget()) RSe::DeleteObject(t);
    }
}

DLxUpdatePLStdInitializer::DLxUpdatePLStdInitializer()
    : RSeSegmentMigrator("DLxUpdatePLStdInitializer") {
    Handles(u"DLxCPartListStd", 1);
}

DLxUpdatePLStdInitializer::~DLxUpdatePLStdInitializer() = default;

void DLxUpdatePLStdInitializer::Migrate(RSeSegmentMigrationContext* context) {
    auto* ctx = dynamic_cast<RSeSegmentMigrationContextRSeRef*>(context);
    if (!ctx) return;
    for (uint32_t i = 0; i < ctx->Objects(); ++i) {
        if (ctx->UnmigratedVersion(i) >= 2) continue;
        auto* standard = dynamic_cast<DLxCPartListStd*>(ctx->Object(i).GetTarget());
        if (!standard) continue;
        if (RSeIDed* old = standard->m_oldColumnHeaders.GetTarget()) RSe::DeleteObject(old);
        standard->m_oldColumnHeaders = RSeRef<RSeIDed>();
        if (!standard->m_columnHeaders.HasTarget())
            standard->m_columnHeaders = RSeRef<DLxPartListColumnHeaders>(
                DLxPartListColumnHeaders::New(standard->GetSegment(), true));
    }
}

void DLxUpdatePLStdInitializer::Register() {
    static DLxUpdatePLStdInitializer s_migrator;
}

void DLxCPartListStdRowKeyMigrator::Register() {
    static DLxCPartListStdRowKeyMigrator s_migrator;
}
