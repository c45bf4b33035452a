// Storage of the leader-text state, version 0 (after the DUxSymState part): the text
// (reference to the RDxString the state owns), the modification flags (unsigned long) and the
// fixed-layout flag (bool).
#include "du/DUxLeaderTextState.h"

#include "rd/RDxString.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x9a41c2e7, 0x5d3b4f80, 0xb16e2c9d, 0x04a7f318);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxLeaderTextState*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxLeaderTextState>(u"DUxLeaderTextState", &InitGuid, 0, RSeMetaType::kClass,
                                        RSe::_InitMeta(static_cast<const DUxSymState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxLeaderTextState* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxLeaderTextState*>(nullptr));

RSeMetaType* DUxLeaderTextState::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxLeaderTextState::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_text);
    s.Read(m_modFlags);
    s.Read(m_fixedLayout);
}

void DUxLeaderTextState::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_text);
    s.Write(m_modFlags);
    s.Write(m_fixedLayout);
}

void DUxLeaderTextState::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_text.FixAddress(ctx);
}

// A loaded leader text has its text; a document that lost it is damaged.
UTxResult DUxLeaderTextState::PostRestore(RSeMetaContext& ctx) {
    RSeMetaType::PlainPostRestore(this, ctx);
    if (ctx.IsLoading() && !dynamic_cast<RDxString*>(m_text.GetTarget()))
        RSe::ThrowDamaged(u"a leader text lost its text");
    return {};
}

// The text is the state's own: a copy gets the commander's copy when it copies the text too,
// else a text of its own.
UTxResult DUxLeaderTextState::Clone(DUxLeaderTextState* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    cc->CloneRef(m_text, target->m_text);
    RSeIDed* text = m_text.GetTarget();
    if (text && target->m_text.GetTarget() == text && cc->GetTargetSegment()) {
        RSeCloneCommander own(cc->GetTargetSegment());
        std::vector<RSeVMeta*> set{text};
        own.Clone(set);
        target->m_text.SetTarget(dynamic_cast<RSeIDed*>(own.CloneOf(text)));
    }
    target->m_modFlags = m_modFlags;
    target->m_fixedLayout = m_fixedLayout;
    return {};
}
