#pragma once
// The assembly that bill-of-materials tests share, built in code: the bracket assembly with
// the bracket, a shaft, two bushings, four bolts with washers and nuts (standard parts), a
// purchased motor and a cover (a sub-assembly of a plate and a gasket).
//
// Structured rows in model order, with their item numbers and quantities:
//   1 bracket 1, 2 shaft 1, 3 bushing 2, 4 bolt 4 (four occurrences), 5 washer 4 (one
//   occurrence of quantity 4), 6 nut 4, 7 motor 1 (purchased), 8 cover 1 with 8.1 plate 1 and
//   8.2 gasket 1.
// Bolts, washers and nuts share the material "Steel 8.8", so grouping by material merges
// them into one row of quantity 12.
#include <cstdint>

#include "dl/DLxAssemblyData.h"

namespace KorvuBOM {
enum Id : int32_t {
    kRoot = 1,
    kBracket = 2,
    kShaft = 3,
    kBushing = 4,
    kBolt = 5,
    kWasher = 6,
    kNut = 7,
    kMotor = 8,
    kCover = 9,
    kPlate = 10,
    kGasket = 11,
};
// The assembly above; both schemes are enabled, the structured one not at all levels.
DLxAssemblyData BracketAssembly();
} // namespace KorvuBOM
