#pragma once
// Message boxes, headless: each box takes its answer from a queue that the driver (a test, or
// the program) fills beforehand, and every box shown is recorded with what it asked. With the
// queue empty a box answers as a user who closes it would: IDOK for a box that only informs,
// IDCANCEL (IDNO for a yes/no box) for one that asks.
#include <cstdint>
#include <string>
#include <vector>

#include "WinHandles.h"

constexpr int32_t IDOK = 1;
constexpr int32_t IDCANCEL = 2;
constexpr int32_t IDYES = 6;
constexpr int32_t IDNO = 7;

constexpr uint32_t MB_OK = 0x0;
constexpr uint32_t MB_OKCANCEL = 0x1;
constexpr uint32_t MB_YESNOCANCEL = 0x3;
constexpr uint32_t MB_YESNO = 0x4;
constexpr uint32_t MB_ICONERROR = 0x10;
constexpr uint32_t MB_ICONSTOP = MB_ICONERROR;
constexpr uint32_t MB_ICONEXCLAMATION = 0x30;
// The icon bits of a box's type.
constexpr uint32_t MB_ICONMASK = 0xF0;

int32_t MessageBoxW(HWND hWnd, const char16_t* lpText, const char16_t* lpCaption, uint32_t uType);

namespace WinMessageBoxes {
struct Shown {
    std::u16string text;
    std::u16string caption;
    uint32_t type = 0;
    int32_t answer = 0;
};
// The next box answers `answer`; answers are taken in the order they were queued.
void QueueAnswer(int32_t answer);
size_t PendingAnswers();
// The boxes shown since the last Reset, oldest first.
const std::vector<Shown>& GetShown();
// Forgets the shown boxes and the answers not taken.
void Reset();
} // namespace WinMessageBoxes
