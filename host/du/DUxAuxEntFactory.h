#pragma once
// Makes auxiliary entities into an array. The line style and segment arguments are accepted
// for the callers' sake; the entities are transient and drawn with the list's own pen.
#include <cstdint>

class DUxCAuxEntArray;
class DUxCAuxText;
class DUxCAuxPolyLine;
class DUxCAuxCircle;
class DUxCAuxArc;
class WqGeVector3d;
class RSeSegment;
class WqGeMatrix3d;
class WqGePoint3d;

#include <vector>

#include "utx/UTxString16.h"

class DUxAuxEntFactory {
public:
    // `height` is the text height in model units.
    static DUxCAuxText* CreateText(DUxCAuxEntArray& array, const WqGePoint3d& at,
                                   int32_t attachment, const UTxString16& text, int32_t fontId,
                                   int32_t gdtFontId, const void* lineStyle, RSeSegment* segment,
                                   int32_t refPoint, double height);
    static DUxCAuxPolyLine* CreateSingleSegmentPolyLine(DUxCAuxEntArray& array,
                                                        const WqGePoint3d& from,
                                                        const WqGePoint3d& to,
                                                        const void* lineStyle, RSeSegment* segment);
    static DUxCAuxPolyLine* CreateMultiSegmentPolyLine(DUxCAuxEntArray& array,
                                                       const WqGePoint3d* points, int32_t count,
                                                       const void* lineStyle, RSeSegment* segment);
    // The circle placed by the matrix.
    static DUxCAuxCircle* CreateCircleByCenter(DUxCAuxEntArray& array, const WqGePoint3d& centre,
                                               double radius, bool filled,
                                               const WqGeMatrix3d& xform, const void* lineStyle,
                                               RSeSegment* segment);
    // An arc about the z axis of the plane: from `start` (a direction from the centre),
    // counter-clockwise by `sweep` radians; then placed by the matrix.
    static DUxCAuxArc* CreateArcByCenter(DUxCAuxEntArray& array, const WqGePoint3d& centre,
                                         double radius, const WqGeVector3d& start, double sweep,
                                         const WqGeMatrix3d& xform, const void* lineStyle,
                                         RSeSegment* segment);
    // A polyline through the points; mode kClosedPolygon joins the last point to the first.
    static constexpr int32_t kClosedPolygon = 2;
    static DUxCAuxPolyLine* CreatePolygon(DUxCAuxEntArray& array, const WqGePoint3d* points,
                                          int32_t count, int32_t mode, const void* lineStyle,
                                          RSeSegment* segment);
};

// The vertices of a regular polygon about a centre, the first one towards `firstVertex` at the
// radius, the others following counter-clockwise; they replace the list's content. Fewer than
// three sides give no vertex.
void CreatePolygon(const WqGePoint3d& centre, double radius, int32_t sides,
                   const WqGePoint3d& firstVertex, std::vector<WqGePoint3d>& points);
