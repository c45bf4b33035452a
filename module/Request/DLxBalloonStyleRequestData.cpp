#include "Request/DLxBalloonStyleRequestData.h"

#include "Request/DLxStyleRequestTDX.h"
#include "du/DUxBalloonStyle.h"
#include "du/DUxTableStyleColumn.h"

bool DLxBalloonStyleRequestData::transcriptColumn(UCxTranscriptDataExchange& tdx,
                                                  const char16_t* key, DUxTableStyleColumn* column,
                                                  bool required) {
    _TDX_TableStylePartsListColumn(
        tdx, key,
        RSeRef<DUxTableStylePartsListColumn>(dynamic_cast<DUxTableStylePartsListColumn*>(column)),
        required);
    return true;
}

namespace {
template <class T, class V>
void SetChanged(DUxBalloonStyle& style, T (DUxBalloonStyle::*get)() const,
                void (DUxBalloonStyle::*set)(V), const T& value) {
    if ((style.*get)() == value) return;
    (style.*set)(value);
    style.MarkEdited(1);
}
} // namespace

void DLxBalloonStyleRequestData::SetStyleValues(DUxBalloonStyle& style) const {
    style.SetTextStyle(GetTextStyle());
    style.SetLeaderStyle(GetLeaderStyle());
    style.SetAltLeaderStyle(GetAltLeaderStyle());
    SetChanged(style, &DUxBalloonStyle::GetDefaultType, &DUxBalloonStyle::SetDefaultType,
               GetBalloonType());
    SetChanged(style, &DUxBalloonStyle::GetOffsetSpacing, &DUxBalloonStyle::SetOffsetSpacing,
               GetOffsetSpacing());
    SetChanged(style, &DUxBalloonStyle::GetScaleToTextHeight,
               &DUxBalloonStyle::SetScaleToTextHeight, GetScaleToTextHeight());
    SetChanged(style, &DUxBalloonStyle::GetSize, &DUxBalloonStyle::SetSize, GetSize());
    SetChanged(style, &DUxBalloonStyle::GetStretchBalloonToText,
               &DUxBalloonStyle::SetStretchBalloonToText, GetStretchBalloonToText());
    style.SetStyleDescription(GetComment());
    style.SetItems(GetItems());
}
