#include "BofM/DLxPartListColumn.h"
#include "BofM/DLxPersistUtil.h"
#include "Standard/DLxCBalloonStd.h"

DLX_STD_META_DEF(DLxCBalloonStd, DUxCategoryDefault, 0x10, 3, 0x9fdbc584, 0x991c11d2, 0xb2e50060,
                 0xb0fbe8cf)
DLX_STD_META_DEF(DLxCBalloonStdANSI, DLxCBalloonStd, 0x11, 0, 0x9fdbc583, 0x991c11d2, 0xb2e50060,
                 0xb0fbe8cf)
DLX_STD_META_DEF(DLxCBalloonStdBSI, DLxCBalloonStdISO, 0x12, 0, 0xa7e957dc, 0x13fe11d3, 0xbf330010,
                 0x4bb54a0b)
DLX_STD_META_DEF(DLxCBalloonStdDIN, DLxCBalloonStd, 0x13, 0, 0x9fdbc582, 0x991c11d2, 0xb2e50060,
                 0xb0fbe8cf)
DLX_STD_META_DEF(DLxCBalloonStdGB, DLxCBalloonStdISO, 0x14, 0, 0x0f201980, 0x06d611d3, 0xbf270010,
                 0x4bb54a0b)
DLX_STD_META_DEF(DLxCBalloonStdISO, DLxCBalloonStd, 0x15, 0, 0x9fdbc581, 0x991c11d2, 0xb2e50060,
                 0xb0fbe8cf)
DLX_STD_META_DEF(DLxCBalloonStdJIS, DLxCBalloonStd, 0x16, 0, 0x9fdbc580, 0x991c11d2, 0xb2e50060,
                 0xb0fbe8cf)

// Record (version 3): default type, item columns, balloon size. Versions 1 and 2 kept a flag
// (and version 2 a size) that are read past; the balloon size starts at 1.0 for all of them.
// Versions 0 and 1 and the former form hold the type only.
void DLxCBalloonStd::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_defaultType);
    DLxPersistUtil::ReadVector(s, m_itemColumns);
    s.Read(m_balloonSize);
}

void DLxCBalloonStd::LoadMigrate(RSeStream& s) {
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_defaultType);
    if (version > 3 && version != kDLxStdFormerForm) return;
    m_itemColumns.clear();
    m_balloonSize = 1.0;
    if (version == 1 || version == 2) {
        bool ignored = false;
        s.Read(ignored);
    }
    if (version == 2) {
        DLxPersistUtil::ReadVector(s, m_itemColumns);
        double ignoredSize = 0.0;
        s.Read(ignoredSize);
    }
}

void DLxCBalloonStd::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_defaultType;
    DLxPersistUtil::WriteVector(s, m_itemColumns);
    s << m_balloonSize;
}

void DLxCBalloonStd::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    for (auto& c : m_itemColumns)
        c.FixAddress(ctx);
}

UTxResult DLxCBalloonStd::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    ClearServices();
    return {};
}

UTxResult DLxCBalloonStd::Clone(DLxCBalloonStd* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_defaultType = m_defaultType;
    t->m_balloonSize = m_balloonSize;
    t->m_itemColumns.resize(m_itemColumns.size());
    for (size_t i = 0; i < m_itemColumns.size(); ++i)
        cc->CloneRef(m_itemColumns[i], t->m_itemColumns[i]);
    return {};
}
