#pragma once
// A new parts-list table style from a record ("New_PartsList_Style"): made in the document,
// added to its parts-list styles and to the standard's list when a standard style is given.
// After the document processed it, GetStyle() gives the style made.
#include "Request/DLxTableStylePartsListRequestData.h"
#include "du/DUxTableStyle.h"
#include "du/UCxStandardSubStyleRequest.h"

class DLxNewTableStylePartsListRequest
    : public UCxNewStandardSubStyleRequest<DUxTableStylePartsList,
                                           DLxTableStylePartsListRequestData> {
    DECLARE_DYNCREATE(DLxNewTableStylePartsListRequest)
public:
    // For replay.
    DLxNewTableStylePartsListRequest();
    DLxNewTableStylePartsListRequest(FWxStylesCollection* collection,
                                     const DLxTableStylePartsListRequestData& data,
                                     const RSeRef<FWxStyle>& standardStyle);

    // A transcript names requests with letters, digits and '_' only.
    static constexpr const char16_t* kTranscriptName = u"New_PartsList_Style";

    UTxStringResource GetRequestIdentity() const override;
    const char16_t* GetTranscriptRequestName() const override { return kTranscriptName; }
    void _Execute_SetStyleValues() override;
    // "StyleName", "StandardStyle" (the standard's reference, empty for none), then the
    // record's keys.
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;
};
