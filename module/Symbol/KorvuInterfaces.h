#pragma once
// The interfaces the module publishes in each drawing document, found by their GUIDs. Their
// services are filled in by the parts that own them.
#include "fw/IFxInterfaces.h"
#include "rse/RSeInterface.h"
#include "rse/RSeVMeta.h"

// An object of the document's database that is not stored: it is made anew for each document.
class KorvuDocInterfaceBase : public RSeVMeta {
public:
    RSeMetaType* GetMeta() const override;
};

class KorvuIFxBalloonComp : public KorvuDocInterfaceBase,
                            public IFxBalloonComp,
                            public RSeInterface {
public:
    KorvuIFxBalloonComp();
};

class KorvuIFxBrowserUtils : public KorvuDocInterfaceBase,
                             public IFxBrowserUtils,
                             public RSeInterface {
public:
    KorvuIFxBrowserUtils();
};

class KorvuWeldIFxDLAnnoGeometry : public KorvuDocInterfaceBase,
                                   public IFxDLAnnoGeometry,
                                   public RSeInterface {
public:
    KorvuWeldIFxDLAnnoGeometry();
};
