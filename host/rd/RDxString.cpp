#include "rd/RDxString.h"

void RDxString::SetSimpleValue(const UTxString16& value) {
    if (m_value == value) return;
    BeginValueChange();
    m_value = value;
}
