#pragma once
// A preview of one placed instance: a copy of the instance with its input states (and, for
// leader trees, their nodes and what the nodes own) in a fragment of the transient segment.
// Changes made to the copy never reach the document; the copy keeps its references to what it
// does not own (views, sheet, styles), so that it draws as the stored instance would: what the
// preview shows is the copy's own display list.
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"

class RDxFragment;
class RDxInstance;
class SMxDisplayList;

class DLxInstanceTransientObj {
public:
    explicit DLxInstanceTransientObj(const RSeRefBase& instance) : m_instance(instance) {}
    ~DLxInstanceTransientObj();
    DLxInstanceTransientObj(const DLxInstanceTransientObj&) = delete;
    DLxInstanceTransientObj& operator=(const DLxInstanceTransientObj&) = delete;

    // The stored instance (null when it has gone).
    RDxInstance* GetInstance() const;
    // Copies the instance (dropping an earlier copy); false without an instance or when it
    // cannot be copied.
    bool CloneInstance();
    // The copy; null before CloneInstance and after EraseInstance.
    RDxInstance* GetClonedInstance() const { return m_clone; }
    // Brings the copy up to date after a change to it.
    UTxResult Recompute();
    // What the copy draws; null without a copy (or for a copy that draws on no sheet).
    const SMxDisplayList* GetPreviewDisplayList() const;
    // Drops the copy.
    void EraseInstance();

private:
    RSeRefBase m_instance;
    RDxFragment* m_fragment = nullptr;
    RDxInstance* m_clone = nullptr;
};
