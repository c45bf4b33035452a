#pragma once
// Replays "New_PartsList_Style_Old": a new older-kind parts-list style from the line's record,
// added to the document's styles of its kind and to the standard's list when the line names a
// standard style. Made by replay only (its runtime class), never by the module.
#include "Request/DLxPartsListStyleRequestData.h"
#include "du/DUxPartsListStyle.h"
#include "du/UCxStandardSubStyleRequest.h"

class DLxNewPartsListStyleRequest
    : public UCxNewStandardSubStyleRequest<DUxPartsListStyle, DLxPartsListStyleRequestData> {
    DECLARE_DYNCREATE(DLxNewPartsListStyleRequest)
public:
    DLxNewPartsListStyleRequest();

    static constexpr const char16_t* kTranscriptName = u"New_PartsList_Style_Old";

    UTxStringResource GetRequestIdentity() const override;
    const char16_t* GetTranscriptRequestName() const override { return kTranscriptName; }
    void _Execute_SetStyleValues() override;
    // "StandardStyle" (the standard's reference, empty for none), then the record's keys.
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;
};
