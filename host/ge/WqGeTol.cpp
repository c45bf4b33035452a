#include "ge/WqGeTol.h"

// Constant-initialised, so it is usable from other static initialisers.
constinit WqGeTol WqGeContext::gTol{};
