#pragma once
// A drag manipulator of one placed instance that previews on a copy. StartDrag copies the
// instance with its input states (and, for leader trees, their nodes and what the nodes own)
// into a fragment of the transient segment; the drag changes only that copy, and Drag
// recomputes it so that its display list shows the instance as it would be. The stored instance
// changes only when the request attached at EndDrag runs. CancelDrag, PostRequest and the
// destructor throw the copy away.
//
// The copy keeps its references to everything it does not own (views, sheet, styles), so that
// it draws as the stored instance would; it is never added to the document's fragments.
#include <cstdint>
#include <memory>

#include "dl/DLxManipulator.h"
#include "rse/RSeRef.h"

class DLxInstanceTransientObj;
class RDxInstance;
class SMxDisplayList;
class WqGePoint3d;

class DLxInstanceManipulator : public DLxManipulator {
public:
    // `doc` is where the drag's request runs; null takes the instance's document.
    DLxInstanceManipulator(const RSeRefBase& instance, int32_t selectionClass,
                           FWxSelection* selection, FWxSceneDoc* doc = nullptr);
    ~DLxInstanceManipulator() override;

    // Copies the instance into the preview; false without an instance or when it cannot be
    // copied.
    bool StartDrag(const WqGePoint3d& point) override;
    // Recomputes the preview; false when the copy does not compute.
    bool Drag(const WqGePoint3d& point) override;
    void CancelDrag() override;
    bool PostRequest() override;

    // The stored instance (null when it has gone).
    RDxInstance* GetInstance() const;
    const RSeRefBase& GetInstanceRef() const { return m_instance; }
    // The copy the drag works on; null outside a drag.
    RDxInstance* GetClonedInstance() const;
    // What the preview shows: the copy's display list, null without one.
    const SMxDisplayList* GetPreviewDisplayList() const;
    FWxSceneDoc* GetDocument() const;
    // Brings the copy up to date after a change to it.
    UTxResult RecomputePreview();

protected:
    void DiscardPreview();

private:
    RSeRefBase m_instance;
    FWxSceneDoc* m_doc;
    std::unique_ptr<DLxInstanceTransientObj> m_preview;
};
