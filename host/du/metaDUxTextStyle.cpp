#include "du/DUxTextStyle.h"

#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0c1e, 0x3c4e11d2, 0x9a110800, 0x09db021e);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxTextStyle*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxTextStyle>(u"DUxTextStyle", &InitGuid, 0, RSeMetaType::kClass,
                                  RSe::_InitMeta(static_cast<const FWxStyle*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxTextStyle* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxTextStyle*>(nullptr));

RSeMetaType* DUxTextStyle::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxTextStyle::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_fontId);
    s.Read(m_height);
}

void DUxTextStyle::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_fontId);
    s.Write(m_height);
}

UTxResult DUxTextStyle::Clone(DUxTextStyle* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_fontId = m_fontId;
    target->m_height = m_height;
    return {};
}
