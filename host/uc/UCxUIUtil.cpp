#include "uc/UCxUIUtil.h"

#include "WinMessageBox.h"

int32_t UCxUIUtil::DoBOMErrorMessageBox(int32_t kind, HWND parent) {
    (void)kind; // one kind of box so far
    return MessageBoxW(parent,
                       u"The bill of materials of the source model is not enabled for this kind "
                       u"of parts list. Enable it in the source model?",
                       u"Bill of materials", MB_OKCANCEL | MB_ICONEXCLAMATION);
}
