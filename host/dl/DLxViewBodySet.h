#pragma once
// What a drawing view shows of its model: the bodies of the model's root component. Every view
// of this host shows the drawing's own assembly, so the body set is a value over the view and
// its root component is the assembly's root while the view is online.
#include "dl/UFRxRep.h"
#include "rse/RSeRef.h"

class DLxViewInstance;

class DLxViewBodySet {
public:
    explicit DLxViewBodySet(DLxViewInstance* view);
    DLxViewInstance* GetView() const;
    // None for a view that is gone or whose model is not at hand (offline).
    UFRxComponent GetRootComponent() const;

private:
    RSeRef<DLxViewInstance> m_view;
};
