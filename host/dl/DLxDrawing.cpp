#include "dl/DLxDrawing.h"

#include <algorithm>

#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
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

void DLxDrawing::SetAnnotationUpdated(RSeIDed* annotation) {
    if (annotation && !IsAnnotationUpdated(annotation))
        m_updatedAnnotations.emplace_back(annotation);
}

bool DLxDrawing::IsAnnotationUpdated(const RSeIDed* annotation) const {
    return annotation &&
           std::any_of(m_updatedAnnotations.begin(), m_updatedAnnotations.end(),
                       [&](const RSeRefBase& r) { return r.GetTarget() == annotation; });
}

std::vector<RSeRefBase> DLxDrawing::TakeUpdatedAnnotations() {
    std::vector<RSeRefBase> out;
    for (RSeRefBase& r : m_updatedAnnotations)
        if (r.GetTarget()) out.push_back(std::move(r));
    m_updatedAnnotations.clear();
    return out;
}

void DLxDrawing::ProcessAnnotationDelete(RSeIDed* annotation) {
    if (!annotation) return;
    std::erase_if(m_updatedAnnotations,
                  [&](const RSeRefBase& r) { return r.GetTarget() == annotation; });
    for (DLxLocalBOM* bom : DLxLocalBOMMgr::GetLocalBOMs(GetDatabase()))
        if (bom) bom->PurgeAnnotation(annotation);
}
