#include "rd/RDxPoint3.h"

void RDxPoint3::SetPoint(const WqGePoint3d& value) {
    if (m_value == value) return;
    BeginValueChange();
    m_value = value;
}
