#include "Symbol/DLxGetDataSymbolRequest.h"

#include "DatumId/DLxDatumIdInstance.h"
#include "DatumId/DLxDatumIdSelection.h"
#include "Leader/DLxLeaderTextSymbolSelection.h"
#include "Leader/DLxSymFilters.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxBalloonSymSelection.h"
#include "Symbol/DLxCallOutInstance.h"
#include "Symbol/DLxCallOutSelection.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTSelection.h"
#include "Symbol/DLxLeaderTextInstance.h"
#include "Symbol/DLxSymInstance.h"

DLxGetDataSymbolItem::DLxGetDataSymbolItem(DLxSymInstance* symbol, const WqGePoint3d& point,
                                           DLxViewInstance* view, int32_t requestId)
    : DLxGetDataSelectItem(false, requestId), m_symbol(symbol), m_point(point) {
    SetView(view);
}

DLxGetDataSymbolItem::~DLxGetDataSymbolItem() = default;

namespace {

uint32_t Prompt(uint32_t id) {
    return id ? id : kDLxGetDataSymbolDefaultPrompt;
}

// The item of a selection of kind S (whose symbol `symbolOf` names); null for another kind.
template <class Item, class S, class Symbol>
DLxGetDataItem* MakeItem(FWxSelection* selection, Symbol* (S::*symbolOf)() const,
                         int32_t requestId) {
    auto* picked = dynamic_cast<S*>(selection);
    if (!picked) return nullptr;
    return new Item((picked->*symbolOf)(), picked->GetPickPoint(), picked->GetView(), requestId);
}

DLxGetDataItem* LeaderTextItem(FWxSelection* selection, int32_t requestId) {
    auto* picked = dynamic_cast<DLxLeaderTextSymbolSelection*>(selection);
    if (!picked) return nullptr;
    return new DLxGetDataLeaderTextItem(picked->GetLeaderTextSymbol(), picked->GetPickPoint(),
                                        picked->GetView(), requestId, picked->GetIsPureText());
}

} // namespace

#define KORVU_GETDATA_REQUEST_BODY(Name, Filter)                                                   \
    Name::Name(int32_t requestId, uint32_t cursor, uint32_t statusText, uint32_t menu)             \
        : DLxGetDataSelectRequest(requestId, Prompt(cursor), Prompt(statusText), menu) {}          \
    SMxTypeFilterItem* Name::SetFilter() {                                                         \
        return new Filter(Filter::ESubType(1));                                                    \
    }

KORVU_GETDATA_REQUEST_BODY(DLxGetDataCallOutRequest, DLxCallOutFilter)
KORVU_GETDATA_REQUEST_BODY(DLxGetDataDatumIdRequest, DLxDatumIdFilter)
KORVU_GETDATA_REQUEST_BODY(DLxGetDataGDTRequest, DLxGDTFilter)
KORVU_GETDATA_REQUEST_BODY(DLxGetDataLeaderTextRequest, DLxLeaderTextSymbolFilter)
KORVU_GETDATA_REQUEST_BODY(DLxGetDataBalloonSymRequest, DLxBalloonSymFilter)
#undef KORVU_GETDATA_REQUEST_BODY

DLxGetDataItem* DLxGetDataCallOutRequest::GetItem(FWxSelection* selection) {
    return MakeItem<DLxGetDataCallOutItem>(selection, &DLxCallOutSelection::GetInstance,
                                           GetRequestID());
}

DLxGetDataItem* DLxGetDataDatumIdRequest::GetItem(FWxSelection* selection) {
    return MakeItem<DLxGetDataDatumIdItem>(selection, &DLxDatumIdSelection::GetInstance,
                                           GetRequestID());
}

DLxGetDataItem* DLxGetDataGDTRequest::GetItem(FWxSelection* selection) {
    return MakeItem<DLxGetDataGDTItem>(selection, &DLxGDTSelection::GetInstance, GetRequestID());
}

DLxGetDataItem* DLxGetDataLeaderTextRequest::GetItem(FWxSelection* selection) {
    return LeaderTextItem(selection, GetRequestID());
}

DLxGetDataItem* DLxGetDataBalloonSymRequest::GetItem(FWxSelection* selection) {
    return MakeItem<DLxGetDataBalloonSymItem>(selection, &DLxBalloonSymSelection::GetBalloonSymbol,
                                              GetRequestID());
}

DLxGetDataSymbolRequest::DLxGetDataSymbolRequest(int32_t requestId, uint32_t cursor,
                                                 uint32_t statusText, uint32_t menu)
    : DLxGetDataSelectRequest(requestId, Prompt(cursor), Prompt(statusText), menu) {
    std::vector<std::unique_ptr<DLxGetDataSelectRequest>> kinds;
    kinds.push_back(std::make_unique<DLxGetDataCallOutRequest>(requestId));
    kinds.push_back(std::make_unique<DLxGetDataDatumIdRequest>(requestId));
    kinds.push_back(std::make_unique<DLxGetDataGDTRequest>(requestId));
    kinds.push_back(std::make_unique<DLxGetDataLeaderTextRequest>(requestId));
    kinds.push_back(std::make_unique<DLxGetDataBalloonSymRequest>(requestId));
    SetSelectionMasks(std::move(kinds));
}

DLxGetDataItem* DLxGetDataSymbolRequest::GetItem(FWxSelection* selection) {
    const int32_t id = GetRequestID();
    if (DLxGetDataItem* item =
            MakeItem<DLxGetDataCallOutItem>(selection, &DLxCallOutSelection::GetInstance, id))
        return item;
    if (DLxGetDataItem* item =
            MakeItem<DLxGetDataDatumIdItem>(selection, &DLxDatumIdSelection::GetInstance, id))
        return item;
    if (DLxGetDataItem* item =
            MakeItem<DLxGetDataGDTItem>(selection, &DLxGDTSelection::GetInstance, id))
        return item;
    if (DLxGetDataItem* item = LeaderTextItem(selection, id)) return item;
    if (DLxGetDataItem* item = MakeItem<DLxGetDataBalloonSymItem>(
            selection, &DLxBalloonSymSelection::GetBalloonSymbol, id))
        return item;
    if (auto* callout = dynamic_cast<DLxTableCalloutBaseSelection*>(selection))
        return callout->GetDataItem(id);
    return nullptr;
}
