#pragma once
// Interfaces that the host and its modules publish to each other, each known by a GUID.
#include "utx/UTxGUID.h"

class IFxInterface {
public:
    virtual ~IFxInterface() = default;
};

// Balloon and parts-list services of a drawing document.
class IFxBalloonComp : public IFxInterface {};
// Browser updates of a drawing document.
class IFxBrowserUtils : public IFxInterface {};
// Geometry of 3D weld annotations in a drawing document.
class IFxDLAnnoGeometry : public IFxInterface {};
// The weld-annotation proxy, once per process.
class IFxAnnoWeldProxy : public IFxInterface {};

const UTxGUID& UTxGuidForIFxBalloonComp();
const UTxGUID& UTxGuidForIFxBrowserUtils();
const UTxGUID& UTxGuidForIFxDLAnnoGeometry();
const UTxGUID& UTxGuidForIFxAnnoWeldProxy();
