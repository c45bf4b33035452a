#include "Welding/DLxAnnoWeldInstanceFilter.h"

DLxAnnoWeldInstanceFilter::DLxAnnoWeldInstanceFilter(EType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}
