#include "Standard/DLxCTargetService.h"

#include <cmath>
#include <memory>

#include "Standard/DLxCAuxHatch.h"
#include "Standard/DLxCTarget.h"
#include "du/DUxAuxEntFactory.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxDatumTargetStyle.h"
#include "du/DUxSymUnitAttr.h"
#include "ge/WqGeMatrix3d.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {
constexpr double kTiny = 1e-6;

// The matrix with its translation replaced: shapes carry their own position.
WqGeMatrix3d At(const WqGeMatrix3d& xform, const WqGePoint3d& o) {
    WqGeMatrix3d m = xform;
    m.setTranslation(o - WqGePoint3d::kOrigin);
    return m;
}

void AddCross(DUxCAuxEntArray& array, double s, const WqGeMatrix3d& at) {
    const WqGePoint3d a(-s, -s, 0), b(s, s, 0), c(-s, s, 0), d(s, -s, 0);
    DUxAuxEntFactory::CreateSingleSegmentPolyLine(array, at * a, at * b, nullptr, nullptr);
    DUxAuxEntFactory::CreateSingleSegmentPolyLine(array, at * c, at * d, nullptr, nullptr);
}

double HatchDist(const DUxDatumTargetStyleWrapper& style) {
    return style.GetHatchDist() * DLxCTargetSubSym::GetScale();
}
} // namespace

UTxString16 DLxTargetDisplayText(const UTxString16& text) {
    UTxString16 out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'%' && i + 2 < text.size() && text[i + 1] == u'%' &&
            (text[i + 2] == u'c' || text[i + 2] == u'C')) {
            out += u'\u2300';
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// ---- base

bool DLxCTargetService::IsMine(const DLxCTargetSubSym* shape) const {
    return shape && shape->GetTargetType() == m_type;
}

UTxResult DLxCTargetService::BuildEntities(const DLxCTargetSubSym*, DUxCAuxEntArray&,
                                           const WqGeMatrix3d&,
                                           const DUxDatumTargetStyleWrapper*) const {
    return {};
}

UTxResult DLxCTargetService::DrawShape(SMxDisplayList& list, const DLxCTargetSubSym* shape,
                                       const WqGeMatrix3d& xform,
                                       const DUxDatumTargetStyleWrapper* style) const {
    if (!IsMine(shape)) return {};
    DUxCAuxEntArray entities;
    BuildEntities(shape, entities, xform, style);
    entities.Draw(list);
    if (!OutlineWord()) return {};
    DUxCAuxEntArray outline;
    const UTxResult r = BuildOutline(shape, outline, xform, style);
    if (r.Failed() || outline.GetSize() == 0) return r;
    auto child = std::make_unique<SMxChildItem>();
    child->SetId(OutlineWord());
    outline.Draw(child->list);
    list.Append(std::move(child));
    return r;
}

// ---- point

UTxResult DLxCTargetPointService::BuildOutline(const DLxCTargetSubSym* shape,
                                               DUxCAuxEntArray& array, const WqGeMatrix3d& xform,
                                               const DUxDatumTargetStyleWrapper* style) const {
    const auto* point = dynamic_cast<const DLxCTargetPoint*>(shape);
    if (!point || point->GetPointStyle() != 1 || !style) return {};
    AddCross(array, style->GetPointSize(), At(xform, shape->GetOrigin()));
    return {};
}

// ---- line

UTxResult DLxCTargetLineService::BuildEntities(const DLxCTargetSubSym* shape,
                                               DUxCAuxEntArray& array, const WqGeMatrix3d&,
                                               const DUxDatumTargetStyleWrapper*) const {
    const auto* line = dynamic_cast<const DLxCTargetLine*>(shape);
    if (!IsMine(shape) || !line) return {};
    DUxAuxEntFactory::CreateSingleSegmentPolyLine(array, line->GetOrigin(), line->GetEndPoint(),
                                                  nullptr, nullptr);
    return {};
}

UTxResult DLxCTargetLineService::BuildOutline(const DLxCTargetSubSym* shape,
                                              DUxCAuxEntArray& array, const WqGeMatrix3d& xform,
                                              const DUxDatumTargetStyleWrapper* style) const {
    const auto* line = dynamic_cast<const DLxCTargetLine*>(shape);
    if (!line || !style) return {};
    AddCross(array, style->GetPointSize(), At(xform, line->GetOrigin()));
    AddCross(array, style->GetPointSize(), At(xform, line->GetEndPoint()));
    return {};
}

// ---- circular area

UTxResult DLxCTargetCircularAreaService::BuildEntities(
    const DLxCTargetSubSym* shape, DUxCAuxEntArray& array, const WqGeMatrix3d&,
    const DUxDatumTargetStyleWrapper* style) const {
    const auto* area = dynamic_cast<const DLxCTargetCircularArea*>(shape);
    if (!IsMine(shape) || !area || !style || area->GetRadius() < kTiny) return {};
    const double d = HatchDist(*style);
    if (d > kTiny && d / 2 < area->GetRadius()) {
        auto hatch = std::make_unique<DLxCAuxCircularHatch>(style->GetHatchAngle(), d,
                                                            area->GetRadius());
        hatch->TransformBy(WqGeMatrix3d::translation(area->GetOrigin() - WqGePoint3d::kOrigin));
        array.Append(std::move(hatch));
    }
    return {};
}

UTxResult DLxCTargetCircularAreaService::BuildOutline(const DLxCTargetSubSym* shape,
                                                      DUxCAuxEntArray& array,
                                                      const WqGeMatrix3d& xform,
                                                      const DUxDatumTargetStyleWrapper*) const {
    const auto* area = dynamic_cast<const DLxCTargetCircularArea*>(shape);
    if (!area || area->GetRadius() < kTiny) return UTxResult(kNoOutline);
    DUxAuxEntFactory::CreateCircleByCenter(array, WqGePoint3d::kOrigin, area->GetRadius(), false,
                                           At(xform, area->GetOrigin()), nullptr, nullptr);
    return {};
}

// ---- rectangular area

UTxResult DLxCTargetRectangularAreaService::BuildEntities(
    const DLxCTargetSubSym* shape, DUxCAuxEntArray& array, const WqGeMatrix3d&,
    const DUxDatumTargetStyleWrapper* style) const {
    const auto* area = dynamic_cast<const DLxCTargetRectangularArea*>(shape);
    if (!IsMine(shape) || !area || !style) return {};
    const double d = HatchDist(*style);
    const double hw = area->GetWidth() / 2, hh = area->GetHeight() / 2;
    if (d > kTiny && d / 2 < hw && d / 2 < hh) {
        auto hatch = std::make_unique<DLxCAuxLinearHatch>(style->GetHatchAngle(), d, hw, hh,
                                                          area->GetRotation());
        hatch->TransformBy(WqGeMatrix3d::translation(area->GetOrigin() - WqGePoint3d::kOrigin));
        array.Append(std::move(hatch));
    }
    return {};
}

UTxResult DLxCTargetRectangularAreaService::BuildOutline(const DLxCTargetSubSym* shape,
                                                         DUxCAuxEntArray& array,
                                                         const WqGeMatrix3d& xform,
                                                         const DUxDatumTargetStyleWrapper*) const {
    const auto* area = dynamic_cast<const DLxCTargetRectangularArea*>(shape);
    if (!area || area->GetWidth() < kTiny || area->GetHeight() < kTiny)
        return UTxResult(kNoOutline);
    const double w = area->GetWidth() / 2, h = area->GetHeight() / 2;
    const WqGeMatrix3d at = At(xform, area->GetOrigin()) *
                            WqGeMatrix3d::rotation(area->GetRotation(), WqGeVector3d::kZAxis);
    const WqGePoint3d corners[4] = {at * WqGePoint3d(w, h, 0), at * WqGePoint3d(-w, h, 0),
                                    at * WqGePoint3d(-w, -h, 0), at * WqGePoint3d(w, -h, 0)};
    DUxAuxEntFactory::CreatePolygon(array, corners, 4, DUxAuxEntFactory::kClosedPolygon, nullptr,
                                    nullptr);
    return {};
}

// ---- balloon

double DLxCTargetBalloonService::GetBalloonRadius(const DUxDatumTargetStyleWrapper* style) const {
    if (!style) return 0.0;
    if (style->GetScaleToTextHeight())
        return style->GetBalloonRadiusMultiplier() * style->GetTextStyle().GetFontSize();
    return style->GetSize() / 2;
}

WqGePoint3d DLxCTargetBalloonService::GetSizeTextPoint(double radius) {
    return {0, radius / 2, 0};
}

UTxResult DLxCTargetBalloonService::BuildEntities(const DLxCTargetSubSym* shape,
                                                  DUxCAuxEntArray& array,
                                                  const WqGeMatrix3d& xform,
                                                  const DUxDatumTargetStyleWrapper* style) const {
    // The layout writes back where the alternate-unit text went.
    auto* balloon = const_cast<DLxCTargetBalloon*>(dynamic_cast<const DLxCTargetBalloon*>(shape));
    if (!IsMine(shape) || !balloon || !style) return {};
    const int32_t first = array.GetSize();
    const double r = GetBalloonRadius(style);
    const DUxTextStyleWrapper text = style->GetTextStyle();
    const double height = text.GetFontSize();
    const double margin = GetTextMargin() * height;
    DUxAuxEntFactory::CreateSingleSegmentPolyLine(array, {-r, 0, 0}, {r, 0, 0}, nullptr, nullptr);
    DUxAuxEntFactory::CreateCircleByCenter(array, WqGePoint3d::kOrigin, r, false,
                                           WqGeMatrix3d::kIdentity, nullptr, nullptr);

    // Balloons here carry no unit attributes of their own (their symbol's state uses no
    // standards notation), so the size text shows as typed and has no alternate text.
    balloon->SetAltOutside(false);
    const UTxString16& size = balloon->GetSizeTextValue();
    if (!size.empty()) {
        const WqGePoint3d at = GetSizeTextPoint(r);
        DUxCAuxText* t = DUxAuxEntFactory::CreateText(array, at, 5, DLxTargetDisplayText(size),
                                                      text.GetFontId(), text.GetGdtFontId(),
                                                      nullptr, nullptr, 7, height);
        const double w = t->actualWidth(), h = t->actualHeight();
        if (std::sqrt(w * w + h * h) + margin > r) {
            t->position = balloon->GetOrientationType() == 1 ? WqGePoint3d(r + w / 2, 2 * r, 0)
                                                             : WqGePoint3d(-r - w / 2, 2 * r, 0);
            const DUxCAuxText placed = *t;
            DrawOutsideDecoration(r, at, placed.position, placed, array, style);
        }
    }
    if (!balloon->GetTargetText().empty())
        DUxAuxEntFactory::CreateText(array, {0, -r / 2, 0}, 5, balloon->GetTargetText(),
                                     text.GetFontId(), text.GetGdtFontId(), nullptr, nullptr, 7,
                                     height);
    for (int32_t i = first; i < array.GetSize(); ++i)
        array.GetAt(i)->TransformBy(xform);
    return {};
}

void DLxCTargetBalloonService::DrawOutsideDecoration(double radius, const WqGePoint3d& q,
                                                     const WqGePoint3d& t, const DUxCAuxText& text,
                                                     DUxCAuxEntArray& array,
                                                     const DUxDatumTargetStyleWrapper* style) const {
    const double h = text.actualHeight();
    const double g = text.height * 0.3;
    const double w = text.actualWidth();
    DUxAuxEntFactory::CreateCircleByCenter(array, q, radius * 0.1, false, WqGeMatrix3d::kIdentity,
                                           nullptr, nullptr);
    if (style && style->GetOutsideUnderlined()) {
        const WqGePoint3d a(t.x - w / 2 - g, t.y - h / 2 - g, 0);
        const WqGePoint3d b(t.x + w / 2 + g, a.y, 0);
        DUxAuxEntFactory::CreateSingleSegmentPolyLine(array, q, a, nullptr, nullptr);
        DUxAuxEntFactory::CreateSingleSegmentPolyLine(array, a, b, nullptr, nullptr);
        return;
    }
    const double e = t.x < q.x ? t.x + w / 2 + g : t.x - w / 2 - g;
    const double f = t.x < q.x ? e + 2 * g : e - 2 * g;
    DUxAuxEntFactory::CreateSingleSegmentPolyLine(array, q, {f, t.y, 0}, nullptr, nullptr);
    DUxAuxEntFactory::CreateSingleSegmentPolyLine(array, {f, t.y, 0}, {e, t.y, 0}, nullptr,
                                                  nullptr);
}

double DLxCTargetBalloonServiceANSI::GetBalloonRadius(const DUxDatumTargetStyleWrapper* style) const {
    return style ? 1.75 * style->GetTextStyle().GetFontSize() : 0.0;
}

void DLxCTargetBalloonServiceANSI::DrawOutsideDecoration(
    double radius, const WqGePoint3d& q, const WqGePoint3d& t, const DUxCAuxText& text,
    DUxCAuxEntArray& array, const DUxDatumTargetStyleWrapper*) const {
    const double g = text.height * 0.3;
    const double w = text.actualWidth();
    DUxAuxEntFactory::CreateCircleByCenter(array, q, radius * 0.1, false, WqGeMatrix3d::kIdentity,
                                           nullptr, nullptr);
    const double e = t.x < q.x ? t.x + w / 2 + g : t.x - w / 2 - g;
    const double f = t.x < q.x ? e + 2 * g : e - 2 * g;
    DUxAuxEntFactory::CreateSingleSegmentPolyLine(array, q, {e, t.y, 0}, nullptr, nullptr);
    DUxAuxEntFactory::CreateSingleSegmentPolyLine(array, {e, t.y, 0}, {f, t.y, 0}, nullptr,
                                                  nullptr);
}
