#pragma once
// A document's selection sets: the draw selection set (what the user has selected on the
// sheets and in the browser), the pre-selection set (what the cursor highlights) and the named
// sets that commands add for their own picks. Kept beside the document, never stored: a
// selection is not part of the document's state and survives no undo.
#include <memory>
#include <utility>
#include <vector>

#include "utx/UTxString16.h"

class FWxSceneDoc;
class FWxSelectionSet;

class FWxSelectionSetMgr {
public:
    FWxSelectionSetMgr();
    ~FWxSelectionSetMgr();
    FWxSelectionSetMgr(const FWxSelectionSetMgr&) = delete;
    FWxSelectionSetMgr& operator=(const FWxSelectionSetMgr&) = delete;

    // The document's manager, made on first use; null for no document.
    static FWxSelectionSetMgr* Get(FWxSceneDoc* doc);

    FWxSelectionSet* GetDrawSelectionSet() const { return m_draw.get(); }
    FWxSelectionSet* GetPreSelectionSet() const { return m_pre.get(); }
    // A named set, made empty when the name is new; the manager owns it.
    FWxSelectionSet* Add(const UTxString16& name);
    FWxSelectionSet* Find(const UTxString16& name) const;
    void Remove(const UTxString16& name);
    // Empties every set, the pre-selection set among them (a command ends what the user had
    // selected once it acted on it).
    void EmptySelectionSets();

private:
    std::unique_ptr<FWxSelectionSet> m_draw;
    std::unique_ptr<FWxSelectionSet> m_pre;
    std::vector<std::pair<UTxString16, std::unique_ptr<FWxSelectionSet>>> m_named;
};
