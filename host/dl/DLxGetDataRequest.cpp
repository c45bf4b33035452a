#include "dl/DLxGetDataRequest.h"

#include "dl/DLxTDXUtil.h"
#include "dl/DLxViewInstance.h"
#include "fw/FWxSelection.h"
#include "ge/WqGePoint3d.h"
#include "sm/SMxTypeFilterItem.h"

DLxGetDataItem::~DLxGetDataItem() = default;

DLxViewInstance* DLxGetDataSelectItem::GetView() const {
    return m_view.get();
}

void DLxGetDataSelectItem::SetView(DLxViewInstance* view) {
    m_view = view;
}

DLxGetDataRequest::~DLxGetDataRequest() = default;

DLxGetDataItem* DLxGetDataSelectRequest::GetItem(FWxSelection*) {
    return nullptr;
}

void DLxGetDataSelectRequest::SetSelectionMasks(
    std::vector<std::unique_ptr<DLxGetDataSelectRequest>> masks) {
    m_masks = std::move(masks);
}

void DLxGetDataSelectRequest::BuildFilter(FWxSelectionFilter& filter) {
    if (SMxTypeFilterItem* own = SetFilter()) filter.Add(own);
    for (const std::unique_ptr<DLxGetDataSelectRequest>& mask : m_masks)
        if (SMxTypeFilterItem* item = mask->SetFilter()) filter.Add(item);
}

std::unique_ptr<DLxGetDataItem> DLxGetDataSelectRequest::Pick(FWxSceneDoc* doc,
                                                              const WqGePoint3d& point) {
    // A pick hits within this of what is drawn, as the select command's own picks do.
    constexpr double kPickTolerance = 1e-9;
    FWxSelectionFilter filter;
    BuildFilter(filter);
    FWxSelectionSet set;
    DLxTDXUtil::GetSelection(doc, point, set, filter, kPickTolerance);
    for (const SmartPtr<FWxSelection>& selection : set)
        if (DLxGetDataItem* item = GetItem(selection.get()))
            return std::unique_ptr<DLxGetDataItem>(item);
    return nullptr;
}
