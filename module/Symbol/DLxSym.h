#pragma once
// Numbers that name the values of a symbol state, as requests, dialogs and transcripts address
// them. Any other number may be passed; each state says what it makes of numbers it does not
// know.
#include <cstdint>

struct DLxSym {
    enum Variable : int32_t {
        // Feature control frame, per line.
        kSymbolValue = 14,
        kToleranceA = 16,
        kToleranceB = 18,
        kDatumA = 20,
        kDatumB = 22,
        kDatumC = 24,
        // Feature control frame, the frame's datum identifier.
        kDatumIdentifier = 27,
    };
};
