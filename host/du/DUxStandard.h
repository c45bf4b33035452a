#pragma once
// A document's drafting standard: its text defaults and its per-category default objects,
// made on demand through the registered factories. The standard itself holds no state of the
// document: its text defaults follow from its GUID and its category objects are stored objects
// of the document, which it only finds again.
#include <cstdint>
#include <map>

#include "rse/RSeRef.h"
#include "utx/UTxGUID.h"

class DUxCategoryDefault;
class FWxSceneDoc;

class DUxStandard {
public:
    DUxStandard(FWxSceneDoc* doc, const UTxGUID& guid);
    const UTxGUID& GetGUID() const { return m_guid; }
    FWxSceneDoc* GetDocument() const { return m_doc; }

    // The object of the category, made by the registered factory in the document's first
    // segment on first use; null when no factory is registered or it made nothing.
    RSeRef<DUxCategoryDefault> GetCategoryDefault(FWxSceneDoc* doc, int32_t category);

    double GetTextHeight() const { return m_textHeight; }
    int32_t GetFontID() const { return m_fontId; }

private:
    FWxSceneDoc* m_doc;
    UTxGUID m_guid;
    double m_textHeight;
    int32_t m_fontId = 1;
    std::map<int32_t, RSeRef<DUxCategoryDefault>> m_defaults;
};

class DUxStandardUtil {
public:
    // One standard per (document, GUID), kept with the document and released with it; null
    // without a document.
    static DUxStandard* GetStandard(FWxSceneDoc* doc, const UTxGUID& guid);
    // Null without a document.
    static RSeRef<DUxCategoryDefault> GetCategoryDefault(FWxSceneDoc* doc, const UTxGUID& guid,
                                                         int32_t category);
    // The standard's text defaults; without a document those of a standard of that GUID.
    static double GetTextHeight(FWxSceneDoc* doc, const UTxGUID& guid);
    static int32_t GetFontID(FWxSceneDoc* doc, const UTxGUID& guid);
};

// The host's GUIDs of its standards.
class DUxStandardGUID {
public:
    static const UTxGUID& GetANSIGuid();
    static const UTxGUID& GetBSIGuid();
    static const UTxGUID& GetDINGuid();
    static const UTxGUID& GetGBGuid();
    static const UTxGUID& GetISOGuid();
    static const UTxGUID& GetJISGuid();
};
