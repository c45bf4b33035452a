#include "dl/DLxSketch.h"

#include <cmath>
#include <algorithm>
#include <memory>
#include <numbers>

#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

// ---- the definition

DLxSketch* DLxSketch::Create(DLxDrawingDoc* doc, const UTxString16& name) {
    if (!doc || name.empty() || Find(doc, name)) return nullptr;
    RSeSegment* segment = doc->GetRSeDb()->GetSegment(0);
    auto* sketch = new (RSe::_GetMeta(static_cast<const DLxSketch*>(nullptr)), segment) DLxSketch();
    sketch->m_name = name;
    return sketch;
}

std::vector<DLxSketch*> DLxSketch::GetAll(const DLxDrawingDoc* doc) {
    std::vector<DLxSketch*> out;
    if (!doc || !doc->GetRSeDb() || doc->GetRSeDb()->GetSegmentCount() == 0) return out;
    doc->GetRSeDb()->GetSegment(0)->ForEachObject([&](RSeVMeta* o) {
        if (auto* sketch = dynamic_cast<DLxSketch*>(o)) out.push_back(sketch);
    });
    return out;
}

DLxSketch* DLxSketch::Find(const DLxDrawingDoc* doc, const UTxString16& name) {
    for (DLxSketch* sketch : GetAll(doc))
        if (sketch->GetName() == name) return sketch;
    return nullptr;
}

void DLxSketch::SetInsertPoint(const WqGePoint3d& p) {
    RSe::PrepareWrite(this);
    m_insert = p;
}

void DLxSketch::AddCurve(const Curve& c) {
    RSe::PrepareWrite(this);
    m_curves.push_back(c);
}

void DLxSketch::AddText(const Text& t) {
    RSe::PrepareWrite(this);
    m_texts.push_back(t);
}

void DLxSketch::AddImage(const Image& i) {
    RSe::PrepareWrite(this);
    m_images.push_back(i);
}

void DLxSketch::AddConnectionPoint(const WqGePoint3d& p) {
    RSe::PrepareWrite(this);
    m_connections.push_back(p);
}

std::vector<int32_t> DLxSketch::GetAllPromptParameters() const {
    std::vector<int32_t> out;
    for (size_t i = 0; i < m_texts.size(); ++i)
        if (m_texts[i].prompted) out.push_back(int32_t(i));
    return out;
}

BBox DLxSketch::GetExtents() const {
    // With the sketch's own texts: the box a placement has before it is filled in.
    BBox box;
    for (const Curve& c : m_curves) {
        if (c.kind == Curve::kLine) {
            box.extend(c.start).extend(c.end);
        } else {
            SMxArcItem arc(c.centre, WqGeVector3d::kZAxis, WqGeVector3d::kXAxis, c.radius,
                           c.kind == Curve::kCircle ? 0.0 : c.startAngle,
                           c.kind == Curve::kCircle ? 2 * std::numbers::pi : c.endAngle);
            box.extend(arc.GetBBox());
        }
    }
    for (const Text& t : m_texts) {
        SMxTextItem item(t.text, t.position, WqGeVector3d::kXAxis, t.height,
                         SMxTextAlign::BottomLeft);
        box.extend(item.GetBBox());
    }
    for (const Image& i : m_images)
        box.extend(i.lowerLeft).extend(i.upperRight);
    return box;
}

WqGePoint3d DLxSketch::GetGeomCenterPoint() const {
    const BBox box = GetExtents();
    return box.isEmpty() ? m_insert : box.center();
}

// ---- a placement

DLxSketchInstance* DLxSketchInstance::Create(DLxSheet* sheet, DLxSketch* sketch) {
    if (!sheet || !sketch || !sheet->GetSegment()) return nullptr;
    auto* inst = new (RSe::_GetMeta(static_cast<const DLxSketchInstance*>(nullptr)),
                      sheet->GetSegment()) DLxSketchInstance();
    inst->m_sketch = sketch;
    inst->m_sheet = sheet;
    for (const DLxSketch::Text& t : sketch->GetTexts())
        inst->m_texts.push_back(t.text);
    return inst;
}

DLxSheet* DLxSketchInstance::GetSheetInstance() const {
    return m_sheet.get();
}

void DLxSketchInstance::SetSheetInstance(DLxSheet* sheet) {
    if (m_sheet.get() == sheet) return;
    RSe::PrepareWrite(this);
    m_sheet = sheet;
}

void DLxSketchInstance::SetOwnerInstance(RSeIDed* owner) {
    if (m_owner.get() == owner) return;
    RSe::PrepareWrite(this);
    m_owner = owner;
}

void DLxSketchInstance::SetTextString(int32_t index, const UTxString16& text) {
    if (index < 0 || size_t(index) >= m_texts.size() || m_texts[size_t(index)] == text) return;
    RSe::PrepareWrite(this);
    m_texts[size_t(index)] = text;
}

// ---- drawing

namespace DLxSketchUtil {

void PopulateTransientDL(const DLxSketchInstance& instance, SMxDisplayList& list,
                         SMxDisplayList& images) {
    const DLxSketch* sketch = instance.GetSketch();
    if (!sketch) return;
    for (const DLxSketch::Curve& c : sketch->GetCurves()) {
        std::unique_ptr<SMxDisplayItem> item;
        if (c.kind == DLxSketch::Curve::kLine)
            item = std::make_unique<SMxLineItem>(c.start, c.end);
        else if (c.kind == DLxSketch::Curve::kCircle)
            item = std::make_unique<SMxArcItem>(c.centre, WqGeVector3d::kZAxis,
                                                WqGeVector3d::kXAxis, c.radius, 0.0, 2 * std::numbers::pi);
        else
            item = std::make_unique<SMxArcItem>(c.centre, WqGeVector3d::kZAxis,
                                                WqGeVector3d::kXAxis, c.radius, c.startAngle,
                                                c.endAngle);
        item->SetId(kSketchItem);
        list.Append(std::move(item));
    }
    const std::vector<UTxString16>& strings = instance.GetTextStrings();
    const std::vector<DLxSketch::Text>& texts = sketch->GetTexts();
    for (size_t i = 0; i < texts.size(); ++i) {
        const UTxString16& text = i < strings.size() ? strings[i] : texts[i].text;
        if (text.empty()) continue;
        auto item = std::make_unique<SMxTextItem>(text, texts[i].position, WqGeVector3d::kXAxis,
                                                  texts[i].height, SMxTextAlign::BottomLeft);
        item->SetId(kSketchItem);
        list.Append(std::move(item));
    }
    // This host draws no pictures: an image shows as its frame, crossed, with its name.
    for (const DLxSketch::Image& image : sketch->GetImages()) {
        const WqGePoint3d& a = image.lowerLeft;
        const WqGePoint3d& b = image.upperRight;
        WqArray<WqGePoint3d> frame;
        frame.append(a);
        frame.append(WqGePoint3d(b.x, a.y, 0));
        frame.append(b);
        frame.append(WqGePoint3d(a.x, b.y, 0));
        images.Append(std::make_unique<SMxPolylineItem>(frame, true));
        images.Append(std::make_unique<SMxLineItem>(a, b));
        images.Append(std::make_unique<SMxLineItem>(WqGePoint3d(a.x, b.y, 0), WqGePoint3d(b.x, a.y, 0)));
        // The name fits the frame's width and a quarter of its height.
        const double fit = std::fabs(b.x - a.x) /
                           (SMxTextItem::kAdvanceRatio * double(image.name.size()) + 1.0);
        const double h = std::min({2.5, std::fabs(b.y - a.y) / 4, fit});
        if (!image.name.empty() && h > 0)
            images.Append(std::make_unique<SMxTextItem>(
                image.name, WqGePoint3d(a.x + h / 2, a.y + h / 2, 0), WqGeVector3d::kXAxis, h,
                SMxTextAlign::BottomLeft));
    }
}

WqGePoint3d GetInsertPoint(const DLxSketch& sketch) {
    return sketch.GetInsertPoint();
}

WqGePoint3d GetGeomCenterPoint(const DLxSketch& sketch) {
    return sketch.GetGeomCenterPoint();
}

} // namespace DLxSketchUtil
