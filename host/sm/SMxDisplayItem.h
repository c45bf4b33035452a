#pragma once

#include "ge/WqArray.h"
#include "ge/WqGeMatrix3d.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "sm/SMxColor.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxSmallPool.h"
#include "utx/UTxString16.h"

#include <cstdint>
#include <memory>
#include <string_view>

class BBox;

enum class SMxItemKind : uint8_t { Line, Polyline, Arc, Text, Fill, Point, Child };

// Base of the drawing items of a display list. Line weight and line style are ids into the
// host's tables; 0 means the default.
class SMxDisplayItem {
public:
    virtual ~SMxDisplayItem();
    SMxDisplayItem& operator=(const SMxDisplayItem&) = delete;

    // A sheet holds tens of items per annotation, made and dropped on every recompute.
    static void* operator new(std::size_t bytes) { return UTx::PoolAllocate(bytes); }
    static void operator delete(void* p, std::size_t bytes) noexcept { UTx::PoolFree(p, bytes); }

    SMxItemKind GetKind() const { return mKind; }

    int32_t GetId() const { return mId; }
    void SetId(int32_t id) { mId = id; }
    const SMxColor& GetColor() const { return mColor; }
    void SetColor(const SMxColor& color) { mColor = color; }
    int32_t GetLineWeight() const { return mLineWeight; }
    void SetLineWeight(int32_t weight) { mLineWeight = weight; }
    int32_t GetLineStyle() const { return mLineStyle; }
    void SetLineStyle(int32_t style) { mLineStyle = style; }
    // A colour that styling gave the item: it wins over the item's own colour and over the
    // attributes of the lists that hold it; only a highlight wins over it (SMxDrawAttributes).
    bool HasStyledColor() const { return mHasStyledColor; }
    const SMxColor& GetStyledColor() const { return mStyledColor; }
    void SetStyledColor(const SMxColor& color) {
        mStyledColor = color;
        mHasStyledColor = true;
    }
    void ClearStyledColor() { mHasStyledColor = false; }

    virtual std::unique_ptr<SMxDisplayItem> Clone() const = 0;
    virtual void TransformBy(const WqGeMatrix3d& xform) = 0;
    // Extends box by the item as placed by xform; an item with nothing to draw adds nothing.
    virtual void ExtendBBox(BBox& box, const WqGeMatrix3d& xform) const = 0;
    BBox GetBBox() const;

    // Null when the item is of another kind.
    template <typename T> T* As() { return mKind == T::kKind ? static_cast<T*>(this) : nullptr; }
    template <typename T> const T* As() const {
        return mKind == T::kKind ? static_cast<const T*>(this) : nullptr;
    }

protected:
    explicit SMxDisplayItem(SMxItemKind kind) : mKind(kind) {}
    SMxDisplayItem(const SMxDisplayItem&) = default;

private:
    // Ordered so that the small fields share words: a sheet holds tens of items per annotation.
    int32_t mId = 0;
    int32_t mLineWeight = 0;
    int32_t mLineStyle = 0;
    SMxItemKind mKind;
    bool mHasStyledColor = false;
    SMxColor mColor;
    SMxColor mStyledColor;
};

class SMxLineItem : public SMxDisplayItem {
public:
    static constexpr SMxItemKind kKind = SMxItemKind::Line;

    SMxLineItem() : SMxDisplayItem(kKind) {}
    SMxLineItem(const WqGePoint3d& from, const WqGePoint3d& to)
        : SMxDisplayItem(kKind), start(from), end(to) {}

    std::unique_ptr<SMxDisplayItem> Clone() const override;
    void TransformBy(const WqGeMatrix3d& xform) override;
    void ExtendBBox(BBox& box, const WqGeMatrix3d& xform) const override;

    WqGePoint3d start;
    WqGePoint3d end;
};

class SMxPolylineItem : public SMxDisplayItem {
public:
    static constexpr SMxItemKind kKind = SMxItemKind::Polyline;

    SMxPolylineItem() : SMxDisplayItem(kKind) {}
    SMxPolylineItem(const WqArray<WqGePoint3d>& pts, bool isClosed)
        : SMxDisplayItem(kKind), points(pts), closed(isClosed) {}

    std::unique_ptr<SMxDisplayItem> Clone() const override;
    void TransformBy(const WqGeMatrix3d& xform) override;
    void ExtendBBox(BBox& box, const WqGeMatrix3d& xform) const override;

    WqArray<WqGePoint3d> points;
    // A closed polyline also joins the last point to the first.
    bool closed = false;
};

// Circular arc running counter-clockwise about normal from startAngle to endAngle (radians),
// angles measured from refVector. A sweep of 2*pi or more is a full circle.
class SMxArcItem : public SMxDisplayItem {
public:
    static constexpr SMxItemKind kKind = SMxItemKind::Arc;

    SMxArcItem() : SMxDisplayItem(kKind) {}
    SMxArcItem(const WqGePoint3d& centre, const WqGeVector3d& normalVec,
               const WqGeVector3d& reference, double r, double start, double end)
        : SMxDisplayItem(kKind), center(centre), normal(normalVec), refVector(reference), radius(r),
          startAngle(start), endAngle(end) {}

    std::unique_ptr<SMxDisplayItem> Clone() const override;
    // Exact for similarity transforms, mirrors included; an uneven scale keeps a circle whose
    // radius follows the reference direction.
    void TransformBy(const WqGeMatrix3d& xform) override;
    void ExtendBBox(BBox& box, const WqGeMatrix3d& xform) const override;

    // In [0, 2*pi]; an end angle below the start angle wraps around once.
    double SweepAngle() const;
    bool IsFullCircle() const;
    WqGePoint3d PointAt(double angle) const;

    WqGePoint3d center;
    WqGeVector3d normal = WqGeVector3d::kZAxis;
    // Need not be unit length or exactly in the arc's plane; its projection on the plane counts.
    WqGeVector3d refVector = WqGeVector3d::kXAxis;
    double radius = 0.0;
    double startAngle = 0.0;
    double endAngle = 0.0;
};

// Where the text position sits on the text's box.
enum class SMxTextAlign : uint8_t {
    TopLeft,
    TopCenter,
    TopRight,
    MiddleLeft,
    MiddleCenter,
    MiddleRight,
    BottomLeft,
    BottomCenter,
    BottomRight
};

// Text on a baseline along direction, in the plane with the given normal; '\n' starts a line.
// Its box follows the metrics every layout uses: the width of the text engine (installed by it;
// 0.6 of the height per character until then) and one height per line.
class SMxTextItem : public SMxDisplayItem {
public:
    static constexpr SMxItemKind kKind = SMxItemKind::Text;
    static constexpr double kAdvanceRatio = 0.6;

    SMxTextItem() : SMxDisplayItem(kKind) {}
    SMxTextItem(const UTxString16& str, const WqGePoint3d& pos, const WqGeVector3d& dir, double h,
                SMxTextAlign align)
        : SMxDisplayItem(kKind), text(str), position(pos), direction(dir), height(h),
          alignment(align) {}

    std::unique_ptr<SMxDisplayItem> Clone() const override;
    void TransformBy(const WqGeMatrix3d& xform) override;
    void ExtendBBox(BBox& box, const WqGeMatrix3d& xform) const override;

    // Width of a block of text at a height. The text engine lives above this layer and hands
    // its measure down here when the host library loads.
    using WidthMetric = double (*)(std::u16string_view text, double height);
    static void SetWidthMetric(WidthMetric metric);
    // The one copy of a font name, kept for the process; null for an empty name.
    static const UTxString16* InternFontName(std::u16string_view name);

    // Characters of the longest line (a surrogate pair counts once) and number of lines.
    void GetTextExtent(int32_t& columns, int32_t& lines) const;
    // Unit baseline and up directions in the text's plane.
    void GetTextFrame(WqGeVector3d& xAxis, WqGeVector3d& yAxis) const;

    UTxString16 text;
    WqGePoint3d position;
    WqGeVector3d direction = WqGeVector3d::kXAxis;
    WqGeVector3d normal = WqGeVector3d::kZAxis;
    double height = 1.0;
    // The font name wins when set; otherwise fontId picks a font of the host's table. Names are
    // few and texts many: a name is kept once (InternFontName) and the items point at it.
    const UTxString16* fontName = nullptr;
    int32_t fontId = 0;
    SMxTextAlign alignment = SMxTextAlign::BottomLeft;
};

// Filled polygon; the boundary closes on itself.
class SMxFillItem : public SMxDisplayItem {
public:
    static constexpr SMxItemKind kKind = SMxItemKind::Fill;

    SMxFillItem() : SMxDisplayItem(kKind) {}
    explicit SMxFillItem(const WqArray<WqGePoint3d>& pts) : SMxDisplayItem(kKind), boundary(pts) {}

    std::unique_ptr<SMxDisplayItem> Clone() const override;
    void TransformBy(const WqGeMatrix3d& xform) override;
    void ExtendBBox(BBox& box, const WqGeMatrix3d& xform) const override;

    WqArray<WqGePoint3d> boundary;
};

// A marker drawn at a fixed screen size, such as a hot point; only its position has extent.
class SMxPointItem : public SMxDisplayItem {
public:
    static constexpr SMxItemKind kKind = SMxItemKind::Point;

    SMxPointItem() : SMxDisplayItem(kKind) {}
    SMxPointItem(const WqGePoint3d& pos, int32_t markerType)
        : SMxDisplayItem(kKind), position(pos), marker(markerType) {}

    std::unique_ptr<SMxDisplayItem> Clone() const override;
    void TransformBy(const WqGeMatrix3d& xform) override;
    void ExtendBBox(BBox& box, const WqGeMatrix3d& xform) const override;

    WqGePoint3d position;
    int32_t marker = 0; // 0 is a hot point
};

// A nested display list placed by transform (child coordinates to parent coordinates).
class SMxChildItem : public SMxDisplayItem {
public:
    static constexpr SMxItemKind kKind = SMxItemKind::Child;

    SMxChildItem() : SMxDisplayItem(kKind) {}
    explicit SMxChildItem(const WqGeMatrix3d& placement) : SMxDisplayItem(kKind) {
        SetTransform(placement);
    }
    SMxChildItem(const SMxChildItem& other);
    ~SMxChildItem() override;

    std::unique_ptr<SMxDisplayItem> Clone() const override;
    // Composes with the placement, leaving the child's own items in their coordinates.
    void TransformBy(const WqGeMatrix3d& xform) override;
    void ExtendBBox(BBox& box, const WqGeMatrix3d& xform) const override;

    const WqGeMatrix3d& GetTransform() const {
        return mPlacement ? mPlacement->matrix : WqGeMatrix3d::kIdentity;
    }
    // Gives back exactly the matrix set, bit for bit.
    void SetTransform(const WqGeMatrix3d& placement);

    SMxDisplayList list;

private:
    // Most children (a leader's, a text's before it is placed) sit where their parent does: a
    // matrix is kept only for one that does not, bit for bit not the identity.
    struct Placement {
        WqGeMatrix3d matrix;
        static void* operator new(std::size_t bytes) { return UTx::PoolAllocate(bytes); }
        static void operator delete(void* p, std::size_t bytes) noexcept {
            UTx::PoolFree(p, bytes);
        }
    };
    std::unique_ptr<Placement> mPlacement;
};
