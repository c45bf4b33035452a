#pragma once

#include "ge/BBox.h"
#include "ge/WqArray.h"
#include "sm/SMxColor.h"

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

// One entry of a display list's attribute stack: what the list gives everything it draws.
// Styling pushes style and layer entries (and cleans them off again); a highlight marks the
// whole list, such as an annotation shown as sick.
struct SMxAttributes {
    enum Source : uint8_t { kStyle = 0, kLayer = 1, kHighlight = 2 };
    Source source = kStyle;
    bool hasColor = false;
    SMxColor color;
    // 0: as the lists around and the items say.
    int32_t lineWeight = 0;
    int32_t lineStyle = 0;
};

// An ordered list of drawing items, each tagged with an item id. Ids need not be unique and may
// be negative. Child lists are items too, so they keep their place in the drawing order.
// Copying copies every item, children included, and the attribute stack; moving only hands over
// the storage.
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
    // Changes whenever items are removed, replaced or moved by the list (Clear, RemoveAt,
    // RemoveById, Splice, TransformBy, assignment) and differs between lists: with Count it
    // tells a drawer that the list still holds what it drew (items changed through GetAt are
    // the caller's to track).
    uint64_t Generation() const { return mGeneration; }
    bool IsEmpty() const { return mItems.empty(); }
    void Clear();

    SMxDisplayItem& GetAt(int32_t index);
    const SMxDisplayItem& GetAt(int32_t index) const;
    void RemoveAt(int32_t index);
    // Replaces the `count` items from `first` by the items of `with` (left empty), in their
    // order: a drawing that changed in one place keeps every other item.
    void Splice(int32_t first, int32_t count, SMxDisplayList& with);

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

    // The attribute stack, oldest first; Clear leaves it alone. SMxDrawAttributes says how it
    // combines with the lists around and with the items.
    const std::vector<SMxAttributes>& GetAttributes() const { return mAttributes; }
    void PushAttributes(const SMxAttributes& attributes) { mAttributes.push_back(attributes); }
    // No attribute stack at all.
    void ClearAttributes() { mAttributes.clear(); }
    // Returns how many entries of that source were removed.
    int32_t RemoveAttributes(SMxAttributes::Source source);

private:
    static uint64_t NextGeneration();
    std::vector<std::unique_ptr<SMxDisplayItem>> mItems;
    std::vector<SMxAttributes> mAttributes;
    uint64_t mGeneration = NextGeneration();
};

// How an item is drawn under the lists that hold it: Enter each list from the outermost in,
// then ask for the item. Within a stack later entries win; an inner list's attributes win over
// an outer list's and over the item's own colour, line weight and line style; an item's styled
// colour wins over every list's; and a highlight, the outermost one, wins over everything.
class SMxDrawAttributes {
public:
    void Enter(const SMxDisplayList& list);
    SMxColor ColorOf(const SMxDisplayItem& item) const;
    int32_t LineWeightOf(const SMxDisplayItem& item) const;
    int32_t LineStyleOf(const SMxDisplayItem& item) const;
    bool IsHighlighted() const { return mHighlighted; }

private:
    bool mHasColor = false;
    SMxColor mColor;
    int32_t mLineWeight = 0;
    int32_t mLineStyle = 0;
    bool mHighlighted = false;
    SMxColor mHighlight;
};
