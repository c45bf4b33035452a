#pragma once
// The datum target's balloon context items: "DrawingAttachBalloonToDatumTargetCtxCmd" (40046)
// attaches one more balloon beside the pre-selected target, "DLxDatumTargetRemoveCmd" (44007)
// takes away the attached balloon nearest to where the target was picked. A first attached
// balloon waits for the user's click, which chooses the side of the default balloon (right,
// left, above or below it at two balloon sizes); a further balloon goes two balloon sizes beyond
// the last one, on the ray from the default balloon through it, without a click. While the
// command waits, a preview balloon follows the cursor to the side a click would choose; it lives
// in the transient segment, so the drawing changes only with the click.
#include <cstdint>
#include <memory>
#include <vector>

#include "fw/FWxDocCmd.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"

class DLxCTargetBalloon;
class DLxDatumTarget;
class SMxDisplayList;

// What one activation of either command works on.
class DLxDatumAttachTarget {
public:
    explicit DLxDatumAttachTarget(FWxSceneDoc* doc);
    ~DLxDatumAttachTarget();
    DLxDatumAttachTarget(const DLxDatumAttachTarget&) = delete;
    DLxDatumAttachTarget& operator=(const DLxDatumAttachTarget&) = delete;
    void SetRemoveMode(bool remove) { m_remove = remove; }
    // Reads and empties the document's selection, then acts; true when the command is done,
    // false when it waits for a click. Attaching makes the preview balloon.
    bool OnActivate();
    // The candidate nearest `point` (the first of equally near ones).
    WqGePoint3d NearestCandidate(const WqGePoint3d& point) const;
    // The cursor at `point` (taken onto the sheet): the preview balloon is drawn at the
    // candidate a click there would choose. Nothing without candidates or preview.
    void OnMouseMove(const WqGePoint3d& point);
    // The click that chooses the side; posts the attach request.
    void OnLButtonDown(const WqGePoint3d& point);
    // The preview goes; the document is as the activation left it.
    void OnTerminate();
    const std::vector<WqGePoint3d>& GetCandidates() const { return m_candidates; }
    // The preview as last drawn; empty before the first cursor move.
    const SMxDisplayList& GetPreviewList() const { return *m_previewList; }
    const DLxCTargetBalloon* GetPreviewBalloon() const;

private:
    void PostAttach(const WqGePoint3d& point);
    void DropPreview();

    FWxSceneDoc* m_doc;
    RSeRef<DLxDatumTarget> m_target;
    // In the transient segment, owned by the datum target so that it draws in its style.
    RSeRef<DLxCTargetBalloon> m_preview;
    std::vector<WqGePoint3d> m_candidates;
    bool m_remove = false;
    std::unique_ptr<SMxDisplayList> m_previewList;
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
    // The cursor while the command waits; false when it waits for none.
    bool MoveCursor(const WqGePoint3d& point);
    const DLxDatumAttachTarget& GetTarget() const { return m_target; }
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
