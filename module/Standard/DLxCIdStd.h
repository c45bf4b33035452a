#pragma once
// Datum- and feature-identifier defaults of each standard; registered under two categories.
#include <cstdint>

#include "Standard/DLxStdMeta.h"
#include "du/DUxCategoryDefault.h"

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
};

DLX_STD_META_DECL(DLxCIdStd)
DLX_STD_META_DECL(DLxCIdStdANSI)
DLX_STD_META_DECL(DLxCIdStdBSI)
DLX_STD_META_DECL(DLxCIdStdDIN)
DLX_STD_META_DECL(DLxCIdStdGB)
DLX_STD_META_DECL(DLxCIdStdISO)
DLX_STD_META_DECL(DLxCIdStdJIS)
