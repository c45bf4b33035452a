#include "du/DUxDimStyleUnitVals.h"

#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

DUxDimStyleUnitVals* DUxDimStyleUnitVals::New(RSeSegment* segment) {
    return new (RSe::_GetMeta(static_cast<const DUxDimStyleUnitVals*>(nullptr)),
                segment ? segment : RSe::TransientSegment()) DUxDimStyleUnitVals();
}

DUxDimStyleUnitVals* DUxDimStyleUnitVals::Copy(RSeSegment* segment,
                                               const DUxDimStyleUnitVals& other) {
    DUxDimStyleUnitVals* v = New(segment);
    v->CopyValues(other);
    return v;
}

void DUxDimStyleUnitVals::CopyValues(const DUxDimStyleUnitVals& o) {
    RSe::PrepareWrite(this);
    m_lengthUnit = o.m_lengthUnit;
    m_decimalPoint = o.m_decimalPoint;
    m_fractional = o.m_fractional;
    m_linearPrecision = o.m_linearPrecision;
    m_decimalFormat = o.m_decimalFormat;
    m_angularPrecision = o.m_angularPrecision;
    m_slash = o.m_slash;
    m_fractionalHeight = o.m_fractionalHeight;
    m_leadingZero = o.m_leadingZero;
    m_trailingZero = o.m_trailingZero;
    m_unitString = o.m_unitString;
}

bool DUxDimStyleUnitVals::SameValues(const DUxDimStyleUnitVals& o) const {
    return m_lengthUnit == o.m_lengthUnit && m_decimalPoint == o.m_decimalPoint &&
           m_fractional == o.m_fractional && m_linearPrecision == o.m_linearPrecision &&
           m_decimalFormat == o.m_decimalFormat && m_angularPrecision == o.m_angularPrecision &&
           m_slash == o.m_slash && m_fractionalHeight == o.m_fractionalHeight &&
           m_leadingZero == o.m_leadingZero && m_trailingZero == o.m_trailingZero &&
           m_unitString == o.m_unitString;
}

#define DUX_UNITVALS_SETTER(Name, Type, member)                                                   \
    void DUxDimStyleUnitVals::Name(Type v) {                                                       \
        RSe::PrepareWrite(this);                                                                   \
        member = v;                                                                                \
    }
DUX_UNITVALS_SETTER(UpdateLengthUnits, int32_t, m_lengthUnit)
DUX_UNITVALS_SETTER(SetDecimalPoint, bool, m_decimalPoint)
DUX_UNITVALS_SETTER(SetFractionalFormat, bool, m_fractional)
DUX_UNITVALS_SETTER(SetLinearPrecision, int32_t, m_linearPrecision)
DUX_UNITVALS_SETTER(SetDecimalFormat, bool, m_decimalFormat)
DUX_UNITVALS_SETTER(SetAngularPrecision, int32_t, m_angularPrecision)
DUX_UNITVALS_SETTER(SetSlashFormat, bool, m_slash)
DUX_UNITVALS_SETTER(SetFractionalHeight, float, m_fractionalHeight)
DUX_UNITVALS_SETTER(SetShowLeadingZero, bool, m_leadingZero)
DUX_UNITVALS_SETTER(SetShowTrailingZero, bool, m_trailingZero)
DUX_UNITVALS_SETTER(SetShowUnitString, bool, m_unitString)
#undef DUX_UNITVALS_SETTER
