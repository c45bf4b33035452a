#include "du/UCxTableStyleRequestData.h"

#include "du/DUxTableRowFilter.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxTranscriptMgr.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {
RSeSegment* RecordSegment() {
    return RSe::TransientSegment(true);
}

void ExchangeLook(UCxTranscriptDataExchange& tdx, const char16_t* font, const char16_t* height,
                  DUxTableStyle::TextLook& look) {
    _TDX_Int(tdx, font, look.fontId, true);
    _TDX_Double(tdx, height, look.height, true);
}

template <class T, class V>
void SetChanged(DUxTableStyle& style, T (DUxTableStyle::*get)() const,
                void (DUxTableStyle::*set)(V), const T& value) {
    if ((style.*get)() == value) return;
    (style.*set)(value);
    style.MarkEdited(1);
}
} // namespace

UCxTableStyleRequestData::UCxTableStyleRequestData(const UCxTableStyleRequestData& o)
    : m_name(o.m_name), m_description(o.m_description), m_title(o.m_title),
      m_useTitle(o.m_useTitle), m_direction(o.m_direction), m_heading(o.m_heading),
      m_lineSpacing(o.m_lineSpacing), m_titleGap(o.m_titleGap), m_headingGap(o.m_headingGap),
      m_rowGap(o.m_rowGap), m_text(o.m_text), m_headingText(o.m_headingText),
      m_titleText(o.m_titleText),
      m_columns(DUxTableStyle::CopyColumnList(o.m_columns, RecordSegment())),
      m_customColumns(DUxTableStyle::CopyColumnList(o.m_customColumns, RecordSegment())),
      m_tableStyle(o.m_tableStyle) {
    SetRowFilterList(o.m_filters.get());
}

UCxTableStyleRequestData::~UCxTableStyleRequestData() {
    DUxTableStyle::ClearColumns(m_columns);
    DUxTableStyle::ClearColumns(m_customColumns);
    if (DUxTableRowFilterList* f = m_filters.get()) RSe::DeleteObject(f);
}

DUxTableStyleColumn* UCxTableStyleRequestData::MakeColumn(const DUxTableStyleColumn* source) const {
    if (const DUxTableStyle* style = m_tableStyle.get())
        return style->MakeColumn(source, RecordSegment());
    if (source) {
        DUxTableColumnList copy = DUxTableStyle::CopyColumnList(
            {RSeRef<DUxTableStyleColumn>(const_cast<DUxTableStyleColumn*>(source))},
            RecordSegment());
        return copy.empty() ? nullptr : copy.front().get();
    }
    return new (RSe::_GetMeta(static_cast<const DUxTableStyleColumn*>(nullptr)), RecordSegment())
        DUxTableStyleColumn();
}

void UCxTableStyleRequestData::SetRowFilterList(const DUxTableRowFilterList* filters) {
    if (DUxTableRowFilterList* f = m_filters.get()) RSe::DeleteObject(f);
    m_filters = RSeRef<DUxTableRowFilterList>();
    if (!filters) return;
    DUxTableRowFilterList* copy = DUxTableRowFilterList::New(RecordSegment());
    *copy = *filters;
    m_filters = RSeRef<DUxTableRowFilterList>(copy);
}

void UCxTableStyleRequestData::InitFromStyle(const RSeRef<DUxTableStyle>& styleRef) {
    const DUxTableStyle* style = styleRef.get();
    if (!style) return;
    m_tableStyle = styleRef;
    m_name = style->GetStyleName();
    m_description = style->GetStyleDescription();
    m_title = style->GetTitle();
    m_useTitle = style->UseTitle();
    m_direction = style->GetDirection();
    m_heading = style->GetHeading();
    m_lineSpacing = style->GetLineSpacing();
    m_titleGap = style->GetTitleGap();
    m_headingGap = style->GetHeadingGap();
    m_rowGap = style->GetRowGap();
    m_text = style->GetTextStyle();
    m_headingText = style->GetHeadingTextStyle();
    m_titleText = style->GetTitleTextStyle();
    DUxTableStyle::ClearColumns(m_columns);
    DUxTableStyle::ClearColumns(m_customColumns);
    m_columns = DUxTableStyle::CopyColumnList(style->GetColumns(), RecordSegment());
    m_customColumns = DUxTableStyle::CopyColumnList(style->GetCustomColumns(), RecordSegment());
    SetRowFilterList(style->FilterList());
}

void UCxTableStyleRequestData::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx,
                                                        const RSeRef<FWxStyle>& style) {
    if (tdx.IsReading() && !m_tableStyle.HasTarget())
        m_tableStyle = RSeRef<DUxTableStyle>(dynamic_cast<DUxTableStyle*>(style.get()));
    _TDX_String(tdx, u"Description", m_description, true);
    _TDX_String(tdx, u"Title", m_title, true);
    _TDX_Bool(tdx, u"UseTitle", m_useTitle, true);
    int32_t direction = m_direction, heading = m_heading;
    _TDX_Int(tdx, u"Direction", direction, true);
    _TDX_Int(tdx, u"Heading", heading, true);
    if (tdx.IsReading() && !tdx.HasFailed()) {
        // Only the values a style can hold.
        if (direction < DUxTableStyle::eTopDown || direction > DUxTableStyle::eBottomUp ||
            heading < DUxTableStyle::eHeadingTop || heading > DUxTableStyle::eNoHeading) {
            tdx.Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptOutOfRange, u"Direction",
                                                 u"no such direction or heading position"));
            return;
        }
        m_direction = DUxTableStyle::eDirection(direction);
        m_heading = DUxTableStyle::eHeading(heading);
    }
    _TDX_Int(tdx, u"LineSpacing", m_lineSpacing, true);
    _TDX_Double(tdx, u"TitleGap", m_titleGap, true);
    _TDX_Double(tdx, u"HeadingGap", m_headingGap, true);
    _TDX_Double(tdx, u"RowGap", m_rowGap, true);
    ExchangeLook(tdx, u"TextFont", u"TextHeight", m_text);
    ExchangeLook(tdx, u"HeadingTextFont", u"HeadingTextHeight", m_headingText);
    ExchangeLook(tdx, u"TitleTextFont", u"TitleTextHeight", m_titleText);
}

void UCxTableStyleRequestData::SetStyleValues(DUxTableStyle& style) const {
    if (style.GetStyleDescription() != m_description) {
        style.SetStyleDescription(m_description);
        style.MarkEdited(1);
    }
    SetChanged(style, &DUxTableStyle::GetDirection, &DUxTableStyle::SetDirection, m_direction);
    SetChanged(style, &DUxTableStyle::GetHeading, &DUxTableStyle::SetHeading, m_heading);
    SetChanged(style, &DUxTableStyle::GetLineSpacing, &DUxTableStyle::SetLineSpacing,
               m_lineSpacing);
    SetChanged(style, &DUxTableStyle::GetTitleGap, &DUxTableStyle::SetTitleGap, m_titleGap);
    SetChanged(style, &DUxTableStyle::GetHeadingGap, &DUxTableStyle::SetHeadingGap, m_headingGap);
    SetChanged(style, &DUxTableStyle::GetRowGap, &DUxTableStyle::SetRowGap, m_rowGap);
    style.SetTitle(m_title);
    style.SetUseTitle(m_useTitle);
    style.SetColumns(m_columns);
    style.SetCustomColumns(m_customColumns);
    style.SetTextStyle(m_text);
    style.SetHeadingTextStyle(m_headingText);
    style.SetTitleTextStyle(m_titleText);
    if (const DUxTableRowFilterList* filters = m_filters.get())
        *style.EnsureFilterList() = *filters;
}
