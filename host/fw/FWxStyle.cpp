#include "fw/FWxStyle.h"

#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"
#include "rse/RSeTransaction.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b01, 0x3c4e11d2, 0x9a110800, 0x09db0101);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const FWxStyle*) {
    static RSeMetaType* mt =
        RSeMakeMeta<FWxStyle>(u"FWxStyle", &InitGuid, 0, RSeMetaType::kClass,
                              RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const FWxStyle* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const FWxStyle*>(nullptr));

RSeMetaType* FWxStyle::GetMeta() const {
    return RSe::_GetMeta(this);
}

void FWxStyle::SetStyleName(const UTxString16& name) {
    if (m_name == name) return;
    RSe::PrepareWrite(this);
    m_name = name;
}

void FWxStyle::SetStyleDescription(const UTxString16& description) {
    if (m_description == description) return;
    RSe::PrepareWrite(this);
    m_description = description;
}

void FWxStyle::MarkEdited(int32_t count) {
    RSe::PrepareWrite(this);
    m_edits += count;
}

void FWxStyle::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_name);
    s.Read(m_description);
    s.Read(m_edits);
}

void FWxStyle::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_name);
    s.Write(m_description);
    s.Write(m_edits);
}

UTxResult FWxStyle::Clone(FWxStyle* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_name = m_name;
    target->m_description = m_description;
    target->m_edits = m_edits;
    return {};
}

RSeRef<FWxStyle> FWxStylesCollection::Find(const UTxString16& name) const {
    for (const RSeRef<FWxStyle>& s : m_styles)
        if (s.HasTarget() && s->GetStyleName() == name) return s;
    return {};
}
