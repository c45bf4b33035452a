#include "DatumTarget/DLxDatumTargetFilter.h"

DLxDatumTargetFilter::DLxDatumTargetFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}
