#pragma once
// A view of the clipboard's data as the OLE layer offers it. Reads go to the clipboard as it is
// at the time of the call, without the caller opening it.
#include <cstdint>

#include "WinHandles.h"

class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject() { Release(); }
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    bool AttachClipboard();
    // Detaches; safe to call when not attached.
    void Release() { m_bClipboard = false; }

    bool IsDataAvailable(uint32_t format) const;
    // A copy of the data that the caller owns and frees with GlobalFree; null when the format
    // is not there or nothing is attached.
    HGLOBAL GetGlobalData(uint32_t format) const;

private:
    bool m_bClipboard = false;
};
