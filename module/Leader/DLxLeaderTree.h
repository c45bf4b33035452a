#pragma once
// The leader form placed symbols stored between the older leader records and today's leader
// node trees: a table of vertex points and a list of branches, each naming its vertices by key
// (from the symbol end to the leader end) and carrying the anchor point and arrowhead of its end.
// Documents of that period are loaded and their trees converted to leader node trees.
#include <cstdint>
#include <map>
#include <vector>

#include "dc/RDxState.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"

class DLxAnchorPoint;
class DUxArrowHeadState;
class DUxLeaderNodeTree;

class DLxLeaderBranch : public RDxNode {
public:
    DLxLeaderBranch() = default;
    explicit DLxLeaderBranch(const RSeStream* s) : RDxNode(s) {}
    RSeMetaType* GetMeta() const override;

    // In the fragment's segment, added to the fragment; null without one.
    static DLxLeaderBranch* Create(RDxFragment* fragment);

    const std::vector<uint32_t>& GetVertexKeys() const { return m_keys; }
    void SetVertexKeys(const std::vector<uint32_t>& keys);
    DLxAnchorPoint* GetAnchorPoint() const;
    void SetAnchorPoint(DLxAnchorPoint* anchor);
    DUxArrowHeadState* GetArrowHead() const;
    void SetArrowHead(DUxArrowHeadState* arrowHead);
    // Makes `target` the same branch: keys, and copies of the anchor point and the arrowhead
    // (created in this branch's fragment when the target lacks them, deleted when this lacks
    // them).
    void PassValue(DLxLeaderBranch* target) const;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxLeaderBranch* target, RSeCloneCommander* cc) const;

private:
    // Keys into the tree's point table; stored as reference values, never resolved.
    std::vector<uint32_t> m_keys;
    RSeRef<DLxAnchorPoint> m_anchor;
    RSeRef<DUxArrowHeadState> m_arrowHead;
};

class DLxLeaderTree : public RDxState {
public:
    DLxLeaderTree() = default;
    explicit DLxLeaderTree(const RSeStream* s) : RDxState(s) {}
    RSeMetaType* GetMeta() const override;

    static DLxLeaderTree* Create(RDxFragment* fragment);
    // Deletes the tree with its branches. Null does nothing.
    static void Delete(DLxLeaderTree* tree);

    std::map<int32_t, WqGePoint3d>& Points() { return m_points; }
    const std::map<int32_t, WqGePoint3d>& Points() const { return m_points; }
    int32_t GetNumBranches() const { return int32_t(m_branches.size()); }
    DLxLeaderBranch* GetBranch(int32_t index) const;
    // The tree owns the branch.
    void AddBranch(DLxLeaderBranch* branch);
    // Null when the index is out of range.
    DLxAnchorPoint* GetBranchAnchorPoint(int32_t index) const;

    // The branch's points in key order; false (and an empty list) when the branch has no keys
    // or a key is missing from the point table.
    bool CollectBranchPoints(const DLxLeaderBranch* branch, std::vector<WqGePoint3d>& out) const;

    // A new leader node tree in this tree's fragment whose ends are the module's terminal
    // nodes, one per branch that has an anchor point, an arrowhead and all its points. `out`
    // refers to the new tree; true when at least one branch was converted.
    bool ConvertToLeaderNodeTree(RSeRef<DUxLeaderNodeTree>& out) const;

    // Copies the values, the points and the branches (as far as both have branches) into
    // `target`; the target's surplus branches are deleted.
    void PassValue(DLxLeaderTree* target) const;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxLeaderTree* target, RSeCloneCommander* cc) const;

private:
    int32_t m_first = 0;
    double m_value1 = 0.0;
    double m_value2 = 0.0;
    WqGeVector3d m_direction;
    std::map<int32_t, WqGePoint3d> m_points;
    std::vector<RSeRef<DLxLeaderBranch>> m_branches;
    int32_t m_last = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxLeaderBranch*);
RSeMetaType* _GetMeta(const DLxLeaderBranch*);
RSeMetaType* _InitMeta(const DLxLeaderTree*);
RSeMetaType* _GetMeta(const DLxLeaderTree*);
} // namespace RSe
