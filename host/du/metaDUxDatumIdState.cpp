#include "du/DUxDatumIdState.h"

#include "rd/RDxString.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x5be1c0a3, 0x27f44d6e, 0xb8a19c35, 0x0e7d6f12);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxDatumIdState*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxDatumIdState>(u"DUxDatumIdState", &InitGuid, 0, RSeMetaType::kClass,
                                     RSe::_InitMeta(static_cast<const DUxSymState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxDatumIdState* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxDatumIdState*>(nullptr));

RSeMetaType* DUxDatumIdState::GetMeta() const {
    return RSe::_GetMeta(this);
}

// The base part, then the text and the feature flag.
void DUxDatumIdState::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_text);
    s.Read(m_feature);
}

void DUxDatumIdState::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_text);
    s.Write(m_feature);
}

void DUxDatumIdState::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_text.FixAddress(ctx);
}

UTxResult DUxDatumIdState::Clone(DUxDatumIdState* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    // The text is the state's own: a copy that the clone commander does not make with the
    // state is made for the copy alone, so that two states never share one text.
    cc->CloneRef(m_text, target->m_text);
    RSeIDed* text = m_text.GetTarget();
    if (text && target->m_text.GetTarget() == text && cc->GetTargetSegment()) {
        RSeCloneCommander own(cc->GetTargetSegment());
        if (own.Clone({text}).Failed())
            target->m_text.Clear();
        else
            target->m_text.SetTarget(dynamic_cast<RSeIDed*>(own.CloneOf(text)));
    }
    target->m_feature = m_feature;
    return {};
}
