#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderNode.h"
#include "Symbol/DLxSymbol.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
// The GUIDs of the record classes: {09daf3fN-c125-11d1-9aaa-0060b087bcec} for the first
// generation, {ab85a77N-fcc5-11d1-91a1-0060b0570379} for the kinds added later.
template <uint32_t First> void FirstGenGuid(UTxGUID& g) {
    g = UTxGUID(First, 0xc12511d1, 0x9aaa0060, 0xb087bcec);
}
template <uint32_t First> void LaterGuid(UTxGUID& g) {
    g = UTxGUID(First, 0xfcc511d1, 0x91a10060, 0xb0570379);
}

template <class T, class Base>
RSeMetaType* MakeMeta(const char16_t* name, void (*guid)(UTxGUID&),
                      uint32_t flags = RSeMetaType::kClass) {
    return RSeMakeMeta<T>(name, guid, 0, flags, RSe::_InitMeta(static_cast<const Base*>(nullptr)));
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxCLeader*) {
    static RSeMetaType* mt = MakeMeta<DLxCLeader, RSeIDed>(
        u"DLxCLeader", &FirstGenGuid<0x09daf3f1>, RSeMetaType::kAbstractClass);
    return mt;
}
RSeMetaType* _InitMeta(const DLxCLeaderGeneral*) {
    static RSeMetaType* mt =
        MakeMeta<DLxCLeaderGeneral, DLxCLeader>(u"DLxCLeaderGeneral", &FirstGenGuid<0x09daf3f2>);
    return mt;
}
RSeMetaType* _InitMeta(const DLxCLeaderWelding*) {
    static RSeMetaType* mt = MakeMeta<DLxCLeaderWelding, DLxCLeaderGeneral>(
        u"DLxCLeaderWelding", &FirstGenGuid<0x09daf3f3>);
    return mt;
}
RSeMetaType* _InitMeta(const DLxCLeaderLand*) {
    static RSeMetaType* mt = MakeMeta<DLxCLeaderLand, DLxCLeaderGeneral>(
        u"DLxCLeaderLand", &FirstGenGuid<0x09daf3f4>);
    return mt;
}
RSeMetaType* _InitMeta(const DLxCLeaderDatumId*) {
    static RSeMetaType* mt = MakeMeta<DLxCLeaderDatumId, DLxCLeaderLand>(
        u"DLxCLeaderDatumId", &FirstGenGuid<0x09daf3f5>);
    return mt;
}
RSeMetaType* _InitMeta(const DLxCLeaderFeatId*) {
    static RSeMetaType* mt = MakeMeta<DLxCLeaderFeatId, DLxCLeaderDatumId>(
        u"DLxCLeaderFeatId", &FirstGenGuid<0x09daf3f7>);
    return mt;
}
RSeMetaType* _InitMeta(const DLxCLeaderFCF*) {
    static RSeMetaType* mt =
        MakeMeta<DLxCLeaderFCF, DLxCLeaderLand>(u"DLxCLeaderFCF", &LaterGuid<0xab85a778>);
    return mt;
}
RSeMetaType* _InitMeta(const DLxCLeaderDatumTgt*) {
    static RSeMetaType* mt = MakeMeta<DLxCLeaderDatumTgt, DLxCLeaderWelding>(
        u"DLxCLeaderDatumTgt", &LaterGuid<0xab85a77b>);
    return mt;
}
RSeMetaType* _InitMeta(const DLxCLeaderBalloon*) {
    static RSeMetaType* mt = MakeMeta<DLxCLeaderBalloon, DLxCLeaderWelding>(
        u"DLxCLeaderBalloon", &LaterGuid<0xab85a77d>);
    return mt;
}
RSeMetaType* _GetMeta(const DLxCLeader* p) {
    return _InitMeta(p);
}
RSeMetaType* _GetMeta(const DLxCLeaderGeneral* p) {
    return _InitMeta(p);
}
RSeMetaType* _GetMeta(const DLxCLeaderWelding* p) {
    return _InitMeta(p);
}
RSeMetaType* _GetMeta(const DLxCLeaderLand* p) {
    return _InitMeta(p);
}
RSeMetaType* _GetMeta(const DLxCLeaderDatumId* p) {
    return _InitMeta(p);
}
RSeMetaType* _GetMeta(const DLxCLeaderFeatId* p) {
    return _InitMeta(p);
}
RSeMetaType* _GetMeta(const DLxCLeaderFCF* p) {
    return _InitMeta(p);
}
RSeMetaType* _GetMeta(const DLxCLeaderDatumTgt* p) {
    return _InitMeta(p);
}
RSeMetaType* _GetMeta(const DLxCLeaderBalloon* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxCLeader::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxCLeaderGeneral::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxCLeaderWelding::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxCLeaderLand::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxCLeaderDatumId::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxCLeaderFeatId::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxCLeaderFCF::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxCLeaderDatumTgt::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxCLeaderBalloon::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxCLeaderGeneral::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_arrowType);
    s.Read(m_tag);
    s.Read(m_landing.x);
    s.Read(m_landing.y);
    s.Read(m_landing.z);
    s.Read(m_gap);
    s.Read(m_root);
    s.Read(m_owner);
    m_notifying = false;
}

void DLxCLeaderGeneral::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_arrowType);
    s.Write(m_tag);
    s.Write(m_landing.x);
    s.Write(m_landing.y);
    s.Write(m_landing.z);
    s.Write(m_gap);
    s.Write(m_root);
    s.Write(m_owner);
}

void DLxCLeaderGeneral::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_root.FixAddress(ctx);
    m_owner.FixAddress(ctx);
}

UTxResult DLxCLeaderGeneral::PostRestore(RSeMetaContext& ctx) {
    RSeMetaType::PlainPostRestore(this, ctx);
    m_notifyOwner = true;
    return {};
}

UTxResult DLxCLeaderGeneral::Clone(DLxCLeaderGeneral* target, RSeCloneCommander* cc) const {
    if (UTxResult r = RSeMetaType::PlainClone(this, target, cc); r.Failed()) return r;
    target->m_notifyOwner = m_notifyOwner;
    target->m_notifying = m_notifying;
    target->m_arrowType = m_arrowType;
    target->m_tag = m_tag;
    target->m_landing = m_landing;
    target->m_gap = m_gap;
    cc->CloneRef(m_root, target->m_root);
    cc->CloneRef(m_owner, target->m_owner);
    return {};
}
