#include "COleDataObject.h"

#include <cstring>

#include "Clipboard.h"
#include "GlobalMemory.h"

bool COleDataObject::AttachClipboard() {
    m_bClipboard = true;
    return true;
}

bool COleDataObject::IsDataAvailable(uint32_t format) const {
    return m_bClipboard && IsClipboardFormatAvailable(format);
}

HGLOBAL COleDataObject::GetGlobalData(uint32_t format) const {
    if (!m_bClipboard) return nullptr;
    // Open it for the read unless the caller already has it open, and leave it as found.
    const bool opened = OpenClipboard(nullptr);
    HGLOBAL result = nullptr;
    if (HANDLE source = GetClipboardData(format)) {
        const size_t size = GlobalSize(source);
        result = GlobalAlloc(GMEM_MOVEABLE, size);
        if (result && size > 0) {
            std::memcpy(GlobalLock(result), GlobalLock(source), size);
            GlobalUnlock(source);
            GlobalUnlock(result);
        }
    }
    if (opened) CloseClipboard();
    return result;
}
