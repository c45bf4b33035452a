#pragma once
// The module's applet extension: the one object through which the host sets the module up in
// each document.
#include "Leader/DLxMoveBalloonSymLeaderNodeManipulator.h"
#include "fw/FWxAppletExtension.h"

class KorvuAppletExtension : public FWxAppletExtension {
public:
    KorvuAppletExtension();
    ~KorvuAppletExtension() override;

    void CreateDocumentInterfaces(FWxSceneDoc* doc) override;
    // A new drawing also gets the frame styles of the drafting standards.
    bool SetUpNewDocument(FWxSceneDoc* doc) override;
    bool SetUpLoadedDocument(FWxSceneDoc* doc) override { return SetUpDocument(doc); }
    bool SetUpDocument(FWxSceneDoc* doc);
    void AddDocumentCommands(FWxSceneDoc* doc);

    bool IsActive() override { return true; }
    bool SupportsDocument(FWxSceneDoc*) override { return true; }
    bool WantsDocumentEvents(FWxSceneDoc*) override { return false; }
    bool KeepsDocumentAlive(FWxSceneDoc*) override { return false; }
    void OnDocumentActivated(FWxSceneDoc*) override {}
    void OnDocumentDeactivated(FWxSceneDoc*) override {}
    void OnDocumentClosing(FWxSceneDoc*) override {}
    void OnIdle() override {}
    void OnApplicationClosing() override {}

    // Serves every document's select command.
    DLxMoveBalloonSymLeaderNodeManipulator& GetManipulator() { return m_manipulator; }

private:
    DLxMoveBalloonSymLeaderNodeManipulator m_manipulator;
};

extern "C" FWxAppletExtension* ExtensionGetExtensionInterface();
