#include "BofM/DLxPartListFilter.h"

DLxPartListFilter::DLxPartListFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}
