// DLxCSurfText, version 0: the base part, the position, the fourteen value references in the
// record's order (RaMax, RaMin, Allowance, Production, Production2, SampLength, Cutoff,
// OtherValue, OtherMin, Reference, MaxRspac, Waviness, Comment, Lay), orientation and subtype
// (32-bit), the all-around, majority and forced-tail flags, the angle (double) and the
// has-leader flag. The auto-adjustment flag is not stored: a loaded record starts without it.
#include "BofM/DLxPersistUtil.h"
#include "Standard/DLxCSurfText.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
// The copy of an owned value in a clone: the clone commander's when it copies the value too,
// else a copy made for the target alone, since owners delete what they own.
void CloneOwned(RSeCloneCommander* cc, const RSeRef<DUxValue>& src, RSeRef<DUxValue>& dst) {
    cc->CloneRef(src, dst);
    RSeIDed* obj = src.GetTarget();
    if (!obj || dst.GetTarget() != obj || !cc->GetTargetSegment()) return;
    RSeCloneCommander own(cc->GetTargetSegment());
    own.Clone(std::vector<RSeVMeta*>{obj});
    dst.SetTarget(dynamic_cast<RSeIDed*>(own.CloneOf(obj)));
}

// {4ade8a91-baa2-11d1-8771-00805fc288f3}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x4ade8a91, 0xbaa211d1, 0x87710080, 0x5fc288f3);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxCSurfText*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxCSurfText>(u"DLxCSurfText", &InitGuid, 0, RSeMetaType::kClass,
                                  RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxCSurfText* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxCSurfText*>(nullptr));

RSeMetaType* DLxCSurfText::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxCSurfText::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeLoadData(s, m_position);
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        for (int32_t v : kOrder)
            s.Read(Slot(v));
    }
    s.Read(m_orientation);
    s.Read(m_subType);
    s.Read(m_allAround);
    s.Read(m_majority);
    s.Read(m_forcedTail);
    s.Read(m_angle);
    s.Read(m_hasLeader);
    m_autoAdjustment = false;
}

void DLxCSurfText::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    RSeSaveData(s, m_position);
    for (int32_t v : kOrder)
        s.Write(m_values[size_t(v)]);
    s.Write(m_orientation);
    s.Write(m_subType);
    s << m_allAround << m_majority << m_forcedTail;
    s.Write(m_angle);
    s << m_hasLeader;
}

void DLxCSurfText::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    for (RSeRef<DUxValue>& v : m_values)
        v.FixAddress(ctx);
}

UTxResult DLxCSurfText::Clone(DLxCSurfText* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    for (size_t i = 0; i < m_values.size(); ++i)
        CloneOwned(cc, m_values[i], t->m_values[i]);
    t->m_angle = m_angle;
    t->m_position = m_position;
    t->m_orientation = m_orientation;
    t->m_subType = m_subType;
    t->m_allAround = m_allAround;
    t->m_majority = m_majority;
    t->m_forcedTail = m_forcedTail;
    t->m_hasLeader = m_hasLeader;
    t->m_autoAdjustment = m_autoAdjustment;
    return {};
}
