#pragma once
// Broken views asked by view: where a sheet position of a view's unbroken projection is drawn,
// and back. Without a view (an annotation placed on the sheet itself) positions are the same in
// both and nothing is removed.
#include "ge/WqGePoint3d.h"

class DLxViewInstance;

class DLxZoneUtilSheet {
public:
    static bool IsUnbrokenPointRemoved(const DLxViewInstance* view, const WqGePoint3d& point);
    static WqGePoint3d BrokenToUnbroken(const DLxViewInstance* view, const WqGePoint3d& point);
    static WqGePoint3d UnbrokenToBroken(const DLxViewInstance* view, const WqGePoint3d& point);
    // The view has breaks.
    static bool HasZones(const DLxViewInstance* view);
};
