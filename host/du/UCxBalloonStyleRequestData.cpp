#include "du/UCxBalloonStyleRequestData.h"

#include <cmath>

#include "du/DUxLeaderStyle.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "du/DUxTextStyle.h"
#include "fw/FWxTranscriptMgr.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {
RSeSegment* RecordSegment() {
    return RSe::TransientSegment(true);
}

UTxString16 ItemKey(uint32_t i) {
    static const char16_t digits[] = u"0123456789abcdef";
    UTxString16 hex;
    do {
        hex.insert(hex.begin(), digits[i % 16]);
        i /= 16;
    } while (i);
    return u"Items_" + hex;
}

bool ValidLength(double v) {
    return std::isfinite(v) && v >= 0.0;
}
} // namespace

UCxBalloonStyleRequestData::UCxBalloonStyleRequestData(const UCxBalloonStyleRequestData& o)
    : m_name(o.m_name), m_textStyle(o.m_textStyle), m_leaderStyle(o.m_leaderStyle),
      m_altLeaderStyle(o.m_altLeaderStyle), m_type(o.m_type), m_offsetSpacing(o.m_offsetSpacing),
      m_scaleToText(o.m_scaleToText), m_size(o.m_size), m_stretchToText(o.m_stretchToText),
      m_comment(o.m_comment), m_items(DUxTableStyle::CopyColumnList(o.m_items, RecordSegment())) {}

UCxBalloonStyleRequestData::~UCxBalloonStyleRequestData() {
    ClearItems();
}

void UCxBalloonStyleRequestData::ClearItems() {
    DUxTableStyle::ClearColumns(m_items);
}

DUxTableStyleColumn* UCxBalloonStyleRequestData::newColumn(const DUxTableStyleColumn* source,
                                                           RSeSegment* segment) const {
    if (!segment) segment = RecordSegment();
    if (source) {
        DUxTableColumnList copy = DUxTableStyle::CopyColumnList(
            {RSeRef<DUxTableStyleColumn>(const_cast<DUxTableStyleColumn*>(source))}, segment);
        return copy.empty() ? nullptr : copy.front().get();
    }
    return DUxTableStylePartsListColumn::New(segment);
}

void UCxBalloonStyleRequestData::SetItems(const std::vector<RSeRef<DUxTableStyleColumn>>& items) {
    // Copies first: the list given may be the record's own.
    std::vector<RSeRef<DUxTableStyleColumn>> copies;
    for (const RSeRef<DUxTableStyleColumn>& item : items)
        if (DUxTableStyleColumn* copy = newColumn(item.Read(), RecordSegment()))
            copies.emplace_back(copy);
    ClearItems();
    m_items = std::move(copies);
}

void UCxBalloonStyleRequestData::InitFromStyle(const RSeRef<DUxBalloonStyle>& ref) {
    const DUxBalloonStyle* style = ref.Read();
    if (!style) return;
    m_name = style->GetStyleName();
    m_textStyle = style->GetTextStyle();
    m_leaderStyle = style->GetLeaderStyle();
    m_altLeaderStyle = style->GetAltLeaderStyle();
    m_type = style->GetDefaultType();
    m_offsetSpacing = style->GetOffsetSpacing();
    m_scaleToText = style->GetScaleToTextHeight();
    m_size = style->GetSize();
    m_stretchToText = style->GetStretchBalloonToText();
    m_comment = style->GetStyleDescription();
    SetItems(style->GetItems());
}

const char16_t* UCxBalloonStyleRequestData::InvalidValue() const {
    if (!DUxBalloonStyle::IsBalloonType(m_type)) return u"BalloonType";
    if (!ValidLength(m_size)) return u"Size";
    if (!ValidLength(m_offsetSpacing)) return u"OffsetSpacing";
    return nullptr;
}

UTxResult UCxBalloonStyleRequestData::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    // Styles are required when written, optional when read: older lines take none.
    const bool styles = tdx.IsWriting();
    _TDX_RSeRef(tdx, u"TextStyle", m_textStyle, styles);
    _TDX_RSeRef(tdx, u"LeaderStyle", m_leaderStyle, styles);
    _TDX_RSeRef(tdx, u"AltLeaderStyle", m_altLeaderStyle, styles);
    int32_t type = m_type;
    if (_TDX_Int(tdx, u"BalloonType", type, true) && tdx.IsReading())
        m_type = DUxBalloonStyle::EBalloonType(type);
    _TDX_Double(tdx, u"OffsetSpacing", m_offsetSpacing, true);
    _TDX_Bool(tdx, u"ScaleToTextHeight", m_scaleToText, true);
    _TDX_Double(tdx, u"Size", m_size, true);
    _TDX_Bool(tdx, u"StretchBalloonToText", m_stretchToText, true);
    _TDX_String(tdx, u"Comment", m_comment, true);
    if (tdx.IsReading() && !tdx.HasFailed()) {
        if (const char16_t* bad = InvalidValue()) {
            tdx.Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptOutOfRange, bad,
                                                 u"no balloon style can take this value"));
            return tdx.GetResult();
        }
    }

    uint32_t count = uint32_t(m_items.size());
    if (!_TDX_Int(tdx, u"Items_Count", count, true)) return tdx.GetResult();
    if (tdx.IsReading()) {
        // A count beyond what the line can hold is a damaged record, not a reason to allocate.
        if (count > tdx.GetLine().size()) {
            tdx.Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptOutOfRange, u"Items_Count",
                                                 u"more items than the line holds"));
            return tdx.GetResult();
        }
        ClearItems();
        for (uint32_t i = 0; i < count; ++i)
            m_items.emplace_back(newColumn(nullptr, RecordSegment()));
    }
    for (uint32_t i = 0; i < count && !tdx.HasFailed(); ++i)
        transcriptColumn(tdx, ItemKey(i).c_str(), m_items[i].get(), true);
    return tdx.GetResult();
}
