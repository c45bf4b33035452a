#include "du/DUxAuxEntFactory.h"

#include <cmath>
#include <memory>
#include <numbers>

#include "du/DUxCAuxEntArray.h"

DUxCAuxText* DUxAuxEntFactory::CreateText(DUxCAuxEntArray& array, const WqGePoint3d& at,
                                          int32_t attachment, const UTxString16& text,
                                          int32_t fontId, int32_t gdtFontId, const void*,
                                          RSeSegment*, int32_t refPoint, double height) {
    auto t = std::make_unique<DUxCAuxText>();
    t->position = at;
    t->attachment = attachment;
    t->text = text;
    t->fontId = fontId;
    t->gdtFontId = gdtFontId;
    t->refPoint = refPoint;
    t->height = height;
    return static_cast<DUxCAuxText*>(array.Append(std::move(t)));
}

DUxCAuxPolyLine* DUxAuxEntFactory::CreateSingleSegmentPolyLine(DUxCAuxEntArray& array,
                                                               const WqGePoint3d& from,
                                                               const WqGePoint3d& to, const void*,
                                                               RSeSegment*) {
    auto p = std::make_unique<DUxCAuxPolyLine>();
    p->points = {from, to};
    return static_cast<DUxCAuxPolyLine*>(array.Append(std::move(p)));
}

DUxCAuxPolyLine* DUxAuxEntFactory::CreateMultiSegmentPolyLine(DUxCAuxEntArray& array,
                                                              const WqGePoint3d* points,
                                                              int32_t count, const void*,
                                                              RSeSegment*) {
    auto p = std::make_unique<DUxCAuxPolyLine>();
    p->points.assign(points, points + (count > 0 ? count : 0));
    return static_cast<DUxCAuxPolyLine*>(array.Append(std::move(p)));
}

DUxCAuxCircle* DUxAuxEntFactory::CreateCircleByCenter(DUxCAuxEntArray& array,
                                                      const WqGePoint3d& centre, double radius,
                                                      bool filled, const WqGeMatrix3d& xform,
                                                      const void*, RSeSegment*) {
    auto c = std::make_unique<DUxCAuxCircle>(centre, radius, WqGeVector3d::kZAxis, filled);
    c->TransformBy(xform);
    return static_cast<DUxCAuxCircle*>(array.Append(std::move(c)));
}

DUxCAuxArc* DUxAuxEntFactory::CreateArcByCenter(DUxCAuxEntArray& array, const WqGePoint3d& centre,
                                                double radius, const WqGeVector3d& start,
                                                double sweep, const WqGeMatrix3d& xform,
                                                const void*, RSeSegment*) {
    auto a = std::make_unique<DUxCAuxArc>();
    a->centre = centre;
    a->radius = radius;
    a->startVector = start;
    a->sweep = sweep;
    a->TransformBy(xform);
    return static_cast<DUxCAuxArc*>(array.Append(std::move(a)));
}

DUxCAuxPolyLine* DUxAuxEntFactory::CreatePolygon(DUxCAuxEntArray& array, const WqGePoint3d* points,
                                                 int32_t count, int32_t mode, const void*,
                                                 RSeSegment*) {
    auto p = std::make_unique<DUxCAuxPolyLine>();
    p->points.assign(points, points + (count > 0 ? count : 0));
    p->closed = mode == kClosedPolygon;
    return static_cast<DUxCAuxPolyLine*>(array.Append(std::move(p)));
}

void CreatePolygon(const WqGePoint3d& centre, double radius, int32_t sides,
                   const WqGePoint3d& firstVertex, std::vector<WqGePoint3d>& points) {
    points.clear();
    if (sides < 3) return;
    const double dx = firstVertex.x - centre.x, dy = firstVertex.y - centre.y;
    const double first = (dx == 0.0 && dy == 0.0) ? 0.0 : std::atan2(dy, dx);
    for (int32_t i = 0; i < sides; ++i) {
        const double a = first + 2 * std::numbers::pi * i / sides;
        points.emplace_back(centre.x + radius * std::cos(a), centre.y + radius * std::sin(a),
                            centre.z);
    }
}
