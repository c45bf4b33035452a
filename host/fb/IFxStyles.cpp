#include "fb/IFxStyles.h"

#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"

RSeRef<FWxStyle> FBxLocalStylesManager::GetStyleByReference(const UTxString16& reference) const {
    if (!m_doc || reference.empty()) return {};
    RSeRefBase found;
    if (FWxUtil::GetTranscriptMgr().RefFromString(m_doc, reference, found).Failed()) return {};
    RSeRef<FWxStyle> style(found);
    // Only the document's own styles, not any object that happens to be a style.
    for (FWxStyle* s : m_doc->GetStyles())
        if (s == style.get()) return style;
    return {};
}

FWxStylesCollection* IFxStyles::GetCollection(const UTxString16& name) {
    auto it = m_collections.find(name);
    if (it != m_collections.end()) return it->second.get();
    const RSeMetaType* kind = FWxStylesCollection::FindKind(name);
    if (!kind) return nullptr;
    auto made = std::make_unique<FWxStylesCollection>(m_doc, kind);
    FWxStylesCollection* out = made.get();
    m_collections.emplace(name, std::move(made));
    return out;
}

IFxStyles* GetIFxStyles(FWxSceneDoc* doc) {
    if (!doc) return nullptr;
    static const char key = 0;
    return static_cast<IFxStyles*>(&doc->GetData(
        &key, [](FWxSceneDoc* d) { return std::unique_ptr<FWxDocData>(new IFxStyles(d)); }));
}

IFxObjectStyleSupport* GetIFxObjectStyleSupport(FWxSceneDoc* doc) {
    return dynamic_cast<IFxObjectStyleSupport*>(doc);
}
