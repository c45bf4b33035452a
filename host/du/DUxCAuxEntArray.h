#pragma once
// Auxiliary entities: the simple drawing parts (texts, polylines, circles) that annotation
// layouts produce before they are drawn into a display list.
#include <cstdint>
#include <memory>
#include <vector>

#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "utx/UTxSmallPool.h"
#include "utx/UTxString16.h"

class SMxDisplayList;

class DUxCAuxEnt {
public:
    virtual ~DUxCAuxEnt() = default;
    // Layouts make and drop tens of these on every recompute of an annotation.
    static void* operator new(std::size_t bytes) { return UTx::PoolAllocate(bytes); }
    static void operator delete(void* p, std::size_t bytes) noexcept { UTx::PoolFree(p, bytes); }
    virtual void TransformBy(const WqGeMatrix3d& m) = 0;
    virtual void Draw(SMxDisplayList& list) const = 0;
    virtual void AddExtents(BBox& box) const = 0;
};

// A text at a point. Attachment 5 centres it on the point; 12 puts the middle of its baseline
// there. The text may hold formatted-text codes (font switches, escaped braces and backslashes).
class DUxCAuxText : public DUxCAuxEnt {
public:
    WqGePoint3d position;
    WqGeVector3d direction = WqGeVector3d::kXAxis;
    UTxString16 text;
    int32_t attachment = 5;
    int32_t refPoint = 7;
    int32_t fontId = 0;
    int32_t gdtFontId = 0;
    double height = 0.0;

    // Size of the drawn text in the monospace model (codes dropped, see DUxPlainText): the
    // widest line, and one height per line plus the pitch of each further line. Both are 0 at
    // height 0: a measuring text takes its height from the text style it stands for.
    double actualWidth() const;
    double actualHeight() const;

    void TransformBy(const WqGeMatrix3d& m) override;
    void Draw(SMxDisplayList& list) const override;
    void AddExtents(BBox& box) const override;
};

class DUxCAuxPolyLine : public DUxCAuxEnt {
public:
    std::vector<WqGePoint3d> points;
    // A closed polyline (a polygon) joins its last point to its first.
    bool closed = false;
    void TransformBy(const WqGeMatrix3d& m) override;
    void Draw(SMxDisplayList& list) const override;
    void AddExtents(BBox& box) const override;
};

class DUxCAuxCircle : public DUxCAuxEnt {
public:
    DUxCAuxCircle() = default;
    // `filled` draws a disc.
    DUxCAuxCircle(const WqGePoint3d& c, double r, const WqGeVector3d& n, bool fill)
        : centre(c), radius(r), normal(n), filled(fill) {}
    WqGePoint3d centre;
    double radius = 0.0;
    WqGeVector3d normal = WqGeVector3d::kZAxis;
    bool filled = false;
    void TransformBy(const WqGeMatrix3d& m) override;
    void Draw(SMxDisplayList& list) const override;
    void AddExtents(BBox& box) const override;
};

// An arc of a circle: from the start direction, counter-clockwise about the normal by the sweep
// angle (radians).
class DUxCAuxArc : public DUxCAuxEnt {
public:
    WqGePoint3d centre;
    double radius = 0.0;
    WqGeVector3d normal = WqGeVector3d::kZAxis;
    WqGeVector3d startVector = WqGeVector3d::kXAxis;
    double sweep = 0.0;
    void TransformBy(const WqGeMatrix3d& m) override;
    void Draw(SMxDisplayList& list) const override;
    void AddExtents(BBox& box) const override;
};

// Owns its entities, in the order they were made.
class DUxCAuxEntArray {
public:
    DUxCAuxEnt* Append(std::unique_ptr<DUxCAuxEnt> e);
    int32_t GetSize() const { return int32_t(m_ents.size()); }
    DUxCAuxEnt* GetAt(int32_t i) const { return m_ents[size_t(i)].get(); }
    DUxCAuxEnt* Last() const { return m_ents.empty() ? nullptr : m_ents.back().get(); }
    void Clear() { m_ents.clear(); }
    // Hands this array's entities, in order, to the end of `other`.
    void MoveTo(DUxCAuxEntArray& other);
    void TransformBy(const WqGeMatrix3d& m);
    void Draw(SMxDisplayList& list) const;
    BBox GetExtents() const;

private:
    std::vector<std::unique_ptr<DUxCAuxEnt>> m_ents;
};

// The plain text of formatted text: font switches "\Fid;", alignment "\A..;" and height
// "\H..;" codes dropped, a stacked "\Sa^b;" made "a/b", "\{", "\}" and "\\" made
// their characters; a character in the GD&T symbol font (by fontId gdtFont) drawn as its
// Unicode symbol.
UTxString16 DUxPlainText(const UTxString16& formatted, int32_t gdtFontId, int32_t startFontId);
