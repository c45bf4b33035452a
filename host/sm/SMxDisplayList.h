#pragma once

#include "ge/BBox.h"
#include "ge/WqArray.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

class SMxDisplayItem;
class SMxChildItem;
class WqGeMatrix3d;

// Walks the items of a display list as references; Item is SMxDisplayItem or its const form.
template <typename Item> class SMxDisplayItemIterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = SMxDisplayItem;
    using difference_type = std::ptrdiff_t;
    using pointer = Item*;
    using reference = Item&;

    SMxDisplayItemIterator() = default;
    explicit SMxDisplayItemIterator(const std::unique_ptr<SMxDisplayItem>* slot) : mSlot(slot) {}

    Item& operator*() const { return **mSlot; }
    Item* operator->() const { return mSlot->get(); }
    SMxDisplayItemIterator& operator++() {
        ++mSlot;
        return *this;
    }
    SMxDisplayItemIterator operator++(int) {
        SMxDisplayItemIterator old = *this;
        ++mSlot;
        return old;
    }
    bool operator==(const SMxDisplayItemIterator&) const = default;

private:
    const std::unique_ptr<SMxDisplayItem>* mSlot = nullptr;
};

// An ordered list of drawing items, each tagged with an item id. Ids need not be unique and may
// be negative. Child lists are items too, so they keep their place in the drawing order.
// Copying copies every item, children included; moving only hands over the storage.
class SMxDisplayList {
public:
    using iterator = SMxDisplayItemIterator<SMxDisplayItem>;
    using const_iterator = SMxDisplayItemIterator<const SMxDisplayItem>;

    SMxDisplayList();
    ~SMxDisplayList();
    SMxDisplayList(const SMxDisplayList& other);
    SMxDisplayList& operator=(const SMxDisplayList& other);
    SMxDisplayList(SMxDisplayList&& other) noexcept;
    SMxDisplayList& operator=(SMxDisplayList&& other) noexcept;

    // Takes ownership; a null item is ignored and yields null.
    SMxDisplayItem* Append(std::unique_ptr<SMxDisplayItem> item);
    // Appends a copy.
    SMxDisplayItem& Append(const SMxDisplayItem& item);

    int32_t Count() const { return static_cast<int32_t>(mItems.size()); }
    bool IsEmpty() const { return mItems.empty(); }
    void Clear();

    SMxDisplayItem& GetAt(int32_t index);
    const SMxDisplayItem& GetAt(int32_t index) const;
    void RemoveAt(int32_t index);

    iterator begin() { return iterator(mItems.data()); }
    iterator end() { return iterator(mItems.data() + mItems.size()); }
    const_iterator begin() const { return const_iterator(mItems.data()); }
    const_iterator end() const { return const_iterator(mItems.data() + mItems.size()); }

    // Lookups and removal by id see this list's own items, child items among them, but not the
    // items inside children: a child's id stands for its whole content.
    SMxDisplayItem* FindFirst(int32_t id);
    const SMxDisplayItem* FindFirst(int32_t id) const;
    WqArray<SMxDisplayItem*> FindAll(int32_t id);
    WqArray<const SMxDisplayItem*> FindAll(int32_t id) const;
    // Returns how many items were removed.
    int32_t RemoveById(int32_t id);

    // The child items in drawing order.
    int32_t ChildCount() const;
    SMxChildItem& GetChild(int32_t childIndex);
    const SMxChildItem& GetChild(int32_t childIndex) const;

    // Empty for a list with nothing to draw.
    BBox GetBBox() const;
    // Extends box by the items as placed by xform.
    void ExtendBBox(BBox& box, const WqGeMatrix3d& xform) const;

    void TransformBy(const WqGeMatrix3d& xform);

private:
    std::vector<std::unique_ptr<SMxDisplayItem>> mItems;
};
