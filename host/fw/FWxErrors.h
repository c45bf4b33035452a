#pragma once
// Result codes of the framework (library 12).
#include "utx/UTxResult.h"

constexpr uint32_t kFWxLibrary = 12;
constexpr UTxResultCode kFWxErrNotPermitted =
    UTxResult::MakeCode(UTxSeverityError, kFWxLibrary, 0x101);
constexpr UTxResultCode kFWxErrNothingToUndo =
    UTxResult::MakeCode(UTxSeverityError, kFWxLibrary, 0x102);
constexpr UTxResultCode kFWxErrNothingToRedo =
    UTxResult::MakeCode(UTxSeverityError, kFWxLibrary, 0x103);
constexpr UTxResultCode kFWxErrBusy = UTxResult::MakeCode(UTxSeverityError, kFWxLibrary, 0x104);
