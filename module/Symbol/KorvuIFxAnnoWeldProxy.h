#pragma once
// The weld-annotation proxy the module publishes once for the process, under the GUID of
// IFxAnnoWeldProxy: the host calls it after it has generated a view anew.
#include "fw/IFxInterfaces.h"
#include "rse/RSeInterface.h"

class KorvuIFxAnnoWeldProxy : public RSeStaticInterface, public IFxAnnoWeldProxy {
public:
    KorvuIFxAnnoWeldProxy();
    int32_t OnViewUpdated(DLxViewInstance* view) override;
    // The one the module publishes.
    static KorvuIFxAnnoWeldProxy& Instance();
};
