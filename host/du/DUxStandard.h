#pragma once
// A document's drafting standard: its text defaults and its per-category default objects,
// made on demand through the registered factories.
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
    void SetTextHeight(double h) { m_textHeight = h; }
    int32_t GetFontID() const { return m_fontId; }
    void SetFontID(int32_t id) { m_fontId = id; }

private:
    FWxSceneDoc* m_doc;
    UTxGUID m_guid;
    double m_textHeight;
    int32_t m_fontId = 1;
    std::map<int32_t, RSeRef<DUxCategoryDefault>> m_defaults;
};

class DUxStandardUtil {
public:
    // One standard per (document, GUID), kept until the document is forgotten.
    static DUxStandard* GetStandard(FWxSceneDoc* doc, const UTxGUID& guid);
    static RSeRef<DUxCategoryDefault> GetCategoryDefault(FWxSceneDoc* doc, const UTxGUID& guid,
                                                         int32_t category);
    static double GetTextHeight(FWxSceneDoc* doc, const UTxGUID& guid);
    static int32_t GetFontID(FWxSceneDoc* doc, const UTxGUID& guid);
    // Drops the standards of a document that goes away.
    static void ForgetDocument(FWxSceneDoc* doc);
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
