#include "Symbol/DLxGetDataSheet.h"

#include "DatumId/DLxDatumIdInstance.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxCallOutInstance.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGetDataSymbolRequest.h"
#include "Symbol/DLxLeaderTextInstance.h"

namespace {

template <class Item, class Symbol> bool Read(DLxGetDataItem* item, Symbol*& out) {
    auto* picked = dynamic_cast<Item*>(item);
    if (!picked) return false;
    out = dynamic_cast<Symbol*>(picked->GetSymbol());
    return true;
}

} // namespace

bool DLxGetDataSheet::GetSymbolInstance(DLxGetDataItem* item, DLxSymInstance*& out) {
    return Read<DLxGetDataSymbolItem>(item, out);
}

bool DLxGetDataSheet::GetCallOutInstance(DLxGetDataItem* item, DLxCallOutInstance*& out) {
    return Read<DLxGetDataCallOutItem>(item, out);
}

bool DLxGetDataSheet::GetDatumIdInstance(DLxGetDataItem* item, DLxDatumIdInstance*& out) {
    return Read<DLxGetDataDatumIdItem>(item, out);
}

bool DLxGetDataSheet::GetGDTInstance(DLxGetDataItem* item, DLxGDTInstance*& out) {
    return Read<DLxGetDataGDTItem>(item, out);
}

bool DLxGetDataSheet::GetLeaderTextInstance(DLxGetDataItem* item, DLxLeaderTextInstance*& out) {
    return Read<DLxGetDataLeaderTextItem>(item, out);
}

bool DLxGetDataSheet::GetBalloonSymInstance(DLxGetDataItem* item, DLxBalloonSymInstance*& out) {
    return Read<DLxGetDataBalloonSymItem>(item, out);
}
