#pragma once
// A drawing view: an orthographic projection of the model placed on a sheet, with the edges
// the projection shows. The view is a node of its sheet's fragment, so that what depends on it
// (anchors, annotations) recomputes when it moves, turns or scales.
//
// A model point p lands on the sheet at
//     center + scale * (R * (p - modelOrigin)), z dropped,
// where R, the orientation, is a rotation taking the model into the view's frame: the view's
// x to the right on the sheet, y up the sheet, z towards the viewer. The orientation is stored
// as that matrix; the model origin is the model point seen at the view's centre.
#include <cstdint>
#include <utility>
#include <vector>

#include "dc/RDxNode.h"
#include "dl/DLxModelWeld.h"
#include "dl/DLxViewEdge.h"
#include "ge/WqGeMatrix3d.h"
#include "utx/UTxString16.h"

class BBox;
class DLxEmblem;
class DLxSheet;
class DLxEdgeGeometryProxy;
class DUxGeometryProxy;
class SMxDisplayList;

// A break of a drawing view: a band across the whole view, between `from` and `to` (from < to)
// in sheet coordinates of the unbroken view, that the view leaves out and closes up. A
// horizontal break bounds the band in x (the view is shortened left to right), a vertical one
// in y. What lies beyond the band (coordinate at or above `to`) moves back by the band's width;
// what lies before it (at or below `from`) stays; what lies strictly inside is removed.
struct DLxViewBreak {
    enum Direction : int32_t { kHorizontal = 0, kVertical = 1 };
    Direction direction = kHorizontal;
    double from = 0.0;
    double to = 0.0;

    double Width() const { return to - from; }
    // The coordinate of `p` that the band bounds.
    double Along(const WqGePoint3d& p) const { return direction == kHorizontal ? p.x : p.y; }
    bool operator==(const DLxViewBreak&) const = default;

    // Of a list of breaks each finite, of some width and of a known direction: the first that
    // overlaps an earlier one of its direction, and the first such earlier one; {-1, -1} when
    // the bands are clear of each other. In n log n, for views of many breaks.
    static std::pair<int64_t, int64_t> FirstOverlap(const std::vector<DLxViewBreak>& breaks);
};

class DLxViewInstance : public RDxNode {
public:
    DLxViewInstance() = default;
    explicit DLxViewInstance(const RSeStream* s) : RDxNode(s) {}
    RSeMetaType* GetMeta() const override;

    const UTxString16& GetName() const { return m_name; }
    void SetName(const UTxString16& name);
    // The sheet whose fragment holds the view.
    DLxSheet* GetSheet() const;

    double GetViewScale() const { return m_scale; }
    // False, changing nothing, unless the scale is finite and above 0.
    bool SetViewScale(double scale);
    const WqGePoint3d& GetViewCenter() const { return m_center; }
    // On the sheet: z is dropped. False for a point that is not finite. The breaks move with
    // the centre.
    bool SetViewCenter(const WqGePoint3d& center);
    const WqGePoint3d& GetModelOrigin() const { return m_modelOrigin; }
    bool SetModelOrigin(const WqGePoint3d& origin);

    const WqGeMatrix3d& GetOrientation() const { return m_orientation; }
    // Looking along `direction` with `up` showing up the sheet, then turned counter-clockwise
    // on the sheet by `rotation` radians. Only the part of `up` across the direction counts.
    // False, changing nothing, for a zero direction or an up along it.
    bool SetOrientation(const WqGeVector3d& direction, const WqGeVector3d& up, double rotation);
    // The model direction the view looks along (unit).
    WqGeVector3d GetViewDirection() const;

    const std::vector<DLxViewEdge>& GetEdges() const { return m_edges; }
    // Null when the view has no edge of that id.
    const DLxViewEdge* FindEdge(int32_t id) const;
    // False, changing nothing, when an edge is not well formed or two share an id.
    bool SetEdges(std::vector<DLxViewEdge> edges);
    bool AddEdge(const DLxViewEdge& edge);
    bool RemoveEdge(int32_t id);
    // The model's weld features that the view's edges name; null for an id the view lacks.
    const std::vector<DLxModelWeld>& GetModelWelds() const { return m_welds; }
    const DLxModelWeld* FindModelWeld(int32_t id) const;
    // False, changing nothing, when an id is not positive or two share one.
    bool SetModelWelds(std::vector<DLxModelWeld> welds);
    // Whether the weld symbols recovered from the model's welds show in this view (they do by
    // default).
    bool GetWeldSymbolsVisible() const { return m_weldSymbolsVisible; }
    void SetWeldSymbolsVisible(bool visible);

    // The origin indicator that marks the view's origin: the last one placed on the view; null
    // when none was, or once it is deleted.
    DLxEmblem* GetCenterDatum() const;
    void SetCenterDatum(DLxEmblem* indicator);
    // A suppressed view is left out of the drawing: it draws nothing, and what hangs on it
    // (anchors, and through them annotations) counts as suppressed.
    bool IsSuppressed() const { return m_suppressed; }
    void SetSuppressed(bool suppressed);

    // Model to sheet and back. SheetToModel answers the model point on the plane through the
    // model origin across the view direction.
    WqGeMatrix3d GetModelToSheet() const;
    WqGePoint3d ModelToSheet(const WqGePoint3d& model) const;
    WqGePoint3d SheetToModel(const WqGePoint3d& sheet) const;
    DLxSheetCurve ProjectEdge(const DLxViewEdge& edge) const;

    // Breaks, in the order given. Breaks of one direction never overlap (they may touch).
    const std::vector<DLxViewBreak>& GetBreaks() const { return m_breaks; }
    bool HasBreaks() const { return !m_breaks.empty(); }
    // False, changing nothing, for a band that is not finite, not from < to, or that overlaps a
    // break of its direction.
    bool AddBreak(const DLxViewBreak& brk);
    // False, changing nothing, unless every break could be added in turn.
    bool SetBreaks(std::vector<DLxViewBreak> breaks);
    // Sheet positions of the unbroken view and of the view as drawn. Unbroken to broken moves a
    // point back by the widths of the bands below it; broken to unbroken is its inverse, a point
    // on the seam of a closed band going to the band's lower side. Without breaks both are the
    // identity. A removed point maps to where its band closes up.
    WqGePoint3d BrokenToUnbroken(const WqGePoint3d& point) const;
    WqGePoint3d UnbrokenToBroken(const WqGePoint3d& point) const;
    // The point lies strictly inside a band: the drawn view does not show it.
    bool IsUnbrokenPointRemoved(const WqGePoint3d& point) const;

    // The view's proxy of an edge, made on the first request; null when the view has no edge
    // of that id. The proxy stays when the edge goes, and answers as invalid until an edge of
    // that id is back.
    DLxEdgeGeometryProxy* FindEdgeProxy(int32_t id);
    // What annotations that follow the view's geometry depend on: the view itself.
    RDxNode* GetOutputBodySet() { return this; }

    // Appends the projected edges, each item carrying its edge's id. An arc seen square-on is
    // an arc; seen obliquely, a polyline through points of it. A broken view leaves out what
    // lies in its bands and closes them up: lines become the lines of their kept pieces, an arc
    // clear of every band is moved whole, and an arc reaching into a band becomes polylines
    // through points of its kept pieces. A suppressed view appends nothing.
    void BuildDisplayList(SMxDisplayList& list) const;
    // Around the projected edges; empty without edges.
    BBox GetSheetBBox() const;

    // Version 1 added the breaks, version 2 each edge's occurrence path, version 3 each edge's
    // model weld, the model welds and the weld symbols' visibility, version 4 each edge's
    // cosmetic welds and each weld's paired weld and cosmetic flag, version 5 the origin
    // indicator and the suppression; a view stored at version 0 has no breaks, one stored
    // before version 2 edges of no occurrence, one before version 3 no welds (and shows its
    // weld symbols), one before version 4 no cosmetic or paired welds, one before version 5 no
    // origin indicator and is not suppressed.
    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxViewInstance* target, RSeCloneCommander* cc) const;

private:
    void BeginChange();
    void LoadFields(RSeStream& s, int32_t version);

    UTxString16 m_name;
    double m_scale = 1.0;
    WqGePoint3d m_center;
    WqGePoint3d m_modelOrigin;
    WqGeMatrix3d m_orientation;
    std::vector<DLxViewEdge> m_edges;
    std::vector<DLxModelWeld> m_welds;
    bool m_weldSymbolsVisible = true;
    std::vector<DLxViewBreak> m_breaks;
    std::vector<RSeRef<DLxEdgeGeometryProxy>> m_proxies;
    RSeRef<DLxEmblem> m_centerDatum;
    bool m_suppressed = false;

    // The last model-to-sheet matrix and the placement it was made from, compared bit for bit:
    // edges are projected many times a compute and the placement seldom changes (an undo may
    // change it behind our back, so it is compared, not invalidated).
    struct SheetXform {
        bool valid = false;
        double scale = 0.0;
        WqGePoint3d center, modelOrigin;
        WqGeMatrix3d orientation, modelToSheet;
    };
    mutable SheetXform m_sheetXform;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxViewInstance*);
RSeMetaType* _GetMeta(const DLxViewInstance*);
} // namespace RSe
