#pragma once
// Surface-texture defaults of each standard.
#include <cstdint>

#include "Standard/DLxStdMeta.h"
#include "du/DUxCategoryDefault.h"

class DLxCSurfTextStd : public DUxCategoryDefault {
public:
    // The host's category id of this kind; stored with every object, so it never changes.
    static constexpr int32_t kCategory = 56460;
    explicit DLxCSurfTextStd(const RSeStream* s) : DUxCategoryDefault(s) {}
    DLxCSurfTextStd(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DUxCategoryDefault(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    bool setFactoryDefaults() override;
    virtual bool CanSetFactoryDefaults() { return true; }
};

class DLxCSurfTextStdISO : public DLxCSurfTextStd {
public:
    explicit DLxCSurfTextStdISO(const RSeStream* s) : DLxCSurfTextStd(s) {}
    DLxCSurfTextStdISO(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCSurfTextStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCSurfTextStdANSI : public DLxCSurfTextStd {
public:
    explicit DLxCSurfTextStdANSI(const RSeStream* s) : DLxCSurfTextStd(s) {}
    DLxCSurfTextStdANSI(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCSurfTextStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCSurfTextStdDIN : public DLxCSurfTextStd {
public:
    explicit DLxCSurfTextStdDIN(const RSeStream* s) : DLxCSurfTextStd(s) {}
    DLxCSurfTextStdDIN(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCSurfTextStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCSurfTextStdJIS : public DLxCSurfTextStd {
public:
    explicit DLxCSurfTextStdJIS(const RSeStream* s) : DLxCSurfTextStd(s) {}
    DLxCSurfTextStdJIS(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCSurfTextStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCSurfTextStdBSI : public DLxCSurfTextStd {
public:
    explicit DLxCSurfTextStdBSI(const RSeStream* s) : DLxCSurfTextStd(s) {}
    DLxCSurfTextStdBSI(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCSurfTextStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCSurfTextStdGB : public DLxCSurfTextStdISO {
public:
    explicit DLxCSurfTextStdGB(const RSeStream* s) : DLxCSurfTextStdISO(s) {}
    DLxCSurfTextStdGB(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCSurfTextStdISO(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

DLX_STD_META_DECL(DLxCSurfTextStd)
DLX_STD_META_DECL(DLxCSurfTextStdANSI)
DLX_STD_META_DECL(DLxCSurfTextStdBSI)
DLX_STD_META_DECL(DLxCSurfTextStdDIN)
DLX_STD_META_DECL(DLxCSurfTextStdGB)
DLX_STD_META_DECL(DLxCSurfTextStdISO)
DLX_STD_META_DECL(DLxCSurfTextStdJIS)
