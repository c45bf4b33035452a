#pragma once
// How a symbol shows its numbers: primary and alternate units, decimal markers, zero
// suppression and precision.
#include <cstdint>

#include "rse/RSeIDed.h"
#include "utx/UTxString16.h"

enum class DUxUnitField : int32_t;
class FWxSceneDoc;
class RDxObject;

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
    // Any attribute by the field that a frame style keeps it under.
    int32_t GetField(DUxUnitField f) const;
    void SetField(DUxUnitField f, int32_t v);

    // Takes the unit attributes of the style named after the drawing's standard (the frame
    // style the document's standard fills), for `object` in `doc` (the object's own document
    // when null). Unchanged when there is no such style.
    void PopulateFromStandardStyle(const RDxObject* object, FWxSceneDoc* doc);

    // A numeric text as shown with these attributes. The primary text stays as typed; when the
    // alternate unit is displayed, its value follows in brackets: the text's first number
    // (outside formatting groups "{...}") converted from the primary to the alternate unit,
    // at the alternate precision, with the alternate decimal marker (0 full stop, 1 comma),
    // zero suppression and unit string. A text without a number, or units this host does not
    // know, comes back unchanged. Unit types: 1 mm, 2 in, 3 cm, 4 m, 5 ft.
    UTxString16 addUnitProperties(const UTxString16& text) const;

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
