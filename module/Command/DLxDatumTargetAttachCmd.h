#pragma once
// The datum target's balloon context items: "DrawingAttachBalloonToDatumTargetCtxCmd" (40046)
// attaches one more balloon beside the pre-selected target, "DLxDatumTargetRemoveCmd" (44007)
// takes away the attached balloon nearest to where the target was picked. A first attached
// balloon waits for the user's click, which chooses the side of the default balloon (right,
// left, above or below it at two balloon sizes); a further balloon goes two balloon sizes beyond
// the last one, on the ray from the default balloon through it, without a click.
#include <cstdint>
#include <vector>

#include "fw/FWxDocCmd.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"

class DLxDatumTarget;

// What one activation of either command works on.
class DLxDatumAttachTarget {
public:
    explicit DLxDatumAttachTarget(FWxSceneDoc* doc) : m_doc(doc) {}
    void SetRemoveMode(bool remove) { m_remove = remove; }
    // Reads and empties the document's selection, then acts; true when the command is done,
    // false when it waits for a click.
    bool OnActivate();
    // The candidate nearest `point` (the first of equally near ones).
    WqGePoint3d NearestCandidate(const WqGePoint3d& point) const;
    // The click that chooses the side; posts the attach request.
    void OnLButtonDown(const WqGePoint3d& point);
    const std::vector<WqGePoint3d>& GetCandidates() const { return m_candidates; }

private:
    void PostAttach(const WqGePoint3d& point);

    FWxSceneDoc* m_doc;
    RSeRef<DLxDatumTarget> m_target;
    std::vector<WqGePoint3d> m_candidates;
    bool m_remove = false;
};

class DLxDatumTargetAttachCmd : public FWxDocCmd {
public:
    static constexpr int32_t kCommandId = 40046;

    explicit DLxDatumTargetAttachCmd(FWxSceneDoc* doc) : DLxDatumTargetAttachCmd(doc, false) {}
    ~DLxDatumTargetAttachCmd() override;

    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    void OnCommand() override;
    void OnUpdateCommand(FWxCmdUI& ui) override;
    // A user's click while the command waits for one; false when it waits for none.
    bool Pick(const WqGePoint3d& point);
    // Ends the command without placing anything.
    void Cancel();
    bool IsWaiting() const { return m_waiting; }
    // The command waiting for a click, null when none does.
    static DLxDatumTargetAttachCmd* GetActive() { return s_active; }

protected:
    DLxDatumTargetAttachCmd(FWxSceneDoc* doc, bool remove);
    int32_t CommandId() const { return m_remove ? 44007 : kCommandId; }
    void OnTerminate();

private:
    static DLxDatumTargetAttachCmd* s_active;
    DLxDatumAttachTarget m_target;
    bool m_remove;
    bool m_waiting = false;
};

class DLxDatumTargetRemoveCmd : public DLxDatumTargetAttachCmd {
public:
    static constexpr int32_t kCommandId = 44007;
    explicit DLxDatumTargetRemoveCmd(FWxSceneDoc* doc) : DLxDatumTargetAttachCmd(doc, true) {}
    void OnUpdateCommand(FWxCmdUI& ui) override;
};
