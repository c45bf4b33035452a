#pragma once
// "DeletePartList": takes a parts list off its sheet and deletes it. One undoable, journalled
// change; the list is journalled by its name key, made before it goes.
#include "fw/FWxChangeRequest.h"
#include "rse/RSeRef.h"

class DUxAnnotationInstance;

class DLxDeletePartListRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxDeletePartListRequest)
    // For replay.
    DLxDeletePartListRequest();

public:
    explicit DLxDeletePartListRequest(const RSeRef<DUxAnnotationInstance>& annotation);

    const RSeRef<DUxAnnotationInstance>& GetAnnotation() const { return m_annotation; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DUxAnnotationInstance> m_annotation;
    UTxString16 m_partListRefString;
};
