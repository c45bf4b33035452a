#include <algorithm>

#include "BofM/DLxPersistUtil.h"
#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderNode.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"

namespace {
// {7bca4e2f-7f3f-11d2-8842-0060b0570379}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7bca4e2f, 0x7f3f11d2, 0x88420060, 0xb0570379);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxCLeaderNode*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxCLeaderNode>(
        u"DLxCLeaderNode", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxCLeaderNode* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxCLeaderNode::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxCLeaderNode::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_point.x);
    s.Read(m_point.y);
    s.Read(m_point.z);
    s.Read(m_leader);
    s.Read(m_parent);
    DLxPersistUtil::ReadVector(s, m_children);
}

void DLxCLeaderNode::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s << m_point.x << m_point.y << m_point.z;
    s.Write(m_leader);
    s.Write(m_parent);
    DLxPersistUtil::WriteVector(s, m_children);
}

void DLxCLeaderNode::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_leader.FixAddress(ctx);
    m_parent.FixAddress(ctx);
    DLxPersistUtil::FixVector(m_children, ctx);
}

UTxResult DLxCLeaderNode::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    for (size_t i = 0; i < m_children.size(); ++i) {
        const RSeIDed* child = m_children[i].GetTarget();
        if (!child) continue;
        if (m_children[i].Read()->m_parent.GetTarget() != this)
            RSe::ThrowDamaged(u"a leader node's child names another parent");
        if (std::any_of(m_children.begin(), m_children.begin() + i,
                        [&](const RSeRef<DLxCLeaderNode>& c) { return c.GetTarget() == child; }))
            RSe::ThrowDamaged(u"a leader node lists a child twice");
    }
    // Two walkers up the parent chain, one twice as fast: they meet only on a loop.
    const DLxCLeaderNode* slow = this;
    const DLxCLeaderNode* fast = this;
    while (fast && (fast = fast->m_parent.Read()) && (fast = fast->m_parent.Read())) {
        slow = slow->m_parent.Read();
        if (slow == fast) RSe::ThrowDamaged(u"a leader's node tree loops");
    }
    return {};
}

UTxResult DLxCLeaderNode::Clone(DLxCLeaderNode* target, RSeCloneCommander* cc) const {
    if (UTxResult r = RSeMetaType::PlainClone(this, target, cc); r.Failed()) return r;
    target->m_point = m_point;
    cc->CloneRef(m_leader, target->m_leader);
    cc->CloneRef(m_parent, target->m_parent);
    DLxPersistUtil::CloneVector(m_children, target->m_children, cc);
    return {};
}
