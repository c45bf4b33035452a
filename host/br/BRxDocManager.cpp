#include "br/BRxDocManager.h"

#include <map>

#include "br/BRxFixedEntry.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "uc/UCxBrowserUtil.h"
#include "utx/UTxString16.h"

BRxDocManager::BRxDocManager() = default;

BRxDocManager::~BRxDocManager() {
    // Children first, so that none is left pointing at a parent already gone.
    while (!m_made.empty())
        m_made.pop_back();
    m_root.reset();
}

void BRxDocManager::BeginRebuild(const BRxFixedEntryType* rootType,
                                 const std::u16string& rootName) {
    if (!m_root)
        m_root = std::make_unique<BRxFixedEntry>(rootType, rootName, nullptr, RSeRefBase(),
                                                 RSeRefBase(), false);
    m_root->Rename(rootName);
    // Out of the tree, to come back in tree order.
    for (Made& m : m_made) {
        m.entry->SetParent(nullptr);
        m.used = false;
    }
}

BRxFixedEntry* BRxDocManager::AddEntry(const BRxFixedEntryType* type, const std::u16string& name,
                                       BRxEntry* parent, RSeIDed* subject) {
    if (!m_root) BeginRebuild(nullptr, {});
    BRxEntry* under = parent ? parent : m_root.get();
    for (Made& m : m_made)
        if (!m.used && subject && m.entry->Subject().GetTarget() == subject &&
            m.entry->GetType() == type) {
            m.used = true;
            m.entry->Rename(name);
            m.entry->SetParent(under);
            return m.entry.get();
        }
    m_made.push_back({std::make_unique<BRxFixedEntry>(type, name, under, RSeRefBase(subject),
                                                      RSeRefBase(), false),
                      true});
    return m_made.back().entry.get();
}

void BRxDocManager::FinishRebuild(RSeDatabase* db) {
    std::erase_if(m_made, [](const Made& m) { return !m.used; });
    if (!db) return;
    if (!m_root) BeginRebuild(nullptr, {});
    std::map<uint32_t, BRxEntry*> stored;
    for (uint32_t i = 0; i < db->GetSegmentCount(); ++i)
        db->GetSegment(i)->ForEachObject([&](RSeVMeta* o) {
            if (auto* e = dynamic_cast<BRxEntry*>(o)) stored.emplace(e->GetId(), e);
        });
    for (auto& [id, entry] : stored) {
        BRxEntry* parent = Find(entry->ParentSubject().GetTarget());
        if (parent == entry) parent = nullptr;
        entry->SetParent(parent ? parent : m_root.get());
    }
    for (auto& [id, entry] : stored)
        entry->ArrangeChildren();
}

namespace {
BRxEntry* FindUnder(BRxEntry* at, const RSeIDed* subject) {
    if (at->Subject().GetTarget() == subject) return at;
    for (BRxEntry* child : at->GetChildren())
        if (BRxEntry* found = FindUnder(child, subject)) return found;
    return nullptr;
}

void PrintUnder(const BRxEntry* at, int depth, std::string& out) {
    out.append(size_t(depth) * 2, ' ');
    if (auto* fixed = dynamic_cast<const BRxFixedEntry*>(at)) {
        out += UTx::ToUtf8(fixed->Text());
        out += " [icon " + std::to_string(fixed->Icon());
        if (const char* state = UCxBrowserUtil::StateIconName(fixed->StateIcon()); *state)
            out += std::string(", ") + state;
        out += "]";
    } else {
        out += "entry #" + std::to_string(at->GetId());
    }
    out += "\n";
    for (const BRxEntry* child : at->GetChildren())
        PrintUnder(child, depth + 1, out);
}
} // namespace

BRxEntry* BRxDocManager::Find(const RSeIDed* subject) const {
    return subject && m_root ? FindUnder(m_root.get(), subject) : nullptr;
}

std::string BRxDocManager::Print() const {
    std::string out;
    if (m_root) PrintUnder(m_root.get(), 0, out);
    return out;
}
