#include "rd/RDxBool.h"

void RDxBool::SetValue(bool value) {
    if (GetValue() == value) return;
    BeginValueChange();
    m_value = value ? 1 : 0;
}
