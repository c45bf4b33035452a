#pragma once

#include "sm/SMxColor.h"
#include "utx/UTxString16.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class SMxArcItem;
class SMxDisplayItem;
class SMxDisplayList;
class SMxFillItem;
class SMxLineItem;
class SMxPointItem;
class SMxPolylineItem;
class SMxTextItem;
class WqGeMatrix3d;
class WqGePoint3d;
class WqGeVector3d;
template <typename T> class WqArray;

enum class SMxTextAlign : uint8_t;

// Fills a display list with items stamped with the current attributes. BeginChild opens a
// nested list that later items go to until the matching EndChild; attributes changed inside a
// child are restored when it ends, so nested drawing code cannot leak its colours outward.
class SMxDisplayListBuilder {
public:
    explicit SMxDisplayListBuilder(SMxDisplayList& target);
    ~SMxDisplayListBuilder();
    SMxDisplayListBuilder(const SMxDisplayListBuilder&) = delete;
    SMxDisplayListBuilder& operator=(const SMxDisplayListBuilder&) = delete;

    int32_t GetItemId() const { return mState.itemId; }
    void SetItemId(int32_t id) { mState.itemId = id; }
    const SMxColor& GetColor() const { return mState.color; }
    void SetColor(const SMxColor& color) { mState.color = color; }
    int32_t GetLineWeight() const { return mState.lineWeight; }
    void SetLineWeight(int32_t weight) { mState.lineWeight = weight; }
    int32_t GetLineStyle() const { return mState.lineStyle; }
    void SetLineStyle(int32_t style) { mState.lineStyle = style; }
    // Font for the texts that follow; a non-empty name wins over the id.
    std::u16string_view GetFontName() const {
        return mState.fontName ? std::u16string_view(*mState.fontName) : std::u16string_view();
    }
    void SetFontName(std::u16string_view name);
    int32_t GetFontId() const { return mState.fontId; }
    void SetFontId(int32_t id) { mState.fontId = id; }

    SMxLineItem& AddLine(const WqGePoint3d& start, const WqGePoint3d& end);
    // A line with its own item id (replacing a trimmed item keeps the id it was picked by); the
    // current item id stays for the items that follow.
    SMxLineItem& GenItemLine(const WqGePoint3d& start, const WqGePoint3d& end, int32_t itemId);
    SMxPolylineItem& AddPolyline(const WqArray<WqGePoint3d>& points, bool closed = false);
    SMxArcItem& AddArc(const WqGePoint3d& center, const WqGeVector3d& normal,
                       const WqGeVector3d& refVector, double radius, double startAngle,
                       double endAngle);
    SMxArcItem& AddCircle(const WqGePoint3d& center, const WqGeVector3d& normal, double radius);
    SMxTextItem& AddText(const UTxString16& text, const WqGePoint3d& position,
                         const WqGeVector3d& direction, double height, SMxTextAlign alignment);
    SMxFillItem& AddFill(const WqArray<WqGePoint3d>& boundary);
    SMxPointItem& AddPoint(const WqGePoint3d& position, int32_t marker = 0);

    // The child item takes the given id and the current colour and line attributes; the
    // current item id is left for the child's own items.
    SMxDisplayList& BeginChild(int32_t id, const WqGeMatrix3d& transform);
    // False, changing nothing, when no child is open.
    bool EndChild();
    // Number of children open.
    int32_t GetDepth() const { return static_cast<int32_t>(mOpen.size()); }
    // The list that items go to now.
    SMxDisplayList& GetTarget() const;

private:
    struct State {
        int32_t itemId = 0;
        SMxColor color;
        int32_t lineWeight = 0;
        int32_t lineStyle = 0;
        const UTxString16* fontName = nullptr; // interned
        int32_t fontId = 0;
    };
    struct Open {
        SMxDisplayList* list;
        State saved;
    };

    template <typename T> T& Add(std::unique_ptr<T> item);

    SMxDisplayList& mRoot;
    State mState;
    std::vector<Open> mOpen;
};
