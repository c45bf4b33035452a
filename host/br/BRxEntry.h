#pragma once
// The model browser, headless: a tree of entries, each showing one subject (a document object,
// or nothing for the root). The tree's links (parent, children) are not stored: the document's
// browser (BRxDocManager) builds the entries it owns afresh and hangs stored entries (those an
// object keeps of itself, such as a parts list's) under the entry of their parent subject,
// which they store. An entry hears the events of its subject from the notifier once it starts
// observing: GetEventSet says which, and OnEvent (the observer's) receives them; a stored entry
// that observed starts again after a load.
//
// Stored record: subject, parent subject (references), observing (bool).
#include <cstdint>
#include <vector>

#include "rse/RSeIDed.h"
#include "rse/RSeNotifier.h"
#include "rse/RSeRef.h"

class BRxEntry : public RSeIDed, public RSeObjectObserverM {
public:
    BRxEntry() = default;
    explicit BRxEntry(const RSeStream* s) : RSeIDed(s) {}
    // Hangs itself under `parent` (when given), whose subject it keeps as its parent subject.
    BRxEntry(const RSeRefBase& subject, BRxEntry* parent);
    // Leaves its parent and the notifier; its children lose their parent.
    ~BRxEntry() override;
    RSeMetaType* GetMeta() const override;

    const RSeRefBase& Subject() const { return m_subject; }
    const RSeRefBase& ParentSubject() const { return m_parentSubject; }
    BRxEntry* GetParent() const { return m_parent; }
    const std::vector<BRxEntry*>& GetChildren() const { return m_children; }
    // Moves the entry under another parent (null: none), at the end of its children; an entry
    // that lists first goes after those of its new siblings that list first, before the rest.
    void SetParent(BRxEntry* parent);
    // Whether the entry goes before the other children of its parent (a folder that gathers
    // annotations of its sheet before the sheet's views).
    virtual bool ListsFirst() const { return false; }
    // Called once the document's browser has hung every stored entry in: an entry that keeps
    // an order of its children puts them in it. The base keeps the order they came in.
    virtual void ArrangeChildren() {}
    // Puts the children named in `order` first, in that order; the others follow as they were.
    void ReorderChildren(const std::vector<BRxEntry*>& order);

    // The browser redraws a modified entry and then clears the mark.
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified = true) { m_modified = modified; }

    // Registers with the notifier for GetEventSet's events on the subject.
    void StartObservingSubject();
    void StopObservingSubject();
    bool IsObservingSubject() const { return m_observing; }
    // The events the entry hears and when (the notifier's timing); the base hears none.
    virtual RSeNotifierEventMask GetEventSet(int32_t& timing) const;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult Clone(BRxEntry* target, RSeCloneCommander* cc) const;

protected:
    // For an entry made before what it shows can be named (an entry that stands for itself).
    void SetSubject(const RSeRefBase& subject);

private:
    RSeRef<RSeIDed> m_subject;
    RSeRef<RSeIDed> m_parentSubject;
    bool m_observing = false;
    BRxEntry* m_parent = nullptr;      // not stored
    std::vector<BRxEntry*> m_children; // not stored, not owned
    bool m_modified = false;           // not stored
};

namespace RSe {
RSeMetaType* _InitMeta(const BRxEntry*);
RSeMetaType* _GetMeta(const BRxEntry*);
} // namespace RSe
