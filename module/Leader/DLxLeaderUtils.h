#pragma once
// What the rest of the module asks of a leader tree whose ends are DLxTerminalLeaderNode. The
// terminal index of a node counts only those nodes, in the tree's node order.
#include <cstdint>
#include <vector>

class DLxAnchorPoint;
class DLxViewInstance;
class DUxArrowHeadState;
class RDxFragment;
class WqGePoint3d;
class DUxArrowHeadBox;
class DUxEmblem;
class DUxLeaderNodeTree;

class DLxLeaderUtils {
public:
    // A new tree in the fragment with a terminal-node generator of its own, whose one branch
    // runs from its end (the first point, with `arrow`) through the others to its root (the
    // last point); one node at the origin without points.
    static DUxLeaderNodeTree* MakeLeader(RDxFragment* fragment,
                                         const std::vector<WqGePoint3d>& points,
                                         DUxArrowHeadState* arrow);
    // The view of the first end whose anchor has one; null otherwise.
    static DLxViewInstance* GetViewInstance(DUxLeaderNodeTree* tree);
    // The terminal index of the end holding that anchor; the last end's index when none holds
    // it; -1 for a null tree or anchor, or a tree without ends.
    static int32_t GetAnchorPointIndex(DUxLeaderNodeTree* tree, DLxAnchorPoint* anchor);
    // The anchor of end i (a negative i gives the first); null past the last.
    static DLxAnchorPoint* GetAnchorPoint(DUxLeaderNodeTree* tree, int32_t i);
    // A copy in a new fragment of the transient segment, with its nodes, generator, anchors and
    // arrowhead states; references to anything else are kept. For previews only.
    static DUxLeaderNodeTree* MakeTransientCopy(DUxLeaderNodeTree* tree);
    // Appends the outline of each end's arrowhead. Nothing for a null tree, an emblem that is
    // not a placed symbol, leaders hidden, or a tree of one node.
    static void GetArrowHeadBoxes(DUxLeaderNodeTree* tree, DUxEmblem* emblem,
                                  std::vector<DUxArrowHeadBox>& boxes);
    // The same without the symbol checks, for a caller that knows its leaders are shown.
    static void AppendArrowHeadBoxes(DUxLeaderNodeTree* tree, DUxEmblem* emblem,
                                     std::vector<DUxArrowHeadBox>& boxes);
};
