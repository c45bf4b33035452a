// Storage of the table framework, each version 0 but the state's.
//   DUxTableRowID: number (long).
//   DUxTableRowData_Base: state, row (references); overridden mark (char); value (text).
//   DUxTableRowBase: id, state (references); flags (unsigned long); row gap, kept row gap,
//     user height (doubles); the number of cells (unsigned long), then per cell its column and the
//     cell (references).
//   DUxTableStateBase: the state's part, then the rows and the columns (counted reference
//     lists), the filter list and the style (references), the sort definition (count, then per key
//     the column index (short) and the order (long)), origin (point), flag word (unsigned long),
//     display option (long), title height, column heading height (doubles), wrap mode, wrap
//     direction, wrap count (longs); version 1 adds the layer the table is on (reference), which
//     a version-0 state is on none of.
#include "du/DUxTableStateBase.h"

#include "dc/RDxPersist.h"
#include "du/DUxTableRowFilter.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxStyle.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
void RowIdGuid(UTxGUID& g) {
    g = UTxGUID(0x3b7d2c30, 0x8e5f4a21, 0x9c0d1e2f, 0x30415220);
}
void RowDataGuid(UTxGUID& g) {
    g = UTxGUID(0x3b7d2c31, 0x8e5f4a21, 0x9c0d1e2f, 0x30415221);
}
void RowGuid(UTxGUID& g) {
    g = UTxGUID(0x3b7d2c32, 0x8e5f4a21, 0x9c0d1e2f, 0x30415222);
}
void StateGuid(UTxGUID& g) {
    g = UTxGUID(0x3b7d2c33, 0x8e5f4a21, 0x9c0d1e2f, 0x30415223);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxTableRowID*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxTableRowID>(u"DUxTableRowID", &RowIdGuid, 0, RSeMetaType::kClass,
                                   RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxTableRowID* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DUxTableRowData_Base*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxTableRowData_Base>(
        u"DUxTableRowData_Base", &RowDataGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxTableRowData_Base* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DUxTableRowBase*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxTableRowBase>(u"DUxTableRowBase", &RowGuid, 0, RSeMetaType::kClass,
                                     RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxTableRowBase* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DUxTableStateBase*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxTableStateBase>(u"DUxTableStateBase", &StateGuid, 1, RSeMetaType::kClass,
                                       RSe::_InitMeta(static_cast<const RDxState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxTableStateBase* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_rowIdMeta = RSe::_InitMeta(static_cast<const DUxTableRowID*>(nullptr));
static RSeMetaType* const s_rowDataMeta =
    RSe::_InitMeta(static_cast<const DUxTableRowData_Base*>(nullptr));
static RSeMetaType* const s_rowMeta = RSe::_InitMeta(static_cast<const DUxTableRowBase*>(nullptr));
static RSeMetaType* const s_stateMeta =
    RSe::_InitMeta(static_cast<const DUxTableStateBase*>(nullptr));

RSeMetaType* DUxTableRowID::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DUxTableRowData_Base::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DUxTableRowBase::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DUxTableStateBase::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxTableRowID::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_number);
}
void DUxTableRowID::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_number);
}
UTxResult DUxTableRowID::Clone(DUxTableRowID* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    t->m_number = m_number;
    return {};
}

void DUxTableRowData_Base::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_state);
    s.Read(m_row);
    char mark = 0;
    s.Read(mark);
    m_overridden = uint8_t(mark);
    s.Read(m_value);
}
void DUxTableRowData_Base::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_state.FixAddress(ctx);
    m_row.FixAddress(ctx);
}
void DUxTableRowData_Base::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_state);
    s.Write(m_row);
    s.Write(char(m_overridden));
    s.Write(m_value);
}
UTxResult DUxTableRowData_Base::Clone(DUxTableRowData_Base* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    cc->CloneRef(m_state, t->m_state);
    cc->CloneRef(m_row, t->m_row);
    t->m_overridden = m_overridden;
    t->m_value = m_value;
    return {};
}

void DUxTableRowBase::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_id);
    s.Read(m_state);
    s.Read(m_flags);
    s.Read(m_rowGap);
    s.Read(m_keptGap);
    s.Read(m_height);
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 10); // two references a cell
    m_cells.resize(n);
    for (auto& [column, cell] : m_cells) {
        s.Read(column);
        s.Read(cell);
    }
}
void DUxTableRowBase::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_id.FixAddress(ctx);
    m_state.FixAddress(ctx);
    for (auto& [column, cell] : m_cells) {
        column.FixAddress(ctx);
        cell.FixAddress(ctx);
    }
}
void DUxTableRowBase::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_id);
    s.Write(m_state);
    s.Write(m_flags);
    s.Write(m_rowGap);
    s.Write(m_keptGap);
    s.Write(m_height);
    s.Write(uint32_t(m_cells.size()));
    for (const auto& [column, cell] : m_cells) {
        s.Write(column);
        s.Write(cell);
    }
}
UTxResult DUxTableRowBase::Clone(DUxTableRowBase* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    cc->CloneRef(m_id, t->m_id);
    cc->CloneRef(m_state, t->m_state);
    t->m_flags = m_flags;
    t->m_rowGap = m_rowGap;
    t->m_keptGap = m_keptGap;
    t->m_height = m_height;
    t->m_cells.resize(m_cells.size());
    for (size_t i = 0; i < m_cells.size(); ++i) {
        cc->CloneRef(m_cells[i].first, t->m_cells[i].first);
        cc->CloneRef(m_cells[i].second, t->m_cells[i].second);
    }
    return {};
}

void DUxTableStateBase::Load(RSeStream& s) {
    LoadMigrate(s);
    s.Read(m_layerStyle);
}
void DUxTableStateBase::LoadMigrate(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    RDxPersist::LoadRefs(s, m_rows);
    RDxPersist::LoadRefs(s, m_columns);
    s.Read(m_filters);
    s.Read(m_style);
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 8); // a short and a long a key
    m_sortDef.resize(n);
    for (auto& [column, order] : m_sortDef) {
        int32_t o = 0;
        s.Read(column);
        s.Read(o);
        if (o != eAscending && o != eDescending)
            RSe::ThrowDamaged(u"a table's sort order is neither ascending nor descending");
        order = ESortOrder(o);
    }
    RSeLoadData(s, m_origin);
    s.Read(m_flagWord);
    s.Read(m_displayOption);
    s.Read(m_titleHeight);
    s.Read(m_headingHeight);
    s.Read(m_wrapMode);
    s.Read(m_wrapDirection);
    s.Read(m_wrapCount);
}
void DUxTableStateBase::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    RDxPersist::FixRefs(m_rows, ctx);
    RDxPersist::FixRefs(m_columns, ctx);
    m_filters.FixAddress(ctx);
    m_style.FixAddress(ctx);
    m_layerStyle.FixAddress(ctx);
}
void DUxTableStateBase::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    RDxPersist::SaveRefs(s, m_rows);
    RDxPersist::SaveRefs(s, m_columns);
    s.Write(m_filters);
    s.Write(m_style);
    s.Write(uint32_t(m_sortDef.size()));
    for (const auto& [column, order] : m_sortDef) {
        s.Write(column);
        s.Write(int32_t(order));
    }
    RSeSaveData(s, m_origin);
    s.Write(m_flagWord);
    s.Write(m_displayOption);
    s.Write(m_titleHeight);
    s.Write(m_headingHeight);
    s.Write(m_wrapMode);
    s.Write(m_wrapDirection);
    s.Write(m_wrapCount);
    s.Write(m_layerStyle);
}
UTxResult DUxTableStateBase::Clone(DUxTableStateBase* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    RDxPersist::CloneRefs(m_rows, t->m_rows, cc);
    RDxPersist::CloneRefs(m_columns, t->m_columns, cc);
    cc->CloneRef(m_filters, t->m_filters);
    cc->CloneRef(m_style, t->m_style);
    t->m_sortDef = m_sortDef;
    t->m_origin = m_origin;
    t->m_flagWord = m_flagWord;
    t->m_displayOption = m_displayOption;
    t->m_titleHeight = m_titleHeight;
    t->m_headingHeight = m_headingHeight;
    t->m_wrapMode = m_wrapMode;
    t->m_wrapDirection = m_wrapDirection;
    t->m_wrapCount = m_wrapCount;
    cc->CloneRef(m_layerStyle, t->m_layerStyle);
    return {};
}
