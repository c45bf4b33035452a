#pragma once
// The record of a balloon style's values that the balloon style requests carry
// (UCxStandardSubStyleRequest.h): what the balloon style page edits, written into the style when
// the request runs. The record owns copies of its items (the columns a balloon shows), made in
// the transacted transient segment.
//
// Its transcript keys, in order: "TextStyle", "LeaderStyle", "AltLeaderStyle" (references to
// document styles, or null: required when written, optional when read so that a line without
// them takes none), "BalloonType" (integer, 1 to 9), "OffsetSpacing" (real), "ScaleToTextHeight"
// (bool), "Size" (real), "StretchBalloonToText" (bool), "Comment" (text), then "Items_Count" and
// each item under "Items_<i in lower-case hex>" through the kind's transcriptColumn. Reading
// refuses a balloon type outside 1 to 9 and a size or spacing that is negative. The style name
// is the request's to exchange.
#include <cstdint>
#include <vector>

#include "du/DUxBalloonStyle.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DUxLeaderStyle;
class DUxTableStyleColumn;
class DUxTextStyle;
class RSeSegment;
class UCxTranscriptDataExchange;

class UCxBalloonStyleRequestData {
public:
    UCxBalloonStyleRequestData() = default;
    UCxBalloonStyleRequestData(const UCxBalloonStyleRequestData& other);
    UCxBalloonStyleRequestData& operator=(const UCxBalloonStyleRequestData&) = delete;
    virtual ~UCxBalloonStyleRequestData();

    const UTxString16& GetStyleName() const { return m_name; }
    void SetStyleName(const UTxString16& name) { m_name = name; }
    const RSeRef<DUxTextStyle>& GetTextStyle() const { return m_textStyle; }
    void SetTextStyle(const RSeRef<DUxTextStyle>& v) { m_textStyle = v; }
    const RSeRef<DUxLeaderStyle>& GetLeaderStyle() const { return m_leaderStyle; }
    void SetLeaderStyle(const RSeRef<DUxLeaderStyle>& v) { m_leaderStyle = v; }
    const RSeRef<DUxLeaderStyle>& GetAltLeaderStyle() const { return m_altLeaderStyle; }
    void SetAltLeaderStyle(const RSeRef<DUxLeaderStyle>& v) { m_altLeaderStyle = v; }
    DUxBalloonStyle::EBalloonType GetBalloonType() const { return m_type; }
    void SetBalloonType(DUxBalloonStyle::EBalloonType v) { m_type = v; }
    double GetOffsetSpacing() const { return m_offsetSpacing; }
    void SetOffsetSpacing(double v) { m_offsetSpacing = v; }
    bool GetScaleToTextHeight() const { return m_scaleToText; }
    void SetScaleToTextHeight(bool v) { m_scaleToText = v; }
    double GetSize() const { return m_size; }
    void SetSize(double v) { m_size = v; }
    bool GetStretchBalloonToText() const { return m_stretchToText; }
    void SetStretchBalloonToText(bool v) { m_stretchToText = v; }
    const UTxString16& GetComment() const { return m_comment; }
    void SetComment(const UTxString16& v) { m_comment = v; }
    // The record's own items; SetItems keeps copies (made through newColumn) and deletes the
    // ones it had.
    const std::vector<RSeRef<DUxTableStyleColumn>>& GetItems() const { return m_items; }
    void SetItems(const std::vector<RSeRef<DUxTableStyleColumn>>& items);

    // The style's values, its comment (description) and copies of its items; nothing for null.
    void InitFromStyle(const RSeRef<DUxBalloonStyle>& style);
    // Null when the values cannot be a style's: a balloon type outside 1 to 9, or a size or
    // offset spacing that is negative or not a number. Else the key of the first bad value.
    const char16_t* InvalidValue() const;

    // The keys above; errors travel in the exchange's result, which it answers.
    virtual UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx);
    // One item under `key`: its kind's own keys. Reading fills the column the record made.
    virtual bool transcriptColumn(UCxTranscriptDataExchange& tdx, const char16_t* key,
                                  DUxTableStyleColumn* column, bool required) = 0;
    // A new item in the segment: a copy of `source` when given, else a parts-list column.
    virtual DUxTableStyleColumn* newColumn(const DUxTableStyleColumn* source,
                                           RSeSegment* segment) const;

private:
    void ClearItems();

    UTxString16 m_name;
    RSeRef<DUxTextStyle> m_textStyle;
    RSeRef<DUxLeaderStyle> m_leaderStyle;
    RSeRef<DUxLeaderStyle> m_altLeaderStyle;
    DUxBalloonStyle::EBalloonType m_type = DUxBalloonStyle::eCircular;
    double m_offsetSpacing = 0.0;
    bool m_scaleToText = false;
    double m_size = 1.0;
    bool m_stretchToText = false;
    UTxString16 m_comment;
    std::vector<RSeRef<DUxTableStyleColumn>> m_items;
};
