#include "fw/FWxSelectionSetMgr.h"

#include <algorithm>

#include "fw/FWxSceneDoc.h"
#include "fw/FWxSelection.h"

namespace {
struct SetsOfDoc : FWxDocData {
    FWxSelectionSetMgr mgr;
};
const char s_key = 0;
std::unique_ptr<FWxDocData> MakeSets(FWxSceneDoc*) {
    return std::make_unique<SetsOfDoc>();
}
} // namespace

FWxSelectionSetMgr::FWxSelectionSetMgr()
    : m_draw(std::make_unique<FWxSelectionSet>()), m_pre(std::make_unique<FWxSelectionSet>()) {}

FWxSelectionSetMgr::~FWxSelectionSetMgr() = default;

FWxSelectionSetMgr* FWxSelectionSetMgr::Get(FWxSceneDoc* doc) {
    if (!doc) return nullptr;
    return &static_cast<SetsOfDoc&>(doc->GetData(&s_key, &MakeSets)).mgr;
}

FWxSelectionSet* FWxSelectionSetMgr::Add(const UTxString16& name) {
    if (FWxSelectionSet* set = Find(name)) return set;
    m_named.emplace_back(name, std::make_unique<FWxSelectionSet>());
    return m_named.back().second.get();
}

FWxSelectionSet* FWxSelectionSetMgr::Find(const UTxString16& name) const {
    for (const auto& [n, set] : m_named)
        if (n == name) return set.get();
    return nullptr;
}

void FWxSelectionSetMgr::Remove(const UTxString16& name) {
    std::erase_if(m_named, [&](const auto& entry) { return entry.first == name; });
}

void FWxSelectionSetMgr::EmptySelectionSets() {
    m_draw->RemoveAll();
    m_pre->RemoveAll();
    for (auto& entry : m_named)
        entry.second->RemoveAll();
}
