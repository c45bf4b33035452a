#include "dl/DLxDrawing.h"

#include "fw/FWxStyle.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeTransaction.h"

void DLxDrawing::SetStandardName(const UTxString16& name) {
    if (name == m_standard) return;
    RSe::PrepareWrite(this);
    m_standard = name;
}

bool DLxDrawing::AddStyle(FWxStyle* style) {
    if (!style) return false;
    for (const RSeRef<FWxStyle>& r : m_styles)
        if (r.GetTarget() == style) return false;
    if (FindStyle(style->GetMeta(), style->GetStyleName())) return false;
    RSe::PrepareWrite(this);
    m_styles.emplace_back(style);
    return true;
}

FWxStyle* DLxDrawing::FindStyle(const RSeMetaType* meta, const UTxString16& name) const {
    for (const RSeRef<FWxStyle>& r : m_styles) {
        auto* style = static_cast<FWxStyle*>(r.GetTarget());
        if (style && style->GetStyleName() == name && (!meta || style->GetMeta()->IsKindOf(meta)))
            return style;
    }
    return nullptr;
}

void DLxDrawing::SetShowSickHighlight(bool on) {
    if (on == m_showSickHighlight) return;
    RSe::PrepareWrite(this);
    m_showSickHighlight = on;
}

void DLxDrawing::SetPreserveAnnotationMode(int32_t mode) {
    if (mode == m_preserveAnnotations) return;
    RSe::PrepareWrite(this);
    m_preserveAnnotations = mode;
}
