#pragma once
// How a symbol shows its numbers: primary and alternate units, decimal markers, zero
// suppression and precision.
#include <cstdint>

#include "rse/RSeIDed.h"

class DUxSymUnitAttr : public RSeIDed {
public:
    DUxSymUnitAttr() = default;
    explicit DUxSymUnitAttr(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;

    // The host's defaults: millimetres, full stop, unit strings hidden, no suppression, primary
    // display only, alternate inches at precision 3.
    void SetFactoryDefaults();

    int32_t GetPrimUnitType() const { return m_primUnit; }
    int32_t GetPrimDecimalMarker() const { return m_primMarker; }
    bool GetDisplayPrimUnitStr() const { return m_primUnitStr; }
    bool GetPrimSuppressLeadZero() const { return m_primLead; }
    bool GetPrimSuppressTrailZero() const { return m_primTrail; }
    int32_t GetDisplayType() const { return m_displayType; }
    bool GetDisplayAltUnit() const { return m_altDisplay; }
    int32_t GetAltUnitType() const { return m_altUnit; }
    int32_t GetAltDecimalMarker() const { return m_altMarker; }
    bool GetDisplayAltUnitStr() const { return m_altUnitStr; }
    bool GetAltSuppressLeadZero() const { return m_altLead; }
    bool GetAltSuppressTrailZero() const { return m_altTrail; }
    int32_t GetAltPrecision() const { return m_altPrecision; }

    void SetPrimUnitType(int32_t v);
    void SetAltPrecision(int32_t v);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxSymUnitAttr* target, RSeCloneCommander* cc) const;

private:
    int32_t m_primUnit = 0;
    int32_t m_primMarker = 0;
    bool m_primUnitStr = false;
    bool m_primLead = false;
    bool m_primTrail = false;
    int32_t m_displayType = 0;
    bool m_altDisplay = false;
    int32_t m_altUnit = 0;
    int32_t m_altMarker = 0;
    bool m_altUnitStr = false;
    bool m_altLead = false;
    bool m_altTrail = false;
    int32_t m_altPrecision = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxSymUnitAttr*);
RSeMetaType* _GetMeta(const DUxSymUnitAttr*);
} // namespace RSe
