#pragma once
// Base of the commands that edit a selected annotation: the command finds its annotation in the
// document's selection, can show an editable copy of it while a dialog is open (OnInitialize
// turns the preview on, OnTerminate turns it off), and posts one request when the user confirms
// (PostEditRequest). The stored annotation changes only through that request.
#include <cstdint>
#include <memory>

#include "fw/FWxDocCmd.h"
#include "rse/RSeRef.h"

class DLxInstanceTransientObj;
class RDxInstance;

class DLxSymbolEditCmd : public FWxDocCmd {
public:
    explicit DLxSymbolEditCmd(FWxSceneDoc* doc);
    ~DLxSymbolEditCmd() override;

    // Hands the edit to the document; false when there was nothing to hand over with.
    virtual bool PostEditRequest() = 0;

    // The emblem of the first selection of the document's drawing selection set when that is an
    // emblem selection; null otherwise.
    RSeRef<RDxInstance> GetSelectedEmblem() const;
    // Takes the selected emblem as the edited instance and shows a copy of it; false (and no
    // preview) without one.
    bool OnInitialize();
    // Applies the edit unless `cancel`, then drops the preview.
    void OnTerminate(int32_t cancel);

    const RSeRef<RDxInstance>& GetInstance() const { return m_instance; }
    // The copy the preview shows; null when there is no preview.
    RDxInstance* GetTransientInstance() const;
    // Brings the preview up to date after a change to the copy.
    void RecomputePreview();
    // What the preview draws; null when there is no preview.
    const DLxInstanceTransientObj* GetPreview() const { return m_preview.get(); }

private:
    RSeRef<RDxInstance> m_instance;
    std::unique_ptr<DLxInstanceTransientObj> m_preview;
};
