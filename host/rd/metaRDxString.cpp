#include "rd/RDxString.h"

#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0a01, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const RDxString*) {
    static RSeMetaType* mt =
        RSeMakeMeta<RDxString>(u"RDxString", &InitGuid, 1, RSeMetaType::kClass,
                               RSe::_InitMeta(static_cast<const RDxState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const RDxString* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const RDxString*>(nullptr));

RSeMetaType* RDxString::GetMeta() const {
    return RSe::_GetMeta(this);
}

// Version 1 added the formatted text and its font.
void RDxString::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_value);
    s.Read(m_formatted);
    s.Read(m_format);
    s.Read(m_fontId);
    s.Read(m_height);
    s.Read(m_paragraphValid);
}

void RDxString::LoadMigrate(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_value);
}

void RDxString::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_value);
    s.Write(m_formatted);
    s.Write(m_format);
    s.Write(m_fontId);
    s.Write(m_height);
    s.Write(m_paragraphValid);
}

UTxResult RDxString::Clone(RDxString* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_value = m_value;
    target->m_formatted = m_formatted;
    target->m_format = m_format;
    target->m_fontId = m_fontId;
    target->m_height = m_height;
    target->m_paragraphValid = m_paragraphValid;
    return {};
}
