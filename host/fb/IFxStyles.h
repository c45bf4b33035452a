#pragma once
// The styles services of a document: its styles collections by kind name, the look-up of a style
// by the text a transcript names it with, the event announced before a style changes (a
// listener may refuse the change), and the object-style support that brings the annotations of
// a changed style up to date (IFxObjectStyleSupport.h).
#include <cstdint>
#include <map>
#include <memory>

#include "fb/IFxObjectStyleSupport.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxStyle.h"
#include "rse/RSeNotifier.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

// Finds the document's styles by their references (FWxStyle::GetStyleReference).
class FBxLocalStylesManager {
public:
    explicit FBxLocalStylesManager(FWxSceneDoc* doc) : m_doc(doc) {}
    // Null when the text names no style of the document.
    RSeRef<FWxStyle> GetStyleByReference(const UTxString16& reference) const;

private:
    FWxSceneDoc* m_doc;
};

class IFxStyles : public FWxDocData {
public:
    explicit IFxStyles(FWxSceneDoc* doc) : m_doc(doc), m_manager(doc) {}
    // The collection of the kind registered under that name (FWxStylesCollection::RegisterKind),
    // made on first asking and kept with the document; null for a name no kind has.
    FWxStylesCollection* GetCollection(const UTxString16& name);
    FBxLocalStylesManager* GetLocalStylesManager() { return &m_manager; }

private:
    FWxSceneDoc* m_doc;
    FBxLocalStylesManager m_manager;
    std::map<UTxString16, std::unique_ptr<FWxStylesCollection>> m_collections;
};

// The document's styles services; null without a document.
IFxStyles* GetIFxStyles(FWxSceneDoc* doc);

// Announced on a style before it changes. A listener that objects refuses it, and the change
// is not made.
class FBxStyleEvent : public RSeEvent {
public:
    static constexpr int32_t kStyleChange = 0x2005;
    FBxStyleEvent(int32_t event, const RSeRefBase& style) : RSeEvent(event, style) {}
    // Listeners get the event as const: refusing is the one thing they may do to it.
    void Refuse() const { m_refused = true; }
    bool IsRefused() const { return m_refused; }

private:
    mutable bool m_refused = false;
};

// Null without a document or when the document has no such support.
IFxObjectStyleSupport* GetIFxObjectStyleSupport(FWxSceneDoc* doc);
