#include "sm/SMxDisplayList.h"

#include "ge/WqGeMatrix3d.h"
#include "sm/SMxDisplayItem.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cstdlib>
#include <utility>

uint64_t SMxDisplayList::NextGeneration() {
    static std::atomic<uint64_t> last{0};
    return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

SMxDisplayList::SMxDisplayList() = default;
SMxDisplayList::~SMxDisplayList() = default;
SMxDisplayList::SMxDisplayList(SMxDisplayList&& other) noexcept
    : mItems(std::move(other.mItems)), mAttributes(std::move(other.mAttributes)) {
    other.mGeneration = NextGeneration();
}
SMxDisplayList& SMxDisplayList::operator=(SMxDisplayList&& other) noexcept {
    mItems = std::move(other.mItems);
    mAttributes = std::move(other.mAttributes);
    mGeneration = NextGeneration();
    other.mGeneration = NextGeneration();
    return *this;
}

SMxDisplayList::SMxDisplayList(const SMxDisplayList& other) : mAttributes(other.mAttributes) {
    mItems.reserve(other.mItems.size());
    for (const auto& item : other.mItems)
        mItems.push_back(item->Clone());
}

SMxDisplayList& SMxDisplayList::operator=(const SMxDisplayList& other) {
    // Copy first: other may be one of our own children.
    if (this != &other) *this = SMxDisplayList(other);
    return *this;
}

SMxDisplayItem* SMxDisplayList::Append(std::unique_ptr<SMxDisplayItem> item) {
    if (!item) return nullptr;
    mItems.push_back(std::move(item));
    return mItems.back().get();
}

SMxDisplayItem& SMxDisplayList::Append(const SMxDisplayItem& item) {
    return *Append(item.Clone());
}

void SMxDisplayList::Clear() {
    mItems.clear();
    mGeneration = NextGeneration();
}

SMxDisplayItem& SMxDisplayList::GetAt(int32_t index) {
    assert(index >= 0 && index < Count());
    return *mItems[static_cast<std::size_t>(index)];
}

const SMxDisplayItem& SMxDisplayList::GetAt(int32_t index) const {
    assert(index >= 0 && index < Count());
    return *mItems[static_cast<std::size_t>(index)];
}

void SMxDisplayList::RemoveAt(int32_t index) {
    assert(index >= 0 && index < Count());
    mItems.erase(mItems.begin() + index);
    mGeneration = NextGeneration();
}

void SMxDisplayList::Splice(int32_t first, int32_t count, SMxDisplayList& with) {
    assert(first >= 0 && count >= 0 && first + count <= Count());
    const auto at = mItems.begin() + first;
    const size_t common = std::min(size_t(count), with.mItems.size());
    std::move(with.mItems.begin(), with.mItems.begin() + std::ptrdiff_t(common), at);
    if (size_t(count) > common)
        mItems.erase(at + std::ptrdiff_t(common), at + count);
    else
        mItems.insert(at + std::ptrdiff_t(common),
                      std::make_move_iterator(with.mItems.begin() + std::ptrdiff_t(common)),
                      std::make_move_iterator(with.mItems.end()));
    with.mItems.clear();
    mGeneration = NextGeneration();
    with.mGeneration = NextGeneration();
}

SMxDisplayItem* SMxDisplayList::FindFirst(int32_t id) {
    for (const auto& item : mItems)
        if (item->GetId() == id) return item.get();
    return nullptr;
}

const SMxDisplayItem* SMxDisplayList::FindFirst(int32_t id) const {
    return const_cast<SMxDisplayList*>(this)->FindFirst(id);
}

WqArray<SMxDisplayItem*> SMxDisplayList::FindAll(int32_t id) {
    WqArray<SMxDisplayItem*> found;
    for (const auto& item : mItems)
        if (item->GetId() == id) found.append(item.get());
    return found;
}

WqArray<const SMxDisplayItem*> SMxDisplayList::FindAll(int32_t id) const {
    WqArray<const SMxDisplayItem*> found;
    for (const auto& item : mItems)
        if (item->GetId() == id) found.append(item.get());
    return found;
}

int32_t SMxDisplayList::RemoveById(int32_t id) {
    const auto removed =
        std::erase_if(mItems, [id](const auto& item) { return item->GetId() == id; });
    if (removed) mGeneration = NextGeneration();
    return static_cast<int32_t>(removed);
}

int32_t SMxDisplayList::ChildCount() const {
    int32_t count = 0;
    for (const auto& item : mItems)
        if (item->GetKind() == SMxItemKind::Child) ++count;
    return count;
}

SMxChildItem& SMxDisplayList::GetChild(int32_t childIndex) {
    assert(childIndex >= 0);
    for (const auto& item : mItems)
        if (auto* child = item->As<SMxChildItem>(); child && childIndex-- == 0) return *child;
    std::abort(); // no such child: a caller's bug, not a drawing condition
}

const SMxChildItem& SMxDisplayList::GetChild(int32_t childIndex) const {
    return const_cast<SMxDisplayList*>(this)->GetChild(childIndex);
}

BBox SMxDisplayList::GetBBox() const {
    BBox box;
    ExtendBBox(box, WqGeMatrix3d::kIdentity);
    return box;
}

void SMxDisplayList::ExtendBBox(BBox& box, const WqGeMatrix3d& xform) const {
    for (const auto& item : mItems)
        item->ExtendBBox(box, xform);
}

void SMxDisplayList::TransformBy(const WqGeMatrix3d& xform) {
    for (const auto& item : mItems)
        item->TransformBy(xform);
    mGeneration = NextGeneration();
}

int32_t SMxDisplayList::RemoveAttributes(SMxAttributes::Source source) {
    const auto before = mAttributes.size();
    std::erase_if(mAttributes, [source](const SMxAttributes& a) { return a.source == source; });
    return static_cast<int32_t>(before - mAttributes.size());
}

void SMxDrawAttributes::Enter(const SMxDisplayList& list) {
    for (const SMxAttributes& a : list.GetAttributes()) {
        if (a.source == SMxAttributes::kHighlight) {
            if (!mHighlighted && a.hasColor) {
                mHighlighted = true;
                mHighlight = a.color;
            }
            continue;
        }
        if (a.hasColor) {
            mHasColor = true;
            mColor = a.color;
        }
        if (a.lineWeight) mLineWeight = a.lineWeight;
        if (a.lineStyle) mLineStyle = a.lineStyle;
    }
}

SMxColor SMxDrawAttributes::ColorOf(const SMxDisplayItem& item) const {
    if (mHighlighted) return mHighlight;
    if (item.HasStyledColor()) return item.GetStyledColor();
    return mHasColor ? mColor : item.GetColor();
}

int32_t SMxDrawAttributes::LineWeightOf(const SMxDisplayItem& item) const {
    return mLineWeight ? mLineWeight : item.GetLineWeight();
}

int32_t SMxDrawAttributes::LineStyleOf(const SMxDisplayItem& item) const {
    return mLineStyle ? mLineStyle : item.GetLineStyle();
}
