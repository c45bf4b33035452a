#pragma once
// The hatching of a datum target's areas: parallel lines at the hatch angle, one hatch spacing
// apart, clipped to a circle (DLxCAuxCircularHatch) or to a turned rectangle
// (DLxCAuxLinearHatch), both about the origin of the entity and then placed by its transform.
// A hatch adds nothing to extents: the area's outline bounds it.
#include "du/DUxCAuxEntArray.h"
#include "ge/WqGeMatrix3d.h"

class DLxCAuxHatch : public DUxCAuxEnt {
public:
    DLxCAuxHatch(double angle, double spacing) : m_angle(angle), m_spacing(spacing) {}
    double GetHatchAngle() const { return m_angle; }
    double GetHatchSpacing() const { return m_spacing; }
    const WqGeMatrix3d& GetTransform() const { return m_transform; }
    void TransformBy(const WqGeMatrix3d& m) override { m_transform = m * m_transform; }
    void AddExtents(BBox&) const override {}

protected:
    // One hatch line from a to b (in the entity's own plane), placed by the transform.
    void AddLine(SMxDisplayList& list, const WqGePoint3d& a, const WqGePoint3d& b) const;

    double m_angle = 0.0;
    double m_spacing = 0.0;
    WqGeMatrix3d m_transform;
};

class DLxCAuxCircularHatch : public DLxCAuxHatch {
public:
    DLxCAuxCircularHatch(double angle, double spacing, double radius)
        : DLxCAuxHatch(angle, spacing), m_radius(radius) {}
    double GetRadius() const { return m_radius; }
    // From the line through the centre outwards one way, then the other, while a line still
    // cuts the circle twice.
    void Draw(SMxDisplayList& list) const override;

private:
    double m_radius = 0.0;
};

class DLxCAuxLinearHatch : public DLxCAuxHatch {
public:
    DLxCAuxLinearHatch(double angle, double spacing, double halfWidth, double halfHeight,
                       double rotation)
        : DLxCAuxHatch(angle, spacing), m_halfWidth(halfWidth), m_halfHeight(halfHeight),
          m_rotation(rotation) {}
    // Lines through the centre and every spacing either side, clipped to the rectangle.
    void Draw(SMxDisplayList& list) const override;

private:
    double m_halfWidth = 0.0;
    double m_halfHeight = 0.0;
    double m_rotation = 0.0;
};
