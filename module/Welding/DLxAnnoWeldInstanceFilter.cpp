#include "Welding/DLxAnnoWeldInstanceFilter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Welding/DLxAnnoWeldInstance.h"
#include "Welding/DLxAnnoWeldInstanceSelection.h"
#include "ge/BBox.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {
// Distance in the sheet plane from a point to a box; 0 inside.
double DistanceTo(const BBox& box, const WqGePoint3d& p) {
    const double dx = std::max({box.min.x - p.x, 0.0, p.x - box.max.x});
    const double dy = std::max({box.min.y - p.y, 0.0, p.y - box.max.y});
    return std::sqrt(dx * dx + dy * dy);
}
} // namespace

DLxAnnoWeldInstanceFilter::DLxAnnoWeldInstanceFilter(EType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

SmartPtr<FWxSelection> DLxAnnoWeldInstanceFilter::Select(RSeIDed& object,
                                                         const WqGePoint3d& point) const {
    auto* weld = dynamic_cast<DLxAnnoWeldInstance*>(&object);
    if (!weld || !IsEnabled()) return nullptr;
    int32_t item = 0;
    double best = std::numeric_limits<double>::infinity();
    for (const SMxDisplayItem& i : weld->GetDisplayList()) {
        const double d = DistanceTo(i.GetBBox(), point);
        if (d < best) {
            best = d;
            item = i.GetId();
        }
    }
    return SmartPtr<FWxSelection>(new DLxAnnoWeldInstanceSelection(weld, point, item));
}
