#pragma once
// Per-standard defaults of one annotation category. A drafting standard owns one object per
// category and makes it on demand through the factory registered for (category, standard).
#include <cstdint>
#include <vector>

#include "dc/RDxObject.h"
#include "rse/RSeRef.h"
#include "utx/UTxGUID.h"
#include "utx/UTxString16.h"

class DUxStandard;
class FWxSceneDoc;
class FWxStyle;
class RSeSegment;

class DUxCategoryDefault : public RDxObject {
public:
    DUxCategoryDefault() = default;
    explicit DUxCategoryDefault(const RSeStream* s) : RDxObject(s) {}
    DUxCategoryDefault(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard);
    RSeMetaType* GetMeta() const override;

    // The document is not stored: the standard that finds a loaded object hands it over.
    FWxSceneDoc* GetDocument() const { return m_doc; }
    void SetDocument(FWxSceneDoc* doc) { m_doc = doc; }
    int32_t GetCategoryId() const { return m_category; }
    const UTxGUID& GetStandardGUID() const { return m_standard; }
    // The standard of the object's document and GUID; null without a document.
    DUxStandard* GetOwner() const;

    // Puts the standard's factory values into the object; true when it did.
    virtual bool setFactoryDefaults() { return true; }
    // Row keys of categories that have them (parts lists); none here.
    virtual void GetRowKeys(std::vector<UTxString16>& keys) const { keys.clear(); }
    virtual int32_t GetRowKeyMode() const { return 0; }
    virtual UTxString16 GetNestedDelimiter() const { return {}; }
    virtual bool GetNestedInheritanceFlag() const { return false; }
    // Fills a style of the category from the object.
    virtual void CopyToStyle(const RSeRef<FWxStyle>& style) { (void)style; }
    // The norm the defaults follow; empty for no particular standard.
    virtual UTxString16 GetStandardReference() const { return {}; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxCategoryDefault* target, RSeCloneCommander* cc) const;

private:
    FWxSceneDoc* m_doc = nullptr;
    int32_t m_category = 0;
    UTxGUID m_standard;
};

using DUxCategoryDefaultFn = RSeRef<DUxCategoryDefault> (*)(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);

// Constructing one makes its function the factory of (category, standard); destroying it
// withdraws it. A later registration of the same pair wins until it goes.
class DUxCategoryDefaultFactory {
public:
    DUxCategoryDefaultFactory(int32_t category, const UTxGUID& standard, DUxCategoryDefaultFn fn);
    ~DUxCategoryDefaultFactory();
    DUxCategoryDefaultFactory(const DUxCategoryDefaultFactory&) = delete;
    DUxCategoryDefaultFactory& operator=(const DUxCategoryDefaultFactory&) = delete;

    int32_t GetCategoryId() const { return m_category; }
    const UTxGUID& GetStandardGUID() const { return m_standard; }
    DUxCategoryDefaultFn GetFunction() const { return m_fn; }

    // Null when nothing is registered for the pair.
    static const DUxCategoryDefaultFactory* Find(int32_t category, const UTxGUID& standard);
    // Every live factory in registration order.
    static const std::vector<const DUxCategoryDefaultFactory*>& Registered();

private:
    int32_t m_category;
    UTxGUID m_standard;
    DUxCategoryDefaultFn m_fn;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxCategoryDefault*);
RSeMetaType* _GetMeta(const DUxCategoryDefault*);
} // namespace RSe
