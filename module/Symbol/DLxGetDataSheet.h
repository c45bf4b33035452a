#pragma once
// How a command reads the picked symbol back out of a pick request's item. Each answers false,
// leaving `out` as it was, when the item is not of the kind's item class; otherwise `out`
// receives the item's symbol as the kind (null when it is not one, or is gone) and the answer
// is true.
class DLxCallOutInstance;
class DLxDatumIdInstance;
class DLxGDTInstance;
class DLxGetDataItem;
class DLxBalloonSymInstance;
class DLxLeaderTextInstance;
class DLxSymInstance;

namespace DLxGetDataSheet {
// Any symbol item, whatever its kind.
bool GetSymbolInstance(DLxGetDataItem* item, DLxSymInstance*& out);
bool GetCallOutInstance(DLxGetDataItem* item, DLxCallOutInstance*& out);
bool GetDatumIdInstance(DLxGetDataItem* item, DLxDatumIdInstance*& out);
bool GetGDTInstance(DLxGetDataItem* item, DLxGDTInstance*& out);
bool GetLeaderTextInstance(DLxGetDataItem* item, DLxLeaderTextInstance*& out);
bool GetBalloonSymInstance(DLxGetDataItem* item, DLxBalloonSymInstance*& out);
} // namespace DLxGetDataSheet
