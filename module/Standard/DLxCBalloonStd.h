#pragma once
// Balloon defaults of each standard: the default balloon type (a shape id: 2 circle, 3 split
// circle, 4 linear, 5 borderless, 6 hexagon, 7 sketched symbol, 8 triangle, 9 square) and size a
// new balloon style gets, the item columns a borderless balloon shows, and the norm's title.
// The standard owns one balloon shape service per shape id; it makes none itself.
#include <cstdint>
#include <map>
#include <vector>

#include "Standard/DLxStdMeta.h"
#include "du/DUxCategoryDefault.h"
#include "rse/RSeRef.h"

class DLxCBalloonService;
class DLxPartListColumn;
class DUxTableStylePartsListColumn;
class RSeSegment;

class DLxCBalloonStd : public DUxCategoryDefault {
public:
    // The host's category id of this kind; stored with every object, so it never changes.
    static constexpr int32_t kCategory = 56468;
    // The property of the item number a borderless balloon shows when the standard names no
    // columns: the parts-list set's property "1".
    static constexpr const char16_t* kItemPropertySet = u"{BEB6B91C-AF44-4f9b-AD9E-1E0570A168F9}";
    static constexpr uint32_t kItemNameStringId = 13040;
    // Balloon shape services by shape id, owned: the standard deletes them.
    using Services = std::map<uint32_t, DLxCBalloonService*>;

    explicit DLxCBalloonStd(const RSeStream* s) : DUxCategoryDefault(s) {}
    DLxCBalloonStd(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DUxCategoryDefault(doc, category, standard) {}
    ~DLxCBalloonStd() override;
    RSeMetaType* GetMeta() const override;
    // Size 1.0 and the circle, then each service's own defaults in shape order; false (the
    // size and type stay set) as soon as a service refuses.
    bool setFactoryDefaults() override;
    // Size and type into the style, each counted as an edit only when it differs; the norm's
    // title as its description every time; for the borderless type, the items (the item
    // columns' properties, or the ITEM column when none of them gives one).
    void CopyToStyle(const RSeRef<FWxStyle>& style) override;
    // The ITEM column (the item number, headed by the resource's name for it), new in the
    // segment: the caller puts it in a list and deletes it.
    static DUxTableStylePartsListColumn* NewItemColumn(RSeSegment* segment);
    int32_t GetDefaultBalloonType() const { return m_defaultType; }
    void SetDefaultBalloonType(int32_t type);

    Services& GetServices() { return m_services; }
    const Services& GetServices() const { return m_services; }
    // Deletes every service and empties the map.
    void ClearServices();

    double GetBalloonSize() const { return m_balloonSize; }
    // Columns whose properties a borderless balloon shows; only stored data fills them.
    const std::vector<RSeRef<DLxPartListColumn>>& GetItemColumns() const { return m_itemColumns; }

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    // Services are made for the running session: a loaded standard starts with none.
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult Clone(DLxCBalloonStd* target, RSeCloneCommander* cc) const;

private:
    Services m_services;
    int32_t m_defaultType = 1;
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
