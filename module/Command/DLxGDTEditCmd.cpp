#include "Command/DLxGDTEditCmd.h"

#include "Command/DLxGDTSymDialog.h"
#include "Request/DLxCreateGDTRequest.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTState.h"
#include "dl/DLxInstanceManipulator.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxState.h"

namespace {
constexpr UTxResultCode kBadInput = 0x200B0323;

// Remembers whether the dialog ended with OK.
class OkWatcher : public FWxState {
public:
    bool ok = false;
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override {
        if (id == UCxDialog::kNotifyOK) {
            ok = true;
            return true;
        }
        return FWxState::OnCmdMsg(id, code, extra);
    }
};
} // namespace

void DLxGDTEditCmd::SetInstance(DLxGDTInstance* frame) {
    m_frame = RSeRef<DLxGDTInstance>(frame);
}

UTxResult DLxGDTEditCmd::Edit(const User& user) {
    m_request = nullptr;
    FWxSceneDoc* doc = GetDocument();
    if (!doc || !m_frame.HasTarget())
        return m_result = UTxResult::Refusal(kBadInput, u"no frame to edit");
    if (!doc->PermittedCommand(1))
        return m_result = UTxResult::Refusal(kBadInput, u"the drawing permits no edit now");
    // The copy the dialog edits: the frame with its states and leaders, in the transient
    // segment, thrown away when the preview goes.
    DLxInstanceManipulator preview(m_frame, DLxManipulator::kClassObject, nullptr, doc);
    if (!preview.StartDrag({}))
        return m_result = UTxResult::Refusal(kBadInput, u"the frame cannot be copied");
    auto* copy = dynamic_cast<DLxGDTInstance*>(preview.GetClonedInstance());
    if (!copy) return m_result = UTxResult::Refusal(kBadInput, u"the frame cannot be copied");
    // The copy lives outside the document: it takes the document's frame style along.
    if (DLxGDTState* state = copy->GetGDTState()) state->TakeDocumentStyle(doc);
    OkWatcher watcher;
    {
        DLxGDTSymDialog dlg(RSeRef<DLxGDTInstance>(copy), &watcher);
        if (!dlg.Create()) return m_result = UTxResult::Refusal(kBadInput, u"the frame has no state");
        dlg.OnShowWindow(true);
        if (user)
            user(dlg);
        else
            UCxDialog::RunUser(dlg);
        if (watcher.ok) m_request = DLxGDTSymDialog::MakeEditRequest(m_frame, *copy);
        dlg.DestroyWindow();
    }
    preview.CancelDrag();
    m_result = {};
    if (m_request) PostEditRequest();
    return m_result;
}

bool DLxGDTEditCmd::PostEditRequest() {
    FWxSceneDoc* doc = GetDocument();
    if (!m_request || !doc) return false;
    SmartPtr<DLxCreateGDTRequest> request = m_request;
    m_request = nullptr;
    m_result = doc->ProcessChangeRequest(request.get());
    return true;
}

UTxResult DLxGDTEditCmd::EditInstance(RDxInstance* instance, FWxSceneDoc* doc) {
    auto* frame = dynamic_cast<DLxGDTInstance*>(instance);
    if (!frame || !doc) return UTxResult::Refusal(kBadInput, u"not a feature control frame");
    DLxGDTEditCmd cmd(doc);
    cmd.SetInstance(frame);
    return cmd.Edit();
}
