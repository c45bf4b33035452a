#pragma once
// Services of the host's dimension library that annotations share.

class DUxDimUtil {
public:
    // How near (sheet units, millimetres) a dragged point must be dropped to a point of interest
    // to snap onto it: a tenth of a millimetre, finer than the thinnest pen, so that only a point
    // dropped on the spot snaps and one placed beside it stays where it was put.
    static constexpr double kSnapTolerance = 0.1;
    static double GetSnapTolerance() { return kSnapTolerance; }
};
