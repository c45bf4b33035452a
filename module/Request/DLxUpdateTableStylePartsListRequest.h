#pragma once
// New values for a parts-list table style from a record ("Update_PartsList_Style"), with a
// rename when asked; the parts lists of the style follow it.
#include "Request/DLxTableStylePartsListRequestData.h"
#include "du/DUxTableStyle.h"
#include "du/UCxStandardSubStyleRequest.h"

class DLxUpdateTableStylePartsListRequest
    : public UCxUpdateStandardSubStyleRequest<DUxTableStylePartsList,
                                              DLxTableStylePartsListRequestData> {
    DECLARE_DYNCREATE(DLxUpdateTableStylePartsListRequest)
public:
    // For replay.
    DLxUpdateTableStylePartsListRequest();
    DLxUpdateTableStylePartsListRequest(FWxStylesCollection* collection,
                                        const RSeRef<DUxTableStylePartsList>& style,
                                        const DLxTableStylePartsListRequestData& data, bool rename);

    static constexpr const char16_t* kTranscriptName = u"Update_PartsList_Style";

    UTxStringResource GetRequestIdentity() const override;
    const char16_t* GetTranscriptRequestName() const override { return kTranscriptName; }
    void _Execute_SetStyleValues() override;
    // "StyleReference" (a parts-list table style of the document, else the line fails), then
    // "Rename" and, for a rename, the new "StyleName", then the record's keys. A line without
    // "Rename" renames nothing.
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;
};
