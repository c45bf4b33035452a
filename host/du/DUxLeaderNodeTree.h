#pragma once
// A leader: a tree of nodes with its root at the annotation and its terminal nodes where it ends
// on the drawing. Used by every annotation kind.
//
// What the tree promises:
// - Nodes are in index order (GetNodeAtIndex 0 .. GetNumNodes - 1), the order they joined the
//   tree; removing a node keeps the order of the others. The root need not be node 0 (a node
//   inserted above the root becomes the root).
// - Node numbers: the node counter is the highest number given so far; each new node gets the
//   counter plus one and the counter moves on. A tree starts with one node, numbered 1, which is
//   both its root and its first terminal node (a leader of one node draws nothing). Numbers are
//   never reused, so an item id names a node across edits.
// - Branch i is the i-th terminal node (DUxBaseTerminalLeaderNode) in index order; arrowhead i
//   is the arrowhead state of branch i.
// - All nodes live in the tree's fragment and segment. Removing a node deletes it, its subtree
//   and what they own (DUxLeaderNode::DeleteOwnedObjects), through the open transaction.
// - Landing: a length and a position (ELandingPos) stored with the tree, and a reference length
//   under which the landing counts as short.
#include <cstdint>
#include <vector>

#include "dc/RDxState.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"

class DUxArrowHeadState;
class DUxBaseTerminalLeaderNode;
class DUxBaseTerminalNodeGenerator;
class DUxLeaderNode;
class DUxLeaderStyleWrapper;
class DUxTextStyleWrapper;
class SMxDisplayList;

class DUxLeaderNodeTree : public RDxState {
public:
    enum ELandingPos : int32_t { kNoLanding = 0, kPosX = 1, kPosY = 2, kNegX = 3, kNegY = 4 };
    // What an item of a leader's display list stands for.
    enum EItemKind : int32_t {
        kAnchorItem = 1,
        kLeaderNodeItem = 2,
        kSymbolBoxItem = 4,
        kSubWeldLineItem = 6,
        kLandingEndItem = 7,
        kArrowHeadItem = 8,
        kSymbolBodyItem = 9,
        kLeaderRootItem = 10,
        kLandingAttachItem = 11,
        kBalloonStackItem = 12,
    };
    // The arrowhead service new ends get unless told otherwise.
    static constexpr uint32_t kDefaultArrowHeadId = 28029;
    // How near a point must be to a node or a segment to be on the tree.
    static constexpr double kOnTreeTolerance = 0.1;

    DUxLeaderNodeTree() = default;
    explicit DUxLeaderNodeTree(const RSeStream* s) : RDxState(s) {}
    RSeMetaType* GetMeta() const override;

    // A tree in the fragment's segment, added to the fragment, with one node at `point` made by
    // the generator (a host terminal node without one). Null without a fragment.
    static DUxLeaderNodeTree* Create(RDxFragment* fragment, DUxBaseTerminalNodeGenerator* generator,
                                     const WqGePoint3d& point,
                                     DUxArrowHeadState* arrowHead = nullptr,
                                     uint32_t arrowId = kDefaultArrowHeadId);

    DUxBaseTerminalNodeGenerator* GetTerminalNodeGenerator() const;
    // Trees of older documents may have none: upgrades give them one.
    void SetTerminalNodeGenerator(DUxBaseTerminalNodeGenerator* generator);
    DUxLeaderNode* GetRoot() const;
    int32_t GetNumNodes() const { return int32_t(m_nodes.size()); }
    // Null out of range.
    DUxLeaderNode* GetNodeAtIndex(int32_t index) const;
    // -1 when the node is not in the tree.
    int32_t GetIndexOfNode(const DUxLeaderNode* node) const;
    DUxLeaderNode* FindNode(int32_t nodeId) const;
    int32_t GetNodeCounter() const { return m_nodeCounter; }

    // Terminal nodes in index order.
    int32_t GetNumBranches() const;
    DUxBaseTerminalLeaderNode* GetTerminalNode(int32_t branch) const;
    // -1 when the node is not a terminal node of the tree.
    int32_t GetBranchIndex(const DUxLeaderNode* node) const;

    // An inner node under `parent` (a node of the tree). Null otherwise.
    DUxLeaderNode* AddNode(DUxLeaderNode* parent, const WqGePoint3d& point);
    // A new end under `parent`, made by the generator. Null when the parent is not in the tree.
    DUxBaseTerminalLeaderNode* AddTerminalNode(DUxLeaderNode* parent, const WqGePoint3d& point,
                                               DUxArrowHeadState* arrowHead = nullptr,
                                               uint32_t arrowId = kDefaultArrowHeadId);
    // Splits the segment from `node` up to its parent with a new inner node at `point`; above
    // the root the new node becomes the root. Null when the node is not in the tree.
    DUxLeaderNode* InsertNode(DUxLeaderNode* node, const WqGePoint3d& point);
    // Deletes the node with its subtree; the root cannot be removed.
    bool RemoveNode(DUxLeaderNode* node);
    // What a user deletes from a leader: one node, whose children take its place under its
    // parent (DeleteNode), or the branch that starts at a node, with its subtree
    // (DeleteBranch). Either way the inner nodes left leading nowhere go as well, up to the
    // root or a fork. When that would take the tree's last end, the tree is left as that end
    // alone (root and end at once, with its anchor and arrowhead), the leader of a symbol
    // shown without one. The root cannot be deleted; false, changing nothing, for it or for a
    // node that is not in the tree.
    bool DeleteNode(DUxLeaderNode* node);
    bool DeleteBranch(DUxLeaderNode* node);
    // Moves node `nodeId` (an end through SetTerminalPoint, so that it moves its anchor). False
    // when the tree has no such node.
    bool SetNodePoint(int32_t nodeId, const WqGePoint3d& point);
    // A new branch: from the root (`attachToRoot`), else from the root's first child when that
    // is an inner node, through `points` in order to an end at `end`. Null without a root.
    DUxBaseTerminalLeaderNode* AddBranch(const std::vector<WqGePoint3d>& points,
                                         const WqGePoint3d& end, DUxArrowHeadState* arrowHead,
                                         bool attachToRoot);
    // Removes the inner nodes an edit left without purpose: those without children, and those
    // with one child that lie on their parent or on that child. Root and ends stay. Answers
    // how many nodes went.
    int32_t PruneTree();
    // Deletes the tree with all its nodes and what they own (not the generator, which may
    // serve other trees). Null does nothing.
    static void Delete(DUxLeaderNodeTree* tree);

    // Whether p lies within `tol` of a node (onNode true, hit that node; nodes are tried in
    // index order before any segment) or of a segment (onNode false, hit the segment's child
    // end, the nearest segment winning).
    bool IsOnTree(const WqGePoint3d& p, DUxLeaderNode*& hit, bool& onNode,
                  double tol = kOnTreeTolerance) const;

    // Every node's stored point moves by v.
    void ShiftPoints(const WqGeVector3d& v);
    // Every node's stored point is scaled about `base` by newScale / oldScale; nothing when
    // oldScale is 0.
    void ScalePoints(const WqGePoint3d& base, double oldScale, double newScale);

    double GetLandingLength() const { return m_landingLength; }
    void SetLandingLength(double length);
    double GetReferenceLandingLength() const { return m_refLandingLength; }
    void SetReferenceLandingLength(double length);
    ELandingPos GetLandingPosition() const { return ELandingPos(m_landingPos); }
    // Values outside 0..4 are taken as no landing.
    void SetLandingPosition(ELandingPos pos);
    // The unit direction of a landing position; zero for none.
    static WqGeVector3d LandingDirection(ELandingPos pos);
    // A second landing distance (how far the landing runs past the symbol's side) and two
    // landing-direction flags (the landing may run along the first, the second axis); kinds
    // that turn their symbols keep them in step with the turn. Stored; no effect on drawing.
    double GetSecondLandingDistance() const { return m_secondLanding; }
    void SetSecondLandingDistance(double distance);
    bool GetLandingDirectionFlag(int32_t which) const {
        return which == 0 ? m_dirFlag0 : m_dirFlag1;
    }
    void SetLandingDirectionFlags(bool first, bool second);
    // The leader carries the all-around circle at its bend.
    bool GetAllAround() const { return m_allAround; }
    void SetAllAround(bool on);
    // Moves the root node to `root` for a symbol whose side is `pos` (direction `dir` of the
    // landing) and takes `pos` as the landing position. False without a root.
    bool AdjustRoot(ELandingPos pos, const WqGePoint3d& root, const WqGeVector3d& dir);

    // Where the symbol attaches: the landing's end (root + length x direction), its direction,
    // and the position used. A short landing is drawn at the reference length. Without a
    // landing position the side is taken from the first segment at the root (to the right
    // when it comes from the left or when the root has no child) - unless both landing
    // directions are free, when there is no landing: the root itself, the direction away from
    // the first segment, position 0. False without a root.
    bool GetSymbolAttachPoint(bool shortLanding, ELandingPos& pos, WqGePoint3d& attach,
                              WqGeVector3d& direction) const;

    // Arrowhead of branch i; null when there is none.
    DUxArrowHeadState* GetArrowHead(int32_t arrow) const;
    // The branch indexes that have an arrowhead, ascending; the vector is replaced.
    void GetArrowHeadIndexes(std::vector<int32_t>& indexes) const;
    // A new arrowhead state of service `arrowId`, in the fragment's segment and added to it.
    static DUxArrowHeadState* CreateArrowHeadState(RDxFragment* fragment, uint32_t arrowId);

    // Item ids: kind 0..31, leader 0..127, arrowhead -1..254, node id -1..4094. Values outside
    // are cut to their bits.
    static int32_t SynthesizeItemID(int32_t kind, int32_t leader, int32_t arrow, int32_t nodeId);
    static void AnalyzeItemID(int32_t id, int32_t& kind, int32_t& leader, int32_t& arrow,
                              int32_t& nodeId);

    // Draws the leader into `leaderList` (nothing for a tree of one node): a line per segment
    // (kLeaderNodeItem, the child's node id; arrowhead index of the branch for an end), the
    // arrowheads when `canDrawArrowHead` (kArrowHeadItem), the landing line from the root
    // (kLeaderNodeItem, root id) when there is a position and a length. With `command`, hot
    // points: ends (kAnchorItem), inner nodes (kLeaderNodeItem), the landing end
    // (kLandingEndItem), and the root (kLeaderRootItem) when `canDrawRootHotPoints`. The
    // leader style sizes the arrowheads and, on an all-around leader with a drawn landing, the
    // circle round the root, where leader and landing meet (kLeaderNodeItem, root id; none
    // without a style or for a diameter of 0). The
    // symbol list and text style are accepted for the caller's sake.
    void GenGraphics(SMxDisplayList* symbolList, SMxDisplayList& leaderList, int32_t leader,
                     bool shortLanding, bool command, const DUxLeaderStyleWrapper* leaderStyle,
                     const DUxTextStyleWrapper* textStyle, bool flag, bool canDrawArrowHead,
                     bool canDrawRootHotPoints);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DUxLeaderNodeTree* target, RSeCloneCommander* cc) const;

protected:
    // For Create and the kinds of tree: joins the fragment and makes the first node.
    void InitRoot(RDxFragment* fragment, DUxBaseTerminalNodeGenerator* generator,
                  const WqGePoint3d& point, DUxArrowHeadState* arrowHead, uint32_t arrowId);

private:
    int32_t NextNodeId();
    void Adopt(DUxLeaderNode* node, DUxLeaderNode* parent);
    void DeleteSubtree(DUxLeaderNode* node);

    RSeRef<DUxBaseTerminalNodeGenerator> m_generator;
    RSeRef<DUxLeaderNode> m_root;
    std::vector<RSeRef<DUxLeaderNode>> m_nodes;
    int32_t m_nodeCounter = 0;
    double m_landingLength = 0.0;
    double m_refLandingLength = 0.0;
    int32_t m_landingPos = 0;
    double m_secondLanding = 0.0;
    bool m_dirFlag0 = false;
    bool m_dirFlag1 = true;
    bool m_allAround = false;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxLeaderNodeTree*);
RSeMetaType* _GetMeta(const DUxLeaderNodeTree*);
} // namespace RSe
