#pragma once
// A path in the browser: the arrangement (the document's browser) and the entries from its
// root down to the one meant. Not stored; valid while the entries live.
#include <vector>

class BRxDocManager;
class BRxEntry;

class BRxAbsPath {
public:
    BRxAbsPath() = default;
    explicit BRxAbsPath(BRxDocManager* arrangement) : m_arrangement(arrangement) {}

    BRxDocManager* GetArrangement() const { return m_arrangement; }
    void SetArrangement(BRxDocManager* arrangement) { m_arrangement = arrangement; }
    void Push(BRxEntry* entry) { m_entries.push_back(entry); }
    const std::vector<BRxEntry*>& GetEntries() const { return m_entries; }
    BRxEntry* Last() const { return m_entries.empty() ? nullptr : m_entries.back(); }
    // An arrangement and at least one entry.
    bool IsValid() const { return m_arrangement && !m_entries.empty(); }

private:
    BRxDocManager* m_arrangement = nullptr;
    std::vector<BRxEntry*> m_entries;
};
