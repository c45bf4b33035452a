#pragma once
// Drags a hot point of a placed symbol: the end of a leader (its anchor), a leader vertex or
// root, the symbol body, the landing end, the leader root or the landing attach point. The
// item kind, leader and node come from the picked display item (DUxLeaderNodeTree's item ids).
// The drag changes the preview copy only; EndDrag attaches exactly one leader or anchor
// request against the stored symbol (or none, for a kind that changes nothing), which the
// document then runs as one undoable, journalled step.
//
// A leader end on a straight edge slides along the edge while the cursor stays within
// kTearOffDistance of the edge's line, and tears off beyond; a free end snaps to the nearest
// edge of the sheet's views (ends first) within kInferTolerance and is bound to it when the
// drag ends there.
#include <cstdint>
#include <memory>
#include <vector>

#include "dl/DLxInstanceManipulator.h"
#include "dl/DLxIntent.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"

class DLxAnchorPoint;
class RDxInstance;
class DLxSymInstance;
class DLxViewInstance;
class DUxLeaderNodeTree;

class DLxMoveSymLeaderNodeManipulator : public DLxInstanceManipulator {
public:
    // Cursors and prompt (resource ids).
    static constexpr int32_t kDragCursor = 6102;
    static constexpr int32_t kIdleCursor = 6112;
    static constexpr int32_t kDragPrompt = 6226;
    // Farther than this from its straight edge's line a dragged end leaves the edge.
    static constexpr double kTearOffDistance = 0.75;
    // How near (sheet units) a free end must come to an edge to snap to it.
    static constexpr double kInferTolerance = 2.0;
    // Marks of a symbol being dragged: a leader text's symbol flag, a frame state's flag.
    static constexpr uint32_t kDraggedLeaderTextFlag = 0x20000;
    static constexpr uint32_t kDraggedFrameStateFlag = 0x20000000;

    // How near (sheet units) a press must come to a hot point to take it.
    static constexpr double kPickTolerance = 2.0;

    DLxMoveSymLeaderNodeManipulator(const RSeRef<DLxSymInstance>& symbol, int32_t kind,
                                    int32_t leader, int32_t node, FWxSelection* selection,
                                    FWxSceneDoc* doc = nullptr);

    // The leader hot point of `symbol` nearest `point`, within kPickTolerance: an end
    // (kAnchorItem), or a vertex or root (kLeaderNodeItem), with its leader and node id. False
    // when none is that near.
    static bool PickHotPoint(DLxSymInstance* symbol, const WqGePoint3d& point, int32_t& kind,
                             int32_t& leader, int32_t& node);
    // The drag of the hot point under a press on a placed symbol (DLxDragPicker's factory);
    // null when the press is on none.
    static std::unique_ptr<DLxManipulator> CreateForPress(RDxInstance* instance,
                                                          const WqGePoint3d& point,
                                                          FWxSceneDoc* doc);

    // Refused when the document permits no change now, or the symbol cannot be copied.
    bool StartDrag(const WqGePoint3d& point) override;
    bool Drag(const WqGePoint3d& point) override;
    // Attaches the request of the item kind (none for a kind that changes nothing).
    bool EndDrag(const WqGePoint3d& point) override;
    void CancelDrag() override;
    bool PostRequest() override;
    int32_t GetPromptCursor() const override;
    int32_t GetPromptText() const override;
    std::string GetManipulatorName() const override { return "DLxMoveSymLeaderNodeManipulator"; }

    // The working symbol: the preview copy; null outside a drag.
    virtual DLxSymInstance* GetSymbol() const;
    DLxSymInstance* GetStoredSymbol() const;

    int32_t GetItemKind() const { return m_kind; }
    void SetItemKind(int32_t kind) { m_kind = kind; }
    int32_t GetLeaderIndex() const { return m_leader; }
    int32_t GetNodeId() const { return m_node; }
    void SetNodeId(int32_t node) { m_node = node; }
    const WqGePoint3d& GetPoint() const { return m_point; }
    void SetPoint(const WqGePoint3d& point) { m_point = point; }
    const DLxIntent& GetIntent() const { return m_intent; }
    bool HasInference() const { return m_intent.HasInferences(); }
    const WqGePoint3d& GetStartSelectionPoint() const { return m_startSelection; }
    void SetStartSelectionPoint(const WqGePoint3d& p) { m_startSelection = p; }
    const WqGePoint3d& GetStartSymbolPoint() const { return m_startSymbol; }
    void SetStartSymbolPoint(const WqGePoint3d& p) { m_startSymbol = p; }
    // The anchor of the working symbol being dragged or slid; null until found.
    DLxAnchorPoint* GetAnchorPoint() const { return m_anchor; }

protected:
    // The steps of a drag that the kinds' manipulators reuse.
    // The anchor of the dragged end of the working symbol; null without one.
    DLxAnchorPoint* FindDraggedAnchor(DLxSymInstance* sym) const;
    // A free end snaps to an edge near q: q becomes the inferred point. Clears the inference
    // when nothing is near.
    void InferFreeEnd(DLxSymInstance* sym, WqGePoint3d& q);
    // The state's origin follows the first end of leader 0.
    void FollowFirstAnchor(DLxSymInstance* sym);
    bool m_dragging = false;
    WqGePoint3d m_last;
    // The views of the symbol's sheet, taken at the start: nothing changes them during a drag.
    std::vector<DLxViewInstance*> m_views;
    DLxAnchorPoint* m_anchor = nullptr;
    DLxIntent m_intent;

private:
    void DragEnd(DLxSymInstance* sym, const WqGePoint3d& current);
    void DragNode(DLxSymInstance* sym, DUxLeaderNodeTree* tree, const WqGePoint3d& point);

    int32_t m_kind;
    int32_t m_leader;
    int32_t m_node;
    WqGePoint3d m_point;
    WqGePoint3d m_startSelection;
    WqGePoint3d m_startSymbol;
    int32_t m_cursor = kDragCursor;
};
