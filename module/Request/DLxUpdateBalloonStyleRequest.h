#pragma once
// The record written into a balloon style of the document ("Update_Balloon_Style"), the style
// renamed first when asked. A replayed line never renames: the line names the style by its
// reference as the request found it (before any rename), and its record carries the values only.
#include "Request/DLxBalloonStyleRequestData.h"
#include "du/DUxBalloonStyle.h"
#include "du/UCxStandardSubStyleRequest.h"

class DLxUpdateBalloonStyleRequest
    : public UCxUpdateStandardSubStyleRequest<DUxBalloonStyle, DLxBalloonStyleRequestData> {
    DECLARE_DYNCREATE(DLxUpdateBalloonStyleRequest)
public:
    // For replay.
    DLxUpdateBalloonStyleRequest();
    DLxUpdateBalloonStyleRequest(FWxStylesCollection* collection,
                                 const RSeRef<DUxBalloonStyle>& style,
                                 const DLxBalloonStyleRequestData& data, bool rename);

    static constexpr const char16_t* kTranscriptName = u"Update_Balloon_Style";

    UTxStringResource GetRequestIdentity() const override;
    const char16_t* GetTranscriptRequestName() const override { return kTranscriptName; }
    // A document, a balloon style that it keeps, and values a balloon style can take.
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    void _Execute_SetStyleValues() override;
    // "StyleReference" (reading fails unless it names a balloon style of the document, and the
    // record then takes the style's name), then the record's keys.
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    // The style's reference before the request ran: a rename changes the name it goes by.
    UTxString16 m_reference;
};
