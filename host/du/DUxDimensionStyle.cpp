#include "du/DUxDimensionStyle.h"

#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxSymState.h"
#include "du/DUxTextStyle.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

DUxDimensionStyle* DUxDimensionStyle::CreateStyle(RSeSegment* segment, const UTxString16& name) {
    auto* style = new (RSe::_GetMeta(static_cast<const DUxDimensionStyle*>(nullptr)),
                       segment ? segment : RSe::TransientSegment()) DUxDimensionStyle();
    style->SetStyleName(name);
    return style;
}

const UTxString16& DUxDimensionStyle::GetInternalStylesCollectionNameStatic() {
    static const UTxString16 name = u"DimensionStyles";
    return name;
}

DUxTextStyle* DUxDimensionStyle::GetTextStyle() const {
    return static_cast<DUxTextStyle*>(m_textStyle.GetTarget());
}

void DUxDimensionStyle::SetTextStyle(const DUxTextStyle* style) {
    if (m_textStyle.GetTarget() == style) return;
    RSe::PrepareWrite(this);
    m_textStyle = RSeRef<DUxTextStyle>(style);
    MarkEdited(1);
}

void DUxDimensionStyle::SetHasLeaderLanding(bool on) {
    if (on == m_hasLanding) return;
    RSe::PrepareWrite(this);
    m_hasLanding = on;
    MarkEdited(1);
}

void DUxDimensionStyle::SetTextGap(double gap) {
    if (gap == m_textGap) return;
    RSe::PrepareWrite(this);
    m_textGap = gap;
    MarkEdited(1);
}

void DUxDimensionStyle::SetLeaderUnderliningType(int32_t type) {
    if (type < kNoUnderline || type > kUnderlineExtended) type = kNoUnderline;
    if (type == m_underlining) return;
    RSe::PrepareWrite(this);
    m_underlining = type;
    MarkEdited(1);
}

void DUxDimensionStyle::SetJustifyToLeader(bool on) {
    if (on == m_justifyToLeader) return;
    RSe::PrepareWrite(this);
    m_justifyToLeader = on;
    MarkEdited(1);
}

// ---- the wrapper

DUxDimensionStyle* DUxDimensionStyleWrapper::GetDocumentStyle(FWxSceneDoc* doc) {
    if (!doc) return nullptr;
    UTxString16 name = doc->GetStandardName();
    if (name.empty()) name = u"ISO";
    return dynamic_cast<DUxDimensionStyle*>(
        doc->FindStyle(RSe::_GetMeta(static_cast<const DUxDimensionStyle*>(nullptr)), name));
}

DUxDimensionStyleWrapper::DUxDimensionStyleWrapper(const DUxSymState* state,
                                                   const DUxDimensionStyle* style)
    : m_state(state), m_style(const_cast<DUxDimensionStyle*>(style)) {
    if (!m_style && state) m_style = dynamic_cast<DUxDimensionStyle*>(state->GetStyle());
    if (!m_style && state) m_style = GetDocumentStyle(FWxDocUtil::DocumentOf(state));
}

SmartPtr<DUxLeaderStyleWrapper> DUxDimensionStyleWrapper::GetLeaderStyle() const {
    if (!m_state) return nullptr;
    return new DUxLeaderStyleWrapper(m_state, {});
}

bool DUxDimensionStyleWrapper::GetHasLeaderLanding() const {
    return m_style ? m_style->GetHasLeaderLanding() : true;
}

double DUxDimensionStyleWrapper::GetTextGap() const {
    return m_style ? m_style->GetTextGap() : 0.0;
}

int32_t DUxDimensionStyleWrapper::GetLeaderUnderliningType() const {
    return m_style ? m_style->GetLeaderUnderliningType() : DUxDimensionStyle::kNoUnderline;
}

bool DUxDimensionStyleWrapper::GetJustifyToLeader() const {
    return m_style && m_style->GetJustifyToLeader();
}

DUxTextStyle* DUxDimensionStyleWrapper::GetTextStyle() const {
    if (m_style)
        if (DUxTextStyle* own = m_style->GetTextStyle()) return own;
    FWxSceneDoc* doc = m_state ? FWxDocUtil::DocumentOf(m_state) : nullptr;
    if (!doc) return nullptr;
    UTxString16 name = doc->GetStandardName();
    if (name.empty()) name = u"ISO";
    return dynamic_cast<DUxTextStyle*>(
        doc->FindStyle(RSe::_GetMeta(static_cast<const DUxTextStyle*>(nullptr)), name));
}
