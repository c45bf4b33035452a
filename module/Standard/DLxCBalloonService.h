#pragma once
// Balloon shape services: one object per balloon shape (circle, split circle, linear,
// borderless, hexagon, triangle, square, sketched symbol), keyed by the shape id that the
// balloon style names. For one entry of a table callout a service computes the size from the
// style and the entry's row texts, draws the outline and the texts as auxiliary entities (and
// records the entry's width, height and outline), gives the points by which stacked entries hang
// on each other and says which property rows it shows.
//
// A service serves one owner state at a time: callers set the owner before every use, which
// also empties the row-text cache, so texts are fetched again for each new owner.
//
// Geometry is in the entry's own plane about its origin (the caller translates it); a stretch
// s >= 0 grows the shape to +x when the entry's direction has the 4-bit, otherwise to -x.
#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class BBox;
class DLxCTableCallout;
class DLxTableCalloutStyleData;
class DLxTableCalloutSymState;
class DUxCAuxEntArray;
class DUxCAuxText;
class DUxTableStyleColumn;
struct KorvuResBitmap;

class DLxCBalloonService {
public:
    // How a shape offers itself in a chooser: its name, its 32 by 32 picture and its number.
    struct UIEntry {
        UTxString16 text;
        const KorvuResBitmap* bitmap = nullptr;
        int32_t number = 0;
    };
    using Columns = std::vector<RSeRef<DUxTableStyleColumn>>;

    DLxCBalloonService() = default;
    virtual ~DLxCBalloonService() = default;
    DLxCBalloonService(const DLxCBalloonService&) = delete;
    DLxCBalloonService& operator=(const DLxCBalloonService&) = delete;

    virtual int32_t GetShapeId() const = 0;
    virtual int16_t GetTextRowCount() const { return 1; }
    virtual double GetRadiusScale() const { return m_scale; }
    virtual void GetUIEntry(UIEntry& entry) const = 0;
    // No margin when the owner enlarges its balloons to their texts.
    virtual double GetMarginRatio() const;
    // Draws one entry into `out` and records its width, height and boundary; nothing without
    // the owner's style data.
    virtual void BuildShape(const RSeRef<DLxCTableCallout>& balloon, DUxCAuxEntArray& out) = 0;
    virtual bool InitDefaults() = 0;
    virtual double GetRadius(const RSeRef<DLxCTableCallout>& balloon);
    virtual double ComputeRadius(const RSeRef<DLxCTableCallout>& balloon, bool countLines);
    // Inserts the indexes of the style columns whose values the shape shows.
    virtual void CollectUsedRows(const RSeRef<DLxCTableCallout>& balloon, const Columns& columns,
                                 std::set<int>& rows) const = 0;
    // The point by which an entry hangs on its predecessor in a stack along `d`, and the point
    // of an entry on which its successor hangs; the zero point for a null entry.
    virtual WqGePoint3d GetIncomingAttachPoint(const RSeRef<DLxCTableCallout>& balloon,
                                               const WqGeVector3d& d) const;
    virtual WqGePoint3d GetOutgoingAttachPoint(const RSeRef<DLxCTableCallout>& balloon,
                                               const WqGeVector3d& d) const;
    virtual void SetOwnerState(const RSeRef<DLxTableCalloutSymState>& owner);
    virtual void ClearOwnerState();

    const RSeRef<DLxTableCalloutSymState>& GetOwnerState() const { return m_owner; }
    // A row's text, carriage returns dropped; empty outside the style's columns. False when the
    // owner has no style data.
    bool GetRowText(const RSeRef<DLxCTableCallout>& balloon, int row, UTxString16& text);
    // Extends the box by (0,0,0)..(|width|,|height|,0) of the row's text; false without owner.
    bool GetTextExtents(int row, BBox& box, const RSeRef<DLxCTableCallout>& balloon);
    // The row's text at a point, or null for an empty text. A text of several lines centred on
    // its point (attachment 5) takes attachment 10.
    DUxCAuxText* CreateRowText(int row, const WqGePoint3d& at, int32_t attachment,
                               const RSeRef<DLxCTableCallout>& balloon, DUxCAuxEntArray& out);
    // Points on an arc about the z axis every 10 degrees from `start`, and the point at `end`
    // itself; an end below the start goes round once.
    static void AppendArcPoints(const WqGePoint3d& centre, double r, double start, double end,
                                std::vector<WqGePoint3d>& points);

protected:
    DLxTableCalloutStyleData* StyleData() const;
    double FontSize() const;
    // Half sizes of the attach rule: incoming o - (a dx, b dy), outgoing o + (c dx, b dy).
    virtual void AttachFactors(double w, double h, double& a, double& b, double& c) const;
    // The balloon's row texts, existing columns only, joined by line feeds, made at the origin:
    // the borderless form and the sketched symbol show every column this way.
    DUxCAuxText* CreateColumnsText(const RSeRef<DLxCTableCallout>& balloon, DUxCAuxEntArray& out);
    // The UI entry from string and bitmap resources.
    static void FillUIEntry(UIEntry& entry, uint32_t textId, uint32_t bitmapId, int32_t number);

    double m_scale = 1.0;
    double m_marginRatio = 0.0;

private:
    RSeRef<DLxTableCalloutSymState> m_owner;
    std::map<int, UTxString16> m_rowTexts;
};

class DLxCCircBalloonService : public DLxCBalloonService {
public:
    int32_t GetShapeId() const override { return 2; }
    void GetUIEntry(UIEntry& entry) const override;
    void BuildShape(const RSeRef<DLxCTableCallout>& balloon, DUxCAuxEntArray& out) override;
    bool InitDefaults() override;
    void CollectUsedRows(const RSeRef<DLxCTableCallout>& balloon, const Columns& columns,
                         std::set<int>& rows) const override;

protected:
    void AttachFactors(double w, double h, double& a, double& b, double& c) const override;
};

class DLxCCirc2BalloonService : public DLxCBalloonService {
public:
    int32_t GetShapeId() const override { return 3; }
    int16_t GetTextRowCount() const override { return 2; }
    void GetUIEntry(UIEntry& entry) const override;
    void BuildShape(const RSeRef<DLxCTableCallout>& balloon, DUxCAuxEntArray& out) override;
    bool InitDefaults() override;
    void CollectUsedRows(const RSeRef<DLxCTableCallout>& balloon, const Columns& columns,
                         std::set<int>& rows) const override;

protected:
    void AttachFactors(double w, double h, double& a, double& b, double& c) const override;
};

class DLxCLinearBalloonService : public DLxCBalloonService {
public:
    int32_t GetShapeId() const override { return 4; }
    int16_t GetTextRowCount() const override { return 99; }
    void GetUIEntry(UIEntry& entry) const override;
    void BuildShape(const RSeRef<DLxCTableCallout>& balloon, DUxCAuxEntArray& out) override;
    bool InitDefaults() override;
    void CollectUsedRows(const RSeRef<DLxCTableCallout>& balloon, const Columns& columns,
                         std::set<int>& rows) const override;
    WqGePoint3d GetIncomingAttachPoint(const RSeRef<DLxCTableCallout>& balloon,
                                       const WqGeVector3d& d) const override;
    WqGePoint3d GetOutgoingAttachPoint(const RSeRef<DLxCTableCallout>& balloon,
                                       const WqGeVector3d& d) const override;

private:
    // Whether the owner is a balloon stacked downwards by `direction`: its entries then hang
    // from their top.
    bool HangsDown(int32_t direction) const;
};

class DLxCEmptyBalloonService : public DLxCBalloonService {
public:
    int32_t GetShapeId() const override { return 5; }
    void GetUIEntry(UIEntry& entry) const override;
    void BuildShape(const RSeRef<DLxCTableCallout>& balloon, DUxCAuxEntArray& out) override;
    bool InitDefaults() override;
    double GetRadius(const RSeRef<DLxCTableCallout>& balloon) override;
    void CollectUsedRows(const RSeRef<DLxCTableCallout>& balloon, const Columns& columns,
                         std::set<int>& rows) const override;
};

class DLxCSketchBalloonService : public DLxCBalloonService {
public:
    int32_t GetShapeId() const override { return 7; }
    void GetUIEntry(UIEntry& entry) const override;
    // The outline is the sketch, drawn by its instance; only the texts are made here. Its size
    // comes from the sketch's drawing (the table callout's sketched-balloon drawing).
    void BuildShape(const RSeRef<DLxCTableCallout>& balloon, DUxCAuxEntArray& out) override;
    bool InitDefaults() override { return true; }
    double GetRadius(const RSeRef<DLxCTableCallout>&) override { return 1.0; }
    void CollectUsedRows(const RSeRef<DLxCTableCallout>& balloon, const Columns& columns,
                         std::set<int>& rows) const override;
};

// A regular polygon of `sides` sides (the hexagon), base of the triangle and the square.
class DLxCNAngleBalloonService : public DLxCBalloonService {
public:
    int32_t GetShapeId() const override { return 6; }
    void GetUIEntry(UIEntry& entry) const override;
    void BuildShape(const RSeRef<DLxCTableCallout>& balloon, DUxCAuxEntArray& out) override;
    bool InitDefaults() override;
    void CollectUsedRows(const RSeRef<DLxCTableCallout>& balloon, const Columns& columns,
                         std::set<int>& rows) const override;
    virtual double GetStartAngle() const { return 0.0; }
    virtual WqGePoint3d GetFirstVertex(double r) const { return {r, 0.0, 0.0}; }
    int16_t GetSides() const { return m_sides; }

protected:
    void AttachFactors(double w, double h, double& a, double& b, double& c) const override;
    // How far a text measured between `min` and `max` stretches the shape: signed by the side
    // it grows to, 0 when it fits or stretching is off.
    double Stretch(bool hasText, const WqGePoint3d& min, const WqGePoint3d& max, double t, double r,
                   int32_t direction) const;

    int16_t m_sides = 6;
};

class DLxCTriAngleBalloonService : public DLxCNAngleBalloonService {
public:
    int32_t GetShapeId() const override { return 8; }
    void GetUIEntry(UIEntry& entry) const override;
    void BuildShape(const RSeRef<DLxCTableCallout>& balloon, DUxCAuxEntArray& out) override;
    bool InitDefaults() override;
    double GetStartAngle() const override;
    WqGePoint3d GetFirstVertex(double r) const override;
};

class DLxCSquareBalloonService : public DLxCNAngleBalloonService {
public:
    int32_t GetShapeId() const override { return 9; }
    void GetUIEntry(UIEntry& entry) const override;
    void BuildShape(const RSeRef<DLxCTableCallout>& balloon, DUxCAuxEntArray& out) override;
    bool InitDefaults() override;
    double GetStartAngle() const override;
    WqGePoint3d GetFirstVertex(double r) const override { return {r, r, 0.0}; }
};
