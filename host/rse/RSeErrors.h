#pragma once
// Result codes of the object store (library 2) and the load's one way out on bad data.
#include "utx/UTxResult.h"

constexpr uint32_t kRSeLibrary = 2;
constexpr UTxResultCode kRSeErrUnsupportedVersion =
    0xE00203ED; // a class refuses its stored version
constexpr UTxResultCode kRSeErrDamaged = UTxResult::MakeCode(UTxSeverityError, kRSeLibrary, 0x3F0);
constexpr UTxResultCode kRSeErrNotADocument =
    UTxResult::MakeCode(UTxSeverityError, kRSeLibrary, 0x3F1);
constexpr UTxResultCode kRSeErrNewerFormat =
    UTxResult::MakeCode(UTxSeverityError, kRSeLibrary, 0x3F2);
constexpr UTxResultCode kRSeErrUnknownClass =
    UTxResult::MakeCode(UTxSeverityError, kRSeLibrary, 0x3F3);
constexpr UTxResultCode kRSeErrRead = UTxResult::MakeCode(UTxSeverityError, kRSeLibrary, 0x3F4);
constexpr UTxResultCode kRSeErrWrite = UTxResult::MakeCode(UTxSeverityError, kRSeLibrary, 0x3F5);
constexpr UTxResultCode kRSeErrNewerClass =
    UTxResult::MakeCode(UTxSeverityError, kRSeLibrary, 0x3F6);

namespace RSe {
// Fails the load in progress: the stored data is damaged. The loader turns it into its result.
[[noreturn]] void ThrowDamaged(const UTxString16& what);
} // namespace RSe
