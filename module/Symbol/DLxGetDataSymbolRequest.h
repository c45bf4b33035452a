#pragma once
// Pick requests of the placed symbols: a command that needs the user to pick a symbol runs one
// of these. Each kind's request admits picks of its kind and hands the command an item naming
// the picked symbol, where it was picked and the view it belongs to; the composite
// DLxGetDataSymbolRequest admits every kind at once. A command reads the symbol back out of
// the item with the DLxGetDataSheet functions.
#include "dl/DLxGetDataRequest.h"
#include "ge/WqGePoint3d.h"

class DLxSymInstance;

// Cursor and status text of a pick request that is given none.
inline constexpr uint32_t kDLxGetDataSymbolDefaultPrompt = 15809;

// ---- items

class DLxGetDataSymbolItem : public DLxGetDataSelectItem {
public:
    DLxGetDataSymbolItem(DLxSymInstance* symbol, const WqGePoint3d& point, DLxViewInstance* view,
                         int32_t requestId);
    ~DLxGetDataSymbolItem() override;
    // Null once the symbol is gone.
    DLxSymInstance* GetSymbol() const { return m_symbol.get(); }
    const WqGePoint3d& GetPoint() const { return m_point; }

private:
    RSeRef<DLxSymInstance> m_symbol;
    WqGePoint3d m_point;
};

// One item class per kind, so that a command tells the kinds apart.
#define KORVU_GETDATA_ITEM(Name)                                                                   \
    class Name : public DLxGetDataSymbolItem {                                                     \
    public:                                                                                        \
        using DLxGetDataSymbolItem::DLxGetDataSymbolItem;                                          \
    };
KORVU_GETDATA_ITEM(DLxGetDataCallOutItem)
KORVU_GETDATA_ITEM(DLxGetDataDatumIdItem)
KORVU_GETDATA_ITEM(DLxGetDataGDTItem)
KORVU_GETDATA_ITEM(DLxGetDataBalloonSymItem)
#undef KORVU_GETDATA_ITEM

class DLxGetDataLeaderTextItem : public DLxGetDataSymbolItem {
public:
    DLxGetDataLeaderTextItem(DLxSymInstance* symbol, const WqGePoint3d& point,
                             DLxViewInstance* view, int32_t requestId, bool pureText)
        : DLxGetDataSymbolItem(symbol, point, view, requestId), m_pureText(pureText) {}
    // The pick was on the text itself rather than its leader.
    bool GetIsPureText() const { return m_pureText; }

private:
    bool m_pureText;
};

// ---- requests

// Each kind's request: admits its kind (filter sub-type 1) and makes its kind's item.
#define KORVU_GETDATA_REQUEST(Name)                                                                \
    class Name : public DLxGetDataSelectRequest {                                                  \
    public:                                                                                        \
        explicit Name(int32_t requestId = -1, uint32_t cursor = 0, uint32_t statusText = 0,        \
                      uint32_t menu = 0);                                                          \
        SMxTypeFilterItem* SetFilter() override;                                                   \
        DLxGetDataItem* GetItem(FWxSelection* selection) override;                                 \
    };
KORVU_GETDATA_REQUEST(DLxGetDataCallOutRequest)
KORVU_GETDATA_REQUEST(DLxGetDataDatumIdRequest)
KORVU_GETDATA_REQUEST(DLxGetDataGDTRequest)
KORVU_GETDATA_REQUEST(DLxGetDataLeaderTextRequest)
KORVU_GETDATA_REQUEST(DLxGetDataBalloonSymRequest)
#undef KORVU_GETDATA_REQUEST

// Admits every kind above through their requests; makes the item of whichever kind was picked.
class DLxGetDataSymbolRequest : public DLxGetDataSelectRequest {
public:
    explicit DLxGetDataSymbolRequest(int32_t requestId = -1, uint32_t cursor = 0,
                                     uint32_t statusText = 0, uint32_t menu = 0);
    // Tries the kinds in the order callout, datum identifier, feature control frame, leader
    // text, balloon; any other table callout makes what its selection offers (nothing).
    DLxGetDataItem* GetItem(FWxSelection* selection) override;
};
