#pragma once
// The older kind of parts-list style, from before parts lists were tables: layout, title,
// text, the columns a new parts list starts with (and the ones removed from them), three row
// keys that merge rows, and the grouping switches. Documents keep it so that old journals that
// make or change such styles still replay.
#include <cstdint>
#include <vector>

#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxStyle.h"
#include "rse/RSeRef.h"

// The older style's columns are DUxPartsListStyleColumnItem (du/DUxTableStyleColumn.h).
using DUxPartsListStyleColumnList = std::vector<RSeRef<DUxPartsListStyleColumnItem>>;

class DUxPartsListStyle : public FWxStyle {
public:
    enum Direction : int32_t { eTopDown = 0, eBottomUp = 1 };
    enum Heading : int32_t { eHeadingTop = 0, eHeadingBottom = 1, eNoHeading = 2 };
    // Lines a cell's text may take.
    enum LinesOfText : int32_t { eSingleLine = 0, eMultiLine = 1 };

    // The documents' collection of these styles.
    static const UTxString16 m_sPartsListCollectionName;
    static const UTxString16& GetInternalStylesCollectionNameStatic() {
        return m_sPartsListCollectionName;
    }

    DUxPartsListStyle() = default;
    explicit DUxPartsListStyle(const RSeStream* s) : FWxStyle(s) {}
    RSeMetaType* GetMeta() const override;
    // A new style of that name in the segment (the transient one for null).
    static DUxPartsListStyle* CreateStyle(RSeSegment* segment, const UTxString16& name);

    // Setters record the style before a change and do nothing for an equal value.
    Direction GetDirection() const { return m_direction; }
    void SetDirection(Direction v) { Set(m_direction, v); }
    Heading GetHeading() const { return m_heading; }
    void SetHeading(Heading v) { Set(m_heading, v); }
    double GetRowGap() const { return m_rowGap; }
    void SetRowGap(double v) { Set(m_rowGap, v); }
    double GetHeadingGap() const { return m_headingGap; }
    void SetHeadingGap(double v) { Set(m_headingGap, v); }
    LinesOfText GetLinesOfText() const { return m_linesOfText; }
    void SetLinesOfText(LinesOfText v) { Set(m_linesOfText, v); }
    const UTxString16& GetTitle() const { return m_title; }
    void SetTitle(const UTxString16& v) { Set(m_title, v); }
    bool GetDisplayTitle() const { return m_displayTitle; }
    void SetDisplayTitle(bool v) { Set(m_displayTitle, v); }
    bool GetRecoverDefaultPrefix() const { return m_recoverDefaultPrefix; }
    void SetRecoverDefaultPrefix(bool v) { Set(m_recoverDefaultPrefix, v); }
    const DUxTableStyle::TextLook& GetTextStyle() const { return m_text; }
    void SetTextStyle(const DUxTableStyle::TextLook& v) { Set(m_text, v); }
    const DUxStyleFormatColumnPropertyID& GetRowKey(int32_t i) const { return m_rowKeys[i]; }
    void SetRowKey1(const DUxStyleFormatColumnPropertyID& v) { Set(m_rowKeys[0], v); }
    void SetRowKey2(const DUxStyleFormatColumnPropertyID& v) { Set(m_rowKeys[1], v); }
    void SetRowKey3(const DUxStyleFormatColumnPropertyID& v) { Set(m_rowKeys[2], v); }
    bool GetGroupingEnabled() const { return m_grouping; }
    void SetGroupingEnabled(bool v) { Set(m_grouping, v); }
    bool GetShowItemNumbers() const { return m_showItemNumbers; }
    void SetShowItemNumbers(bool v) { Set(m_showItemNumbers, v); }
    bool GetDisplayGroupParticipants() const { return m_displayParticipants; }
    void SetDisplayGroupParticipants(bool v) { Set(m_displayParticipants, v); }

    // The style keeps copies (in its segment) and deletes the ones it had.
    const DUxPartsListStyleColumnList& GetColumns() const { return m_columns; }
    void SetColumns(const DUxPartsListStyleColumnList& columns);
    const DUxPartsListStyleColumnList& GetRemovedColumns() const { return m_removedColumns; }
    void SetRemovedColumns(const DUxPartsListStyleColumnList& columns);
    // Copies of the columns in the segment, in order.
    static DUxPartsListStyleColumnList CopyColumns(const DUxPartsListStyleColumnList& columns,
                                                   RSeSegment* segment);
    // Deletes every column of the list and empties it.
    static void ClearColumns(DUxPartsListStyleColumnList& columns);

    void Load(RSeStream& s);
    void FixPtrs(RSeMetaContext& ctx);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxPartsListStyle* target, RSeCloneCommander* cc) const;

private:
    template <class T> void Set(T& field, const T& v) {
        if (field == v) return;
        Prepare();
        field = v;
    }
    void Prepare();
    void Replace(DUxPartsListStyleColumnList& own, const DUxPartsListStyleColumnList& columns);

    Direction m_direction = eTopDown;
    Heading m_heading = eHeadingTop;
    double m_rowGap = 1.0;
    double m_headingGap = 1.0;
    LinesOfText m_linesOfText = eSingleLine;
    UTxString16 m_title;
    bool m_displayTitle = true;
    bool m_recoverDefaultPrefix = false;
    DUxTableStyle::TextLook m_text;
    DUxStyleFormatColumnPropertyID m_rowKeys[3];
    bool m_grouping = false;
    bool m_showItemNumbers = false;
    bool m_displayParticipants = false;
    DUxPartsListStyleColumnList m_columns;
    DUxPartsListStyleColumnList m_removedColumns;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxPartsListStyleColumnItem*);
RSeMetaType* _GetMeta(const DUxPartsListStyleColumnItem*);
RSeMetaType* _InitMeta(const DUxPartsListStyle*);
RSeMetaType* _GetMeta(const DUxPartsListStyle*);
} // namespace RSe
