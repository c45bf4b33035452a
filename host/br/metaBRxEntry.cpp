#include "br/BRxEntry.h"
#include "br/BRxFixedEntry.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0c01, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const BRxEntry*) {
    static RSeMetaType* mt =
        RSeMakeMeta<BRxEntry>(u"BRxEntry", &InitGuid, 0, RSeMetaType::kAbstractClass,
                              RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const BRxEntry* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const BRxFixedEntry*) {
    static RSeMetaType* mt =
        RSeMakeMeta<BRxFixedEntry>(u"BRxFixedEntry", &InitGuid, 0, RSeMetaType::kClass,
                                   RSe::_InitMeta(static_cast<const BRxEntry*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const BRxFixedEntry* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_entry = RSe::_InitMeta(static_cast<const BRxEntry*>(nullptr));
static RSeMetaType* const s_fixed = RSe::_InitMeta(static_cast<const BRxFixedEntry*>(nullptr));

RSeMetaType* BRxEntry::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* BRxFixedEntry::GetMeta() const {
    return RSe::_GetMeta(this);
}

void BRxEntry::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_subject);
    s.Read(m_parentSubject);
    s.Read(m_observing);
}

void BRxEntry::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_subject);
    s.Write(m_parentSubject);
    s.Write(m_observing);
}

void BRxEntry::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_subject.FixAddress(ctx);
    m_parentSubject.FixAddress(ctx);
}

UTxResult BRxEntry::PostRestore(RSeMetaContext& ctx) {
    UTxResult r = RSeMetaType::PlainPostRestore(this, ctx);
    if (r.Failed() || RSe::InTxnImage()) return r;
    // Observers are not stored: an entry that listened listens again.
    if (m_observing) StartObservingSubject();
    return r;
}

UTxResult BRxEntry::Clone(BRxEntry* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    cc->CloneRef(m_subject, target->m_subject);
    cc->CloneRef(m_parentSubject, target->m_parentSubject);
    // The copy listens once it is told to: its subject may still be on its way.
    target->m_observing = false;
    return {};
}

void BRxFixedEntry::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_type);
    s.Read(m_name);
    s.Read(m_second);
    s.Read(m_ownedBySubject);
}

void BRxFixedEntry::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_type);
    s.Write(m_name);
    s.Write(m_second);
    s.Write(m_ownedBySubject);
}

void BRxFixedEntry::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_second.FixAddress(ctx);
}

UTxResult BRxFixedEntry::Clone(BRxFixedEntry* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_type = m_type;
    target->m_name = m_name;
    cc->CloneRef(m_second, target->m_second);
    target->m_ownedBySubject = m_ownedBySubject;
    return {};
}
