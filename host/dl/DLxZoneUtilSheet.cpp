#include "dl/DLxZoneUtilSheet.h"

#include "dl/DLxViewInstance.h"

bool DLxZoneUtilSheet::IsUnbrokenPointRemoved(const DLxViewInstance* view,
                                              const WqGePoint3d& point) {
    return view && view->IsUnbrokenPointRemoved(point);
}

WqGePoint3d DLxZoneUtilSheet::BrokenToUnbroken(const DLxViewInstance* view,
                                               const WqGePoint3d& point) {
    return view ? view->BrokenToUnbroken(point) : point;
}

WqGePoint3d DLxZoneUtilSheet::UnbrokenToBroken(const DLxViewInstance* view,
                                               const WqGePoint3d& point) {
    return view ? view->UnbrokenToBroken(point) : point;
}

bool DLxZoneUtilSheet::HasZones(const DLxViewInstance* view) {
    return view && view->HasBreaks();
}
