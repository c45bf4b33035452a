#include "du/DUxIdStyle.h"

#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x3a91d7c4, 0x6e2b4f18, 0x9c07b5e2, 0x41d8a936);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxIdStyle*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxIdStyle>(u"DUxIdStyle", &InitGuid, 0, RSeMetaType::kClass,
                                RSe::_InitMeta(static_cast<const FWxStyle*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxIdStyle* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxIdStyle*>(nullptr));

RSeMetaType* DUxIdStyle::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxIdStyle::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_identifier);
    s.Read(m_arrowHead);
    s.Read(m_fontId);
    s.Read(m_textHeight);
    s.Read(m_horizontalLanding);
    s.Read(m_horizontal);
    s.Read(m_overshoot);
}

void DUxIdStyle::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_identifier);
    s.Write(m_arrowHead);
    s.Write(m_fontId);
    s.Write(m_textHeight);
    s.Write(m_horizontalLanding);
    s.Write(m_horizontal);
    s.Write(m_overshoot);
}

UTxResult DUxIdStyle::Clone(DUxIdStyle* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_identifier = m_identifier;
    target->m_arrowHead = m_arrowHead;
    target->m_fontId = m_fontId;
    target->m_textHeight = m_textHeight;
    target->m_horizontalLanding = m_horizontalLanding;
    target->m_horizontal = m_horizontal;
    target->m_overshoot = m_overshoot;
    return {};
}
