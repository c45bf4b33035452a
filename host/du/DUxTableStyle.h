#pragma once
// Table styles: the title, layout and texts of a table and the columns a new table starts with
// (the style's own column objects, copied in and out), with the row filters a new table takes.
// DUxTableStylePartsList adds the parts list's group keys. The wrappers are what table code
// reads through: the explicit style when one is given, else the style of the table state.
//
// Cell texts: values from data are escaped (GetEscapedString) so that their backslashes and
// braces are never read as format codes; a stacked text holds a "\S..;" code; the simple value
// of a text is what it shows with its codes dropped (DUxPlainText).
#include <cstdint>
#include <vector>

#include "du/DUxTableStateBase.h"
#include "fw/FWxStyle.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DUxTableRowFilterList;
class DUxTableStylePartsListColumn;
class DUxTextStyle;

class DUxTableStyle : public FWxStyle {
public:
    // One quarter turn a step.
    enum eTableRotation : int32_t { eRot0 = 0, eRot90 = 1, eRot180 = 2, eRot270 = 3 };
    // 0 rows run down from the heading, 1 up.
    enum eDirection : int32_t { eTopDown = 0, eBottomUp = 1 };
    // Where the column headings stand: 0 at the top, 1 at the bottom, 2 none.
    enum eHeading : int32_t { eHeadingTop = 0, eHeadingBottom = 1, eNoHeading = 2 };

    // The look of one kind of text of the table.
    struct TextLook {
        int32_t fontId = 0;
        double height = 3.5;
        friend bool operator==(const TextLook&, const TextLook&) = default;
    };

    DUxTableStyle() = default;
    explicit DUxTableStyle(const RSeStream* s) : FWxStyle(s) {}
    RSeMetaType* GetMeta() const override;

    // Setters change nothing and record nothing when the value is the same.
    const UTxString16& GetTitle() const { return m_title; }
    void SetTitle(const UTxString16& v) { Set(m_title, v); }
    bool UseTitle() const { return m_useTitle; }
    void SetUseTitle(bool v) { Set(m_useTitle, v); }
    eDirection GetDirection() const { return m_direction; }
    void SetDirection(eDirection v) { Set(m_direction, v); }
    eTableRotation GetRotation() const { return m_rotation; }
    void SetRotation(eTableRotation v) { Set(m_rotation, v); }
    eHeading GetHeading() const { return m_heading; }
    void SetHeading(eHeading v) { Set(m_heading, v); }
    // Lines of a multi-line cell beyond the first, for band heights.
    int32_t GetLineSpacing() const { return m_lineSpacing; }
    void SetLineSpacing(int32_t v) { Set(m_lineSpacing, v); }
    // White space between a text and its cell's lines, per band.
    double GetTitleGap() const { return m_titleGap; }
    void SetTitleGap(double v) { Set(m_titleGap, v); }
    double GetHeadingGap() const { return m_headingGap; }
    void SetHeadingGap(double v) { Set(m_headingGap, v); }
    double GetRowGap() const { return m_rowGap; }
    void SetRowGap(double v) { Set(m_rowGap, v); }
    const TextLook& GetTextStyle() const { return m_text; }
    void SetTextStyle(const TextLook& v) { Set(m_text, v); }
    const TextLook& GetHeadingTextStyle() const { return m_headingText; }
    void SetHeadingTextStyle(const TextLook& v) { Set(m_headingText, v); }
    const TextLook& GetTitleTextStyle() const { return m_titleText; }
    void SetTitleTextStyle(const TextLook& v) { Set(m_titleText, v); }

    // The style's columns; SetColumns keeps copies (made in the style's segment) and deletes
    // the ones it had. GetCopyOfColumns gives new copies in the segment, the caller's to free
    // with ClearColumns.
    const DUxTableColumnList& GetColumns() const { return m_columns; }
    void SetColumns(const DUxTableColumnList& columns);
    DUxTableColumnList GetCopyOfColumns(RSeSegment* segment) const;
    const DUxTableColumnList& GetCustomColumns() const { return m_customColumns; }
    void SetCustomColumns(const DUxTableColumnList& columns);
    // Deletes every column of the list and empties it.
    static void ClearColumns(DUxTableColumnList& columns);
    // Copies of the columns in the segment (the transient one for null), in order.
    static DUxTableColumnList CopyColumnList(const DUxTableColumnList& columns,
                                             RSeSegment* segment);
    // A new column of the kind this style's tables take, in the segment: a copy of `source`
    // when one is given, else one with the defaults.
    DUxTableStyleColumn* MakeColumn(const DUxTableStyleColumn* source, RSeSegment* segment) const;

    // The filters new tables take; null until a list is made (EnsureFilterList).
    DUxTableRowFilterList* FilterList() const { return m_filters.get(); }
    DUxTableRowFilterList* EnsureFilterList();

    // True when the text holds a stacked-fraction code.
    static bool IsStacked(const UTxString16& text);
    // Escapes backslashes and braces; true when the text changed.
    static bool GetEscapedString(const UTxString16& text, UTxString16& escaped);
    // The text as it shows: codes dropped, a stacked text as "a/b".
    static UTxString16 GetSimpleValue(const UTxString16& text);
    // The same without a copy for a text that holds no codes (no brace, no backslash): the text
    // itself; else `scratch`, set to GetSimpleValue(text). For readers of many cells at once.
    static const UTxString16& GetSimpleValue(const UTxString16& text, UTxString16& scratch);
    static UTxString16 GetNotStackedText(const UTxString16& text) { return GetSimpleValue(text); }

    void Load(RSeStream& s);
    void FixPtrs(RSeMetaContext& ctx);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxTableStyle* target, RSeCloneCommander* cc) const;

protected:
    template <class T> void Set(T& field, const T& v) {
        if (field == v) return;
        Prepare();
        field = v;
    }
    void Prepare();
    void ReplaceColumns(DUxTableColumnList& own, const DUxTableColumnList& columns);

private:
    UTxString16 m_title;
    bool m_useTitle = true;
    eDirection m_direction = eTopDown;
    eTableRotation m_rotation = eRot0;
    eHeading m_heading = eHeadingTop;
    int32_t m_lineSpacing = 1;
    double m_titleGap = 1.0;
    double m_headingGap = 1.0;
    double m_rowGap = 1.0;
    TextLook m_text;
    TextLook m_headingText;
    TextLook m_titleText;
    DUxTableColumnList m_columns;
    DUxTableColumnList m_customColumns;
    RSeRef<DUxTableRowFilterList> m_filters;
};

class DUxTableStylePartsList : public DUxTableStyle {
public:
    DUxTableStylePartsList() = default;
    explicit DUxTableStylePartsList(const RSeStream* s) : DUxTableStyle(s) {}
    RSeMetaType* GetMeta() const override;
    // A new style of that name in the segment (the transient one for null).
    static DUxTableStylePartsList* CreateStyle(RSeSegment* segment, const UTxString16& name);
    // The name of the documents' styles collection of parts lists: "PartsList".
    static const UTxString16& GetInternalStylesCollectionNameStatic();

    // Row-merge key columns, kept as the style's own copies.
    const std::vector<RSeRef<DUxTableStylePartsListColumn>>& GetGroupKeys() const {
        return m_groupKeys;
    }
    void SetGroupKeys(const std::vector<RSeRef<DUxTableStylePartsListColumn>>& keys);
    // What a new parts list of this style starts with.
    bool GetGrouping() const { return m_grouping; }
    void SetGrouping(bool v) { Set(m_grouping, v); }
    bool GetDisplayGroupedItemNumber() const { return m_displayGroupedItemNumber; }
    void SetDisplayGroupedItemNumber(bool v) { Set(m_displayGroupedItemNumber, v); }
    bool GetDisplayParticipants() const { return m_displayParticipants; }
    void SetDisplayParticipants(bool v) { Set(m_displayParticipants, v); }
    // Whether item numbers that lost their prefix get the default one back.
    bool GetRecoverDefaultPrefix() const { return m_recoverDefaultPrefix; }
    void SetRecoverDefaultPrefix(bool v) { Set(m_recoverDefaultPrefix, v); }

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void FixPtrs(RSeMetaContext& ctx);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxTableStylePartsList* target, RSeCloneCommander* cc) const;

private:
    std::vector<RSeRef<DUxTableStylePartsListColumn>> m_groupKeys;
    bool m_grouping = false;
    bool m_displayGroupedItemNumber = false;
    bool m_displayParticipants = false;
    bool m_recoverDefaultPrefix = false;
};

// Reads a table's style: the explicit one, else the state's.
class DUxTableStyleWrapper {
public:
    DUxTableStyleWrapper(const RSeRef<DUxTableStateBase>& state, const RSeRef<DUxTableStyle>& style)
        : m_state(state), m_style(style) {}
    RSeRef<DUxTableStyle> Style() const;
    // Makes the style the state's own.
    void SetPrimaryStyle(const RSeRef<DUxTableStyle>& style);

    // Without a style: an empty title, no rotation, rows top-down, headings at the top.
    UTxString16 GetTitle() const;
    void SetTitle(const UTxString16& title);
    DUxTableStyle::eTableRotation GetRotation() const;
    DUxTableStyle::eDirection GetDirection() const;
    DUxTableStyle::eHeading GetHeading() const;
    double GetTitleGap() const;
    bool UseTitle() const;
    int32_t GetLineSpacing() const;
    // Each changes the style; without one, nothing.
    void SetUseTitle(bool use);
    void SetRotation(DUxTableStyle::eTableRotation rotation);
    void SetDirection(DUxTableStyle::eDirection direction);
    void SetHeading(DUxTableStyle::eHeading heading);
    void SetLineSpacing(int32_t spacing);
    // The looks of the data, title and heading texts (the defaults without a style). A set
    // takes the named text style's look; null leaves the look as it is.
    DUxTableStyle::TextLook GetTextStyle() const;
    DUxTableStyle::TextLook GetTitleTextStyle() const;
    DUxTableStyle::TextLook GetHeadingTextStyle() const;
    void SetTextStyle(const DUxTextStyle* style);
    void SetTitleTextStyle(const DUxTextStyle* style);
    void SetHeadingTextStyle(const DUxTextStyle* style);
    // The look a text style gives.
    static DUxTableStyle::TextLook LookOf(const DUxTextStyle& style);
    DUxTableColumnList GetCopyOfColumns(RSeSegment* segment) const;
    DUxTableRowFilterList* FilterList() const;

protected:
    RSeRef<DUxTableStateBase> m_state;
    RSeRef<DUxTableStyle> m_style;
};

class DUxTableStylePartsListWrapper : public DUxTableStyleWrapper {
public:
    using DUxTableStyleWrapper::DUxTableStyleWrapper;
    // Null when the table's style is of another kind.
    RSeRef<DUxTableStylePartsList> Style() const;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxTableStyle*);
RSeMetaType* _GetMeta(const DUxTableStyle*);
RSeMetaType* _InitMeta(const DUxTableStylePartsList*);
RSeMetaType* _GetMeta(const DUxTableStylePartsList*);
} // namespace RSe
