#pragma once
// Result codes of the drawing library (library 9).
#include "utx/UTxResult.h"

constexpr uint32_t kDLxLibrary = 9;
// A model file cannot be opened or read.
constexpr UTxResultCode kDLxErrModelRead =
    UTxResult::MakeCode(UTxSeverityError, kDLxLibrary, 0xB01);
// A model file is not JSON.
constexpr UTxResultCode kDLxErrModelSyntax =
    UTxResult::MakeCode(UTxSeverityError, kDLxLibrary, 0xB02);
// A model file lacks something, has a value of the wrong type or a value out of bounds.
constexpr UTxResultCode kDLxErrModelInvalid =
    UTxResult::MakeCode(UTxSeverityError, kDLxLibrary, 0xB03);
// A model file is of another format, or of a version this program does not read.
constexpr UTxResultCode kDLxErrModelVersion =
    UTxResult::MakeCode(UTxSeverityError, kDLxLibrary, 0xB04);
