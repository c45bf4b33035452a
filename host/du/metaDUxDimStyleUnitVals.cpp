// Storage of a unit format, version 0: length unit (long), decimal point, fractional format
// (bools), linear precision (long), decimal format (bool), angular precision (long), slash
// format (bool), fractional height (float), leading zero, trailing zero, unit string (bools).
#include "du/DUxDimStyleUnitVals.h"

#include "rse/RSeMeta.h"

namespace {
// {6c0e2a41-5b1d-4f3e-9a6b-2f1e8d4c7b10}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x6c0e2a41, 0x5b1d4f3e, 0x9a6b2f1e, 0x8d4c7b10);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxDimStyleUnitVals*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxDimStyleUnitVals>(
        u"DUxDimStyleUnitVals", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxDimStyleUnitVals* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta =
    RSe::_InitMeta(static_cast<const DUxDimStyleUnitVals*>(nullptr));

RSeMetaType* DUxDimStyleUnitVals::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxDimStyleUnitVals::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_lengthUnit);
    s.Read(m_decimalPoint);
    s.Read(m_fractional);
    s.Read(m_linearPrecision);
    s.Read(m_decimalFormat);
    s.Read(m_angularPrecision);
    s.Read(m_slash);
    s.Read(m_fractionalHeight);
    s.Read(m_leadingZero);
    s.Read(m_trailingZero);
    s.Read(m_unitString);
}

void DUxDimStyleUnitVals::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_lengthUnit);
    s.Write(m_decimalPoint);
    s.Write(m_fractional);
    s.Write(m_linearPrecision);
    s.Write(m_decimalFormat);
    s.Write(m_angularPrecision);
    s.Write(m_slash);
    s.Write(m_fractionalHeight);
    s.Write(m_leadingZero);
    s.Write(m_trailingZero);
    s.Write(m_unitString);
}

UTxResult DUxDimStyleUnitVals::Clone(DUxDimStyleUnitVals* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    t->m_lengthUnit = m_lengthUnit;
    t->m_decimalPoint = m_decimalPoint;
    t->m_fractional = m_fractional;
    t->m_linearPrecision = m_linearPrecision;
    t->m_decimalFormat = m_decimalFormat;
    t->m_angularPrecision = m_angularPrecision;
    t->m_slash = m_slash;
    t->m_fractionalHeight = m_fractionalHeight;
    t->m_leadingZero = m_leadingZero;
    t->m_trailingZero = m_trailingZero;
    t->m_unitString = m_unitString;
    return {};
}
