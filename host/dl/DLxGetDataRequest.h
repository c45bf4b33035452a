#pragma once
// Pick requests: how a command of the drawing environment asks the user to pick something.
// A select request supplies the filter items of what may be picked (its own, and those of the
// requests it was given as selection masks) and turns each accepted selection into a data item
// that carries what was picked back to the command. Nothing here changes the document: a pick
// request only reads selections, so it neither journals nor undoes.
#include <cstdint>
#include <memory>
#include <vector>

#include "rse/RSeRef.h"

class DLxViewInstance;
class FWxSceneDoc;
class FWxSelection;
class FWxSelectionFilter;
class SMxTypeFilterItem;
class WqGePoint3d;

// What a pick request hands its command; the command owns it.
class DLxGetDataItem {
public:
    explicit DLxGetDataItem(int32_t requestId) : m_requestId(requestId) {}
    virtual ~DLxGetDataItem();
    DLxGetDataItem(const DLxGetDataItem&) = delete;
    DLxGetDataItem& operator=(const DLxGetDataItem&) = delete;
    int32_t GetRequestID() const { return m_requestId; }

private:
    int32_t m_requestId;
};

// The item of a picked object, with the view it was picked in (null on the bare sheet).
class DLxGetDataSelectItem : public DLxGetDataItem {
public:
    DLxGetDataSelectItem(bool edgeSelection, int32_t requestId)
        : DLxGetDataItem(requestId), m_edgeSelection(edgeSelection) {}
    bool IsEdgeSelection() const { return m_edgeSelection; }
    DLxViewInstance* GetView() const;
    void SetView(DLxViewInstance* view);

private:
    bool m_edgeSelection;
    RSeRef<DLxViewInstance> m_view;
};

class DLxGetDataRequest {
public:
    DLxGetDataRequest(int32_t requestId, uint32_t cursor, uint32_t statusText, uint32_t menu)
        : m_requestId(requestId), m_cursor(cursor), m_statusText(statusText), m_menu(menu) {}
    virtual ~DLxGetDataRequest();
    DLxGetDataRequest(const DLxGetDataRequest&) = delete;
    DLxGetDataRequest& operator=(const DLxGetDataRequest&) = delete;

    int32_t GetRequestID() const { return m_requestId; }
    // Resource ids of the cursor, the status-bar prompt and the context menu (0: none).
    uint32_t GetCursor() const { return m_cursor; }
    uint32_t GetStatusText() const { return m_statusText; }
    uint32_t GetMenu() const { return m_menu; }

private:
    int32_t m_requestId;
    uint32_t m_cursor;
    uint32_t m_statusText;
    uint32_t m_menu;
};

class DLxGetDataSelectRequest : public DLxGetDataRequest {
public:
    using DLxGetDataRequest::DLxGetDataRequest;

    // A new filter item of what this request itself admits (the caller takes it); null when
    // the request admits nothing of its own.
    virtual SMxTypeFilterItem* SetFilter() { return nullptr; }
    // The item of an accepted selection (the caller takes it); null for a selection the
    // request does not accept.
    virtual DLxGetDataItem* GetItem(FWxSelection* selection);

    // Further requests whose filters also admit picks; the request keeps them for as long as
    // it lives.
    void SetSelectionMasks(std::vector<std::unique_ptr<DLxGetDataSelectRequest>> masks);
    size_t GetSelectionMaskCount() const { return m_masks.size(); }
    // This request's filter item, then those of its masks in order.
    void BuildFilter(FWxSelectionFilter& filter);

    // A user's pick at `point` on the document's sheets: the item of the first selection the
    // filter makes there that GetItem accepts; null when nothing is picked or accepted.
    std::unique_ptr<DLxGetDataItem> Pick(FWxSceneDoc* doc, const WqGePoint3d& point);

private:
    std::vector<std::unique_ptr<DLxGetDataSelectRequest>> m_masks;
};
