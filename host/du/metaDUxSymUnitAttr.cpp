#include "du/DUxSymUnitAttr.h"

#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0c01, 0x3c4e11d2, 0x9a110800, 0x09db0201);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxSymUnitAttr*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxSymUnitAttr>(u"DUxSymUnitAttr", &InitGuid, 0, RSeMetaType::kClass,
                                    RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxSymUnitAttr* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxSymUnitAttr*>(nullptr));

RSeMetaType* DUxSymUnitAttr::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxSymUnitAttr::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_primUnit);
    s.Read(m_primMarker);
    s.Read(m_primUnitStr);
    s.Read(m_primLead);
    s.Read(m_primTrail);
    s.Read(m_displayType);
    s.Read(m_altDisplay);
    s.Read(m_altUnit);
    s.Read(m_altMarker);
    s.Read(m_altUnitStr);
    s.Read(m_altLead);
    s.Read(m_altTrail);
    s.Read(m_altPrecision);
}

void DUxSymUnitAttr::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_primUnit);
    s.Write(m_primMarker);
    s.Write(m_primUnitStr);
    s.Write(m_primLead);
    s.Write(m_primTrail);
    s.Write(m_displayType);
    s.Write(m_altDisplay);
    s.Write(m_altUnit);
    s.Write(m_altMarker);
    s.Write(m_altUnitStr);
    s.Write(m_altLead);
    s.Write(m_altTrail);
    s.Write(m_altPrecision);
}

UTxResult DUxSymUnitAttr::Clone(DUxSymUnitAttr* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    t->m_primUnit = m_primUnit;
    t->m_primMarker = m_primMarker;
    t->m_primUnitStr = m_primUnitStr;
    t->m_primLead = m_primLead;
    t->m_primTrail = m_primTrail;
    t->m_displayType = m_displayType;
    t->m_altDisplay = m_altDisplay;
    t->m_altUnit = m_altUnit;
    t->m_altMarker = m_altMarker;
    t->m_altUnitStr = m_altUnitStr;
    t->m_altLead = m_altLead;
    t->m_altTrail = m_altTrail;
    t->m_altPrecision = m_altPrecision;
    return {};
}
