#pragma once
// The end of a leader of a placed symbol: ties the leader end to an anchor point and owns the
// arrowhead state drawn there. The node's point is a cache of the anchor's position.
#include "du/DUxLeaderNode.h"

class DLxAnchorPoint;

class DLxTerminalLeaderNode : public DUxBaseTerminalLeaderNode {
public:
    DLxTerminalLeaderNode() = default;
    DLxTerminalLeaderNode(DUxLeaderNode* parent, const WqGePoint3d& point, int32_t nodeId,
                          DLxAnchorPoint* anchor, DUxArrowHeadState* arrowHead);
    explicit DLxTerminalLeaderNode(const RSeStream* s) : DUxBaseTerminalLeaderNode(s) {}
    RSeMetaType* GetMeta() const override;

    DLxAnchorPoint* GetAnchorPoint() const;

    // With an anchor: its broken point, cached as the node's point; without: the origin.
    WqGePoint3d GetPoint() override;
    // Also the anchor point and arrowhead state, created or deleted to match this node's.
    void PassValue(DUxLeaderNode* target) override;

    DUxArrowHeadState* GetArrowHeadState() const override;
    // Replacing the state deletes the old one.
    void SetArrowHeadState(DUxArrowHeadState* state) override;
    void SetTerminalPoint(const WqGePoint3d& point) override;
    WqGePoint3d GetUnbrokenPoint() override;
    bool IsAttachedToAnnotation() const override;
    bool IsUnbrokenPointRemoved() const override;
    // Annotations are never suppressed by preference here; the anchor is not suppressible.
    bool IsAnchorSuppressed() const override;
    bool GetLineOfAnchorGeometry(DUxLineGeometry& line) const override;
    bool GetCircArcOfAnchorGeometry(DUxArcGeometry& arc) const override;
    WqGePoint3d UnbrokenToBroken(const WqGePoint3d& point) const override;
    bool GetNormalAtAnchorGeometry(const WqGePoint3d& point, WqGeVector3d& normal) const override;

    // Deletes the arrowhead state, and the anchor point with what depends on it unless the
    // anchor's fragment carries kFragmentTearDown (the whole fragment goes anyway).
    void DeleteOwnedObjects() override;
    void GetOwnedObjects(std::vector<RSeVMeta*>& out) const override;
    static constexpr uint32_t kFragmentTearDown = 8;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxTerminalLeaderNode* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxAnchorPoint> m_anchor;
    RSeRef<DUxArrowHeadState> m_arrowHead;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxTerminalLeaderNode*);
RSeMetaType* _GetMeta(const DLxTerminalLeaderNode*);
} // namespace RSe
