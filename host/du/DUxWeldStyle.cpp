#include "du/DUxWeldStyle.h"

#include "du/DUxLeaderStyle.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxWeldState.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

const UTxString16& DUxWeldStyle::GetInternalStylesCollectionNameStatic() {
    static const UTxString16 name = u"WeldStyles";
    return name;
}

DUxWeldStyle* DUxWeldStyle::CreateStyle(RSeSegment* segment, const UTxString16& name) {
    auto* style = new (RSe::_GetMeta(static_cast<const DUxWeldStyle*>(nullptr)),
                       segment ? segment : RSe::TransientSegment()) DUxWeldStyle();
    style->SetStyleName(name);
    return style;
}

void DUxWeldStyle::Prepare() {
    RSe::PrepareWrite(this);
    MarkEdited(1);
}

void DUxWeldStyle::SetTextStyle(const DUxTextStyleWrapper& text) {
    Set(m_fontId, text.GetFontId());
    Set(m_fontSize, text.GetFontSize());
}

DUxLeaderStyle* DUxWeldStyle::GetLeaderStyle() const {
    return dynamic_cast<DUxLeaderStyle*>(m_leaderStyle.GetTarget());
}

void DUxWeldStyle::SetLeaderStyle(const DUxLeaderStyle* style) {
    if (m_leaderStyle.GetTarget() == style) return;
    Prepare();
    m_leaderStyle = RSeRef<FWxStyle>(style);
}

// ---- the wrapper

DUxWeldStyleWrapper::DUxWeldStyleWrapper(const DUxWeldState* state, FWxSceneDoc* doc)
    : m_state(state) {
    const DUxWeldStyle* style = state ? dynamic_cast<const DUxWeldStyle*>(state->GetStyle()) : nullptr;
    if (!style) {
        if (!doc && state) doc = FWxDocUtil::DocumentOf(state);
        style = GetDocumentStyle(doc);
    }
    m_style = RSeRef<DUxWeldStyle>(style);
}

const DUxWeldStyle& DUxWeldStyleWrapper::Values() const {
    static const DUxWeldStyle defaults;
    const DUxWeldStyle* style = Style();
    return style ? *style : defaults;
}

void DUxWeldStyleWrapper::SetPrimaryStyle(const DUxWeldStyle* style) {
    if (!style) return;
    m_style = RSeRef<DUxWeldStyle>(style);
    if (DUxWeldState* state = m_state.get()) state->SetStyle(style);
}

int32_t DUxWeldStyleWrapper::GetIdentLineType() const {
    const DUxWeldState* state = m_state.Read();
    return state ? state->GetIdentLineType() : Values().GetIdentLineType();
}

void DUxWeldStyleWrapper::SetIdentLineType(int32_t type) {
    if (DUxWeldState* state = m_state.get()) state->SetIdentLineType(type);
}

int32_t DUxWeldStyleWrapper::GetArrowSidePosition() const {
    const DUxWeldState* state = m_state.Read();
    return state ? state->GetArrowSidePosition() : Values().GetArrowSidePosition();
}

bool DUxWeldStyleWrapper::GetRecoverPrefix() const {
    const DUxWeldState* state = m_state.Read();
    return state ? state->GetRecoverPrefix() : Values().GetRecoverPrefix();
}

void DUxWeldStyleWrapper::SetRecoverPrefix(bool on) {
    if (DUxWeldState* state = m_state.get()) state->SetRecoverPrefix(on);
}

double DUxWeldStyleWrapper::GetIdentLineGap() const {
    return Values().GetIdentLineGap();
}

SmartPtr<DUxTextStyleWrapper> DUxWeldStyleWrapper::GetTextStyle() const {
    return new DUxTextStyleWrapper(Values().GetTextStyle());
}

SmartPtr<DUxLeaderStyleWrapper> DUxWeldStyleWrapper::GetLeaderStyle() const {
    SmartPtr<DUxLeaderStyleWrapper> leader(new DUxLeaderStyleWrapper(m_state.Read(), {}));
    leader->SetBasePen(Values().GetLeaderStyle());
    return leader;
}

DUxWeldStyle* DUxWeldStyleWrapper::GetDocumentStyle(FWxSceneDoc* doc) {
    if (!doc) return nullptr;
    UTxString16 name = doc->GetStandardName();
    if (name.empty()) name = u"ISO";
    return dynamic_cast<DUxWeldStyle*>(
        doc->FindStyle(RSe::_GetMeta(static_cast<const DUxWeldStyle*>(nullptr)), name));
}
