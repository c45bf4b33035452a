#pragma once
// One vertex of an older leader record's node tree: its point, the record that holds the tree,
// its parent (null for the root) and its children, which it owns.
#include <vector>

#include "ge/WqGePoint3d.h"
#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"

class DLxCLeader;
class RSeCloneCommander;
class RSeMetaContext;
class RSeSegment;
class WqGeMatrix3d;

class DLxCLeaderNode : public RSeIDed {
public:
    DLxCLeaderNode() = default;
    explicit DLxCLeaderNode(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;

    static DLxCLeaderNode* New(RSeSegment* segment, DLxCLeader* leader, const WqGePoint3d& point);
    // Deletes the node with its subtree, children first. Null does nothing.
    static void DeleteTree(DLxCLeaderNode* node);

    const WqGePoint3d& GetPoint() const { return m_point; }
    void SetPoint(const WqGePoint3d& point);
    DLxCLeaderNode* GetParent() const { return m_parent.get(); }
    void SetParent(DLxCLeaderNode* parent);
    DLxCLeader* GetLeader() const;
    void SetLeader(DLxCLeader* leader);
    const std::vector<RSeRef<DLxCLeaderNode>>& GetChildren() const { return m_children; }
    void AddChild(DLxCLeaderNode* child);
    // Leaves the child's own parent reference alone; false when it is no child of this node.
    bool RemoveChild(const DLxCLeaderNode* child);
    // The child's own children take its place in this node's list, in order, and name this
    // node as their parent; the child is left without children. False when it is no child.
    bool LiftChildren(DLxCLeaderNode* child);
    // `replacement` takes the child's place in the list; false when it is no child.
    bool ReplaceChild(const DLxCLeaderNode* child, DLxCLeaderNode* replacement);
    bool IsEnd() const { return m_children.empty(); }

    // The subtree in depth-first pre-order, this node first. Missing children are passed over.
    void CollectPreOrder(std::vector<DLxCLeaderNode*>& out) const;
    void TransformSubtree(const WqGeMatrix3d& m);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    // Refuses a damaged tree: a child that names another parent, a child listed twice or a
    // parent chain that loops would make the walks and the deletion above run for ever.
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult Clone(DLxCLeaderNode* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxCLeader> m_leader;
    RSeRef<DLxCLeaderNode> m_parent;
    WqGePoint3d m_point;
    std::vector<RSeRef<DLxCLeaderNode>> m_children;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxCLeaderNode*);
RSeMetaType* _GetMeta(const DLxCLeaderNode*);
} // namespace RSe
