#include "rd/RDxValue.h"

#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
void InitStringGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0a01, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
void InitIntGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0a02, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
void InitPointGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0a03, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const RDxString*) {
    static RSeMetaType* mt =
        RSeMakeMeta<RDxString>(u"RDxString", &InitStringGuid, 0, 0xF18,
                               RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const RDxString* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const RDxInt*) {
    static RSeMetaType* mt = RSeMakeMeta<RDxInt>(
        u"RDxInt", &InitIntGuid, 0, 0xF18, RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const RDxInt* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const RDxPoint3*) {
    static RSeMetaType* mt =
        RSeMakeMeta<RDxPoint3>(u"RDxPoint3", &InitPointGuid, 0, 0xF18,
                               RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const RDxPoint3* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_metas[] = {
    RSe::_InitMeta(static_cast<const RDxString*>(nullptr)),
    RSe::_InitMeta(static_cast<const RDxInt*>(nullptr)),
    RSe::_InitMeta(static_cast<const RDxPoint3*>(nullptr)),
};

RSeMetaType* RDxString::GetMeta() const {
    return RSe::_GetMeta(this);
}
void RDxString::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_value);
}
void RDxString::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_value);
}
UTxResult RDxString::Clone(RDxString* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_value = m_value;
    return {};
}

RSeMetaType* RDxInt::GetMeta() const {
    return RSe::_GetMeta(this);
}
void RDxInt::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_value);
}
void RDxInt::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_value);
}
UTxResult RDxInt::Clone(RDxInt* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_value = m_value;
    return {};
}

RSeMetaType* RDxPoint3::GetMeta() const {
    return RSe::_GetMeta(this);
}
void RDxPoint3::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    RSeLoadData(s, m_point);
}
void RDxPoint3::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    RSeSaveData(s, m_point);
}
UTxResult RDxPoint3::Clone(RDxPoint3* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_point = m_point;
    return {};
}
