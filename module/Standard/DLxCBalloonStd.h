#pragma once
// Balloon defaults of each standard; the shapes and their values grow with the balloon annotation.
#include <cstdint>
#include <vector>

#include "Standard/DLxStdMeta.h"
#include "du/DUxCategoryDefault.h"
#include "rse/RSeRef.h"

class DLxPartListColumn;

class DLxCBalloonStd : public DUxCategoryDefault {
public:
    // The host's category id of this kind; stored with every object, so it never changes.
    static constexpr int32_t kCategory = 56468;
    explicit DLxCBalloonStd(const RSeStream* s) : DUxCategoryDefault(s) {}
    DLxCBalloonStd(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DUxCategoryDefault(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    bool setFactoryDefaults() override;
    int32_t GetDefaultBalloonType() const { return m_defaultType; }
    void SetDefaultBalloonType(int32_t type);

    double GetBalloonSize() const { return m_balloonSize; }
    // Columns whose properties a borderless balloon shows; only stored data fills them.
    const std::vector<RSeRef<DLxPartListColumn>>& GetItemColumns() const { return m_itemColumns; }

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxCBalloonStd* target, RSeCloneCommander* cc) const;

private:
    int32_t m_defaultType = 0;
    std::vector<RSeRef<DLxPartListColumn>> m_itemColumns;
    double m_balloonSize = 1.0;
};

class DLxCBalloonStdISO : public DLxCBalloonStd {
public:
    explicit DLxCBalloonStdISO(const RSeStream* s) : DLxCBalloonStd(s) {}
    DLxCBalloonStdISO(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCBalloonStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCBalloonStdANSI : public DLxCBalloonStd {
public:
    explicit DLxCBalloonStdANSI(const RSeStream* s) : DLxCBalloonStd(s) {}
    DLxCBalloonStdANSI(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCBalloonStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCBalloonStdDIN : public DLxCBalloonStd {
public:
    explicit DLxCBalloonStdDIN(const RSeStream* s) : DLxCBalloonStd(s) {}
    DLxCBalloonStdDIN(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCBalloonStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCBalloonStdJIS : public DLxCBalloonStd {
public:
    explicit DLxCBalloonStdJIS(const RSeStream* s) : DLxCBalloonStd(s) {}
    DLxCBalloonStdJIS(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCBalloonStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCBalloonStdBSI : public DLxCBalloonStdISO {
public:
    explicit DLxCBalloonStdBSI(const RSeStream* s) : DLxCBalloonStdISO(s) {}
    DLxCBalloonStdBSI(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCBalloonStdISO(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCBalloonStdGB : public DLxCBalloonStdISO {
public:
    explicit DLxCBalloonStdGB(const RSeStream* s) : DLxCBalloonStdISO(s) {}
    DLxCBalloonStdGB(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCBalloonStdISO(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

DLX_STD_META_DECL(DLxCBalloonStd)
DLX_STD_META_DECL(DLxCBalloonStdANSI)
DLX_STD_META_DECL(DLxCBalloonStdBSI)
DLX_STD_META_DECL(DLxCBalloonStdDIN)
DLX_STD_META_DECL(DLxCBalloonStdGB)
DLX_STD_META_DECL(DLxCBalloonStdISO)
DLX_STD_META_DECL(DLxCBalloonStdJIS)
