#include "Request/DLxCreateSketchRequest.h"

#include <cmath>
#include <numbers>
#include <string>

#include "Request/DLxRequestUtil.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSketch.h"
#include "dl/DLxTDXUtil.h"

IMPLEMENT_DYNCREATE(DLxCreateSketchRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kBadInput = 0xE009033C;
constexpr double kTiny = 1e-9;

UTxResult Refuse(const UTxString16& why) {
    return UTxResult::Refusal(kBadInput, why);
}

bool Finite(const std::vector<WqGePoint3d>& points) {
    for (const WqGePoint3d& p : points)
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return false;
    return true;
}

// The circle through three points of the plane, running from a through b to c; false when
// they lie on a line.
bool ArcThrough(const WqGePoint3d& a, const WqGePoint3d& b, const WqGePoint3d& c,
                DLxSketch::Curve& arc) {
    const double d = 2 * (a.x * (b.y - c.y) + b.x * (c.y - a.y) + c.x * (a.y - b.y));
    if (std::fabs(d) < kTiny) return false;
    const double a2 = a.x * a.x + a.y * a.y, b2 = b.x * b.x + b.y * b.y, c2 = c.x * c.x + c.y * c.y;
    const WqGePoint3d centre((a2 * (b.y - c.y) + b2 * (c.y - a.y) + c2 * (a.y - b.y)) / d,
                             (a2 * (c.x - b.x) + b2 * (a.x - c.x) + c2 * (b.x - a.x)) / d, 0);
    arc.kind = DLxSketch::Curve::kArc;
    arc.centre = centre;
    arc.radius = centre.distanceTo(a);
    double sa = std::atan2(a.y - centre.y, a.x - centre.x);
    double sc = std::atan2(c.y - centre.y, c.x - centre.x);
    // Counter-clockwise from a to c when b lies left of the chord from a to c; otherwise the
    // arc runs counter-clockwise from c to a.
    const double cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    if (cross < 0) std::swap(sa, sc);
    if (sc < sa) sc += 2 * std::numbers::pi;
    arc.startAngle = sa;
    arc.endAngle = sc;
    return true;
}

UTxString16 Count(size_t n) {
    return UTx::MakeWideString(std::to_string(n));
}
} // namespace

DLxCreateSketchRequest::DLxCreateSketchRequest() = default;

DLxCreateSketchRequest::DLxCreateSketchRequest(const Definition& definition) : m_def(definition) {}

UTxStringResource DLxCreateSketchRequest::GetRequestIdentity() const {
    return {0x600B01C2, 11, 0};
}

UTxResult DLxCreateSketchRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"CreateSketch");
}

UTxResult DLxCreateSketchRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxCreateSketchRequest::ValidateInputs(FWxSceneDoc* doc) {
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc);
    if (!drawing) return Refuse(u"not a drawing");
    if (m_def.name.empty()) return Refuse(u"Name: empty");
    if (DLxSketch::Find(drawing, m_def.name)) return Refuse(u"Name: taken by another sketch");
    if (m_def.lines.size() % 2) return Refuse(u"Lines: two points a line");
    if (m_def.arcs.size() % 3) return Refuse(u"Arcs: three points an arc");
    if (m_def.circles.size() % 2) return Refuse(u"Circles: two points a circle");
    if (m_def.imageBoxes.size() != 2 * m_def.images.size())
        return Refuse(u"ImageBoxes: two corners an image, " + Count(m_def.images.size()) +
                      u" images");
    if (m_def.textPoints.size() != m_def.texts.size() || m_def.prompts.size() != m_def.texts.size())
        return Refuse(u"TextPoints, Prompts: one of each a text, " + Count(m_def.texts.size()) +
                      u" texts");
    if (!std::isfinite(m_def.textHeight) || m_def.textHeight <= 0)
        return Refuse(u"TextHeight: not a finite number above 0");
    for (const auto* points : {&m_def.lines, &m_def.arcs, &m_def.circles, &m_def.textPoints,
                               &m_def.imageBoxes, &m_def.connectionPoints})
        if (!Finite(*points)) return Refuse(u"a point is not finite");
    if (!Finite({m_def.insertPoint})) return Refuse(u"InsertPoint: not finite");
    DLxSketch::Curve arc;
    for (size_t i = 0; i < m_def.arcs.size(); i += 3)
        if (!ArcThrough(m_def.arcs[i], m_def.arcs[i + 1], m_def.arcs[i + 2], arc))
            return Refuse(u"Arcs: arc " + Count(i / 3) + u" runs through three points on a line");
    for (size_t i = 0; i < m_def.circles.size(); i += 2)
        if (m_def.circles[i].distanceTo(m_def.circles[i + 1]) < kTiny)
            return Refuse(u"Circles: circle " + Count(i / 2) + u" has no size");
    return {};
}

UTxResult DLxCreateSketchRequest::_Execute(FWxSceneDoc* doc) {
    DLxSketch* sketch = DLxSketch::Create(dynamic_cast<DLxDrawingDoc*>(doc), m_def.name);
    if (!sketch) return Refuse(u"Name: the sketch could not be made");
    m_sketch = sketch;
    sketch->SetInsertPoint(m_def.insertPoint);
    for (size_t i = 0; i < m_def.lines.size(); i += 2) {
        DLxSketch::Curve line;
        line.start = m_def.lines[i];
        line.end = m_def.lines[i + 1];
        sketch->AddCurve(line);
    }
    for (size_t i = 0; i < m_def.arcs.size(); i += 3) {
        DLxSketch::Curve arc;
        ArcThrough(m_def.arcs[i], m_def.arcs[i + 1], m_def.arcs[i + 2], arc);
        sketch->AddCurve(arc);
    }
    for (size_t i = 0; i < m_def.circles.size(); i += 2) {
        DLxSketch::Curve circle;
        circle.kind = DLxSketch::Curve::kCircle;
        circle.centre = m_def.circles[i];
        circle.radius = m_def.circles[i].distanceTo(m_def.circles[i + 1]);
        sketch->AddCurve(circle);
    }
    for (size_t i = 0; i < m_def.texts.size(); ++i) {
        DLxSketch::Text text;
        text.text = m_def.texts[i];
        text.prompt = m_def.prompts[i];
        text.prompted = !text.prompt.empty();
        text.position = m_def.textPoints[i];
        text.height = m_def.textHeight;
        sketch->AddText(text);
    }
    for (size_t i = 0; i < m_def.images.size(); ++i) {
        const WqGePoint3d& a = m_def.imageBoxes[2 * i];
        const WqGePoint3d& b = m_def.imageBoxes[2 * i + 1];
        DLxSketch::Image image;
        image.name = m_def.images[i];
        image.lowerLeft = WqGePoint3d(std::min(a.x, b.x), std::min(a.y, b.y), 0);
        image.upperRight = WqGePoint3d(std::max(a.x, b.x), std::max(a.y, b.y), 0);
        sketch->AddImage(image);
    }
    for (const WqGePoint3d& p : m_def.connectionPoints)
        sketch->AddConnectionPoint(WqGePoint3d(p.x, p.y, 0));
    return {};
}

UTxResult DLxCreateSketchRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    DLxTDXUtil::Transcript(tdx, u"Name", m_def.name, true);
    DLxTDXUtil::Transcript(tdx, u"InsertPoint", m_def.insertPoint, true);
    DLxTDXUtil::Transcript(tdx, u"Lines", m_def.lines, false);
    DLxTDXUtil::Transcript(tdx, u"Arcs", m_def.arcs, false);
    DLxTDXUtil::Transcript(tdx, u"Circles", m_def.circles, false);
    DLxTDXUtil::Transcript(tdx, u"Texts", m_def.texts, false);
    DLxTDXUtil::Transcript(tdx, u"TextPoints", m_def.textPoints, false);
    DLxTDXUtil::Transcript(tdx, u"Prompts", m_def.prompts, false);
    DLxTDXUtil::Transcript(tdx, u"TextHeight", m_def.textHeight, false);
    DLxTDXUtil::Transcript(tdx, u"Images", m_def.images, false);
    DLxTDXUtil::Transcript(tdx, u"ImageBoxes", m_def.imageBoxes, false);
    DLxTDXUtil::Transcript(tdx, u"ConnectionPoints", m_def.connectionPoints, false);
    return tdx.GetResult();
}
