#pragma once
// The two context-menu items of an origin indicator: hide or show its arrowhead (44016) and
// edit its offset from the anchor in DLxCenterDatumEditDlg (44015). Neither changes the model
// itself: each hands the document one request (this host's views draw from the document, so
// there are no views to update). The indicator is
// the emblem the context menu was opened on; on anything else both items do nothing.
#include <cstdint>

#include "fw/FWxDocCmd.h"
#include "rse/RSeRef.h"

class DLxCenterDatumInstance;
class DUxEmblem;

class DLxCenterDatumEditCmd : public FWxDocCmd {
public:
    static constexpr int32_t kEditId = 44015;
    static constexpr int32_t kToggleHideId = 44016;

    explicit DLxCenterDatumEditCmd(FWxSceneDoc* doc) : FWxDocCmd(doc) {}

    // The emblem the context menu was opened on.
    void SetInstance(DUxEmblem* emblem);
    DLxCenterDatumInstance* GetInstance() const;

    // Routes the two items' WM_COMMAND messages to their handlers.
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    void OnToggleHide();
    void OnEdit();

private:
    RSeRef<DUxEmblem> m_emblem;
};
