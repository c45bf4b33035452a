#include "du/DUxStandardStyle.h"

#include "rse/RSe.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeTransaction.h"

DUxStandardStyle* DUxStandardStyle::CreateStyle(RSeSegment* segment, const UTxString16& name) {
    auto* style = new (RSe::_GetMeta(static_cast<const DUxStandardStyle*>(nullptr)),
                       segment ? segment : RSe::TransientSegment()) DUxStandardStyle();
    style->SetStyleName(name);
    return style;
}

FBxStyleList DUxStandardStyle::GetStyleList(const RSeRef<FWxStyle>& style) {
    const FWxStyle* s = style.get();
    return FBxStyleList(this, s ? s->GetMeta() : nullptr);
}

std::vector<RSeRef<FWxStyle>> FBxStyleList::GetStyles() const {
    std::vector<RSeRef<FWxStyle>> out;
    if (!m_standard || !m_kind) return out;
    for (const RSeRef<FWxStyle>& r : m_standard->m_styles)
        if (const FWxStyle* s = r.get(); s && s->GetMeta()->IsKindOf(m_kind)) out.push_back(r);
    return out;
}

void FBxStyleList::Add(const RSeRef<FWxStyle>& style) {
    const FWxStyle* added = style.get();
    if (!m_standard || !m_kind || !added) return;
    for (const RSeRef<FWxStyle>& r : GetStyles())
        if (r->GetStyleName() == added->GetStyleName()) return;
    RSe::PrepareWrite(m_standard);
    m_standard->m_styles.push_back(style);
}
