#pragma once
// Result codes of the document kernel (library 5).
#include "utx/UTxResult.h"

constexpr uint32_t kRDxLibrary = 5;
// A recompute left nodes out of date; the pass's diagnoses are attached.
constexpr UTxResultCode kRDxErrRecompute = UTxResult::MakeCode(UTxSeverityError, kRDxLibrary, 1);
// Nodes depend on each other in a circle.
constexpr UTxResultCode kRDxErrCycle = UTxResult::MakeCode(UTxSeverityError, kRDxLibrary, 2);
// An instance's template is not registered in this process.
constexpr UTxResultCode kRDxErrNoTemplate = UTxResult::MakeCode(UTxSeverityError, kRDxLibrary, 3);
// An instance has another number of input states than its template takes.
constexpr UTxResultCode kRDxErrInputCount = UTxResult::MakeCode(UTxSeverityError, kRDxLibrary, 4);
// An input state of an instance is missing or has gone.
constexpr UTxResultCode kRDxErrMissingInput = UTxResult::MakeCode(UTxSeverityError, kRDxLibrary, 5);
// A directed constraint would write a state that another directed constraint writes.
constexpr UTxResultCode kRDxErrTwoWriters = UTxResult::MakeCode(UTxSeverityError, kRDxLibrary, 6);
// A state cannot be written by a constraint: it is null, or written by it already.
constexpr UTxResultCode kRDxErrBadOutput = UTxResult::MakeCode(UTxSeverityError, kRDxLibrary, 7);
