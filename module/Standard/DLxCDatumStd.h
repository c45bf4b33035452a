#pragma once
// Datum-symbol defaults of each standard.
#include <cstdint>

#include "Standard/DLxStdMeta.h"
#include "du/DUxCategoryDefault.h"
#include "rse/RSeRef.h"

class DUxSymUnitAttr;

class DLxCDatumStd : public DUxCategoryDefault {
public:
    // The host's category id of this kind; stored with every object, so it never changes.
    static constexpr int32_t kCategory = 56463;
    explicit DLxCDatumStd(const RSeStream* s) : DUxCategoryDefault(s) {}
    DLxCDatumStd(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DUxCategoryDefault(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    bool setFactoryDefaults() override;
    // The datum-target services of the standard; success when they are ready.
    virtual UTxResult CreateTargetServices() { return {}; }

    // The stored defaults, named by their transcript keys; their factory values come with the
    // datum symbol.
    bool m_DrawLeaderArrow = false;
    double m_HatchAngle = 0.0;
    double m_HatchDist = 0.0;
    double m_MinLegLen = 0.0;
    double m_PointGap = 0.0;
    double m_PointSize = 0.0;
    uint32_t m_PointColor = 0;
    int16_t m_BorderLineId = 0;
    int16_t m_HiddenLeaderLineId = 0;
    bool m_UseCommonSetting = true;
    RSeRef<DUxSymUnitAttr> m_SymUnitAttr;

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxCDatumStd* target, RSeCloneCommander* cc) const;

private:
    void LoadFront(RSeStream& s);
};

class DLxCDatumStdISO : public DLxCDatumStd {
public:
    explicit DLxCDatumStdISO(const RSeStream* s) : DLxCDatumStd(s) {}
    DLxCDatumStdISO(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCDatumStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCDatumStdANSI : public DLxCDatumStd {
public:
    explicit DLxCDatumStdANSI(const RSeStream* s) : DLxCDatumStd(s) {}
    DLxCDatumStdANSI(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCDatumStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCDatumStdDIN : public DLxCDatumStd {
public:
    explicit DLxCDatumStdDIN(const RSeStream* s) : DLxCDatumStd(s) {}
    DLxCDatumStdDIN(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCDatumStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCDatumStdJIS : public DLxCDatumStd {
public:
    explicit DLxCDatumStdJIS(const RSeStream* s) : DLxCDatumStd(s) {}
    DLxCDatumStdJIS(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCDatumStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCDatumStdBSI : public DLxCDatumStdISO {
public:
    explicit DLxCDatumStdBSI(const RSeStream* s) : DLxCDatumStdISO(s) {}
    DLxCDatumStdBSI(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCDatumStdISO(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

class DLxCDatumStdGB : public DLxCDatumStdISO {
public:
    explicit DLxCDatumStdGB(const RSeStream* s) : DLxCDatumStdISO(s) {}
    DLxCDatumStdGB(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCDatumStdISO(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    UTxString16 GetStandardReference() const override;
};

DLX_STD_META_DECL(DLxCDatumStd)
DLX_STD_META_DECL(DLxCDatumStdANSI)
DLX_STD_META_DECL(DLxCDatumStdBSI)
DLX_STD_META_DECL(DLxCDatumStdDIN)
DLX_STD_META_DECL(DLxCDatumStdGB)
DLX_STD_META_DECL(DLxCDatumStdISO)
DLX_STD_META_DECL(DLxCDatumStdJIS)
