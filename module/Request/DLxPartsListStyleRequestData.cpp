#include "Request/DLxPartsListStyleRequestData.h"

#include "Request/DLxRequestUtil.h"
#include "Request/DLxStyleRequestTDX.h"
#include "fw/FWxTranscriptMgr.h"
#include "rse/RSe.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {
constexpr size_t kMergeKeys = 3;

RSeSegment* RecordSegment() {
    return RSe::TransientSegment(true);
}

template <class E>
void ExchangeEnum(UCxTranscriptDataExchange& tdx, const char16_t* key, E& value, E last) {
    int32_t v = int32_t(value);
    if (!_TDX_Int(tdx, key, v, true) || tdx.IsWriting()) return;
    if (v < 0 || v > int32_t(last)) {
        tdx.Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptOutOfRange, key, u"no such value"));
        return;
    }
    value = E(v);
}

void ExchangeSwitch(UCxTranscriptDataExchange& tdx, const char16_t* key, bool& value) {
    if (tdx.IsReading()) value = false;
    _TDX_Bool(tdx, key, value, false);
}
} // namespace

DLxPartsListStyleRequestData::DLxPartsListStyleRequestData(const DLxPartsListStyleRequestData& o)
    : m_name(o.m_name), m_comment(o.m_comment), m_text(o.m_text), m_direction(o.m_direction),
      m_heading(o.m_heading), m_rowGap(o.m_rowGap), m_headingGap(o.m_headingGap),
      m_linesOfText(o.m_linesOfText), m_displayTitle(o.m_displayTitle), m_title(o.m_title),
      m_recoverDefaultPrefix(o.m_recoverDefaultPrefix), m_mergeKeys(o.m_mergeKeys),
      m_columns(DUxPartsListStyle::CopyColumns(o.m_columns, RecordSegment())),
      m_removedColumns(DUxPartsListStyle::CopyColumns(o.m_removedColumns, RecordSegment())),
      m_grouping(o.m_grouping), m_showItemNumbers(o.m_showItemNumbers),
      m_displayParticipants(o.m_displayParticipants) {}

DLxPartsListStyleRequestData::~DLxPartsListStyleRequestData() {
    DUxPartsListStyle::ClearColumns(m_columns);
    DUxPartsListStyle::ClearColumns(m_removedColumns);
}

UTxResult DLxPartsListStyleRequestData::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    _TDX_String(tdx, u"StyleName", m_name, true);
    _TDX_String(tdx, u"StyleComment", m_comment, true);
    _TDX_Int(tdx, u"TextStyle_Font", m_text.fontId, true);
    _TDX_Double(tdx, u"TextStyle_Height", m_text.height, true);
    ExchangeEnum(tdx, u"Direction", m_direction, DUxPartsListStyle::eBottomUp);
    ExchangeEnum(tdx, u"Heading", m_heading, DUxPartsListStyle::eNoHeading);
    _TDX_Double(tdx, u"RowGap", m_rowGap, true);
    _TDX_Double(tdx, u"HeadingGap", m_headingGap, true);
    ExchangeEnum(tdx, u"LinesOfText", m_linesOfText, DUxPartsListStyle::eMultiLine);
    _TDX_Bool(tdx, u"DisplayTitle", m_displayTitle, true);
    _TDX_String(tdx, u"Title", m_title, true);
    _TDX_Bool(tdx, u"RecoverDefaultPrefix", m_recoverDefaultPrefix, true);
    ExchangeSwitch(tdx, u"GroupingEnabled", m_grouping);
    ExchangeSwitch(tdx, u"ShowItemNumbers", m_showItemNumbers);
    ExchangeSwitch(tdx, u"DisplayGroupParticipants", m_displayParticipants);
    _TDX_StyleFormatColumnPropertyIDVect(tdx, u"MergeKeys", m_mergeKeys, true);
    // Exactly three keys: further ones are dropped, missing ones are empty.
    if (tdx.IsReading()) m_mergeKeys.resize(kMergeKeys);

    uint32_t count = uint32_t(m_columns.size());
    if (!_TDX_Int(tdx, u"Columns_Count", count, true)) return tdx.GetResult();
    if (tdx.IsReading()) {
        if (count > tdx.GetLine().size()) {
            tdx.Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptOutOfRange, u"Columns_Count",
                                                 u"more columns than the line holds"));
            return tdx.GetResult();
        }
        for (uint32_t i = 0; i < count; ++i)
            m_columns.emplace_back(DUxPartsListStyleColumnItem::New(RecordSegment()));
    }
    const size_t first = m_columns.size() - count;
    for (uint32_t i = 0; i < count && !tdx.HasFailed(); ++i)
        _TDX_StyleFormatColumnItem(tdx, DLxRequestUtil::ElementKey(u"Columns", i).c_str(),
                                   m_columns[first + i], true);
    return tdx.GetResult();
}

void DLxPartsListStyleRequestData::SetStyleValues(DUxPartsListStyle& style) const {
    const auto plain = [&](auto get, auto set, const auto& value) {
        if ((style.*get)() == value) return;
        (style.*set)(value);
        style.MarkEdited(1);
    };
    plain(&DUxPartsListStyle::GetDirection, &DUxPartsListStyle::SetDirection, m_direction);
    plain(&DUxPartsListStyle::GetHeading, &DUxPartsListStyle::SetHeading, m_heading);
    plain(&DUxPartsListStyle::GetRowGap, &DUxPartsListStyle::SetRowGap, m_rowGap);
    plain(&DUxPartsListStyle::GetHeadingGap, &DUxPartsListStyle::SetHeadingGap, m_headingGap);
    plain(&DUxPartsListStyle::GetLinesOfText, &DUxPartsListStyle::SetLinesOfText, m_linesOfText);
    style.SetTitle(m_title);
    plain(&DUxPartsListStyle::GetDisplayTitle, &DUxPartsListStyle::SetDisplayTitle, m_displayTitle);
    plain(&DUxPartsListStyle::GetRecoverDefaultPrefix, &DUxPartsListStyle::SetRecoverDefaultPrefix,
          m_recoverDefaultPrefix);
    style.SetColumns(m_columns);
    style.SetRemovedColumns(m_removedColumns);
    style.SetTextStyle(m_text);
    const DUxStyleFormatColumnPropertyID none;
    style.SetRowKey1(m_mergeKeys.size() > 0 ? m_mergeKeys[0] : none);
    style.SetRowKey2(m_mergeKeys.size() > 1 ? m_mergeKeys[1] : none);
    style.SetRowKey3(m_mergeKeys.size() > 2 ? m_mergeKeys[2] : none);
    plain(&DUxPartsListStyle::GetGroupingEnabled, &DUxPartsListStyle::SetGroupingEnabled,
          m_grouping);
    plain(&DUxPartsListStyle::GetShowItemNumbers, &DUxPartsListStyle::SetShowItemNumbers,
          m_showItemNumbers);
    plain(&DUxPartsListStyle::GetDisplayGroupParticipants,
          &DUxPartsListStyle::SetDisplayGroupParticipants, m_displayParticipants);
}
