#pragma once
// Result codes of the renderer (library 20).
#include "utx/UTxResult.h"

constexpr uint32_t kRNxLibrary = 20;
constexpr UTxResultCode kRNxErrBadSheet = UTxResult::MakeCode(UTxSeverityError, kRNxLibrary, 0x101);
constexpr UTxResultCode kRNxErrWrite = UTxResult::MakeCode(UTxSeverityError, kRNxLibrary, 0x102);
constexpr UTxResultCode kRNxErrFormat = UTxResult::MakeCode(UTxSeverityError, kRNxLibrary, 0x104);
