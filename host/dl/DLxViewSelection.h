#pragma once
// The pick of a drawing view: its selection and the filter item that makes it. A view is
// picked anywhere within the box of its projected edges.
#include <cstdint>

#include "fw/FWxSelection.h"
#include "rse/RSeRef.h"
#include "sm/SMxTypeFilterItem.h"

class DLxViewInstance;

class DLxViewSelection : public FWxSelection {
public:
    explicit DLxViewSelection(DLxViewInstance* view);
    ~DLxViewSelection() override;
    // Null once the view is gone.
    DLxViewInstance* View() const;

private:
    RSeRef<DLxViewInstance> m_view;
};

// Admits drawing views; the type says which of the host's view kinds (every view of this host
// is of each).
class DLxViewFilter : public SMxTypeFilterItem {
public:
    explicit DLxViewFilter(int32_t type) : SMxTypeFilterItem(type) {}
    std::string GetFilterName() const override;
    SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const override;
};
