#pragma once
// A new balloon style from a record ("New_Balloon_Style"): made in the document under the
// record's repaired name, added to its balloon styles and to the standard's list when a
// standard style is given. After the document processed it, GetStyle() gives the style made.
#include "Request/DLxBalloonStyleRequestData.h"
#include "du/DUxBalloonStyle.h"
#include "du/UCxStandardSubStyleRequest.h"

class DLxNewBalloonStyleRequest
    : public UCxNewStandardSubStyleRequest<DUxBalloonStyle, DLxBalloonStyleRequestData> {
    DECLARE_DYNCREATE(DLxNewBalloonStyleRequest)
public:
    // For replay.
    DLxNewBalloonStyleRequest();
    DLxNewBalloonStyleRequest(FWxStylesCollection* collection,
                              const DLxBalloonStyleRequestData& data,
                              const RSeRef<FWxStyle>& standardStyle);

    // A transcript names requests with letters, digits and '_' only.
    static constexpr const char16_t* kTranscriptName = u"New_Balloon_Style";

    UTxStringResource GetRequestIdentity() const override;
    const char16_t* GetTranscriptRequestName() const override { return kTranscriptName; }
    // A record whose values no balloon style can take.
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    void _Execute_SetStyleValues() override;
    // "StyleName", "StandardStyle" (the standard's reference, empty for none; one that names
    // no style of the document reads as none), then the record's keys.
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;
};
