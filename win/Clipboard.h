#pragma once
// The clipboard, as an in-process service: one per process, formats by number, data in global
// memory blocks that the clipboard owns once they are set.
#include <cstdint>

#include "WinHandles.h"

// Predefined formats; registered formats are numbered from 0xC000.
constexpr uint32_t CF_TEXT = 1;
constexpr uint32_t CF_UNICODETEXT = 13;

// The same name, in any letter case, always gives the same number. 0 for a null or empty name.
uint32_t RegisterClipboardFormatW(const char16_t* lpszFormat);
// Copies the registered name, cut to fit and terminated, into the buffer; returns the number of
// characters copied, 0 for a predefined or unknown format.
int32_t GetClipboardFormatNameW(uint32_t format, char16_t* lpszFormatName, int32_t cchMaxCount);

// Fails while the clipboard is open, whoever opened it.
bool OpenClipboard(HWND hWndNewOwner);
bool CloseClipboard();
// Only while open: frees all data and makes the window that opened the clipboard its owner.
bool EmptyClipboard();
// The owner stays after the clipboard is closed, until the next EmptyClipboard.
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();

bool IsClipboardFormatAvailable(uint32_t format);
int32_t CountClipboardFormats();
// Only while open. On success the clipboard owns hMem (replacing and freeing earlier data of
// that format) and returns it; on failure it returns null and the caller keeps hMem.
HANDLE SetClipboardData(uint32_t uFormat, HANDLE hMem);
// Only while open. The block stays the clipboard's: read it, never free it.
HANDLE GetClipboardData(uint32_t uFormat);

// Closes the clipboard and frees its data and owner, so that tests start from nothing.
// Registered format names stay, as code keeps their numbers for the life of the process.
void WinClipboardResetForTests();
