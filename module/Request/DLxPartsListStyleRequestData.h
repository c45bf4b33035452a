#pragma once
// The record of an older parts-list style's values, carried by "New_PartsList_Style_Old" and
// "Update_PartsList_Style_Old". Its values come from journal lines only: the module no longer
// makes these requests, it replays them. The record owns its column objects (transacted
// transient segment); the removed columns are not journalled.
#include <cstdint>
#include <vector>

#include "du/DUxPartsListStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class UCxTranscriptDataExchange;

class DLxPartsListStyleRequestData {
public:
    DLxPartsListStyleRequestData() = default;
    DLxPartsListStyleRequestData(const DLxPartsListStyleRequestData& other);
    DLxPartsListStyleRequestData& operator=(const DLxPartsListStyleRequestData&) = delete;
    virtual ~DLxPartsListStyleRequestData();

    const UTxString16& GetStyleName() const { return m_name; }
    void SetStyleName(const UTxString16& name) { m_name = name; }
    const UTxString16& GetStyleComment() const { return m_comment; }
    const std::vector<DUxStyleFormatColumnPropertyID>& GetMergeKeys() const { return m_mergeKeys; }
    const DUxPartsListStyleColumnList& GetColumns() const { return m_columns; }
    bool GetGroupingEnabled() const { return m_grouping; }
    bool GetShowItemNumbers() const { return m_showItemNumbers; }
    bool GetDisplayGroupParticipants() const { return m_displayParticipants; }

    // "StyleName", "StyleComment", "TextStyle_Font", "TextStyle_Height", "Direction",
    // "Heading", "RowGap", "HeadingGap", "LinesOfText", "DisplayTitle", "Title",
    // "RecoverDefaultPrefix" (all required), the three switches (optional when read, off when
    // absent), "MergeKeys" (exactly three kept) and "Columns_Count" with "Columns_<i>".
    virtual UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx);

    // Writes the values into the style (the name and the comment are not written: the name
    // comes with making or renaming the style).
    void SetStyleValues(DUxPartsListStyle& style) const;

private:
    UTxString16 m_name;
    UTxString16 m_comment;
    DUxTableStyle::TextLook m_text;
    DUxPartsListStyle::Direction m_direction = DUxPartsListStyle::eTopDown;
    DUxPartsListStyle::Heading m_heading = DUxPartsListStyle::eHeadingTop;
    double m_rowGap = 0.0;
    double m_headingGap = 0.0;
    DUxPartsListStyle::LinesOfText m_linesOfText = DUxPartsListStyle::eSingleLine;
    bool m_displayTitle = false;
    UTxString16 m_title;
    bool m_recoverDefaultPrefix = false;
    std::vector<DUxStyleFormatColumnPropertyID> m_mergeKeys;
    DUxPartsListStyleColumnList m_columns;
    DUxPartsListStyleColumnList m_removedColumns;
    bool m_grouping = false;
    bool m_showItemNumbers = false;
    bool m_displayParticipants = false;
};
