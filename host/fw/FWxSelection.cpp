#include "fw/FWxSelection.h"

FWxSelection::~FWxSelection() = default;
