#include "fw/FWxView.h"

#include <unordered_map>

namespace {
std::unordered_map<const FWxSceneDoc*, FWxView*>& BrowserViews() {
    static std::unordered_map<const FWxSceneDoc*, FWxView*> views;
    return views;
}
} // namespace

// A view that goes is nobody's browser view any more.
FWxView::~FWxView() {
    auto& views = BrowserViews();
    for (auto it = views.begin(); it != views.end();)
        it = it->second == this ? views.erase(it) : std::next(it);
}

void FWxView::InvalidateView(int32_t state, bool) {
    ++m_invalidations;
    m_lastState = state;
}

std::vector<uint32_t> FWxView::TakePostedCommands() {
    std::vector<uint32_t> posted;
    posted.swap(m_posted);
    return posted;
}

FWxView* FWxView::GetBrowserView(const FWxSceneDoc* doc) {
    const auto& views = BrowserViews();
    const auto it = views.find(doc);
    return it == views.end() ? nullptr : it->second;
}

void FWxView::SetBrowserView(const FWxSceneDoc* doc, FWxView* view) {
    if (view) BrowserViews()[doc] = view;
    else BrowserViews().erase(doc);
}
