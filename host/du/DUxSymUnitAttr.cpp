#include "du/DUxSymUnitAttr.h"

#include "rse/RSeTransaction.h"

void DUxSymUnitAttr::SetFactoryDefaults() {
    RSe::PrepareWrite(this);
    m_primUnit = 1;
    m_primMarker = 0;
    m_primUnitStr = false;
    m_primLead = false;
    m_primTrail = false;
    m_displayType = 0;
    m_altDisplay = false;
    m_altUnit = 2;
    m_altMarker = 0;
    m_altUnitStr = false;
    m_altLead = false;
    m_altTrail = false;
    m_altPrecision = 3;
}

void DUxSymUnitAttr::SetPrimUnitType(int32_t v) {
    if (m_primUnit == v) return;
    RSe::PrepareWrite(this);
    m_primUnit = v;
}

void DUxSymUnitAttr::SetAltPrecision(int32_t v) {
    if (m_altPrecision == v) return;
    RSe::PrepareWrite(this);
    m_altPrecision = v;
}
