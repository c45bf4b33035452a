#pragma once
// A weld feature of the model as a drawing view knows it: its id (the edges of its bead name
// it), the weld symbol the model keeps for it, and whether the model's arrow side is the
// drawing's other side (reverse).
#include <cstdint>
#include <vector>

#include "du/DUxWeldState.h"

struct DLxModelWeld {
    int32_t id = 0;
    bool reverse = false;
    std::vector<DUxCSubWelding> subWeldings;

    bool operator==(const DLxModelWeld&) const = default;
};
