#pragma once
// Arrowheads at leader ends: the service templates that say what an arrowhead looks like, the
// stored state that picks one for an end, the outline of a drawn arrowhead (DUxArrowHeadBox)
// that other graphics are clipped against, and the 2D clipping helpers.
#include <cstdint>
#include <vector>

#include "dc/RDxState.h"
#include "du/DUxGeometryProxy.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"

class DUxEmblem;
class DUxLeaderStyleWrapper;

// A datum triangle stands on its tip: its base lies across the leader's end, on the geometry,
// and its apex points back along the leader.
enum class DUxArrowHeadShape : int32_t {
    None = 0,
    ClosedFilled,
    Closed,
    Open,
    Dot,
    Slash,
    DatumFilled,
    DatumOpen
};

// One arrowhead service: its id, its shape and its size in sheet units (length along the
// leader, width across it).
struct DUxArrowHeadTemplate {
    uint32_t id;
    DUxArrowHeadShape shape;
    double length;
    double width;

    // Null for an unknown id. The default service is 28029, a closed filled arrow.
    static const DUxArrowHeadTemplate* Find(uint32_t id);
    static const DUxArrowHeadTemplate* Default();
    static const std::vector<DUxArrowHeadTemplate>& All();
};

// The arrowhead drawn at one leader end: which service draws it.
class DUxArrowHeadState : public RDxState {
public:
    DUxArrowHeadState() = default;
    explicit DUxArrowHeadState(uint32_t templateId) : m_templateId(templateId) {}
    explicit DUxArrowHeadState(const RSeStream* s) : RDxState(s) {}
    RSeMetaType* GetMeta() const override;

    // Made in the fragment's segment and added to the fragment (when there is one).
    static DUxArrowHeadState* Create(RDxFragment* fragment, uint32_t templateId);

    // The service; an id that no service has reads as the default.
    const DUxArrowHeadTemplate* GetTemplateRef() const;
    uint32_t GetTemplateId() const { return m_templateId; }
    // Null is ignored.
    void SetTemplateRef(const DUxArrowHeadTemplate* tmpl);
    // Takes the other state's service (direction is the host's hook, unused).
    void PassValue(DUxArrowHeadState* target, int32_t direction) const;

    // The arrowhead's axis: `direction` (from the leader towards the tip) scaled to the
    // arrowhead's length; X when the direction has no length. Zero for the shape None.
    bool GetArrowHeadVector(const WqGePoint3d& tip, const WqGeVector3d& direction,
                            WqGeVector3d& vector) const;
    // The outline at `tip` for an axis `vector`: for arrows the tip and the two back corners,
    // for a dot a 12-gon, for a slash a thin quadrilateral across the tip; empty for None.
    // Appends to `points`. A style with an arrowhead size scales the shape to that length.
    void GetArrowHeadPoints(const WqGePoint3d& tip, const WqGeVector3d& vector,
                            std::vector<WqGePoint3d>& points,
                            const DUxLeaderStyleWrapper* style) const;
    bool IsFilled() const;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxArrowHeadState* target, RSeCloneCommander* cc) const;

private:
    uint32_t m_templateId = 28029;
};

// The outline of one drawn arrowhead (or of an annotation's clipping box), the emblem that drew
// it, the line of the geometry under it, whether it is the emblem's own box, and whether lines
// of the same emblem are clipped against it.
class DUxArrowHeadBox {
public:
    DUxArrowHeadBox() = default;
    DUxArrowHeadBox(std::vector<WqGePoint3d> points, DUxEmblem* emblem,
                    const DUxLineGeometry& extLine, bool ownBox, bool clipOwn);

    const std::vector<WqGePoint3d>& GetPoints() const { return m_points; }
    DUxEmblem* GetEmblem() const;
    const DUxLineGeometry& GetExtensionLine() const { return m_extLine; }
    bool HasExtensionLine() const { return m_extLine.start != m_extLine.end; }
    bool IsOwnBox() const { return m_ownBox; }
    bool ClipsOwn() const { return m_clipOwn; }
    // The rectangles around the outline and around the segment overlap (in x and y).
    bool Intersects(const WqGePoint3d& a, const WqGePoint3d& b) const;
    // The extension line and the segment lie on one line.
    bool IsColinearWithExtensionLine(const WqGePoint3d& a, const WqGePoint3d& b) const;

private:
    std::vector<WqGePoint3d> m_points;
    RSeRef<DUxEmblem> m_emblem;
    DUxLineGeometry m_extLine;
    bool m_ownBox = false;
    bool m_clipOwn = false;
};

// Clips the segment a-b against the polygon (x and y only, z of the segment kept) and appends
// the parts outside it to `parts` as start/end pairs, in order from a. A polygon of fewer
// than three points clips nothing. Answers whether anything was cut away.
bool DUxClip2DLineSegment(const WqGePoint3d& a, const WqGePoint3d& b,
                          const std::vector<WqGePoint3d>& polygon, std::vector<WqGePoint3d>& parts);

// Drops repeated consecutive points and a closing point equal to the first, and turns the
// polygon counter-clockwise (in x and y). A polygon left with fewer than three points, or with
// no area, is left as it is after dropping. Answers whether it is a proper polygon.
bool DUxNormalizePolygon(std::vector<WqGePoint3d>& polygon);

namespace RSe {
RSeMetaType* _InitMeta(const DUxArrowHeadState*);
RSeMetaType* _GetMeta(const DUxArrowHeadState*);
} // namespace RSe
