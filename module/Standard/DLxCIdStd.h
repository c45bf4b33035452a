#pragma once
// Datum- and feature-identifier defaults of each standard; registered under two categories.
#include <cstdint>

#include "Standard/DLxStdMeta.h"
#include "du/DUxCategoryDefault.h"

class BBox;
class DUxCAuxEntArray;
class DUxDatumIdState;
class DLxSymInstance;
class SMxDisplayList;
class WqGeMatrix3d;

class DLxCIdStd : public DUxCategoryDefault {
public:
    // The host's two identifier category ids; one object of the class serves each, and both
    // are stored with their objects, so they never change.
    static constexpr int32_t kFirstCategory = 56464;
    static constexpr int32_t kSecondCategory = 56465;
    explicit DLxCIdStd(const RSeStream* s) : DUxCategoryDefault(s) {}
    DLxCIdStd(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DUxCategoryDefault(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;

    // The identifier type a new identifier gets.
    virtual int32_t GetDefaultIdType() const { return kDatumIdType; }
    // Whether an identifier may be of the type; every type unless a standard says otherwise.
    virtual bool IsIdTypeAllowed(int32_t type, bool feature) const;
    // Whether a style may offer the type: every type in every standard.
    virtual bool IsStyleIdTypeAllowed(int32_t type, bool feature) const;
    // The gap between an identifier's frame and its own geometry: none in any standard.
    virtual double GetIdGap() const { return 0.0; }
    // Adds the extents of the identifier's own geometry, placed by `transform`.
    UTxResult GetIdExtents(BBox& extents, const DUxDatumIdState* state,
                           const WqGeMatrix3d& transform) const;
    // Draws the identifier's own geometry, placed by `transform`, into the list.
    bool DrawId(SMxDisplayList& list, const DUxDatumIdState* state, const WqGeMatrix3d& transform,
                const DLxSymInstance* owner) const;
    // The identifier's own geometry beside its frame and text: none in any standard.
    virtual void BuildIdEntities(const DUxDatumIdState*, DUxCAuxEntArray&) const {}

    // An identifier style gets its identifier flag and the standard's norm as description.
    void CopyToStyle(const RSeRef<FWxStyle>& style) override;

    // The identifier type of datum identifiers.
    static constexpr int32_t kDatumIdType = 4;
};

class DLxCIdStdISO : public DLxCIdStd {
public:
    explicit DLxCIdStdISO(const RSeStream* s) : DLxCIdStd(s) {}
    DLxCIdStdISO(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCIdStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCIdStdANSI : public DLxCIdStd {
public:
    explicit DLxCIdStdANSI(const RSeStream* s) : DLxCIdStd(s) {}
    DLxCIdStdANSI(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCIdStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
    // ANSI identifiers are datum identifiers only.
    bool IsIdTypeAllowed(int32_t type, bool feature) const override;
};

class DLxCIdStdDIN : public DLxCIdStd {
public:
    explicit DLxCIdStdDIN(const RSeStream* s) : DLxCIdStd(s) {}
    DLxCIdStdDIN(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCIdStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCIdStdJIS : public DLxCIdStd {
public:
    explicit DLxCIdStdJIS(const RSeStream* s) : DLxCIdStd(s) {}
    DLxCIdStdJIS(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCIdStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCIdStdBSI : public DLxCIdStdISO {
public:
    explicit DLxCIdStdBSI(const RSeStream* s) : DLxCIdStdISO(s) {}
    DLxCIdStdBSI(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCIdStdISO(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCIdStdGB : public DLxCIdStdISO {
public:
    explicit DLxCIdStdGB(const RSeStream* s) : DLxCIdStdISO(s) {}
    DLxCIdStdGB(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCIdStdISO(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
    int32_t GetDefaultIdType() const override { return kGBIdType; }

    // The identifier type GB gives new identifiers.
    static constexpr int32_t kGBIdType = 17;
};

DLX_STD_META_DECL(DLxCIdStd)
DLX_STD_META_DECL(DLxCIdStdANSI)
DLX_STD_META_DECL(DLxCIdStdBSI)
DLX_STD_META_DECL(DLxCIdStdDIN)
DLX_STD_META_DECL(DLxCIdStdGB)
DLX_STD_META_DECL(DLxCIdStdISO)
DLX_STD_META_DECL(DLxCIdStdJIS)
