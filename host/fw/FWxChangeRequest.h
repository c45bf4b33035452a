#pragma once
// Base of every undoable change of a document. The document runs a request inside a
// transaction: ValidateInputs first, then _PreExecute, _Execute and _PostExecute; a request that
// succeeds writes itself to the transcript with Script.
#include <cstdint>
#include <vector>

#include "fw/SmartPtr.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"
#include "utx/UTxStringResource.h"

class FWxSceneDoc;
class UCxTranscriptDataExchange;
class RSeDatabase;

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

    // The transaction's hooks and the questions the document asks a request; the defaults
    // suit a request that changes its own document only.
    virtual UTxString16 IdentifyTxn() const { return GetRequestIdentityString(); }
    virtual UTxResult CheckPointTxn(FWxSceneDoc*) { return {}; }
    virtual UTxResult CommitTxn(FWxSceneDoc*) { return {}; }
    virtual UTxResult AbortTxn(FWxSceneDoc*) { return {}; }
    virtual std::vector<FWxSceneDoc*> GetOtherChangedDocuments(FWxSceneDoc*) { return {}; }
    virtual bool UseWaitCursor() const { return false; }
    virtual bool AllowIgnore() const { return false; }
    virtual int32_t GetClassificationForOtherChangedDocument(FWxSceneDoc*) const {
        return m_classification;
    }
    virtual int32_t ChooseClassification(FWxSceneDoc*) const { return m_classification; }
    virtual UTxResult CacheInputStrings() { return {}; }
    virtual bool UseAlternateDatabaseForDirtying() const { return false; }
    virtual RSeDatabase* GetAlternateDatabaseForDirtying() const { return nullptr; }
    virtual bool DelayChangedDocumentsNotification() const { return false; }
    virtual bool ModifiesSelectedObjects() const { return false; }
    // Runs the request inside whatever transaction is open, without validating or journalling
    // it: _PreExecute, _Execute and _PostExecute, stopping at the first failure.
    UTxResult Execute(FWxSceneDoc* doc);
    virtual UTxResult _PreExecute(FWxSceneDoc* doc);
    virtual UTxResult _Execute(FWxSceneDoc* doc) = 0;
    virtual UTxResult _PostExecute(FWxSceneDoc* doc);
    virtual UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) = 0;

private:
    int32_t m_classification;
};
