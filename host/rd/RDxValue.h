#pragma once
// The value library's stored states, for code that uses them together.
#include "rd/RDxInt.h"
#include "rd/RDxPoint3.h"
#include "rd/RDxString.h"
