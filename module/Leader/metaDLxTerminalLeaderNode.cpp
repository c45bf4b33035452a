#include "Leader/DLxTerminalLeaderNode.h"
#include "dl/DLxAnchorPoint.h"
#include "du/DUxArrowHead.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
// {28be2d5a-6369-11d4-b764-0060b0fbb682}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x28be2d5a, 0x636911d4, 0xb7640060, 0xb0fbb682);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxTerminalLeaderNode*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxTerminalLeaderNode>(
        u"DLxTerminalLeaderNode", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DUxLeaderNode*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxTerminalLeaderNode* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxTerminalLeaderNode::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxTerminalLeaderNode::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_anchor);
    s.Read(m_arrowHead);
}

void DLxTerminalLeaderNode::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_anchor);
    s.Write(m_arrowHead);
}

void DLxTerminalLeaderNode::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_anchor.FixAddress(ctx);
    m_arrowHead.FixAddress(ctx);
}

UTxResult DLxTerminalLeaderNode::Clone(DLxTerminalLeaderNode* target, RSeCloneCommander* cc) const {
    if (UTxResult r = RSeMetaType::PlainClone(this, target, cc); r.Failed()) return r;
    cc->CloneRef(m_anchor, target->m_anchor);
    cc->CloneRef(m_arrowHead, target->m_arrowHead);
    return {};
}
