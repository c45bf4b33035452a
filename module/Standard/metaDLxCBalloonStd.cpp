#include "BofM/DLxPersistUtil.h"
#include "Standard/DLxCBalloonStd.h"

DLX_STD_META_DEF(DLxCBalloonStd, DUxCategoryDefault, 0x10, 0)
DLX_STD_META_DEF(DLxCBalloonStdANSI, DLxCBalloonStd, 0x11, 0)
DLX_STD_META_DEF(DLxCBalloonStdBSI, DLxCBalloonStdISO, 0x12, 0)
DLX_STD_META_DEF(DLxCBalloonStdDIN, DLxCBalloonStd, 0x13, 0)
DLX_STD_META_DEF(DLxCBalloonStdGB, DLxCBalloonStdISO, 0x14, 0)
DLX_STD_META_DEF(DLxCBalloonStdISO, DLxCBalloonStd, 0x15, 0)
DLX_STD_META_DEF(DLxCBalloonStdJIS, DLxCBalloonStd, 0x16, 0)

void DLxCBalloonStd::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_defaultType);
}

void DLxCBalloonStd::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_defaultType;
}

UTxResult DLxCBalloonStd::Clone(DLxCBalloonStd* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_defaultType = m_defaultType;
    return {};
}
