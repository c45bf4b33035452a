#pragma once
// Parts-list defaults of each standard.
#include <cstdint>
#include <utility>
#include <vector>

#include "Standard/DLxStdLength.h"
#include "Standard/DLxStdMeta.h"
#include "du/DUxCategoryDefault.h"
#include "rse/RSeRef.h"
#include "rse/RSeSegmentMigrator.h"

class DLxCColumnDef;
class DLxPartListColumnHeaders;
class DUxRowKey;

class DLxCPartListStd : public DUxCategoryDefault {
public:
    // The host's category id of this kind; stored with every object, so it never changes.
    static constexpr int32_t kCategory = 56467;
    // The general property id that groups rows by default.
    static constexpr int32_t kDefaultRowKeyPID = 56111;
    explicit DLxCPartListStd(const RSeStream* s) : DUxCategoryDefault(s) {}
    DLxCPartListStd(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard);
    ~DLxCPartListStd() override;
    RSeMetaType* GetMeta() const override;
    bool setFactoryDefaults() override;
    // Fills a parts-list table style from the standard: its layout, gaps, title and the
    // displayed columns of the column headers (made first, as the factory values make them,
    // when the standard has none), each value written only when the style's differs.
    void CopyToStyle(const RSeRef<FWxStyle>& style) override;
    // Keys of type 3 or 4 are replaced for good by the default key before they are handed out.
    using DUxCategoryDefault::GetRowKeys;
    virtual bool GetRowKeys(std::vector<RSeRef<DUxRowKey>>& keys);
    int32_t GetRowKeyMode() const override { return m_rowKeyMode; }
    UTxString16 GetNestedDelimiter() const override { return m_nestedDelimiter; }
    bool GetNestedInheritanceFlag() const override { return m_nestedInheritance; }
    virtual bool CanSetFactoryDefaults() { return true; }
    // Stores copies of the keys given; answers their number.
    int32_t SetRowKeys(const std::vector<RSeRef<DUxRowKey>>& keys);

    int32_t GetLayoutCodeA() const { return m_layoutA; }
    int32_t GetLayoutCodeB() const { return m_layoutB; }
    int32_t GetLayoutCodeC() const { return m_layoutC; }
    double GetGapA() const { return m_gapA; }
    double GetGapB() const { return m_gapB; }
    bool GetUseTitle() const { return m_useTitle != 0; }
    const UTxString16& GetTitle() const { return m_title; }
    const std::vector<RSeRef<DLxCColumnDef>>& GetColumnDefs() const { return m_columnDefs; }
    const RSeRef<DLxPartListColumnHeaders>& GetColumnHeaders() const { return m_columnHeaders; }

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    void FixPtrsMigrate(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxCPartListStd* target, RSeCloneCommander* cc) const;

private:
    friend class DLxUpdatePLStdInitializer;
    // Older records up to the column definitions, and the integer row keys that the row-key
    // migrator turns into key objects once the document has loaded.
    void LoadFront(RSeStream& s);
    void QueueRowKeys(const std::vector<int32_t>& keys);

    void MakeDefaultColumns();
    void ReleaseRowKeys();

    int32_t m_layoutA = 0;
    int32_t m_layoutB = 0;
    int32_t m_layoutC = 1;
    double m_gapA = DLxStdCm(0.09);
    double m_gapB = DLxStdCm(0.09);
    int32_t m_useTitle = 1;
    UTxString16 m_title;
    int32_t m_further = 1;
    std::vector<RSeRef<DLxCColumnDef>> m_columnDefs;
    RSeRef<DLxPartListColumnHeaders> m_columnHeaders;
    std::vector<RSeRef<DUxRowKey>> m_rowKeys;
    UTxString16 m_nestedDelimiter = u".";
    bool m_nestedInheritance = true;
    int32_t m_rowKeyMode = 0;
    // Only while an oldest-version record loads: the column headers it named. Never stored.
    RSeRef<RSeIDed> m_oldColumnHeaders;
};

// Turns the integer row keys of older parts-list standards into row-key objects.
class DLxCPartListStdRowKeyMigrator : public RSeSegmentMigrator {
public:
    DLxCPartListStdRowKeyMigrator();
    ~DLxCPartListStdRowKeyMigrator() override;
    void Migrate(RSeSegmentMigrationContext* ctx) override;
    RSeSegmentMigrationContext* AllocateContext(RSeSegment* segment) override;
    // The key that a stored integer stands for: (type, general property id).
    static std::pair<int32_t, int32_t> KeyFor(int32_t stored);
    static void Register();
};

// Completes parts-list standards of the oldest records once the document has loaded: the older
// column headers they named are deleted, and a standard still without headers gets the default
// ones.
class DLxUpdatePLStdInitializer : public RSeSegmentMigrator {
public:
    DLxUpdatePLStdInitializer();
    ~DLxUpdatePLStdInitializer() override;
    void Migrate(RSeSegmentMigrationContext* ctx) override;
    static void Register();
};

class DLxCPartListStdRowKeyMigrationContext : public RSeSegmentMigrationContext {
public:
    using RSeSegmentMigrationContext::RSeSegmentMigrationContext;
    std::vector<std::pair<RSeRef<DLxCPartListStd>, std::vector<int32_t>>> m_entries;
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
