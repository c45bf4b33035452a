#pragma once
// Surface-texture defaults of each standard: five options (a circle fitted to the short leg for
// the "material removal prohibited" symbol, whether symbols may carry the all-around circle or
// the majority symbol, the default forced tail, a second production line) and the lay symbols
// the standard offers. The object fills surface-texture styles, and it answers symbols with the
// standard's line work, leg heights and which of their values are shown, in which order and
// with which labels.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "Standard/DLxFCFStdInfo.h"
#include "Standard/DLxStdMeta.h"
#include "du/DUxCategoryDefault.h"
#include "du/DUxSurfTXTState.h"

class DUxCAuxEntArray;
class UCxTranscriptDataExchange;

class DLxCSurfTextStd : public DUxCategoryDefault, public DUxSurfTextStdServices {
public:
    using DLxSymbolDescs = DLxSymbolStdInfo::DLxSymbolDescs;
    // The host's category id of this kind; stored with every object, so it never changes.
    static constexpr int32_t kCategory = 56460;
    // One lay symbol a standard lists: its lay type and picture.
    struct LayRow {
        int32_t lay;
        uint32_t bitmap;
    };
    // Refusal of a request about no symbol.
    static constexpr UTxResultCode kNoSymbol = 0x200B0323;

    explicit DLxCSurfTextStd(const RSeStream* s) : DUxCategoryDefault(s) {}
    DLxCSurfTextStd(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
        : DUxCategoryDefault(doc, category, standard) {}
    RSeMetaType* GetMeta() const override;
    bool setFactoryDefaults() override;
    virtual bool CanSetFactoryDefaults() { return true; }

    // Options.
    bool GetFitCircle() const { return m_FitCircle; }
    void SetFitCircle(bool on);
    bool GetAllAroundAllowed() const { return m_AllAroundAllowed; }
    void SetAllAroundAllowed(bool on);
    bool GetForceTail() const { return m_ForceTail; }
    void SetForceTail(bool on);
    bool GetMajorityAllowed() const { return m_MajorityAllowed; }
    void SetMajorityAllowed(bool on);
    bool GetProductionMultiline() const { return m_ProductionMultiline; }
    void SetProductionMultiline(bool on);
    // Entry i is nonzero when the standard offers lay type i + 1.
    const std::vector<uint32_t>& GetOfferedLaySymbols() const { return m_OfferedLaySymbols; }
    // The standard's text height and font: the sizes of its symbols follow them.
    double GetStdTextHeight() const override;
    int32_t GetFontId() const;

    // Copies the options, the norm, the standard's code and the offered lay symbols (as a mask)
    // into a surface-texture style; each value that changes counts as one edit of the style.
    void CopyToStyle(const RSeRef<FWxStyle>& style) override;
    // How a dialog shows the five options (DUxValue::EVisibility numbers, in the order
    // all-around, fit circle, forced tail, majority, production multiline).
    struct OptionVisibility {
        int32_t allAround, fitCircle, forceTail, majority, productionMultiline;
    };
    virtual OptionVisibility ShowOptions() const { return {1, 1, 3, 1, 1}; }
    virtual OptionVisibility EnableOptions() const { return {3, 3, 3, 3, 3}; }
    // Appends the standard's lay symbols; each is available when the standard offers it or the
    // symbol (may be null) already has that lay.
    virtual void GetLaySymbols(DLxSymbolDescs& list, const DUxSurfTXTState* state);
    // Which values the symbol shows and which may be edited, by its contents; values the
    // standard does not use are hidden, and values that cannot apply are cleared.
    UTxResult SetValueVisibility(DUxSurfTXTState* state) override;
    // Dialog places, labels, tooltips and help topics, then the visibility.
    virtual UTxResult SetValueLabels(DUxSurfTXTState* state);
    // The standard's values (by number) for a dialog, in its field order, after the labels.
    virtual UTxResult GetDialogValues(DUxSurfTXTState* state, std::vector<int32_t>& values);
    UTxResult CheckValues(const DUxSurfTXTState*) const { return {}; }

    // Line work, measured from the tip of the symbol.
    virtual double GetTextMargin(const DUxSurfTXTState* state);
    void GetLegHeights(const DUxSurfTXTState* state, double& shortLeg, double& longLeg) override;
    void BuildSymbolGeometry(const DUxSurfTXTState* state, DUxCAuxEntArray* out,
                             double textRight) override;
    // The line work moved by `placement` into a list; false without a symbol.
    bool DrawSymbol(SMxDisplayList& list, const DUxSurfTXTState* state,
                    const WqGeMatrix3d& placement);
    // The line work's extents; kNoSymbol without a symbol.
    UTxResult GetSymbolExtents(const DUxSurfTXTState* state, BBox& extents);

    // The options under the keys "FitCircle", "AllAroundAllowed", "ForceTail",
    // "MajorityAllowed", "ProductionMultiline" and "OfferedLaySymbols".
    UTxResult Transcript(UCxTranscriptDataExchange& tdx);

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxCSurfTextStd* target, RSeCloneCommander* cc) const;

protected:
    // The standard's code in a style (1 ANSI, 2 BSI, 3 DIN, 4 GB, 5 ISO, 6 JIS).
    int32_t StandardCode() const;
    void SetOptions(size_t lays, bool fitCircle, bool allAround, bool majority,
                    bool productionMultiline);
    void AppendLaySymbols(DLxSymbolDescs& list, const DUxSurfTXTState* state,
                          const std::vector<LayRow>& rows) const;
    // The base rules: dialog places of the first five values only.
    UTxResult BaseLabels(DUxSurfTXTState* state);
    struct Label {
        int32_t variable;
        uint32_t label, tooltip;
        int32_t help, index; // index -1 keeps the dialog place
    };
    UTxResult ApplyLabels(DUxSurfTXTState* state, const std::vector<Label>& labels);
    // Hides all fourteen values, then shows `shown` at 1.
    static void HideAllThenShow(DUxSurfTXTState& state, std::initializer_list<int32_t> shown);
    // Rules shared by the standards.
    static void RoughnessRule(DUxSurfTXTState& s);
    static void AllowanceRule(DUxSurfTXTState& s);
    static void LayRule(DUxSurfTXTState& s);
    void ProductionRule(DUxSurfTXTState& s) const;
    static void OtherValueRule(DUxSurfTXTState& s);
    // Leg heights of the DIN family, by the text height.
    static void TableLegHeights(double h, double& shortLeg, double& longLeg);
    // The rules the DIN family shares.
    UTxResult DinVisibility(DUxSurfTXTState* state);
    UTxResult DinLabels(DUxSurfTXTState* state);
    void DinLegHeights(const DUxSurfTXTState* state, double& shortLeg, double& longLeg);
    // Applies the labels, then appends `order`.
    UTxResult AppendDialogValues(DUxSurfTXTState* state, std::vector<int32_t>& values,
                                 std::initializer_list<int32_t> order);
    // Measured height above the text height of `text` in the standard's font.
    double MeasuredExcess(const UTxString16& text) const;

private:
    void BuildMajoritySymbol(const DUxSurfTXTState* state, DUxCAuxEntArray& array);

    std::vector<uint32_t> m_OfferedLaySymbols;
    bool m_FitCircle = false;
    bool m_AllAroundAllowed = false;
    bool m_ForceTail = false;
    bool m_MajorityAllowed = false;
    bool m_ProductionMultiline = false;
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
    bool setFactoryDefaults() override;
    void GetLaySymbols(DLxSymbolDescs& list, const DUxSurfTXTState* state) override;
    UTxResult SetValueVisibility(DUxSurfTXTState* state) override;
    UTxResult SetValueLabels(DUxSurfTXTState* state) override;
    UTxResult GetDialogValues(DUxSurfTXTState* state, std::vector<int32_t>& values) override;
    void GetLegHeights(const DUxSurfTXTState* state, double& shortLeg, double& longLeg) override;
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
    bool setFactoryDefaults() override;
    OptionVisibility ShowOptions() const override { return {0, 1, 3, 1, 0}; }
    OptionVisibility EnableOptions() const override { return {0, 3, 3, 3, 0}; }
    void GetLaySymbols(DLxSymbolDescs& list, const DUxSurfTXTState* state) override;
    UTxResult SetValueVisibility(DUxSurfTXTState* state) override;
    UTxResult SetValueLabels(DUxSurfTXTState* state) override;
    UTxResult GetDialogValues(DUxSurfTXTState* state, std::vector<int32_t>& values) override;
    double GetTextMargin(const DUxSurfTXTState* state) override;
    void GetLegHeights(const DUxSurfTXTState* state, double& shortLeg, double& longLeg) override;
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
    bool setFactoryDefaults() override;
    void GetLaySymbols(DLxSymbolDescs& list, const DUxSurfTXTState* state) override;
    UTxResult SetValueVisibility(DUxSurfTXTState* state) override;
    UTxResult SetValueLabels(DUxSurfTXTState* state) override;
    UTxResult GetDialogValues(DUxSurfTXTState* state, std::vector<int32_t>& values) override;
    void GetLegHeights(const DUxSurfTXTState* state, double& shortLeg, double& longLeg) override;
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
    bool setFactoryDefaults() override;
    void GetLaySymbols(DLxSymbolDescs& list, const DUxSurfTXTState* state) override;
    UTxResult SetValueVisibility(DUxSurfTXTState* state) override;
    UTxResult SetValueLabels(DUxSurfTXTState* state) override;
    UTxResult GetDialogValues(DUxSurfTXTState* state, std::vector<int32_t>& values) override;
    double GetTextMargin(const DUxSurfTXTState* state) override;
    void GetLegHeights(const DUxSurfTXTState* state, double& shortLeg, double& longLeg) override;
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
    bool setFactoryDefaults() override;
    void GetLaySymbols(DLxSymbolDescs& list, const DUxSurfTXTState* state) override;
    UTxResult SetValueVisibility(DUxSurfTXTState* state) override;
    UTxResult SetValueLabels(DUxSurfTXTState* state) override;
    UTxResult GetDialogValues(DUxSurfTXTState* state, std::vector<int32_t>& values) override;
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
    UTxResult SetValueVisibility(DUxSurfTXTState* state) override;
    UTxResult GetDialogValues(DUxSurfTXTState* state, std::vector<int32_t>& values) override;
    void GetLegHeights(const DUxSurfTXTState* state, double& shortLeg, double& longLeg) override;
};

DLX_STD_META_DECL(DLxCSurfTextStd)
DLX_STD_META_DECL(DLxCSurfTextStdANSI)
DLX_STD_META_DECL(DLxCSurfTextStdBSI)
DLX_STD_META_DECL(DLxCSurfTextStdDIN)
DLX_STD_META_DECL(DLxCSurfTextStdGB)
DLX_STD_META_DECL(DLxCSurfTextStdISO)
DLX_STD_META_DECL(DLxCSurfTextStdJIS)
