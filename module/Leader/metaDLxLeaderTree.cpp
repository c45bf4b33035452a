// The intermediate leader forms are only read from older documents and converted; they are
// saved and copied in full all the same, so that a document saved before its upgrade ran keeps
// its leaders and loads again.
#include "BofM/DLxPersistUtil.h"
#include "Leader/DLxLeaderTree.h"
#include "dl/DLxAnchorPoint.h"
#include "du/DUxArrowHead.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
// {5f65fe6e-3658-11d4-b761-0060b0fbb682}
void BranchGuid(UTxGUID& g) {
    g = UTxGUID(0x5f65fe6e, 0x365811d4, 0xb7610060, 0xb0fbb682);
}
// {6e08652c-365a-11d4-b761-0060b0fbb682}
void TreeGuid(UTxGUID& g) {
    g = UTxGUID(0x6e08652c, 0x365a11d4, 0xb7610060, 0xb0fbb682);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxLeaderBranch*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxLeaderBranch>(
        u"DLxLeaderBranch", &BranchGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RDxNode*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxLeaderBranch* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DLxLeaderTree*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxLeaderTree>(
        u"DLxLeaderTree", &TreeGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RDxState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxLeaderTree* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxLeaderBranch::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxLeaderTree::GetMeta() const {
    return RSe::_GetMeta(this);
}

// The vertex keys are stored in reference slots, in the vector encoding; they name points, not
// objects, so they are kept as read.
void DLxLeaderBranch::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    RSeTypeCode code;
    s.Read(code);
    if (code.code != RSeTypeCode::kVector) RSe::ThrowDamaged(u"a leader branch's keys are no vector");
    uint32_t n = 0;
    s.Read(n);
    m_keys.clear();
    if (n) {
        uint32_t capacity = 0;
        s.Read(capacity);
        s.CheckCount(n, 5);
        s.ReadNoTypeMark();
        m_keys.resize(n);
        for (uint32_t& key : m_keys)
            s.ReadRefSlotValue(key);
    }
    s.Read(m_anchor);
    s.Read(m_arrowHead);
}

void DLxLeaderBranch::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s << RSeTypeCode::kVector << uint32_t(m_keys.size());
    if (!m_keys.empty()) {
        s << uint32_t(m_keys.size());
        s.WriteNoTypeMark();
        for (uint32_t key : m_keys)
            s.WriteRefSlotValue(key);
    }
    s.Write(m_anchor);
    s.Write(m_arrowHead);
}

void DLxLeaderBranch::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_anchor.FixAddress(ctx);
    m_arrowHead.FixAddress(ctx);
}

UTxResult DLxLeaderBranch::Clone(DLxLeaderBranch* target, RSeCloneCommander* cc) const {
    if (UTxResult r = RSeMetaType::PlainClone(this, target, cc); r.Failed()) return r;
    target->m_keys = m_keys;
    cc->CloneRef(m_anchor, target->m_anchor);
    cc->CloneRef(m_arrowHead, target->m_arrowHead);
    return {};
}

void DLxLeaderTree::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_first);
    s.Read(m_value1);
    s.Read(m_value2);
    RSeLoadData(s, m_direction);
    RSeTypeCode code;
    s.Read(code);
    if (code.code != RSeTypeCode::kMap) RSe::ThrowDamaged(u"a leader tree's points are no map");
    uint32_t n = 0;
    s.Read(n);
    m_points.clear();
    if (n) {
        s.CheckCount(n, 5);
        s.ReadNoTypeMark();
        s.ReadNoTypeMark();
        RSeIRefAllocDisable guard(s.GetSegment());
        for (uint32_t i = 0; i < n; ++i) {
            int32_t key = 0;
            WqGePoint3d p;
            s.Read(key);
            RSeLoadData(s, p);
            if (!m_points.emplace(key, p).second)
                RSe::ThrowDamaged(u"a leader tree stores a vertex key twice");
        }
    }
    DLxPersistUtil::ReadVector(s, m_branches);
    s.Read(m_last);
}

void DLxLeaderTree::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_first);
    s.Write(m_value1);
    s.Write(m_value2);
    RSeSaveData(s, m_direction);
    s << RSeTypeCode::kMap << uint32_t(m_points.size());
    if (!m_points.empty()) {
        s.WriteNoTypeMark();
        s.WriteNoTypeMark();
        for (const auto& [key, p] : m_points) {
            s.Write(key);
            RSeSaveData(s, p);
        }
    }
    DLxPersistUtil::WriteVector(s, m_branches);
    s.Write(m_last);
}

void DLxLeaderTree::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    DLxPersistUtil::FixVector(m_branches, ctx);
}

UTxResult DLxLeaderTree::Clone(DLxLeaderTree* target, RSeCloneCommander* cc) const {
    if (UTxResult r = RSeMetaType::PlainClone(this, target, cc); r.Failed()) return r;
    target->m_first = m_first;
    target->m_value1 = m_value1;
    target->m_value2 = m_value2;
    target->m_direction = m_direction;
    target->m_points = m_points;
    DLxPersistUtil::CloneVector(m_branches, target->m_branches, cc);
    target->m_last = m_last;
    return {};
}
