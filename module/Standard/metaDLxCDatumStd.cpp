#include "BofM/DLxPersistUtil.h"
#include "Standard/DLxCDatumStd.h"

DLX_STD_META_DEF(DLxCDatumStd, DUxCategoryDefault, 0x30, 1, 0xdac8fd60, 0x3c9d11d2, 0xb2660060,
                 0x080d10e6)
DLX_STD_META_DEF(DLxCDatumStdANSI, DLxCDatumStd, 0x31, 0, 0xaba86185, 0x3cfb11d2, 0xbe880800,
                 0x09dc42f8)
DLX_STD_META_DEF(DLxCDatumStdBSI, DLxCDatumStdISO, 0x32, 0, 0xa7e957dd, 0x13fe11d3, 0xbf330010,
                 0x4bb54a0b)
DLX_STD_META_DEF(DLxCDatumStdDIN, DLxCDatumStd, 0x33, 0, 0xe39bac26, 0x53e911d2, 0x9b940060,
                 0xb087bcec)
DLX_STD_META_DEF(DLxCDatumStdGB, DLxCDatumStdISO, 0x34, 0, 0x55f15380, 0x06d711d3, 0xbf270010,
                 0x4bb54a0b)
DLX_STD_META_DEF(DLxCDatumStdISO, DLxCDatumStd, 0x35, 0, 0x55b0843c, 0x3d1411d2, 0xbe880800,
                 0x09dc42f8)
DLX_STD_META_DEF(DLxCDatumStdJIS, DLxCDatumStd, 0x36, 0, 0x968f69ba, 0x534211d2, 0x9b930060,
                 0xb087bcec)
#include "du/DUxSymUnitAttr.h"

// Record (version 1): DrawLeaderArrow, HatchAngle, HatchDist, MinLegLen, PointGap, PointSize,
// PointColor, BorderLineId, HiddenLeaderLineId, UseCommonSetting, SymUnitAttr. Version 0 stops
// before UseCommonSetting; the former form held no field of its own.
void DLxCDatumStd::LoadFront(RSeStream& s) {
    s.Read(m_DrawLeaderArrow);
    s.Read(m_HatchAngle);
    s.Read(m_HatchDist);
    s.Read(m_MinLegLen);
    s.Read(m_PointGap);
    s.Read(m_PointSize);
    s.Read(m_PointColor);
    s.Read(m_BorderLineId);
    s.Read(m_HiddenLeaderLineId);
}

void DLxCDatumStd::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    LoadFront(s);
    s.Read(m_UseCommonSetting);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_SymUnitAttr);
}

void DLxCDatumStd::LoadMigrate(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    if (DLxPersistUtil::StoredVersion(s) != 0) return;
    LoadFront(s);
    m_UseCommonSetting = true;
}

void DLxCDatumStd::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_DrawLeaderArrow << m_HatchAngle << m_HatchDist << m_MinLegLen << m_PointGap
      << m_PointSize << m_PointColor << m_BorderLineId << m_HiddenLeaderLineId
      << m_UseCommonSetting;
    s.Write(m_SymUnitAttr);
}

void DLxCDatumStd::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_SymUnitAttr.FixAddress(ctx);
}

// The target services are never stored: every load makes them again.
UTxResult DLxCDatumStd::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    CreateTargetServices();
    return {};
}

// Version 0 had no unit attributes of its own: it gets new ones.
UTxResult DLxCDatumStd::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    if (DLxPersistUtil::StoredVersion(ctx) == 0 && !m_SymUnitAttr.HasTarget())
        m_SymUnitAttr =
            RSeRef<DUxSymUnitAttr>(new (RSe::_GetMeta(static_cast<const DUxSymUnitAttr*>(nullptr)),
                                        GetSegment()) DUxSymUnitAttr());
    CreateTargetServices();
    return {};
}

UTxResult DLxCDatumStd::Clone(DLxCDatumStd* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->CreateTargetServices();
    t->m_DrawLeaderArrow = m_DrawLeaderArrow;
    t->m_HatchAngle = m_HatchAngle;
    t->m_HatchDist = m_HatchDist;
    t->m_MinLegLen = m_MinLegLen;
    t->m_PointGap = m_PointGap;
    t->m_PointSize = m_PointSize;
    t->m_PointColor = m_PointColor;
    t->m_BorderLineId = m_BorderLineId;
    t->m_HiddenLeaderLineId = m_HiddenLeaderLineId;
    t->m_UseCommonSetting = m_UseCommonSetting;
    cc->CloneRef(m_SymUnitAttr, t->m_SymUnitAttr);
    return {};
}
