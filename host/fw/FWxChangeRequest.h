#pragma once
// Base of every undoable change of a document. The document runs a request inside a
// transaction: ValidateInputs first, then _PreExecute, _Execute and _PostExecute; a request that
// succeeds writes itself to the transcript with Script.
#include <cstdint>

#include "fw/SmartPtr.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"
#include "utx/UTxStringResource.h"

class FWxSceneDoc;
class UCxTranscriptDataExchange;

class FWxChangeRequest : public CountedCObj {
    DECLARE_DYNAMIC(FWxChangeRequest)
    explicit FWxChangeRequest(int32_t classification = 1);
    ~FWxChangeRequest() override;

    int32_t GetClassification() const { return m_classification; }

    // The request's name in the user interface: a string of a library's resource module.
    virtual UTxStringResource GetRequestIdentity() const;
    virtual UTxString16 GetRequestIdentityString() const;

    // Writes the request to the transcript; reads it back from a transcript line.
    virtual UTxResult Script(FWxSceneDoc* doc);
    virtual UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line);
    virtual UTxResult RecordMacro() { return {}; }
    virtual UTxResult LogOutput() { return {}; }

    virtual UTxResult ValidateInputs(FWxSceneDoc* doc);
    virtual UTxResult _PreExecute(FWxSceneDoc* doc);
    virtual UTxResult _Execute(FWxSceneDoc* doc) = 0;
    virtual UTxResult _PostExecute(FWxSceneDoc* doc);
    virtual UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) = 0;

private:
    int32_t m_classification;
};
