#include "Symbol/KorvuIFxAnnoWeldProxy.h"

#include "Welding/DLxWeldInstance.h"

KorvuIFxAnnoWeldProxy::KorvuIFxAnnoWeldProxy() : RSeStaticInterface(UTxGuidForIFxAnnoWeldProxy()) {}

int32_t KorvuIFxAnnoWeldProxy::OnViewUpdated(DLxViewInstance* view) {
    return DLxWeldInstance::RelinkViewWeldSymbols(view);
}

KorvuIFxAnnoWeldProxy& KorvuIFxAnnoWeldProxy::Instance() {
    static KorvuIFxAnnoWeldProxy proxy;
    return proxy;
}
