#pragma once
// A four-corner frame that a drag moves or stretches. Point 0 stays where it is; point 2 is the
// corner opposite, the one the cursor holds; points 1 and 3 end the frame's first edge (from
// point 0) and its second. The edges keep the directions they had when the frame was made, so
// a turned frame stays turned; each edge has a signed extent along its direction, which goes
// negative when the cursor pulls the frame over point 0.
//
// Resize modes: 0 the frame only moves, 1 the first edge follows the cursor, 2 the second, 3
// both (a free corner).
#include <cstdint>

#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"

class DUxWireFrameCalculator {
public:
    enum EResizeMode : int32_t { kMove = 0, kFirstEdge = 1, kSecondEdge = 2, kBoth = 3 };

    // The frame p0, p1, p2, p3 under `mode`. A zero-length edge takes the direction square to
    // the other (the x and y axes when both are zero).
    DUxWireFrameCalculator(const WqGePoint3d& p0, int32_t mode, const WqGePoint3d& p1,
                           const WqGePoint3d& p3, const WqGePoint3d& p2);

    // Point 0 to 3 as the frame stands.
    WqGePoint3d Point(int32_t index) const;
    double GetFirstExtent() const { return m_e1; }
    double GetSecondExtent() const { return m_e2; }
    int32_t GetResizeMode() const { return m_mode; }

    // The whole frame by `to` − `from`.
    void Move(const WqGePoint3d& from, const WqGePoint3d& to);
    // The edges the mode frees take the cursor's position along their directions.
    void ApplyResizePoint(const WqGePoint3d& to);

private:
    WqGePoint3d m_origin;
    WqGeVector3d m_u, m_v; // unit directions of the first and second edges
    double m_e1 = 0.0, m_e2 = 0.0;
    int32_t m_mode;
};
