#include "dl/DLxSheet.h"

#include <algorithm>

#include "dl/DLxViewInstance.h"
#include "ge/BBox.h"
#include "rse/RSeTransaction.h"

void DLxSheet::SetName(const UTxString16& name) {
    if (name == m_name) return;
    RSe::PrepareWrite(this);
    m_name = name;
}

void DLxSheet::SetSize(double width, double height) {
    if (width == m_width && height == m_height) return;
    RSe::PrepareWrite(this);
    m_width = width;
    m_height = height;
}

DLxViewInstance* DLxSheet::CreateView(const UTxString16& name) {
    if (name.empty() || FindView(name) || !GetSegment()) return nullptr;
    auto* view = new (RSe::_GetMeta(static_cast<const DLxViewInstance*>(nullptr)), GetSegment())
        DLxViewInstance();
    view->SetName(name);
    AddNode(view);
    return view;
}

std::vector<DLxViewInstance*> DLxSheet::GetViews() const {
    std::vector<DLxViewInstance*> out;
    for (const RSeRef<RDxNode>& node : GetNodes())
        if (auto* view = dynamic_cast<DLxViewInstance*>(node.GetTarget())) out.push_back(view);
    return out;
}

DLxViewInstance* DLxSheet::FindView(const UTxString16& name) const {
    for (DLxViewInstance* view : GetViews())
        if (view->GetName() == name) return view;
    return nullptr;
}

namespace {
constexpr double kBorderMargin = 10.0;
constexpr double kTitleBlockWidth = 180.0;
constexpr double kTitleBlockHeight = 56.0;
} // namespace

BBox DLxSheet::GetBorder() const {
    if (m_width <= 2 * kBorderMargin || m_height <= 2 * kBorderMargin) return BBox();
    return BBox(WqGePoint3d(kBorderMargin, kBorderMargin, 0),
                WqGePoint3d(m_width - kBorderMargin, m_height - kBorderMargin, 0));
}

BBox DLxSheet::GetTitleBlock() const {
    const BBox border = GetBorder();
    if (border.isEmpty()) return border;
    const double w = std::min(kTitleBlockWidth, border.max.x - border.min.x);
    const double h = std::min(kTitleBlockHeight, border.max.y - border.min.y);
    return BBox(WqGePoint3d(border.max.x - w, border.min.y, 0),
                WqGePoint3d(border.max.x, border.min.y + h, 0));
}
