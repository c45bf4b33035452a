#include "fw/FWxAppletExtension.h"

FWxAppletExtension::FWxAppletExtension() = default;
FWxAppletExtension::~FWxAppletExtension() = default;

void FWxAppletExtension::CreateDocumentInterfaces(FWxSceneDoc*) {}
bool FWxAppletExtension::SetUpNewDocument(FWxSceneDoc*) {
    return true;
}
bool FWxAppletExtension::SetUpLoadedDocument(FWxSceneDoc*) {
    return true;
}
bool FWxAppletExtension::IsActive() {
    return false;
}
bool FWxAppletExtension::SupportsDocument(FWxSceneDoc*) {
    return false;
}
bool FWxAppletExtension::WantsDocumentEvents(FWxSceneDoc*) {
    return false;
}
bool FWxAppletExtension::KeepsDocumentAlive(FWxSceneDoc*) {
    return false;
}
void FWxAppletExtension::OnDocumentActivated(FWxSceneDoc*) {}
void FWxAppletExtension::OnDocumentDeactivated(FWxSceneDoc*) {}
void FWxAppletExtension::OnDocumentClosing(FWxSceneDoc*) {}
void FWxAppletExtension::OnIdle() {}
void FWxAppletExtension::OnApplicationClosing() {}
