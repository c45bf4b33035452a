#pragma once
// The settings of a parts list that does not exist yet: its source model, the local bill of
// materials that feeds it and that bill's numbering, where the table goes, its styles and how it
// wraps. A plain value, never stored: the placement command edits one, and a copy of it is the
// body of the creation request, which writes it to the transcript and reads it back on replay.
//
// The host's model is the drawing's assembly: a source file names it by its root component's
// path, and a file the drawing does not document has no source (nothing to open).
#include <cstdint>
#include <string>
#include <vector>

#include "dl/DLxLocalBOMSetup.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"

class DLxDrawing;
class DLxDrawingDoc;
class DLxLocalBOM;
class DLxSheet;
class DUxTableStylePartsList;
class FBxLayerStyle;
class UCxTranscriptDataExchange;
struct DLxAssemblyData;

class DLxPartListData : public DLxLocalBOMSetup {
public:
    static constexpr uint32_t kNoTxn = 0xFFFFFFFCu;

    DLxPartListData();
    explicit DLxPartListData(DLxDrawingDoc* doc);
    // A copy has no source cache, no bill, no open command transaction, and may no longer
    // change the scheme: the request that holds it makes its bill again in its own transaction.
    DLxPartListData(const DLxPartListData& other);
    DLxPartListData& operator=(const DLxPartListData&) = delete;
    virtual ~DLxPartListData();

    virtual UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx);
    virtual UTxResult DoTranscriptDataExchangeLocalBOM(UCxTranscriptDataExchange& tdx);

    void SetDocument(DLxDrawingDoc* doc);
    DLxDrawingDoc* GetDocument() const { return m_doc; }

    // Source and bill of materials.
    void SetFilename(const std::u16string& filename);
    const std::u16string& GetFilename() const { return m_filename; }
    // The drawing's own model as the source; `resolve` looks its bill up (or lets the scheme be
    // chosen again when there is none).
    void SetSourceFromDrawing(bool resolve);
    // The source model: the drawing's assembly when Filename names its root; null otherwise.
    const DLxAssemblyData* GetRep() const;
    RSeRef<DLxLocalBOM> GetLocalBOM(bool create);
    void SetLocalBOM(const RSeRef<DLxLocalBOM>& bom);
    // Chooses the scheme and takes the options the model already has for it.
    void SetSchemeID(int32_t scheme);
    // The first of the drawing's bills (in list order) attached to a model whose root has that
    // path; null for none.
    RSeRef<DLxLocalBOM> FindLocalBOMForPath(const std::u16string& path) const;
    bool PreTransactionValidityCheck(bool checkScheme) const;
    // The command's own transaction, in which a preview's bill (and any scheme it enables) is
    // made and which is always aborted: false without a document or while the document has a
    // transaction open already.
    bool StartCmdTxn();
    void AbortCmdTxn();
    bool MasterRepEdited() const { return m_masterRepEdited; }

    // The stored value, or the document's fallback.
    DLxDrawing* GetDrawing() const;
    RSeRef<FBxLayerStyle> GetLayerStyle() const;
    RSeRef<DUxTableStylePartsList> GetSymbolStyle() const;
    RSeRef<DLxSheet> GetSheetInstance() const;

    const WqGePoint3d& GetOrigin() const { return m_origin; }
    void SetOrigin(const WqGePoint3d& origin) { m_origin = origin; }
    int32_t GetWrapMode() const { return m_wrapMode; }
    void SetWrapMode(int32_t mode) { m_wrapMode = mode; }
    int32_t GetWrapDirection() const { return m_wrapDir; }
    void SetWrapDirection(int32_t dir) { m_wrapDir = dir; }
    int32_t GetWrapRowCount() const { return m_wrapRowCount; }
    void SetWrapRowCount(int32_t count) { m_wrapRowCount = count; }
    int32_t GetWrapSectionCount() const { return m_wrapSectionCount; }
    void SetWrapSectionCount(int32_t count) { m_wrapSectionCount = count; }
    bool IsWrapEnabled() const { return m_wrappingEnabled; }
    void SetIsWrapEnabled(bool enabled) { m_wrappingEnabled = enabled; }
    void SetSheetInstance(const RSeRef<DLxSheet>& sheet) { m_sheet = sheet; }
    void SetLayerStyle(const RSeRef<FBxLayerStyle>& style) { m_layerStyle = style; }
    void SetSymbolStyle(const RSeRef<DUxTableStylePartsList>& style) { m_symbolStyle = style; }
    const std::u16string& GetMemberName() const { return m_memberName; }
    void SetMemberName(const std::u16string& name) { m_memberName = name; }
    const std::u16string& GetDesignView() const { return m_designView; }
    void SetDesignView(const std::u16string& name) { m_designView = name; }

    uint32_t GetSLevelID() const { return m_sLevelID; }
    void SetSLevelID(uint32_t level) { m_sLevelID = level; }
    uint32_t GetMinDigits() const { return m_minDigits; }
    void SetMinDigits(uint32_t digits) { m_minDigits = digits; }
    bool GetPONumbering() const { return m_poNumbering; }
    void SetPONumbering(bool numeric) { m_poNumbering = numeric; }
    bool GetPOUpperCase() const { return m_poUpperCase; }
    void SetPOUpperCase(bool upper) { m_poUpperCase = upper; }
    // Codes 1 to 6: numeric with that many digits at least; 7 upper-case letters, 8 lower-case
    // letters; any other code changes nothing.
    int32_t GetNumberingFormat() const;
    void SetNumberingFormat(int32_t code);

    bool IsSchemeChangeEnabled() const { return m_schemeChangeEnabled; }
    bool IsSchemeOptionsChangeEnabled() const { return m_schemeOptionsChangeEnabled; }
    bool IsFactory() const { return m_isFactory; }
    bool IsInRequest() const { return m_inRequest; }
    void SetInRequest(bool inRequest) { m_inRequest = inRequest; }
    uint32_t GetCmdTxnId() const { return m_cmdTxnId; }

private:
    void CommonConstruct();
    void SetSourceRep(const DLxAssemblyData* rep, bool resolve);
    bool EnsureSchemeEnabled();
    // The scheme's options as the model has them: format, delimiter and structure level.
    void TakeSchemeOptions(const DLxAssemblyData& model, int32_t scheme);

    DLxDrawingDoc* m_doc = nullptr;
    mutable DLxDrawing* m_drawing = nullptr;
    RSeRef<FBxLayerStyle> m_layerStyle;
    RSeRef<DUxTableStylePartsList> m_symbolStyle;
    RSeRef<DLxSheet> m_sheet;
    RSeRef<DLxLocalBOM> m_localBOM;
    std::vector<RSeRef<DLxLocalBOM>> m_localBOMs;
    std::u16string m_filename;
    WqGePoint3d m_origin;
    int32_t m_wrapMode = 1;
    int32_t m_wrapDir = 0;
    int32_t m_wrapRowCount = 10;
    int32_t m_wrapSectionCount = 1;
    bool m_wrappingEnabled = false;
    bool m_schemeChangeEnabled = true;
    bool m_inRequest = false;
    uint32_t m_sLevelID = 1;
    uint32_t m_minDigits = 1;
    bool m_poNumbering = true;
    bool m_poUpperCase = true;
    bool m_schemeOptionsChangeEnabled = true;
    std::u16string m_memberName;
    std::u16string m_designView;
    bool m_isFactory = false;
    bool m_masterRepEdited = false;
    uint32_t m_cmdTxnId = kNoTxn;
};
