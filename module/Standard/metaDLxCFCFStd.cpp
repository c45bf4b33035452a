#include "BofM/DLxPersistUtil.h"
#include "Standard/DLxCFCFStd.h"
#include "du/DUxSymUnitAttr.h"

DLX_STD_META_DEF(DLxCFCFStd, DUxCategoryDefault, 0x50, 2, 0xef0b04c0, 0x3c9b11d2, 0xb2660060,
                 0x080d10e6)
DLX_STD_META_DEF(DLxCFCFStdANSI, DLxCFCFStd, 0x51, 1, 0xaba86186, 0x3cfb11d2, 0xbe880800,
                 0x09dc42f8)
DLX_STD_META_DEF(DLxCFCFStdBSI, DLxCFCFStdISO, 0x52, 0, 0xa7e957df, 0x13fe11d3, 0xbf330010,
                 0x4bb54a0b)
DLX_STD_META_DEF(DLxCFCFStdDIN, DLxCFCFStd, 0x53, 0, 0xe39bac25, 0x53e911d2, 0x9b940060, 0xb087bcec)
DLX_STD_META_DEF(DLxCFCFStdGB, DLxCFCFStdISO, 0x54, 0, 0xed007b10, 0x06d811d3, 0xbf270010,
                 0x4bb54a0b)
DLX_STD_META_DEF(DLxCFCFStdISO, DLxCFCFStd, 0x55, 0, 0x55b0843d, 0x3d1411d2, 0xbe880800, 0x09dc42f8)
DLX_STD_META_DEF(DLxCFCFStdJIS, DLxCFCFStd, 0x56, 0, 0x968f69b9, 0x534211d2, 0x9b930060, 0xb087bcec)

// Record (version 2, version 1 the same): the six flags, frame gap, white space, the GD&T and
// auxiliary symbol lists, use-common-setting, the unit attributes. Version 0 stops before
// use-common-setting. The former form has the same fields with the two lists last.
void DLxCFCFStd::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_SepProjected);
    s.Read(m_SepDatumId);
    s.Read(m_MergeSymbol);
    s.Read(m_MergeTolerance);
    s.Read(m_MergeDatum);
    s.Read(m_EndPadding);
    s.Read(m_FrameGap);
    s.Read(m_WhiteSpace);
    DLxPersistUtil::ReadVector(s, m_GdtSymbols);
    DLxPersistUtil::ReadVector(s, m_AuxSymbols);
    s.Read(m_UseCommonSetting);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_SymUnitAttr);
}

void DLxCFCFStd::LoadMigrate(RSeStream& s) {
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    if (version == 1) return Load(s);
    DLxPersistUtil::LoadBase(this, s);
    if (version != 0 && version != kDLxStdFormerForm) return;
    s.Read(m_SepProjected);
    s.Read(m_SepDatumId);
    s.Read(m_MergeSymbol);
    s.Read(m_MergeTolerance);
    s.Read(m_MergeDatum);
    s.Read(m_EndPadding);
    s.Read(m_FrameGap);
    s.Read(m_WhiteSpace);
    if (version == 0) {
        DLxPersistUtil::ReadVector(s, m_GdtSymbols);
        DLxPersistUtil::ReadVector(s, m_AuxSymbols);
        m_UseCommonSetting = true;
        return;
    }
    s.Read(m_UseCommonSetting);
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_SymUnitAttr);
    }
    DLxPersistUtil::ReadVector(s, m_GdtSymbols);
    DLxPersistUtil::ReadVector(s, m_AuxSymbols);
}

void DLxCFCFStd::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_SepProjected << m_SepDatumId << m_MergeSymbol << m_MergeTolerance << m_MergeDatum
      << m_EndPadding << m_FrameGap << m_WhiteSpace;
    DLxPersistUtil::WriteVector(s, m_GdtSymbols);
    DLxPersistUtil::WriteVector(s, m_AuxSymbols);
    s << m_UseCommonSetting;
    s.Write(m_SymUnitAttr);
}

// Version 0 had no unit attributes of its own: it gets new ones.
UTxResult DLxCFCFStd::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    if (DLxPersistUtil::StoredVersion(ctx) == 0 && !m_SymUnitAttr.HasTarget())
        m_SymUnitAttr =
            RSeRef<DUxSymUnitAttr>(new (RSe::_GetMeta(static_cast<const DUxSymUnitAttr*>(nullptr)),
                                        GetSegment()) DUxSymUnitAttr());
    return {};
}

UTxResult DLxCFCFStdJIS::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    if (m_AuxSymbols.size() == 3) m_AuxSymbols.insert(m_AuxSymbols.end(), 3, 1u);
    return {};
}

void DLxCFCFStd::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_SymUnitAttr.FixAddress(ctx);
}

UTxResult DLxCFCFStd::Clone(DLxCFCFStd* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_SepProjected = m_SepProjected;
    t->m_SepDatumId = m_SepDatumId;
    t->m_MergeSymbol = m_MergeSymbol;
    t->m_MergeTolerance = m_MergeTolerance;
    t->m_MergeDatum = m_MergeDatum;
    t->m_EndPadding = m_EndPadding;
    t->m_FrameGap = m_FrameGap;
    t->m_WhiteSpace = m_WhiteSpace;
    t->m_UseCommonSetting = m_UseCommonSetting;
    cc->CloneRef(m_SymUnitAttr, t->m_SymUnitAttr);
    t->m_GdtSymbols = m_GdtSymbols;
    t->m_AuxSymbols = m_AuxSymbols;
    return {};
}
