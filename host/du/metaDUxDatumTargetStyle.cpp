#include "du/DUxDatumTargetStyle.h"

#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0c05, 0x3c4e11d2, 0x9a110800, 0x09db0205);
}

void ReadColor(RSeStream& s, SMxColor& color) {
    bool indexed = false;
    uint32_t value = 0;
    s.Read(indexed);
    s.Read(value);
    color = indexed ? SMxColor::FromIndex(value) : SMxColor::FromPackedRgba(value);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxDatumTargetStyle*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxDatumTargetStyle>(
        u"DUxDatumTargetStyle", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const FWxStyle*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxDatumTargetStyle* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta =
    RSe::_InitMeta(static_cast<const DUxDatumTargetStyle*>(nullptr));

RSeMetaType* DUxDatumTargetStyle::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxDatumTargetStyle::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_useCommon);
    s.Read(m_scaleToText);
    s.Read(m_size);
    s.Read(m_radiusMultiplier);
    s.Read(m_outsideUnderlined);
    s.Read(m_borderLine);
    s.Read(m_hiddenLeaderLine);
    s.Read(m_hatchAngle);
    s.Read(m_hatchDist);
    s.Read(m_pointSize);
    ReadColor(s, m_pointColor);
    s.Read(m_pointColorByLayer);
    s.Read(m_drawLeaderArrow);
    for (int32_t& u : m_units)
        s.Read(u);
    s.Read(m_fontId);
    s.Read(m_gdtFontId);
    s.Read(m_fontSize);
}

void DUxDatumTargetStyle::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_useCommon);
    s.Write(m_scaleToText);
    s.Write(m_size);
    s.Write(m_radiusMultiplier);
    s.Write(m_outsideUnderlined);
    s.Write(m_borderLine);
    s.Write(m_hiddenLeaderLine);
    s.Write(m_hatchAngle);
    s.Write(m_hatchDist);
    s.Write(m_pointSize);
    s.Write(m_pointColor.IsIndex());
    s.Write(m_pointColor.GetValue());
    s.Write(m_pointColorByLayer);
    s.Write(m_drawLeaderArrow);
    for (int32_t u : m_units)
        s.Write(u);
    s.Write(m_fontId);
    s.Write(m_gdtFontId);
    s.Write(m_fontSize);
}

UTxResult DUxDatumTargetStyle::Clone(DUxDatumTargetStyle* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    t->m_useCommon = m_useCommon;
    t->m_scaleToText = m_scaleToText;
    t->m_size = m_size;
    t->m_radiusMultiplier = m_radiusMultiplier;
    t->m_outsideUnderlined = m_outsideUnderlined;
    t->m_borderLine = m_borderLine;
    t->m_hiddenLeaderLine = m_hiddenLeaderLine;
    t->m_hatchAngle = m_hatchAngle;
    t->m_hatchDist = m_hatchDist;
    t->m_pointSize = m_pointSize;
    t->m_pointColor = m_pointColor;
    t->m_pointColorByLayer = m_pointColorByLayer;
    t->m_drawLeaderArrow = m_drawLeaderArrow;
    t->m_units = m_units;
    t->m_fontId = m_fontId;
    t->m_gdtFontId = m_gdtFontId;
    t->m_fontSize = m_fontSize;
    return {};
}
