#include "BofM/DLxPersistUtil.h"
#include "Standard/DLxCSurfTextStd.h"

DLX_STD_META_DEF(DLxCSurfTextStd, DUxCategoryDefault, 0x60, 0, 0x43d96080, 0x3b8e11d2, 0xbe860800,
                 0x09dc42f8)
DLX_STD_META_DEF(DLxCSurfTextStdANSI, DLxCSurfTextStd, 0x61, 0, 0x79dc4dec, 0x3c4111d2, 0xbe870800,
                 0x09dc42f8)
DLX_STD_META_DEF(DLxCSurfTextStdBSI, DLxCSurfTextStd, 0x62, 0, 0xa7e957e2, 0x13fe11d3, 0xbf330010,
                 0x4bb54a0b)
DLX_STD_META_DEF(DLxCSurfTextStdDIN, DLxCSurfTextStd, 0x63, 0, 0xe39bac24, 0x53e911d2, 0x9b940060,
                 0xb087bcec)
DLX_STD_META_DEF(DLxCSurfTextStdGB, DLxCSurfTextStdISO, 0x64, 0, 0xd0d954a0, 0x06de11d3, 0xbf270010,
                 0x4bb54a0b)
DLX_STD_META_DEF(DLxCSurfTextStdISO, DLxCSurfTextStd, 0x65, 0, 0x55b0843e, 0x3d1411d2, 0xbe880800,
                 0x09dc42f8)
DLX_STD_META_DEF(DLxCSurfTextStdJIS, DLxCSurfTextStd, 0x66, 0, 0x968f69b8, 0x534211d2, 0x9b930060,
                 0xb087bcec)

// Record (version 0): the five options fit circle, all-around allowed, forced tail, majority
// allowed and production multiline (bytes), then the offered lay symbols (32-bit vector). The
// former form has the base record only: its standard's factory values apply.
void DLxCSurfTextStd::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_FitCircle);
    s.Read(m_AllAroundAllowed);
    s.Read(m_ForceTail);
    s.Read(m_MajorityAllowed);
    s.Read(m_ProductionMultiline);
    DLxPersistUtil::ReadVector(s, m_OfferedLaySymbols);
}

void DLxCSurfTextStd::LoadMigrate(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    if (DLxPersistUtil::StoredVersion(s) != kDLxStdFormerForm)
        DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    setFactoryDefaults();
}

void DLxCSurfTextStd::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_FitCircle << m_AllAroundAllowed << m_ForceTail << m_MajorityAllowed
      << m_ProductionMultiline;
    DLxPersistUtil::WriteVector(s, m_OfferedLaySymbols);
}

UTxResult DLxCSurfTextStd::Clone(DLxCSurfTextStd* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_FitCircle = m_FitCircle;
    t->m_AllAroundAllowed = m_AllAroundAllowed;
    t->m_ForceTail = m_ForceTail;
    t->m_MajorityAllowed = m_MajorityAllowed;
    t->m_ProductionMultiline = m_ProductionMultiline;
    t->m_OfferedLaySymbols = m_OfferedLaySymbols;
    return {};
}
