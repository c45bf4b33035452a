#pragma once
// Datum-target defaults of each standard: the leader arrow, the line types of target borders
// and hidden leaders, the target point's colour and size, the hatching of target areas and the
// unit attributes; they fill datum-target styles. The standard object also owns one drawing
// service per target type (never stored: every load or clone makes them again) and draws
// target shapes through them.
#include <cstdint>
#include <map>
#include <memory>

#include "Standard/DLxStdMeta.h"
#include "du/DUxCategoryDefault.h"
#include "rse/RSeRef.h"

class BBox;
class DLxCTargetService;
class DLxCTargetSubSym;
class DUxCAuxEntArray;
class DUxDatumTargetStyleWrapper;
class DUxSymUnitAttr;
class SMxDisplayList;
class UCxTranscriptDataExchange;
class WqGeMatrix3d;

class DLxCDatumStd : public DUxCategoryDefault {
public:
    // The host's category id of this kind; stored with every object, so it never changes.
    static constexpr int32_t kCategory = 56463;
    // Host line type ids of the standards' datum lines.
    static constexpr int16_t kHiddenLeaderLine = 0x6DC5;
    static constexpr int16_t kBorderLineANSI = 0x6DCC;
    static constexpr int16_t kBorderLineISO = 0x6DCB;
    // The factory point colour (a colour reference, 0x00BBGGRR): a quarter of the sheet's
    // foreground over three quarters of its highlight red.
    static constexpr uint32_t kFactoryPointColor = 0x000000BF;

    explicit DLxCDatumStd(const RSeStream* s);
    DLxCDatumStd(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard);
    ~DLxCDatumStd() override;
    RSeMetaType* GetMeta() const override;
    bool setFactoryDefaults() override;
    // Fills a DUxDatumTargetStyle (anything else is left alone); each value is written only
    // when it differs.
    void CopyToStyle(const RSeRef<FWxStyle>& style) override;

    // Replaces the services: one per target type 1 to 5, each under its own type.
    virtual UTxResult CreateTargetServices();
    // The shape's entities drawn into the list; true.
    virtual bool DrawTarget(SMxDisplayList& list, const DLxCTargetSubSym* shape,
                            const WqGeMatrix3d& xform, const DUxDatumTargetStyleWrapper* style);
    // Adds the extents of the shape's entities to the box.
    virtual UTxResult GetTargetExtents(BBox& box, const DLxCTargetSubSym* shape,
                                       const WqGeMatrix3d& xform,
                                       const DUxDatumTargetStyleWrapper* style);
    // Nothing for a null shape or a type without service.
    virtual void BuildTargetEntities(const DLxCTargetSubSym* shape, DUxCAuxEntArray& array,
                                     const WqGeMatrix3d& xform,
                                     const DUxDatumTargetStyleWrapper* style);
    // The standard's line type ids and names; none (-1, empty) for the kind itself.
    virtual void SetHiddenLeaderLineId() {}
    virtual void SetBorderLineId() {}
    virtual UTxString16 GetHiddenLeaderLineTypeName() const { return {}; }
    virtual UTxString16 GetBorderLineTypeName() const { return {}; }
    // The defaults under "<prefix>_<member>"; the exchange's result.
    virtual UTxResult Transcript(UCxTranscriptDataExchange& tdx, const UTxString16& prefix,
                                 bool required);

    const DLxCTargetService* GetService(int32_t type) const;
    int32_t GetServiceCount() const { return int32_t(m_services.size()); }

    // The stored defaults, named by their transcript keys.
    bool m_DrawLeaderArrow = true;
    double m_HatchAngle = 0.78539816339744828;
    double m_HatchDist = 1.0;
    double m_MinLegLen = 0.0;
    double m_PointGap = 0.0;
    double m_PointSize = 1.0;
    uint32_t m_PointColor = 0;
    int16_t m_BorderLineId = -1;
    int16_t m_HiddenLeaderLineId = -1;
    bool m_UseCommonSetting = true;
    RSeRef<DUxSymUnitAttr> m_SymUnitAttr;

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxCDatumStd* target, RSeCloneCommander* cc) const;

protected:
    void PutService(std::unique_ptr<DLxCTargetService> service);

private:
    void LoadFront(RSeStream& s);
    std::map<int32_t, std::unique_ptr<DLxCTargetService>> m_services;
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
    void SetHiddenLeaderLineId() override;
    void SetBorderLineId() override;
    UTxString16 GetHiddenLeaderLineTypeName() const override;
    UTxString16 GetBorderLineTypeName() const override;
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
    void SetHiddenLeaderLineId() override;
    void SetBorderLineId() override;
    UTxString16 GetHiddenLeaderLineTypeName() const override;
    UTxString16 GetBorderLineTypeName() const override;
    UTxResult CreateTargetServices() override;
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
    void SetHiddenLeaderLineId() override;
    void SetBorderLineId() override;
    UTxString16 GetHiddenLeaderLineTypeName() const override;
    UTxString16 GetBorderLineTypeName() const override;
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
    void SetHiddenLeaderLineId() override;
    void SetBorderLineId() override;
    UTxString16 GetHiddenLeaderLineTypeName() const override;
    UTxString16 GetBorderLineTypeName() const override;
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
