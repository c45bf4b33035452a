#pragma once
// Parts-list defaults of each standard.
#include <cstdint>

#include "Standard/DLxStdMeta.h"
#include "du/DUxCategoryDefault.h"

class DLxCPartListStd : public DUxCategoryDefault {
public:
    // The host's category id of this kind; stored with every object, so it never changes.
    static constexpr int32_t kCategory = 56467;
    explicit DLxCPartListStd(const RSeStream* s) : DUxCategoryDefault(s) {}
    DLxCPartListStd(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DUxCategoryDefault(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    bool setFactoryDefaults() override;
    virtual bool CanSetFactoryDefaults() { return true; }
};

class DLxCPartListStdISO : public DLxCPartListStd {
public:
    explicit DLxCPartListStdISO(const RSeStream* s) : DLxCPartListStd(s) {}
    DLxCPartListStdISO(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCPartListStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCPartListStdANSI : public DLxCPartListStd {
public:
    explicit DLxCPartListStdANSI(const RSeStream* s) : DLxCPartListStd(s) {}
    DLxCPartListStdANSI(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCPartListStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCPartListStdDIN : public DLxCPartListStd {
public:
    explicit DLxCPartListStdDIN(const RSeStream* s) : DLxCPartListStd(s) {}
    DLxCPartListStdDIN(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCPartListStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCPartListStdJIS : public DLxCPartListStd {
public:
    explicit DLxCPartListStdJIS(const RSeStream* s) : DLxCPartListStd(s) {}
    DLxCPartListStdJIS(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCPartListStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCPartListStdBSI : public DLxCPartListStdISO {
public:
    explicit DLxCPartListStdBSI(const RSeStream* s) : DLxCPartListStdISO(s) {}
    DLxCPartListStdBSI(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCPartListStdISO(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCPartListStdGB : public DLxCPartListStdISO {
public:
    explicit DLxCPartListStdGB(const RSeStream* s) : DLxCPartListStdISO(s) {}
    DLxCPartListStdGB(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCPartListStdISO(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

DLX_STD_META_DECL(DLxCPartListStd)
DLX_STD_META_DECL(DLxCPartListStdANSI)
DLX_STD_META_DECL(DLxCPartListStdBSI)
DLX_STD_META_DECL(DLxCPartListStdDIN)
DLX_STD_META_DECL(DLxCPartListStdGB)
DLX_STD_META_DECL(DLxCPartListStdISO)
DLX_STD_META_DECL(DLxCPartListStdJIS)
