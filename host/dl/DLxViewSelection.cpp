#include "dl/DLxViewSelection.h"

#include "dl/DLxViewInstance.h"

DLxViewSelection::DLxViewSelection(DLxViewInstance* view) : m_view(view) {}

DLxViewSelection::~DLxViewSelection() = default;

DLxViewInstance* DLxViewSelection::View() const {
    return m_view.get();
}

std::string DLxViewFilter::GetFilterName() const {
    return "DLxViewFilter";
}

SmartPtr<FWxSelection> DLxViewFilter::Select(RSeIDed& object, const WqGePoint3d&) const {
    auto* view = dynamic_cast<DLxViewInstance*>(&object);
    if (!view) return nullptr;
    return SmartPtr<FWxSelection>(new DLxViewSelection(view));
}
