#pragma once
// Feature-control-frame defaults of each drafting standard: merging and padding rules, offered
// GD&T and auxiliary symbols, unit attributes, the symbol-font glyphs, the default visibility
// of a new frame's values and its default symbol.
#include <cstdint>
#include <string>
#include <vector>

#include "Standard/DLxFCFStdInfo.h"
#include "Standard/DLxStdMeta.h"
#include "du/DUxCategoryDefault.h"

class BBox;
class DLxGDTState;
class DUxCAuxEntArray;
class DUxSymUnitAttr;
class SMxDisplayList;
class UCxTranscriptDataExchange;
class WqGeMatrix3d;

class DLxCFCFStd : public DUxCategoryDefault {
public:
    // The host's category id of this kind; stored with every object, so it never changes.
    static constexpr int32_t kCategory = 56462;
    using DLxSymbolDescs = DLxSymbolStdInfo::DLxSymbolDescs;

    explicit DLxCFCFStd(const RSeStream* s) : DUxCategoryDefault(s) {}
    DLxCFCFStd(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard);
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);

    bool setFactoryDefaults() override;
    void CopyToStyle(const RSeRef<FWxStyle>& style) override;

    // The GD&T list, with the symbols of lines 0 and 1 of the state enabled whatever the flags
    // say, so that symbols in use stay offered. False for a null state.
    virtual bool GetGdtSymbolDescsForState(DLxSymbolDescs& list, const RSeRef<DLxGDTState>& state);
    virtual void GetGdtSymbolDescs(DLxSymbolDescs& list);
    virtual void GetAuxSymbolDescs(DLxSymbolDescs& list);
    virtual void DrawCircleSymbol(SMxDisplayList& list, const WqGeMatrix3d& xform);
    virtual void GetCircleSymbolExtents(BBox& extents, const WqGeMatrix3d& xform);
    virtual bool GetSymbolString(int32_t type, UTxString16& out);
    // Types 1 to 25; the string is untouched for others.
    virtual bool GetSymbolGlyph(int32_t type, UTxString16& out);
    // The type of a glyph of types 1 to 26, compared whole and case-sensitively.
    virtual bool GetSymbolType(const UTxString16& glyph, int32_t& type);
    virtual void SetDefaultValueVisibility(const RSeRef<DLxGDTState>& state);
    virtual void SetDefaultSymbol(const RSeRef<DLxGDTState>& state);
    virtual void Unused(int32_t, int32_t, int32_t) {}
    virtual void CreateCircleSymbol(DUxCAuxEntArray& array, const WqGeMatrix3d& xform);
    virtual UTxResult Transcript(UCxTranscriptDataExchange& tdx, const UTxString16& prefix,
                                 bool flag);

    // The layout's glyph map: all 30 types, as 8-bit symbol-font strings.
    static bool LayoutGlyph(int32_t type, std::string& glyph);
    // The style mask bits of a type; 0 for a type without one.
    static uint32_t GdtMaskBit(int32_t type);
    static uint32_t AuxMaskBit(int32_t type);
    // Sets every line's values back to their reset visibilities.
    static void ResetValueVisibility(DLxGDTState& state);

    double GetStandardTextHeight() const;

    bool m_SepProjected = false;
    bool m_SepDatumId = false;
    bool m_MergeSymbol = false;
    bool m_MergeTolerance = false;
    bool m_MergeDatum = false;
    bool m_EndPadding = false;
    double m_FrameGap = 0.0;
    double m_WhiteSpace = 0.0;
    bool m_UseCommonSetting = true;
    RSeRef<DUxSymUnitAttr> m_SymUnitAttr;
    std::vector<uint32_t> m_GdtSymbols;
    std::vector<uint32_t> m_AuxSymbols;

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxCFCFStd* target, RSeCloneCommander* cc) const;

protected:
    struct AuxEntry {
        int32_t type;
        uint32_t nameId;
        uint32_t bitmapId;
    };
    static void AddSymbolDesc(DLxSymbolDescs& list, uint32_t nameId, uint32_t bitmapId,
                              const std::vector<uint32_t>& enable, int32_t position, int32_t type);
    void FillGdt(DLxSymbolDescs& list, bool ansiNames) const;
    void FillAux(DLxSymbolDescs& list, const std::vector<AuxEntry>& entries) const;
    bool MarkStateSymbols(DLxSymbolDescs& list, const RSeRef<DLxGDTState>& state) const;
    // The base factory values, recorded for undo.
    void BaseFactoryDefaults();
    void SetAuxCount(size_t n) { m_AuxSymbols.assign(n, 1); }
    static bool BaseGlyph(int32_t type, int32_t last, UTxString16& out);
    // The auxiliary list of DIN and ISO, which BSI and GB extend.
    static std::vector<AuxEntry> BaseAux() {
        return {{16, 8382, 7772}, {17, 8384, 7775}, {23, 8374, 7768}};
    }
};

class DLxCFCFStdANSI : public DLxCFCFStd {
public:
    explicit DLxCFCFStdANSI(const RSeStream* s) : DLxCFCFStd(s) {}
    DLxCFCFStdANSI(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCFCFStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    bool setFactoryDefaults() override;
    UTxString16 GetStandardReference() const override;
    bool GetGdtSymbolDescsForState(DLxSymbolDescs& list, const RSeRef<DLxGDTState>& state) override;
    void GetGdtSymbolDescs(DLxSymbolDescs& list) override;
    void GetAuxSymbolDescs(DLxSymbolDescs& list) override;
    void SetDefaultValueVisibility(const RSeRef<DLxGDTState>& state) override;
};

class DLxCFCFStdDIN : public DLxCFCFStd {
public:
    explicit DLxCFCFStdDIN(const RSeStream* s) : DLxCFCFStd(s) {}
    DLxCFCFStdDIN(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCFCFStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    bool setFactoryDefaults() override;
    UTxString16 GetStandardReference() const override;
};

class DLxCFCFStdISO : public DLxCFCFStd {
public:
    explicit DLxCFCFStdISO(const RSeStream* s) : DLxCFCFStd(s) {}
    DLxCFCFStdISO(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCFCFStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    bool setFactoryDefaults() override;
    UTxString16 GetStandardReference() const override;
};

class DLxCFCFStdBSI : public DLxCFCFStdISO {
public:
    explicit DLxCFCFStdBSI(const RSeStream* s) : DLxCFCFStdISO(s) {}
    DLxCFCFStdBSI(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCFCFStdISO(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    bool setFactoryDefaults() override;
    UTxString16 GetStandardReference() const override;
    void GetAuxSymbolDescs(DLxSymbolDescs& list) override;
};

class DLxCFCFStdGB : public DLxCFCFStdISO {
public:
    explicit DLxCFCFStdGB(const RSeStream* s) : DLxCFCFStdISO(s) {}
    DLxCFCFStdGB(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCFCFStdISO(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    bool setFactoryDefaults() override;
    UTxString16 GetStandardReference() const override;
    void GetAuxSymbolDescs(DLxSymbolDescs& list) override;
    // GB also knows type 26.
    bool GetSymbolGlyph(int32_t type, UTxString16& out) override;
};

class DLxCFCFStdJIS : public DLxCFCFStd {
public:
    explicit DLxCFCFStdJIS(const RSeStream* s) : DLxCFCFStd(s) {}
    DLxCFCFStdJIS(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DLxCFCFStd(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    static RSeRef<DUxCategoryDefault> CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                            int32_t category,
                                                            const UTxGUID& standard);
    bool setFactoryDefaults() override;
    UTxString16 GetStandardReference() const override;
    void GetAuxSymbolDescs(DLxSymbolDescs& list) override;
    // Older files kept three auxiliary symbols; the three later ones are offered too.
    UTxResult PostRestore(RSeMetaContext& ctx);
};

DLX_STD_META_DECL(DLxCFCFStd)
DLX_STD_META_DECL(DLxCFCFStdANSI)
DLX_STD_META_DECL(DLxCFCFStdBSI)
DLX_STD_META_DECL(DLxCFCFStdDIN)
DLX_STD_META_DECL(DLxCFCFStdGB)
DLX_STD_META_DECL(DLxCFCFStdISO)
DLX_STD_META_DECL(DLxCFCFStdJIS)
