#include "Welding/DLxAnnoWeldInstanceSelection.h"

#include "Welding/DLxAnnoWeldInstance.h"

DLxAnnoWeldInstanceSelection::DLxAnnoWeldInstanceSelection(DLxAnnoWeldInstance* weld,
                                                           const WqGePoint3d& point,
                                                           int32_t itemId)
    : DUxEmblemSelection(weld, point), m_itemId(itemId), m_weld(weld) {}
