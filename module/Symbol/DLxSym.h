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

    // Kinds of table-column properties, by the property set that holds them: 0 any, 1 to 3
    // the three property categories of documents, 4 user-defined properties (of parts lists
    // or hole tables), 5 parts-list properties.
    enum PropertyCategory : int32_t {
        kAnyProperty = 0,
        kCategory1 = 1,
        kCategory2 = 2,
        kCategory3 = 3,
        kUserDefined = 4,
        kPartsListProperty = 5,
    };
};
