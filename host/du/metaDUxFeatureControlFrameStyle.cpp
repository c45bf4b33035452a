#include "du/DUxFeatureControlFrameStyle.h"

#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0c02, 0x3c4e11d2, 0x9a110800, 0x09db0202);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxFeatureControlFrameStyle*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxFeatureControlFrameStyle>(
        u"DUxFeatureControlFrameStyle", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const FWxStyle*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxFeatureControlFrameStyle* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta =
    RSe::_InitMeta(static_cast<const DUxFeatureControlFrameStyle*>(nullptr));

RSeMetaType* DUxFeatureControlFrameStyle::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxFeatureControlFrameStyle::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_mergeSymbol);
    s.Read(m_mergeTolerance);
    s.Read(m_mergeDatum);
    s.Read(m_endPadding);
    s.Read(m_useCommon);
    s.Read(m_scaleToText);
    s.Read(m_whiteSpace);
    s.Read(m_frameGap);
    s.Read(m_size);
    for (int32_t& u : m_units)
        s.Read(u);
    s.Read(m_gdtMask);
    s.Read(m_auxMask);
    s.Read(m_fontId);
    s.Read(m_gdtFontId);
    s.Read(m_fontSize);
    s.Read(m_leaderAtCorner);
    s.Read(m_allowTolerance2);
    s.Read(m_datumId);
    s.Read(m_overshoot);
}

void DUxFeatureControlFrameStyle::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_mergeSymbol);
    s.Write(m_mergeTolerance);
    s.Write(m_mergeDatum);
    s.Write(m_endPadding);
    s.Write(m_useCommon);
    s.Write(m_scaleToText);
    s.Write(m_whiteSpace);
    s.Write(m_frameGap);
    s.Write(m_size);
    for (int32_t u : m_units)
        s.Write(u);
    s.Write(m_gdtMask);
    s.Write(m_auxMask);
    s.Write(m_fontId);
    s.Write(m_gdtFontId);
    s.Write(m_fontSize);
    s.Write(m_leaderAtCorner);
    s.Write(m_allowTolerance2);
    s.Write(m_datumId);
    s.Write(m_overshoot);
}

UTxResult DUxFeatureControlFrameStyle::Clone(DUxFeatureControlFrameStyle* t,
                                             RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    t->m_mergeSymbol = m_mergeSymbol;
    t->m_mergeTolerance = m_mergeTolerance;
    t->m_mergeDatum = m_mergeDatum;
    t->m_endPadding = m_endPadding;
    t->m_useCommon = m_useCommon;
    t->m_scaleToText = m_scaleToText;
    t->m_whiteSpace = m_whiteSpace;
    t->m_frameGap = m_frameGap;
    t->m_size = m_size;
    t->m_units = m_units;
    t->m_gdtMask = m_gdtMask;
    t->m_auxMask = m_auxMask;
    t->m_fontId = m_fontId;
    t->m_gdtFontId = m_gdtFontId;
    t->m_fontSize = m_fontSize;
    t->m_leaderAtCorner = m_leaderAtCorner;
    t->m_allowTolerance2 = m_allowTolerance2;
    t->m_datumId = m_datumId;
    t->m_overshoot = m_overshoot;
    return {};
}
