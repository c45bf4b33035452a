#include "BofM/DLxPersistUtil.h"

#include "rse/RSeErrors.h"
#include "utx/UTxException.h"

RSeBaseStream& operator<<(RSeBaseStream& s, const bool& v) {
    s.Write(v);
    ++s.m_boolCount;
    return s;
}
RSeBaseStream& operator<<(RSeBaseStream& s, const char& v) {
    s.Write(v);
    ++s.m_charCount;
    return s;
}
RSeBaseStream& operator<<(RSeBaseStream& s, const int16_t& v) {
    s.Write(v);
    ++s.m_shortCount;
    return s;
}
RSeBaseStream& operator<<(RSeBaseStream& s, const int32_t& v) {
    s.Write(v);
    ++s.m_longCount;
    return s;
}
RSeBaseStream& operator<<(RSeBaseStream& s, const uint32_t& v) {
    s.Write(v);
    ++s.m_ulongCount;
    return s;
}
RSeBaseStream& operator<<(RSeBaseStream& s, const float& v) {
    s.Write(v);
    ++s.m_floatCount;
    return s;
}
RSeBaseStream& operator<<(RSeBaseStream& s, const double& v) {
    s.Write(v);
    ++s.m_doubleCount;
    return s;
}
RSeBaseStream& operator<<(RSeBaseStream& s, const UTxString16& v) {
    s.Write(v);
    ++s.m_stringCount;
    return s;
}

void DLxPersistUtil::LoadBase(RSeVMeta* obj, RSeStream& s) {
    RSeMetaType::PlainLoad(obj, s);
}

void DLxPersistUtil::SaveBase(const RSeVMeta* obj, RSeStream& s) {
    RSeMetaType::PlainSave(obj, s);
}

void DLxPersistUtil::FixPtrsBase(RSeVMeta* obj, RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(obj, ctx);
}

void DLxPersistUtil::PostRestoreBase(RSeVMeta* obj, RSeMetaContext& ctx) {
    RSeMetaType::PlainPostRestore(obj, ctx);
}

void DLxPersistUtil::CloneBase(const RSeVMeta* src, RSeVMeta* dst, RSeCloneCommander* cc) {
    RSeMetaType::PlainClone(src, dst, cc);
}

void DLxPersistUtil::PostCloneBase(RSeVMeta* dst, const RSeVMeta* src, RSeCloneCommander* cc) {
    RSeMetaType::PlainPostClone(dst, src, cc);
}

void DLxPersistUtil::RefuseVersion(const char* file, int32_t line) {
    UTxException::Throw(UTxError{kRSeErrUnsupportedVersion, file, line});
}

void DLxPersistUtil::SaveEmbedded(RSeStream& s, const RSeVMeta& member, RSeMetaType* memberMeta) {
    RSeMetaType* mt = s.GetMetaContext().GetEmbeddedMT();
    if (!mt) mt = memberMeta;
    s.WriteEmbeddedMark(mt);
    mt->_Save(&member, s);
}

void DLxPersistUtil::LoadEmbedded(RSeStream& s, RSeVMeta& member, RSeMetaType* memberMeta) {
    RSeMetaType* mt = s.GetMetaContext().GetEmbeddedMT();
    if (!mt) mt = memberMeta;
    mt = s.ReadEmbeddedMark(mt);
    mt->_Load(&member, s);
}

void DLxPersistUtil::BadContainer() {
    RSe::ThrowDamaged(u"a stored container is not of the expected kind");
}

uint32_t DLxPersistUtil::SaneCapacity(uint32_t n, uint32_t capacity) {
    // The stored capacity is kept so that a reloaded document saves the same bytes, but a
    // damaged one must not make the load reserve without bound.
    if (capacity < n) RSe::ThrowDamaged(u"a stored vector holds more than its capacity");
    const uint64_t limit = 2 * uint64_t(n) + 1024;
    return capacity > limit ? n : capacity;
}
