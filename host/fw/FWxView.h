#pragma once
// A view of a document, headless: it keeps what was asked of its window, so that a test (or the
// program) sees it. Invalidating a view asks for a redraw in an update state; a command posted
// to its window waits in the window's queue until the host runs it, after the poster returned.
// Each document may have one browser view (its tree of objects), kept here by document.
#include <cstdint>
#include <vector>

class FWxSceneDoc;

class FWxView {
public:
    explicit FWxView(FWxSceneDoc* doc) : m_doc(doc) {}
    virtual ~FWxView();
    FWxView(const FWxView&) = delete;
    FWxView& operator=(const FWxView&) = delete;

    FWxSceneDoc* GetDocument() const { return m_doc; }

    // Asks for a redraw in update state `state`.
    void InvalidateView(int32_t state, bool erase);
    int32_t GetInvalidations() const { return m_invalidations; }
    int32_t GetLastUpdateState() const { return m_lastState; }

    // A WM_COMMAND with the command id and no control, queued for the window.
    void PostCommand(uint32_t id) { m_posted.push_back(id); }
    const std::vector<uint32_t>& GetPostedCommands() const { return m_posted; }
    // Empties the queue, answering what it held in posting order.
    std::vector<uint32_t> TakePostedCommands();

    // The document's browser view; null when it has none. The view is the caller's: it must
    // be unset (null) before it goes.
    static FWxView* GetBrowserView(const FWxSceneDoc* doc);
    static void SetBrowserView(const FWxSceneDoc* doc, FWxView* view);

private:
    FWxSceneDoc* m_doc;
    int32_t m_invalidations = 0;
    int32_t m_lastState = 0;
    std::vector<uint32_t> m_posted;
};
