#pragma once
// The user's sketch preferences that commands placing points read: the grid snap switch with
// the grid's snap distances, and the size of the markers drawn at picked points.
class FWxSketchPreferences {
public:
    static bool IsGridSnapOn() { return s_gridSnap; }
    static double GetXSnapDistDbl() { return s_dx; }
    static double GetYSnapDistDbl() { return s_dy; }
    // A distance of 0 or less leaves that direction unsnapped.
    static void SetGridSnap(bool on, double dx, double dy) {
        s_gridSnap = on;
        s_dx = dx;
        s_dy = dy;
    }
    static double GetSketchMarkerSize() { return 1.0; }

private:
    static inline bool s_gridSnap = false;
    static inline double s_dx = 0.0;
    static inline double s_dy = 0.0;
};
