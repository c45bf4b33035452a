#pragma once
// The record of a table style's values that the table-style requests carry
// (UCxStandardSubStyleRequest.h): what a style page edits, written into the style when the
// request runs. The record owns copies of the columns, made in the transacted transient
// segment, and an optional copy of the row filters (none: the style's filters stay).
//
// Its transcript keys, in order: "Description" (text), "Title" (text), "UseTitle" (bool),
// "Direction", "Heading", "LineSpacing" (integers), "TitleGap", "HeadingGap", "RowGap" (reals),
// then font id and height of the data, heading and title texts: "TextFont", "TextHeight",
// "HeadingTextFont", "HeadingTextHeight", "TitleTextFont", "TitleTextHeight". The style name
// and the columns are exchanged by the kind's own record, which knows their class.
#include <cstdint>

#include "du/DUxTableStyle.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class UCxTranscriptDataExchange;

class UCxTableStyleRequestData {
public:
    UCxTableStyleRequestData() = default;
    UCxTableStyleRequestData(const UCxTableStyleRequestData& other);
    UCxTableStyleRequestData& operator=(const UCxTableStyleRequestData&) = delete;
    virtual ~UCxTableStyleRequestData();

    const UTxString16& GetStyleName() const { return m_name; }
    void SetStyleName(const UTxString16& name) { m_name = name; }
    const UTxString16& GetDescription() const { return m_description; }
    void SetDescription(const UTxString16& v) { m_description = v; }
    const UTxString16& GetTitle() const { return m_title; }
    void SetTitle(const UTxString16& v) { m_title = v; }
    bool GetUseTitle() const { return m_useTitle; }
    void SetUseTitle(bool v) { m_useTitle = v; }
    DUxTableStyle::eDirection GetDirection() const { return m_direction; }
    void SetDirection(DUxTableStyle::eDirection v) { m_direction = v; }
    DUxTableStyle::eHeading GetHeading() const { return m_heading; }
    void SetHeading(DUxTableStyle::eHeading v) { m_heading = v; }
    int32_t GetLineSpacing() const { return m_lineSpacing; }
    void SetLineSpacing(int32_t v) { m_lineSpacing = v; }
    double GetTitleGap() const { return m_titleGap; }
    void SetTitleGap(double v) { m_titleGap = v; }
    double GetHeadingGap() const { return m_headingGap; }
    void SetHeadingGap(double v) { m_headingGap = v; }
    double GetRowGap() const { return m_rowGap; }
    void SetRowGap(double v) { m_rowGap = v; }
    const DUxTableStyle::TextLook& GetTextStyle() const { return m_text; }
    void SetTextStyle(const DUxTableStyle::TextLook& v) { m_text = v; }
    const DUxTableStyle::TextLook& GetHeadingTextStyle() const { return m_headingText; }
    void SetHeadingTextStyle(const DUxTableStyle::TextLook& v) { m_headingText = v; }
    const DUxTableStyle::TextLook& GetTitleTextStyle() const { return m_titleText; }
    void SetTitleTextStyle(const DUxTableStyle::TextLook& v) { m_titleText = v; }

    // The record's own columns; the record deletes them.
    DUxTableColumnList& GetColumns() { return m_columns; }
    const DUxTableColumnList& GetColumns() const { return m_columns; }
    DUxTableColumnList& GetCustomColumns() { return m_customColumns; }
    const DUxTableColumnList& GetCustomColumns() const { return m_customColumns; }
    // The style whose kind of column the record makes; null until a style is known.
    const RSeRef<DUxTableStyle>& GetTableStyle() const { return m_tableStyle; }
    void SetTableStyle(const RSeRef<DUxTableStyle>& style) { m_tableStyle = style; }
    // A new column in the transient segment: the table style's kind when there is one.
    DUxTableStyleColumn* MakeColumn(const DUxTableStyleColumn* source) const;
    // Null: the style's filters stay as they are. The record keeps a copy of the list given.
    DUxTableRowFilterList* GetRowFilterList() const { return m_filters.get(); }
    void SetRowFilterList(const DUxTableRowFilterList* filters);

    // The style's values, with copies of its columns and filters.
    void InitFromStyle(const RSeRef<DUxTableStyle>& style);
    // The keys above. Reading with a style while the record has none makes it the record's
    // table style.
    void DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx, const RSeRef<FWxStyle>& style);
    // Writes the values above (not the kind's own) into the style: each changed value is set
    // and counted as an edit; then the columns and custom columns, and the filters when the
    // record holds some.
    void SetStyleValues(DUxTableStyle& style) const;

private:
    UTxString16 m_name;
    UTxString16 m_description;
    UTxString16 m_title;
    bool m_useTitle = true;
    DUxTableStyle::eDirection m_direction = DUxTableStyle::eTopDown;
    DUxTableStyle::eHeading m_heading = DUxTableStyle::eHeadingTop;
    int32_t m_lineSpacing = 1;
    double m_titleGap = 1.0;
    double m_headingGap = 1.0;
    double m_rowGap = 1.0;
    DUxTableStyle::TextLook m_text;
    DUxTableStyle::TextLook m_headingText;
    DUxTableStyle::TextLook m_titleText;
    DUxTableColumnList m_columns;
    DUxTableColumnList m_customColumns;
    RSeRef<DUxTableStyle> m_tableStyle;
    RSeRef<DUxTableRowFilterList> m_filters;
};
