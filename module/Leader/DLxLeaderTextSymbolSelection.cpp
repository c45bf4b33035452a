#include "Leader/DLxLeaderTextSymbolSelection.h"

#include <vector>

#include "Symbol/DLxLeaderTextInstance.h"

namespace {
// Picks count on the text within this of its outline.
constexpr double kPickTolerance = 1e-9;
} // namespace

DLxLeaderTextSymbolSelection::DLxLeaderTextSymbolSelection(DLxLeaderTextInstance* text,
                                                           const WqGePoint3d& point)
    : DLxSymSelection(text, point) {
    std::vector<WqGePoint3d> outline;
    if (!text || !text->GetEmblemBoundingBox(outline, 0)) return;
    BBox box;
    for (const WqGePoint3d& p : outline)
        box.extend(p);
    m_pureText = point.x >= box.min.x - kPickTolerance && point.x <= box.max.x + kPickTolerance &&
                 point.y >= box.min.y - kPickTolerance && point.y <= box.max.y + kPickTolerance;
}

DLxLeaderTextInstance* DLxLeaderTextSymbolSelection::GetLeaderTextSymbol() const {
    return dynamic_cast<DLxLeaderTextInstance*>(Emblem());
}
