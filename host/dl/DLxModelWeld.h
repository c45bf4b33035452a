#pragma once
// A weld feature of the model as a drawing view knows it: its id (the edges of its bead name
// it), the weld symbol the model keeps for it, and whether the model's arrow side is the
// drawing's other side (reverse).
#include <cstdint>
#include <vector>

#include "du/DUxWeldState.h"

//
// A weld on both sides of a joint may be two welds of the model: the one that keeps the symbol
// names the other (`other`), whose weld the symbol shows on its other side; the other keeps no
// symbol of its own. A cosmetic weld has no bead: it lies along part edges as their weld data.
struct DLxModelWeld {
    int32_t id = 0;
    bool reverse = false;
    std::vector<DUxCSubWelding> subWeldings;
    // The weld shown on the symbol's other side; 0 for none.
    int32_t other = 0;
    bool cosmetic = false;

    bool operator==(const DLxModelWeld&) const = default;
};
