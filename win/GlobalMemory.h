#pragma once
// Global memory blocks, the currency of clipboard data. A block's handle is also the address of
// its bytes, so code that treats a fixed block as a pointer works; GlobalLock is still the
// portable way to reach the bytes.
#include <cstddef>
#include <cstdint>

#include "WinHandles.h"

constexpr uint32_t GMEM_FIXED = 0x0000;
constexpr uint32_t GMEM_MOVEABLE = 0x0002;
constexpr uint32_t GMEM_ZEROINIT = 0x0040;
constexpr uint32_t GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr uint32_t GPTR = GMEM_FIXED | GMEM_ZEROINIT;
// GlobalFlags: the low byte is the lock count.
constexpr uint32_t GMEM_LOCKCOUNT = 0x00FF;
constexpr uint32_t GMEM_INVALID_HANDLE = 0x8000;

// Null when the size cannot be allocated. The bytes always start zeroed.
HGLOBAL GlobalAlloc(uint32_t uFlags, size_t dwBytes);
// Handles must come from GlobalAlloc; a freed one is caught by the sanitizers rather than here.

// Null for a null handle.
void* GlobalLock(HGLOBAL hMem);
// True while the block is still locked after this call.
bool GlobalUnlock(HGLOBAL hMem);
// 0 for a null handle.
size_t GlobalSize(HGLOBAL hMem);
// GMEM_INVALID_HANDLE for a null handle.
uint32_t GlobalFlags(HGLOBAL hMem);
// Null on success, the handle itself on failure. Freeing null does nothing.
HGLOBAL GlobalFree(HGLOBAL hMem);
