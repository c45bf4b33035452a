#include "GeneralNote/DLxGeneralNoteFilter.h"

DLxGeneralNoteFilter::DLxGeneralNoteFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}
