#pragma once
// The drawing services of datum targets, one per target type: each builds the entities of its
// records (BuildEntities) and draws them into a display list, adding the shape's outline in a
// child list of its own (DrawShape). A service asked about a record of another type, or about
// none, adds nothing. The look (text, point size, hatching, balloon radius) comes from the
// datum-target style the caller hands over; without one nothing is drawn that needs it.
#include <cstdint>

#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class DLxCTargetBalloon;
class DLxCTargetSubSym;
class DUxCAuxEntArray;
class DUxCAuxText;
class DUxDatumTargetStyleWrapper;
class SMxDisplayList;
class WqGeMatrix3d;
class WqGePoint3d;

class DLxCTargetService {
public:
    // Property words of the outline lists.
    static constexpr int32_t kPointOutline = 0x5000;
    static constexpr int32_t kLineOutline = 0x6000;
    static constexpr int32_t kAreaOutline = 0x7000;
    // The outline of an area missing or too small to draw.
    static constexpr UTxResultCode kNoOutline = 0x200B0320;

    explicit DLxCTargetService(int32_t type) : m_type(type) {}
    virtual ~DLxCTargetService() = default;
    int32_t GetTargetType() const { return m_type; }
    // Set while a drag draws its preview.
    bool IsPreview() const { return m_preview; }
    void SetPreview(bool on) { m_preview = on; }

    virtual UTxResult BuildEntities(const DLxCTargetSubSym* shape, DUxCAuxEntArray& array,
                                    const WqGeMatrix3d& xform,
                                    const DUxDatumTargetStyleWrapper* style) const;
    // The entities, then the outline.
    virtual UTxResult DrawShape(SMxDisplayList& list, const DLxCTargetSubSym* shape,
                                const WqGeMatrix3d& xform,
                                const DUxDatumTargetStyleWrapper* style) const;

protected:
    // The shape's outline into `array`; kNoOutline when there is none to draw.
    virtual UTxResult BuildOutline(const DLxCTargetSubSym*, DUxCAuxEntArray&, const WqGeMatrix3d&,
                                   const DUxDatumTargetStyleWrapper*) const {
        return {};
    }
    virtual int32_t OutlineWord() const { return 0; }
    bool IsMine(const DLxCTargetSubSym* shape) const;

private:
    int32_t m_type;
    bool m_preview = false;
};

class DLxCTargetPointService : public DLxCTargetService {
public:
    DLxCTargetPointService() : DLxCTargetService(2) {}

protected:
    // A cross of half-arm the style's point size at the origin, for point style 1 only.
    UTxResult BuildOutline(const DLxCTargetSubSym* shape, DUxCAuxEntArray& array,
                           const WqGeMatrix3d& xform,
                           const DUxDatumTargetStyleWrapper* style) const override;
    int32_t OutlineWord() const override { return kPointOutline; }
};

class DLxCTargetLineService : public DLxCTargetService {
public:
    DLxCTargetLineService() : DLxCTargetService(3) {}
    // The line from the origin to the end point.
    UTxResult BuildEntities(const DLxCTargetSubSym* shape, DUxCAuxEntArray& array,
                            const WqGeMatrix3d& xform,
                            const DUxDatumTargetStyleWrapper* style) const override;

protected:
    // The point cross at both ends.
    UTxResult BuildOutline(const DLxCTargetSubSym* shape, DUxCAuxEntArray& array,
                           const WqGeMatrix3d& xform,
                           const DUxDatumTargetStyleWrapper* style) const override;
    int32_t OutlineWord() const override { return kLineOutline; }
};

class DLxCTargetCircularAreaService : public DLxCTargetService {
public:
    DLxCTargetCircularAreaService() : DLxCTargetService(4) {}
    // The hatch, when its spacing is above 1e-6 and half of it fits in the radius.
    UTxResult BuildEntities(const DLxCTargetSubSym* shape, DUxCAuxEntArray& array,
                            const WqGeMatrix3d& xform,
                            const DUxDatumTargetStyleWrapper* style) const override;

protected:
    UTxResult BuildOutline(const DLxCTargetSubSym* shape, DUxCAuxEntArray& array,
                           const WqGeMatrix3d& xform,
                           const DUxDatumTargetStyleWrapper* style) const override;
    int32_t OutlineWord() const override { return kAreaOutline; }
};

class DLxCTargetRectangularAreaService : public DLxCTargetService {
public:
    DLxCTargetRectangularAreaService() : DLxCTargetService(5) {}
    UTxResult BuildEntities(const DLxCTargetSubSym* shape, DUxCAuxEntArray& array,
                            const WqGeMatrix3d& xform,
                            const DUxDatumTargetStyleWrapper* style) const override;

protected:
    UTxResult BuildOutline(const DLxCTargetSubSym* shape, DUxCAuxEntArray& array,
                           const WqGeMatrix3d& xform,
                           const DUxDatumTargetStyleWrapper* style) const override;
    int32_t OutlineWord() const override { return kAreaOutline; }
};

// The balloon: a circle of the balloon radius split by a horizontal divider, the size text
// in the upper half (above and beside the balloon when too wide for it, with a dot and a
// leader to it), the target text in the lower half; built about the origin and placed by the
// matrix. Writes the balloon's alternate-unit position and outside flag as it lays it out.
class DLxCTargetBalloonService : public DLxCTargetService {
public:
    DLxCTargetBalloonService() : DLxCTargetService(1) {}
    UTxResult BuildEntities(const DLxCTargetSubSym* shape, DUxCAuxEntArray& array,
                            const WqGeMatrix3d& xform,
                            const DUxDatumTargetStyleWrapper* style) const override;

    // The style's multiplier times its text height when it scales to the text, else half its
    // size; 0 without a style.
    virtual double GetBalloonRadius(const DUxDatumTargetStyleWrapper* style) const;
    static WqGePoint3d GetSizeTextPoint(double radius);
    // The gap kept between a text and the balloon's rim, per unit of text height.
    static double GetTextMargin() { return 0.1; }
    virtual void DrawOutsideDecoration(double radius, const WqGePoint3d& from,
                                       const WqGePoint3d& textPosition, const DUxCAuxText& text,
                                       DUxCAuxEntArray& array,
                                       const DUxDatumTargetStyleWrapper* style) const;
};

// ANSI: the radius is always 1.75 text heights; the outside text's leader runs to its near end
// and turns back along it.
class DLxCTargetBalloonServiceANSI : public DLxCTargetBalloonService {
public:
    double GetBalloonRadius(const DUxDatumTargetStyleWrapper* style) const override;
    void DrawOutsideDecoration(double radius, const WqGePoint3d& from,
                               const WqGePoint3d& textPosition, const DUxCAuxText& text,
                               DUxCAuxEntArray& array,
                               const DUxDatumTargetStyleWrapper* style) const override;
};

// How a size text shows: the host's "%%c" (either case) is the diameter sign.
UTxString16 DLxTargetDisplayText(const UTxString16& text);
