#include "BofM/DLxPersistUtil.h"
#include "Standard/DLxCFCFStd.h"
#include "du/DUxSymUnitAttr.h"

DLX_STD_META_DEF(DLxCFCFStd, DUxCategoryDefault, 0x50, 0)
DLX_STD_META_DEF(DLxCFCFStdANSI, DLxCFCFStd, 0x51, 0)
DLX_STD_META_DEF(DLxCFCFStdBSI, DLxCFCFStdISO, 0x52, 0)
DLX_STD_META_DEF(DLxCFCFStdDIN, DLxCFCFStd, 0x53, 0)
DLX_STD_META_DEF(DLxCFCFStdGB, DLxCFCFStdISO, 0x54, 0)
DLX_STD_META_DEF(DLxCFCFStdISO, DLxCFCFStd, 0x55, 0)
DLX_STD_META_DEF(DLxCFCFStdJIS, DLxCFCFStd, 0x56, 0)

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
      << m_EndPadding << m_FrameGap << m_WhiteSpace << m_UseCommonSetting;
    s.Write(m_SymUnitAttr);
    DLxPersistUtil::WriteVector(s, m_GdtSymbols);
    DLxPersistUtil::WriteVector(s, m_AuxSymbols);
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
