#include "Request/DLxTableStylePartsListRequestData.h"

#include <algorithm>

#include "BofM/DLxTableStatePartlist.h"
#include "Request/DLxRequestUtil.h"
#include "Request/DLxStyleRequestTDX.h"
#include "du/DUxTableRowFilter.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "fb/FBxObjectEditRecord.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxTranscriptMgr.h"
#include "rse/RSe.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeTransaction.h"

namespace {
constexpr size_t kMergeKeys = 3;

RSeSegment* RecordSegment() {
    return RSe::TransientSegment(true);
}

// A switch that older lines lack: off unless the line says otherwise.
void ExchangeSwitch(UCxTranscriptDataExchange& tdx, const char16_t* key, bool& value) {
    if (tdx.IsReading()) value = false;
    _TDX_Bool(tdx, key, value, false);
}

// Columns made for reading are parts-list columns whatever the record's style makes.
DUxTableStylePartsListColumn* NewColumn(const UCxTableStyleRequestData& data) {
    if (auto* made = dynamic_cast<DUxTableStylePartsListColumn*>(data.MakeColumn(nullptr)))
        return made;
    return DUxTableStylePartsListColumn::New(RecordSegment());
}

void ExchangeColumns(UCxTranscriptDataExchange& tdx, const UCxTableStyleRequestData& data,
                     DUxTableColumnList& columns, const char16_t* key, bool required) {
    const UTxString16 countKey = DLxRequestUtil::CountKey(key);
    int32_t count = int32_t(columns.size());
    if (!_TDX_Int(tdx, countKey.c_str(), count, required)) return;
    if (tdx.IsReading()) {
        if (count < 0 || size_t(count) > tdx.GetLine().size()) {
            tdx.Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptOutOfRange, countKey,
                                                 u"more columns than the line holds"));
            return;
        }
        for (int32_t i = 0; i < count; ++i)
            columns.emplace_back(NewColumn(data));
    }
    const size_t first = tdx.IsReading() ? columns.size() - size_t(count) : 0;
    for (size_t i = 0; i < size_t(count) && !tdx.HasFailed(); ++i) {
        const UTxString16 elementKey = DLxRequestUtil::ElementKey(key, uint32_t(i));
        RSeRef<DUxTableStylePartsListColumn> column(
            dynamic_cast<DUxTableStylePartsListColumn*>(columns[first + i].get()));
        _TDX_TableStylePartsListColumn(tdx, elementKey.c_str(), column, true);
    }
}
} // namespace

DLxTableStylePartsListRequestData::DLxTableStylePartsListRequestData() {
    static const char16_t* const prefixes[kMergeKeys] = {u"Key1", u"Key2", u"Key3"};
    for (const char16_t* prefix : prefixes) {
        DUxTableStylePartsListColumn* key = DUxTableStylePartsListColumn::New(RecordSegment());
        key->GetPropertyID()->SetPropertyID(prefix);
        m_mergeKeys.emplace_back(key);
    }
}

DLxTableStylePartsListRequestData::DLxTableStylePartsListRequestData(
    const DLxTableStylePartsListRequestData& other)
    : UCxTableStyleRequestData(other), m_recoverDefaultPrefix(other.m_recoverDefaultPrefix),
      m_groupingEnabled(other.m_groupingEnabled), m_showItemNumbers(other.m_showItemNumbers),
      m_displayGroupParticipants(other.m_displayGroupParticipants) {
    for (const RSeRef<DUxTableStylePartsListColumn>& key : other.m_mergeKeys)
        m_mergeKeys.emplace_back(
            dynamic_cast<DUxTableStylePartsListColumn*>(MakeColumn(key.get())));
}

DLxTableStylePartsListRequestData::~DLxTableStylePartsListRequestData() {
    ClearMergeKeys();
}

void DLxTableStylePartsListRequestData::ClearMergeKeys() {
    for (RSeRef<DUxTableStylePartsListColumn>& key : m_mergeKeys)
        if (DUxTableStylePartsListColumn* p = key.get()) RSe::DeleteObject(p);
    m_mergeKeys.clear();
}

void DLxTableStylePartsListRequestData::SetMergeKeys(
    const std::vector<DUxStyleFormatColumnPropertyID>& ids) {
    const size_t count = std::min(ids.size(), kMergeKeys);
    while (m_mergeKeys.size() > count) {
        if (DUxTableStylePartsListColumn* p = m_mergeKeys.back().get()) RSe::DeleteObject(p);
        m_mergeKeys.pop_back();
    }
    while (m_mergeKeys.size() < count)
        m_mergeKeys.emplace_back(DUxTableStylePartsListColumn::New(RecordSegment()));
    for (size_t i = 0; i < count; ++i) {
        DUxTableStylePartsListColumn* key = m_mergeKeys[i].get();
        RSe::PrepareWrite(key);
        *key->GetPropertyID() = ids[i];
    }
}

RSeRef<DUxTableStylePartsListColumn> DLxTableStylePartsListRequestData::GetColumn(int i) const {
    if (i < 0 || size_t(i) >= GetColumns().size()) return {};
    return RSeRef<DUxTableStylePartsListColumn>(
        dynamic_cast<DUxTableStylePartsListColumn*>(GetColumns()[size_t(i)].get()));
}

void DLxTableStylePartsListRequestData::InitFromStyle(
    const RSeRef<DUxTableStylePartsList>& styleRef) {
    ClearMergeKeys();
    const DUxTableStylePartsList* style = styleRef.get();
    UCxTableStyleRequestData::InitFromStyle(RSeRef<DUxTableStyle>(styleRef.get()));
    if (!style) return;
    m_recoverDefaultPrefix = style->GetRecoverDefaultPrefix();
    for (const RSeRef<DUxTableStylePartsListColumn>& key : style->GetGroupKeys())
        if (const DUxTableStylePartsListColumn* k = key.get())
            m_mergeKeys.emplace_back(dynamic_cast<DUxTableStylePartsListColumn*>(MakeColumn(k)));
    m_groupingEnabled = style->GetGrouping();
    m_showItemNumbers = style->GetDisplayGroupedItemNumber();
    m_displayGroupParticipants = style->GetDisplayParticipants();
}

void DLxTableStylePartsListRequestData::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx,
                                                                 const RSeRef<FWxStyle>& style) {
    UCxTableStyleRequestData::DoTranscriptDataExchange(tdx, style);
    _TDX_Bool(tdx, u"RecoverDefaultPrefix", m_recoverDefaultPrefix, true);
    ExchangeSwitch(tdx, u"GroupingEnabled", m_groupingEnabled);
    ExchangeSwitch(tdx, u"ShowItemNumbers", m_showItemNumbers);
    ExchangeSwitch(tdx, u"DisplayGroupParticipants", m_displayGroupParticipants);

    std::vector<DUxStyleFormatColumnPropertyID> ids;
    if (tdx.IsWriting())
        for (const RSeRef<DUxTableStylePartsListColumn>& key : m_mergeKeys)
            ids.push_back(key.get() ? *key->GetPropertyID() : DUxStyleFormatColumnPropertyID());
    _TDX_StyleFormatColumnPropertyIDVect(tdx, u"MergeKeys", ids, true);
    if (tdx.IsReading() && !tdx.HasFailed()) SetMergeKeys(ids);
    ExchangeFilters(tdx);

    ExchangeColumns(tdx, *this, GetColumns(), u"Columns", true);
    if (tdx.HasFailed()) return;
    if (tdx.IsReading() &&
        !tdx.GetTranscriptMgr().ArgumentExists(tdx.GetLine(), u"CustomColumns_Count"))
        return;
    if (tdx.IsReading() && !GetTableStyle().HasTarget())
        SetTableStyle(RSeRef<DUxTableStyle>(FindDefaultStyle(tdx.GetDocument()).get()));
    ExchangeColumns(tdx, *this, GetCustomColumns(), u"CustomColumns", true);
}

RSeRef<DUxTableStylePartsList>
DLxTableStylePartsListRequestData::FindDefaultStyle(FWxSceneDoc* doc) {
    if (!doc) return {};
    const RSeMetaType* kind = RSe::_GetMeta(static_cast<const DUxTableStylePartsList*>(nullptr));
    UTxString16 standard = doc->GetStandardName();
    if (standard.empty()) standard = u"ISO";
    if (auto* named = dynamic_cast<DUxTableStylePartsList*>(doc->FindStyle(kind, standard)))
        return RSeRef<DUxTableStylePartsList>(named);
    for (FWxStyle* s : doc->GetStyles())
        if (auto* style = dynamic_cast<DUxTableStylePartsList*>(s))
            return RSeRef<DUxTableStylePartsList>(style);
    return {};
}

void DLxTableStylePartsListRequestData::ExchangeFilters(UCxTranscriptDataExchange& tdx) {
    // Only a record that holds filters changes the style's; a line without them leaves them.
    std::vector<FBxObjectEditRecord> records;
    if (tdx.IsWriting()) {
        const DUxTableRowFilterList* filters = GetRowFilterList();
        if (!filters) return;
        filters->CreateFiltersRecords(records);
    }
    if (!_TDX_FBxObjectEditRecordList(tdx, u"RowFilters", records, false) || tdx.IsWriting())
        return;
    DUxTableRowFilterList* read = DUxTableRowFilterList::New(RecordSegment());
    int32_t position = 0;
    const DUxTableRowFilterFactory factory = [](DUxTableRowFilter::FilterType type,
                                                RSeSegment* segment,
                                                const FBxObjectEditRecord* record) {
        return DLxTableStatePartlist::NewFilter(type, segment,
                                                const_cast<FBxObjectEditRecord*>(record));
    };
    if (read->InitFromObjectEditRecordList(records, position, factory))
        SetRowFilterList(read);
    else
        tdx.Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptWrongType, u"RowFilters",
                                             u"not the records of row filters"));
    RSe::DeleteObject(read);
}

void DLxTableStylePartsListRequestData::SetStyleValues(DUxTableStylePartsList& style) const {
    UCxTableStyleRequestData::SetStyleValues(style);
    if (style.GetRecoverDefaultPrefix() != m_recoverDefaultPrefix) {
        style.SetRecoverDefaultPrefix(m_recoverDefaultPrefix);
        style.MarkEdited(1);
    }
    style.SetGroupKeys(m_mergeKeys);
    if (style.GetGrouping() != m_groupingEnabled) {
        style.SetGrouping(m_groupingEnabled);
        style.MarkEdited(1);
    }
    if (style.GetDisplayGroupedItemNumber() != m_showItemNumbers) {
        style.SetDisplayGroupedItemNumber(m_showItemNumbers);
        style.MarkEdited(1);
    }
    if (style.GetDisplayParticipants() != m_displayGroupParticipants) {
        style.SetDisplayParticipants(m_displayGroupParticipants);
        style.MarkEdited(1);
    }
}
