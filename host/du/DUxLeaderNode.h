#pragma once
// Nodes of a leader tree (DUxLeaderNodeTree). A node has a point on the sheet, a parent (null for
// the root), its children in the order they were added, and a node number that its tree gave
// it. Terminal nodes end a leader on the drawing; the tree never makes them itself but asks the
// generator it was built with, so that whoever owns the tree decides what a leader end is
// attached to.
#include <cstdint>
#include <vector>

#include "dc/RDxNode.h"
#include "ge/WqGePoint3d.h"

class DUxArrowHeadState;
class DUxLeaderNodeTree;
class RSeSegment;
class RSeVMeta;
class WqGeVector3d;
struct DUxLineGeometry;
struct DUxArcGeometry;

class DUxLeaderNode : public RDxNode {
public:
    DUxLeaderNode() = default;
    DUxLeaderNode(DUxLeaderNode* parent, const WqGePoint3d& point, int32_t nodeId);
    explicit DUxLeaderNode(const RSeStream* s) : RDxNode(s) {}
    RSeMetaType* GetMeta() const override;

    // Made in the fragment's segment and added to the fragment (when there is one).
    static DUxLeaderNode* Create(RDxFragment* fragment, DUxLeaderNode* parent,
                                 const WqGePoint3d& point, int32_t nodeId);

    // The stored point; terminal nodes may read it from what they are attached to.
    virtual WqGePoint3d GetPoint();
    virtual void SetPoint(const WqGePoint3d& point);
    // Children keep their order; adding one held already, or null, does nothing. Neither
    // changes the child's own parent: the tree links both ends.
    virtual void AddChild(DUxLeaderNode* child);
    virtual void RemoveChild(DUxLeaderNode* child);
    virtual const std::vector<RSeRef<DUxLeaderNode>>& GetChildren() const;
    // Every descendant, depth first, each before its own children.
    virtual void GetAllChildren(std::vector<DUxLeaderNode*>& out) const;
    virtual int32_t GetNumberOfChildren() const;
    // Copies the point and the node number into `target`; the links are the tree's.
    virtual void PassValue(DUxLeaderNode* target);

    // Objects the node owns besides itself; the tree deletes them just before the node.
    virtual void DeleteOwnedObjects() {}
    // The same objects, appended (for whoever copies a tree with everything it owns).
    virtual void GetOwnedObjects(std::vector<RSeVMeta*>&) const {}

    DUxLeaderNode* GetParent() const { return m_parent.get(); }
    int32_t GetNodeId() const { return m_nodeId; }
    // The point as stored, without asking what the node is attached to.
    const WqGePoint3d& GetStoredPoint() const { return m_point; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DUxLeaderNode* target, RSeCloneCommander* cc) const;

protected:
    // For subclasses that keep the point as a cache of what they follow.
    void CachePoint(const WqGePoint3d& point);

private:
    friend class DUxLeaderNodeTree;
    void SetParent(DUxLeaderNode* parent);

    WqGePoint3d m_point;
    RSeRef<DUxLeaderNode> m_parent;
    std::vector<RSeRef<DUxLeaderNode>> m_children;
    int32_t m_nodeId = 0;
};

// Where a leader ends. The host's own terminal node is a free end at its stored point with no
// arrowhead; the operations after PassValue are those an attached end answers differently.
class DUxBaseTerminalLeaderNode : public DUxLeaderNode {
public:
    DUxBaseTerminalLeaderNode() = default;
    DUxBaseTerminalLeaderNode(DUxLeaderNode* parent, const WqGePoint3d& point, int32_t nodeId)
        : DUxLeaderNode(parent, point, nodeId) {}
    explicit DUxBaseTerminalLeaderNode(const RSeStream* s) : DUxLeaderNode(s) {}
    RSeMetaType* GetMeta() const override;

    static DUxBaseTerminalLeaderNode* Create(RDxFragment* fragment, DUxLeaderNode* parent,
                                             const WqGePoint3d& point, int32_t nodeId);

    // Null: the host's end has no arrowhead; setting one is ignored.
    virtual DUxArrowHeadState* GetArrowHeadState() const { return nullptr; }
    virtual void SetArrowHeadState(DUxArrowHeadState*) {}
    // Moves the end (the stored point here).
    virtual void SetTerminalPoint(const WqGePoint3d& point) { SetPoint(point); }
    // The point before a view break moves it; the same here.
    virtual WqGePoint3d GetUnbrokenPoint() { return GetPoint(); }
    // The end lies on another annotation.
    virtual bool IsAttachedToAnnotation() const { return false; }
    virtual bool IsUnbrokenPointRemoved() const { return false; }
    virtual bool IsAnchorSuppressed() const { return false; }
    // The line or arc of the geometry the end sits on; false for a free end.
    virtual bool GetLineOfAnchorGeometry(DUxLineGeometry&) const { return false; }
    virtual bool GetCircArcOfAnchorGeometry(DUxArcGeometry&) const { return false; }
    virtual WqGePoint3d UnbrokenToBroken(const WqGePoint3d& point) const { return point; }
    virtual bool GetNormalAtAnchorGeometry(const WqGePoint3d&, WqGeVector3d&) const {
        return false;
    }
};

// Makes the terminal nodes of the trees built with it. A stored node of the leader's fragment.
// The host's generator makes host terminal nodes.
class DUxBaseTerminalNodeGenerator : public RDxNode {
public:
    DUxBaseTerminalNodeGenerator() = default;
    explicit DUxBaseTerminalNodeGenerator(RDxFragment* fragment);
    explicit DUxBaseTerminalNodeGenerator(const RSeStream* s) : RDxNode(s) {}
    RSeMetaType* GetMeta() const override;

    static DUxBaseTerminalNodeGenerator* Create(RDxFragment* fragment);

    // A new end under `parent` at `point`, numbered one above the tree's node counter, in the
    // tree's fragment; the tree links it. `arrowHead`/`arrowId`: the arrowhead to give it, or the
    // arrowhead service to make one from. Null for a null tree.
    virtual DUxBaseTerminalLeaderNode* CreateTerminalNode(DUxLeaderNodeTree* tree,
                                                          DUxLeaderNode* parent, WqGePoint3d& point,
                                                          DUxArrowHeadState* arrowHead,
                                                          uint32_t arrowId);
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxLeaderNode*);
RSeMetaType* _GetMeta(const DUxLeaderNode*);
RSeMetaType* _InitMeta(const DUxBaseTerminalLeaderNode*);
RSeMetaType* _GetMeta(const DUxBaseTerminalLeaderNode*);
RSeMetaType* _InitMeta(const DUxBaseTerminalNodeGenerator*);
RSeMetaType* _GetMeta(const DUxBaseTerminalNodeGenerator*);
} // namespace RSe
