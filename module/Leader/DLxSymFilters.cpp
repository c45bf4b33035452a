#include "Leader/DLxSymFilters.h"

DLxBalloonSymFilter::DLxBalloonSymFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

DLxCallOutFilter::DLxCallOutFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

DLxDatumIdFilter::DLxDatumIdFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

DLxCenterDatumFilter::DLxCenterDatumFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

DLxGDTFilter::DLxGDTFilter(ESubType value) : SMxTypeFilterItem(kFilterType), m_value(value) {}

DLxSurfTXTFilter::DLxSurfTXTFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

DLxLeaderTextSymbolFilter::DLxLeaderTextSymbolFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

DLxWeldFilter::DLxWeldFilter(ESubType value) : SMxTypeFilterItem(kFilterType), m_value(value) {}
