#pragma once
// Replays "Update_PartsList_Style_Old": the line's record written into an older-kind parts-list
// style of the document. A line that names no such style is refused. Made by replay only.
#include "Request/DLxPartsListStyleRequestData.h"
#include "du/DUxPartsListStyle.h"
#include "du/UCxStandardSubStyleRequest.h"

class DLxUpdatePartsListStyleRequest
    : public UCxUpdateStandardSubStyleRequest<DUxPartsListStyle, DLxPartsListStyleRequestData> {
    DECLARE_DYNCREATE(DLxUpdatePartsListStyleRequest)
public:
    DLxUpdatePartsListStyleRequest();

    static constexpr const char16_t* kTranscriptName = u"Update_PartsList_Style_Old";

    UTxStringResource GetRequestIdentity() const override;
    const char16_t* GetTranscriptRequestName() const override { return kTranscriptName; }
    // A document and a style of the kind that the document keeps.
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    void _Execute_SetStyleValues() override;
    // "PartsListStyle" (a reference; any other kind of object leaves the style empty), then the
    // record's keys.
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;
};
