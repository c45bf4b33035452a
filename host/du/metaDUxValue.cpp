#include "du/DUxValue.h"
#include "rse/RSeMeta.h"

namespace {
void ValueGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0e01, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
void StringValueGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0e02, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
void IntegerValueGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0e03, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxValue*) {
    // Abstract: only its two kinds are ever made.
    static RSeMetaType* mt =
        RSeMakeMeta<DUxValue>(u"DUxValue", &ValueGuid, 0, RSeMetaType::kAbstractClass,
                              RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxValue* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DUxStringValue*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxStringValue>(u"DUxStringValue", &StringValueGuid, 0, RSeMetaType::kClass,
                                    RSe::_InitMeta(static_cast<const DUxValue*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxStringValue* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DUxIntegerValue*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxIntegerValue>(u"DUxIntegerValue", &IntegerValueGuid, 0, RSeMetaType::kClass,
                                     RSe::_InitMeta(static_cast<const DUxValue*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxIntegerValue* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_valueMeta = RSe::_InitMeta(static_cast<const DUxValue*>(nullptr));
static RSeMetaType* const s_stringMeta =
    RSe::_InitMeta(static_cast<const DUxStringValue*>(nullptr));
static RSeMetaType* const s_integerMeta =
    RSe::_InitMeta(static_cast<const DUxIntegerValue*>(nullptr));

RSeMetaType* DUxValue::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DUxStringValue::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DUxIntegerValue::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxValue::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    int32_t visibility = 0;
    s.Read(visibility);
    m_visibility = EVisibility(visibility);
}

void DUxValue::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(int32_t(m_visibility));
}

UTxResult DUxValue::Clone(DUxValue* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_visibility = m_visibility;
    return {};
}

void DUxStringValue::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_text);
}

void DUxStringValue::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_text);
}

UTxResult DUxStringValue::Clone(DUxStringValue* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_text = m_text;
    return {};
}

// The number and its text both: a text set directly need not be the number's decimal form.
void DUxIntegerValue::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_value);
    s.Read(m_text);
}

void DUxIntegerValue::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_value);
    s.Write(m_text);
}

UTxResult DUxIntegerValue::Clone(DUxIntegerValue* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_value = m_value;
    target->m_text = m_text;
    return {};
}
