#pragma once
// A preview of one placed instance: a copy of the instance with its input states (and, for
// leader trees, their nodes and what the nodes own) in a fragment of the transient segment.
// Changes made to the copy never reach the document; the copy keeps its references to what it
// does not own (views, sheet, styles), so that it draws as the stored instance would. The
// preview's display list shows what the copy drew at its last Recompute.
#include "dl/DLxTransientDrawObject.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"

class RDxFragment;
class RDxInstance;

class DLxInstanceTransientObj : public DLxTransientDrawObject {
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
    // Brings the copy up to date after a change to it and shows what it draws.
    UTxResult Recompute();
    // Drops the copy and what the preview shows.
    void EraseInstance();

private:
    RSeRefBase m_instance;
    RDxFragment* m_fragment = nullptr;
    RDxInstance* m_clone = nullptr;
};
