#include "Symbol/KorvuInterfaces.h"

#include "rse/RSe.h"
#include "rse/RSeMetaType.h"

RSeMetaType* KorvuDocInterfaceBase::GetMeta() const {
    return RSe::_GetMeta(static_cast<const void*>(nullptr));
}

// The RSeVMeta part comes first, so the object already knows its database when it registers.
KorvuIFxBalloonComp::KorvuIFxBalloonComp()
    : RSeInterface(RSe::InterfaceSet(RSe::DatabaseOf(this)), UTxGuidForIFxBalloonComp()) {}

KorvuIFxBrowserUtils::KorvuIFxBrowserUtils()
    : RSeInterface(RSe::InterfaceSet(RSe::DatabaseOf(this)), UTxGuidForIFxBrowserUtils()) {}

KorvuWeldIFxDLAnnoGeometry::KorvuWeldIFxDLAnnoGeometry()
    : RSeInterface(RSe::InterfaceSet(RSe::DatabaseOf(this)), UTxGuidForIFxDLAnnoGeometry()) {}
