#include "sm/SMxDisplayListBuilder.h"

#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

#include <memory>
#include <numbers>
#include <utility>

SMxDisplayListBuilder::SMxDisplayListBuilder(SMxDisplayList& target) : mRoot(target) {}

SMxDisplayListBuilder::~SMxDisplayListBuilder() = default;

void SMxDisplayListBuilder::SetFontName(std::u16string_view name) {
    mState.fontName = SMxTextItem::InternFontName(name);
}

SMxDisplayList& SMxDisplayListBuilder::GetTarget() const {
    return mOpen.empty() ? mRoot : *mOpen.back().list;
}

template <typename T> T& SMxDisplayListBuilder::Add(std::unique_ptr<T> item) {
    T& added = *item;
    item->SetId(mState.itemId);
    item->SetColor(mState.color);
    item->SetLineWeight(mState.lineWeight);
    item->SetLineStyle(mState.lineStyle);
    GetTarget().Append(std::move(item));
    return added;
}

SMxLineItem& SMxDisplayListBuilder::AddLine(const WqGePoint3d& start, const WqGePoint3d& end) {
    return Add(std::make_unique<SMxLineItem>(start, end));
}

SMxLineItem& SMxDisplayListBuilder::GenItemLine(const WqGePoint3d& start, const WqGePoint3d& end,
                                                int32_t itemId) {
    SMxLineItem& line = AddLine(start, end);
    line.SetId(itemId);
    return line;
}

SMxPolylineItem& SMxDisplayListBuilder::AddPolyline(const WqArray<WqGePoint3d>& points,
                                                    bool closed) {
    return Add(std::make_unique<SMxPolylineItem>(points, closed));
}

SMxArcItem& SMxDisplayListBuilder::AddArc(const WqGePoint3d& center, const WqGeVector3d& normal,
                                          const WqGeVector3d& refVector, double radius,
                                          double startAngle, double endAngle) {
    return Add(
        std::make_unique<SMxArcItem>(center, normal, refVector, radius, startAngle, endAngle));
}

SMxArcItem& SMxDisplayListBuilder::AddCircle(const WqGePoint3d& center, const WqGeVector3d& normal,
                                             double radius) {
    return Add(std::make_unique<SMxArcItem>(center, normal, normal.perpVector(), radius, 0.0,
                                            2.0 * std::numbers::pi));
}

SMxTextItem& SMxDisplayListBuilder::AddText(const UTxString16& text, const WqGePoint3d& position,
                                            const WqGeVector3d& direction, double height,
                                            SMxTextAlign alignment) {
    SMxTextItem& item =
        Add(std::make_unique<SMxTextItem>(text, position, direction, height, alignment));
    item.fontName = mState.fontName;
    item.fontId = mState.fontId;
    return item;
}

SMxFillItem& SMxDisplayListBuilder::AddFill(const WqArray<WqGePoint3d>& boundary) {
    return Add(std::make_unique<SMxFillItem>(boundary));
}

SMxPointItem& SMxDisplayListBuilder::AddPoint(const WqGePoint3d& position, int32_t marker) {
    return Add(std::make_unique<SMxPointItem>(position, marker));
}

SMxDisplayList& SMxDisplayListBuilder::BeginChild(int32_t id, const WqGeMatrix3d& transform) {
    SMxChildItem& child = Add(std::make_unique<SMxChildItem>(transform));
    child.SetId(id);
    mOpen.push_back({&child.list, mState});
    return child.list;
}

bool SMxDisplayListBuilder::EndChild() {
    if (mOpen.empty()) return false;
    mState = std::move(mOpen.back().saved);
    mOpen.pop_back();
    return true;
}
