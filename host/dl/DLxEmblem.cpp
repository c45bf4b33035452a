#include "dl/DLxEmblem.h"

#include "sm/SMxDisplayList.h"

DLxEmblem::DLxEmblem() : m_list(std::make_unique<SMxDisplayList>()) {}
DLxEmblem::DLxEmblem(const RSeStream* s)
    : DUxEmblem(s), m_list(std::make_unique<SMxDisplayList>()) {}
DLxEmblem::~DLxEmblem() = default;

bool DLxEmblem::HitTest(const WqGePoint3d& p, double tol) const {
    const SMxDisplayList* list = GetSheetDisplayList();
    if (!list) return false;
    return BoxHolds(list->GetBBox(), p, tol);
}

bool DLxEmblem::BoxHolds(const BBox& box, const WqGePoint3d& p, double tol) {
    return !box.isEmpty() && p.x >= box.min.x - tol && p.x <= box.max.x + tol &&
           p.y >= box.min.y - tol && p.y <= box.max.y + tol;
}
