#include "rd/RDxInt.h"

void RDxInt::SetValue(int32_t value) {
    if (m_value == value) return;
    BeginValueChange();
    m_value = value;
}
