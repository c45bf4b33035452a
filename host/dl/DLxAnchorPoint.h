#pragma once
// A point on a sheet that an annotation hangs on: either free (a stored sheet position), or on
// an edge of a view at a parameter along the edge, where it follows the view as it moves, turns
// and scales. An anchor on an edge depends on the edge's view, so what depends on the anchor
// recomputes when the view changes. When the edge goes the anchor is invalid and stays at the
// last point it had; it remembers the edge's id, by which ReConnect finds the edge again.
//
// Points of an anchor are positions of its view's unbroken projection; the broken-view point is
// where the view, with its breaks closed up, draws it (the same without a view or breaks).
#include <cstdint>

#include "dc/RDxState.h"
#include "ge/WqGePoint3d.h"

class DLxSheet;
class DLxViewInstance;
class DUxGeometryProxy;

class DLxAnchorPoint : public RDxState {
public:
    DLxAnchorPoint() = default;
    explicit DLxAnchorPoint(const RSeStream* s) : RDxState(s) {}
    RSeMetaType* GetMeta() const override;

    // Made in the sheet's (the view's) segment and added to the sheet's fragment. CreateOnEdge
    // answers null when the view has no edge of that id.
    static DLxAnchorPoint* CreateFree(DLxSheet* sheet, const WqGePoint3d& point);
    static DLxAnchorPoint* CreateOnEdge(DLxViewInstance* view, int32_t edgeId, double param);
    // A free anchor at the origin in the fragment's segment, added to the fragment; null
    // without one.
    static DLxAnchorPoint* Create(RDxFragment* fragment);

    // Makes `target` the same anchor: point, view, edge and parameter (direction is the host's
    // hook, unused).
    void PassValue(DLxAnchorPoint* target, int32_t direction) const;

    // On the sheet (z = 0). On a valid edge: the edge's point at the parameter.
    WqGePoint3d GetPoint() const;
    // A free anchor moves there; one on an edge moves to the parameter of the point on its edge.
    void SetPoint(const WqGePoint3d& point);
    // The point as the anchor's view draws it.
    WqGePoint3d GetBrokenPoint() const;
    // Positions between the view as drawn and its unbroken projection, through the anchor's
    // view (the identity without one).
    WqGePoint3d BrokenToUnbroken(const WqGePoint3d& point) const;
    WqGePoint3d UnbrokenToBroken(const WqGePoint3d& point) const;
    // The point lies in a part that a break of the view removes.
    bool IsUnbrokenPointRemoved() const;
    // The anchor's view is suppressed (a free anchor without a view never is).
    bool IsSuppressed() const;

    // A free anchor is valid; one on an edge while its view has the edge.
    bool IsValid() const;
    // Finds the remembered edge again in the anchor's view, by its id: the anchor takes the
    // view's proxy of that edge (a new one when its own proxy was deleted) and the edge's point
    // at its parameter. An anchor that is valid keeps its proxy unless `force`. Answers whether
    // the anchor is valid afterwards; a free anchor or one on other geometry changes nothing.
    bool ReConnect(bool force);
    // The id of the edge the anchor was last put on; false for a free anchor or one on other
    // geometry.
    bool GetEdgeId(int32_t& id) const;

    // The view the anchor belongs to: the edge's view, or the one a free anchor was given.
    DLxViewInstance* GetViewInstance() const;
    DLxViewInstance* GetView() const { return GetViewInstance(); }
    // Ignored for an anchor on an edge, which keeps the edge's view.
    void SetViewInstance(DLxViewInstance* view);

    // The proxy of the edge the anchor sits on; null for a free anchor.
    DUxGeometryProxy* GetGeometryProxy() const;
    bool IsOnEdge() const { return m_proxy.HasTarget(); }
    // Along the edge: 0 at its start, 1 at its end.
    double GetParameter() const { return m_param; }
    void SetParameter(double param);

    // Puts the anchor on an edge (false, changing nothing, when the view has no such edge), or
    // frees it where it is.
    bool AttachToEdge(DLxViewInstance* view, int32_t edgeId, double param);
    // Puts the anchor at a parameter of any geometry (a dimension's line, another annotation's
    // geometry); its view stays as it is. False, changing nothing, for null.
    bool AttachToGeometry(DUxGeometryProxy* proxy, double param);
    void Detach();

    // An anchor's hold on its geometry (proxy, parameter, remembered edge), handed from one
    // anchor to another when an older symbol's attachment moves to a new leader end. Null for
    // a free anchor.
    struct Constraint {
        RSeRef<DUxGeometryProxy> proxy;
        double param = 0.0;
        bool hasEdge = false;
        int32_t edgeId = 0;
        bool IsNull() const { return !proxy.HasTarget(); }
    };
    // Gives up the hold: the anchor is left free where it was (its view stays).
    Constraint RelinquishConstraint();
    // Takes the hold, and with an edge its view; a null hold frees the anchor where it is.
    void SetConstraint(const Constraint& constraint);

    // Keeps the last point of the edge, for when the edge goes.
    UTxResult Compute(RDxComputeContext& ctx) override;
    void CollectDependencies(std::vector<RDxNode*>& out) const override;

    // Version 1 added the remembered edge; an anchor stored at version 0 remembers the edge of
    // its proxy while that proxy lives.
    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxAnchorPoint* target, RSeCloneCommander* cc) const;

private:
    bool EdgePoint(WqGePoint3d& point) const;
    void LoadFields(RSeStream& s, bool withEdge);

    WqGePoint3d m_point;
    RSeRef<DLxViewInstance> m_view;
    RSeRef<DUxGeometryProxy> m_proxy;
    double m_param = 0.0;
    bool m_hasEdge = false;
    int32_t m_edgeId = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxAnchorPoint*);
RSeMetaType* _GetMeta(const DLxAnchorPoint*);
} // namespace RSe
