#include "du/DUxIdStyle.h"

#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxSymState.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxCast.h"

void DUxIdStyle::Prepare() {
    RSe::PrepareWrite(this);
}

DUxIdStyle* DUxIdStyle::CreateStyle(RSeSegment* segment, const UTxString16& name) {
    if (!segment) return nullptr;
    auto* style =
        new (RSe::_GetMeta(static_cast<const DUxIdStyle*>(nullptr)), segment) DUxIdStyle();
    style->SetStyleName(name);
    return style;
}

DUxIdStyleWrapper::DUxIdStyleWrapper(const RDxObject* object, FWxSceneDoc* doc) {
    const DUxIdStyle* style = nullptr;
    if (auto* state = UTx::Cast<const DUxSymState>(object)) {
        m_state = RSeRef<DUxSymState>(state);
        style = UTx::Cast<DUxIdStyle>(state->GetStyle());
    }
    if (!style) {
        if (!doc && object) doc = FWxDocUtil::DocumentOf(object);
        style = GetDocumentStyle(doc);
    }
    m_style = RSeRef<DUxIdStyle>(style);
}

void DUxIdStyleWrapper::SetPrimaryStyle(const DUxIdStyle* style) {
    if (style) m_style = RSeRef<DUxIdStyle>(style);
}

bool DUxIdStyleWrapper::GetAllowedHorizontalLanding() const {
    return Style() ? Style()->GetAllowedHorizontalLanding()
                   : DUxIdStyle().GetAllowedHorizontalLanding();
}

bool DUxIdStyleWrapper::GetAllowHorizontal() const {
    return Style() ? Style()->GetAllowHorizontal() : DUxIdStyle().GetAllowHorizontal();
}

uint32_t DUxIdStyleWrapper::GetArrowHead() const {
    return Style() ? Style()->GetArrowHead() : DUxIdStyle::kFilledTriangle;
}

SmartPtr<DUxLeaderStyleWrapper> DUxIdStyleWrapper::GetLeaderStyle() const {
    DUxLeaderStyleWrapper::Defaults d;
    d.arrowHead = GetArrowHead();
    if (Style()) d.overshoot = Style()->GetExtensionLineOvershoot();
    return new DUxLeaderStyleWrapper(m_state.Read(), d);
}

DUxTextStyleWrapper DUxIdStyleWrapper::GetTextStyle() const {
    const DUxIdStyle defaults;
    const DUxIdStyle* s = Style() ? Style() : &defaults;
    return {s->GetFontId(), 0, s->GetTextHeight()};
}

DUxIdStyle* DUxIdStyleWrapper::GetDocumentStyle(FWxSceneDoc* doc) {
    if (!doc) return nullptr;
    UTxString16 name = doc->GetStandardName();
    if (name.empty()) name = u"ISO";
    return dynamic_cast<DUxIdStyle*>(
        doc->FindStyle(RSe::_GetMeta(static_cast<const DUxIdStyle*>(nullptr)), name));
}
