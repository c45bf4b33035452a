#pragma once
// A unit format of a shown value: length unit, decimal point, fractions, precisions, zero
// suppression and the unit string. Owned by whoever formats with it (a parts-list column).
#include <cstdint>

#include "rse/RSeIDed.h"

class RSeSegment;

class DUxDimStyleUnitVals : public RSeIDed {
public:
    DUxDimStyleUnitVals() = default;
    explicit DUxDimStyleUnitVals(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;

    // Made in `segment` (the transient one when null), with the defaults; or as a copy.
    static DUxDimStyleUnitVals* New(RSeSegment* segment);
    static DUxDimStyleUnitVals* Copy(RSeSegment* segment, const DUxDimStyleUnitVals& other);
    void CopyValues(const DUxDimStyleUnitVals& other);
    bool SameValues(const DUxDimStyleUnitVals& other) const;

    int32_t GetLengthUnits() const { return m_lengthUnit; }
    bool GetDecimalPoint() const { return m_decimalPoint; }
    bool GetFractionalFormat() const { return m_fractional; }
    int32_t GetLinearPrecision() const { return m_linearPrecision; }
    bool GetDecimalFormat() const { return m_decimalFormat; }
    int32_t GetAngularPrecision() const { return m_angularPrecision; }
    bool GetSlashFormat() const { return m_slash; }
    float GetFractionalHeight() const { return m_fractionalHeight; }
    bool GetShowLeadingZero() const { return m_leadingZero; }
    bool GetShowTrailingZero() const { return m_trailingZero; }
    bool GetShowUnitString() const { return m_unitString; }

    void UpdateLengthUnits(int32_t v);
    void SetDecimalPoint(bool v);
    void SetFractionalFormat(bool v);
    void SetLinearPrecision(int32_t v);
    void SetDecimalFormat(bool v);
    void SetAngularPrecision(int32_t v);
    void SetSlashFormat(bool v);
    void SetFractionalHeight(float v);
    void SetShowLeadingZero(bool v);
    void SetShowTrailingZero(bool v);
    void SetShowUnitString(bool v);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxDimStyleUnitVals* target, RSeCloneCommander* cc) const;

private:
    int32_t m_lengthUnit = 1;
    bool m_decimalPoint = true;
    bool m_fractional = false;
    int32_t m_linearPrecision = 2;
    bool m_decimalFormat = true;
    int32_t m_angularPrecision = 0;
    bool m_slash = false;
    float m_fractionalHeight = 1.0f;
    bool m_leadingZero = true;
    bool m_trailingZero = false;
    bool m_unitString = false;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxDimStyleUnitVals*);
RSeMetaType* _GetMeta(const DUxDimStyleUnitVals*);
} // namespace RSe
