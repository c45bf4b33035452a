#pragma once
// The record of a balloon style's values that "New_Balloon_Style" and "Update_Balloon_Style"
// carry: the host's record, whose items are parts-list columns exchanged with their property,
// format and substitute keys.
#include "du/UCxBalloonStyleRequestData.h"

class DUxBalloonStyle;

class DLxBalloonStyleRequestData : public UCxBalloonStyleRequestData {
public:
    DLxBalloonStyleRequestData() = default;
    DLxBalloonStyleRequestData(const DLxBalloonStyleRequestData& other) = default;

    // A column of another kind exchanges nothing, and reading one fails the exchange; the
    // answer is true either way: the exchange's result tells.
    bool transcriptColumn(UCxTranscriptDataExchange& tdx, const char16_t* key,
                          DUxTableStyleColumn* column, bool required) override;

    // Writes the record into the style: the three styles always; the type, offset spacing,
    // scaling, size and stretching each only when it differs, then counted as an edit; the
    // comment as the description; the items.
    void SetStyleValues(DUxBalloonStyle& style) const;
};
