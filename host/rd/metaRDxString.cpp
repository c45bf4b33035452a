#include "rd/RDxString.h"

#include <algorithm>

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
        RSeMakeMeta<RDxString>(u"RDxString", &InitGuid, 2, RSeMetaType::kClass,
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

// Version 1 added the formatted text and its font, version 2 the placement and look of a free
// text and its laid-out paragraph.
void RDxString::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_value);
    s.Read(m_formatted);
    s.Read(m_format);
    s.Read(m_fontId);
    s.Read(m_height);
    s.Read(m_paragraphValid);
    s.Read(m_location.x);
    s.Read(m_location.y);
    s.Read(m_location.z);
    s.Read(m_rotation);
    s.Read(m_hJust);
    s.Read(m_vJust);
    s.Read(m_attachment);
    s.Read(m_marker);
    s.Read(m_fontFlags);
    s.Read(m_spacingType);
    s.Read(m_spacing);
    for (float& c : m_color)
        s.Read(c);
    s.Read(m_noColor);
    s.Read(m_paragraph);
}

// Older texts keep the defaults of what they did not store.
void RDxString::LoadMigrate(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_value);
    if (s.GetMetaContext().GetStoredVersion() < 1) return;
    s.Read(m_formatted);
    s.Read(m_format);
    s.Read(m_fontId);
    s.Read(m_height);
    s.Read(m_paragraphValid);
}

void RDxString::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_value);
    s.Write(m_formatted);
    s.Write(m_format);
    s.Write(m_fontId);
    s.Write(m_height);
    s.Write(m_paragraphValid);
    s.Write(m_location.x);
    s.Write(m_location.y);
    s.Write(m_location.z);
    s.Write(m_rotation);
    s.Write(m_hJust);
    s.Write(m_vJust);
    s.Write(m_attachment);
    s.Write(m_marker);
    s.Write(m_fontFlags);
    s.Write(m_spacingType);
    s.Write(m_spacing);
    for (float c : m_color)
        s.Write(c);
    s.Write(m_noColor);
    s.Write(m_paragraph);
}

UTxResult RDxString::Clone(RDxString* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_value = m_value;
    target->m_formatted = m_formatted;
    target->m_format = m_format;
    target->m_fontId = m_fontId;
    target->m_height = m_height;
    target->m_paragraphValid = m_paragraphValid;
    target->m_location = m_location;
    target->m_rotation = m_rotation;
    target->m_hJust = m_hJust;
    target->m_vJust = m_vJust;
    target->m_attachment = m_attachment;
    target->m_marker = m_marker;
    target->m_fontFlags = m_fontFlags;
    target->m_spacingType = m_spacingType;
    target->m_spacing = m_spacing;
    std::copy(m_color, m_color + 4, target->m_color);
    target->m_noColor = m_noColor;
    target->m_paragraph = m_paragraph;
    return {};
}
