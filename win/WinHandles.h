#pragma once
// Opaque handles, declared the way the original platform declares them: a window handle is a type
// of its own, while memory and data handles are untyped, so that the handle the clipboard hands
// out goes straight to the global memory functions.
struct HWND__;
using HWND = HWND__*;
using HANDLE = void*;
using HGLOBAL = HANDLE;
