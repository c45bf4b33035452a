#pragma once
// What a module adds to the host's documents. The host asks the module's single extension for
// its per-document work: interfaces first, then the set-up of a new or a loaded document.
#include "Afx.h"

class FWxSceneDoc;

class FWxAppletExtension : public CCmdTarget {
public:
    FWxAppletExtension();
    ~FWxAppletExtension() override;

    virtual void CreateDocumentInterfaces(FWxSceneDoc* doc);
    virtual bool SetUpNewDocument(FWxSceneDoc* doc);
    virtual bool SetUpLoadedDocument(FWxSceneDoc* doc);

    // Further hooks of the host; a module answers them as it needs.
    virtual bool IsActive();
    virtual bool SupportsDocument(FWxSceneDoc* doc);
    virtual bool WantsDocumentEvents(FWxSceneDoc* doc);
    virtual bool KeepsDocumentAlive(FWxSceneDoc* doc);
    virtual void OnDocumentActivated(FWxSceneDoc* doc);
    virtual void OnDocumentDeactivated(FWxSceneDoc* doc);
    virtual void OnDocumentClosing(FWxSceneDoc* doc);
    virtual void OnIdle();
    virtual void OnApplicationClosing();
};
