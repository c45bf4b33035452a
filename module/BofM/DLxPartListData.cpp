#include "BofM/DLxPartListData.h"

#include <algorithm>

#include "Standard/DLxStdStyles.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSheet.h"
#include "dl/DLxTDXUtil.h"
#include "dl/GBxBOMDescriptor.h"
#include "du/DUxTableStyle.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FWxTranscriptMgr.h"
#include "rse/RSeDatabase.h"

namespace {

constexpr int32_t kLegacyOptions = 0x82;
constexpr int32_t kLegacyPartsOnlyOptions = 0x83;
constexpr uint32_t kLegacyOptionsMask = 0x1FF;

// File paths compare as the file system names them: without regard to case or to the kind of
// separator.
bool SameFilePath(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return false;
    auto fold = [](char16_t c) -> char16_t {
        if (c == u'\\') return u'/';
        if (c >= u'A' && c <= u'Z') return char16_t(c - u'A' + u'a');
        return c;
    };
    for (size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

const DLxAssemblyComponent* RootOf(const DLxAssemblyData& model) {
    for (const DLxAssemblyComponent& c : model.components)
        if (c.id == model.root) return &c;
    return nullptr;
}

} // namespace

DLxPartListData::DLxPartListData() {
    CommonConstruct();
}

DLxPartListData::DLxPartListData(DLxDrawingDoc* doc) {
    CommonConstruct();
    SetDocument(doc);
}

DLxPartListData::DLxPartListData(const DLxPartListData& other)
    : DLxLocalBOMSetup(other),
      m_doc(other.m_doc),
      m_drawing(other.m_drawing),
      m_layerStyle(other.m_layerStyle),
      m_symbolStyle(other.m_symbolStyle),
      m_sheet(other.m_sheet),
      m_localBOMs(other.m_localBOMs),
      m_filename(other.m_filename),
      m_origin(other.m_origin),
      m_wrapMode(other.m_wrapMode),
      m_wrapDir(other.m_wrapDir),
      m_wrapRowCount(other.m_wrapRowCount),
      m_wrapSectionCount(other.m_wrapSectionCount),
      m_wrappingEnabled(other.m_wrappingEnabled),
      m_schemeChangeEnabled(false),
      m_inRequest(other.m_inRequest),
      m_sLevelID(other.m_sLevelID),
      m_minDigits(other.m_minDigits),
      m_poNumbering(other.m_poNumbering),
      m_poUpperCase(other.m_poUpperCase),
      m_schemeOptionsChangeEnabled(other.m_schemeOptionsChangeEnabled),
      m_memberName(other.m_memberName),
      m_designView(other.m_designView),
      m_isFactory(other.m_isFactory),
      m_masterRepEdited(false),
      m_cmdTxnId(kNoTxn) {}

DLxPartListData::~DLxPartListData() = default;

void DLxPartListData::CommonConstruct() {
    m_origin = WqGePoint3d();
    m_wrapMode = 1;
    m_wrapDir = 0;
    m_wrapRowCount = 10;
    m_wrapSectionCount = 1;
    m_wrappingEnabled = false;
    m_schemeChangeEnabled = true;
    m_inRequest = false;
    m_sLevelID = 1;
    m_minDigits = 1;
    m_poNumbering = true;
    m_poUpperCase = true;
    m_schemeOptionsChangeEnabled = true;
    m_isFactory = false;
    m_masterRepEdited = false;
    m_cmdTxnId = kNoTxn;
}

void DLxPartListData::SetDocument(DLxDrawingDoc* doc) {
    m_drawing = nullptr;
    m_localBOMs.clear();
    if (!doc) return;
    m_doc = doc;
    m_drawing = doc->GetDrawing();
    if (!m_drawing) return;
    for (DLxLocalBOM* bom : DLxLocalBOMMgr::GetLocalBOMs(doc->GetRSeDb()))
        m_localBOMs.emplace_back(bom);
}

DLxDrawing* DLxPartListData::GetDrawing() const {
    if (!m_drawing && m_doc) m_drawing = m_doc->GetDrawing();
    return m_drawing;
}

RSeRef<FBxLayerStyle> DLxPartListData::GetLayerStyle() const {
    // A null layer style puts the table on the document's active layer.
    return m_layerStyle;
}

RSeRef<DUxTableStylePartsList> DLxPartListData::GetSymbolStyle() const {
    if (m_symbolStyle.HasTarget() || !m_doc) return m_symbolStyle;
    return RSeRef<DUxTableStylePartsList>(DLxStdStyles::GetPartsListStyle(m_doc));
}

RSeRef<DLxSheet> DLxPartListData::GetSheetInstance() const {
    if (m_sheet.HasTarget() || !m_doc) return m_sheet;
    return RSeRef<DLxSheet>(m_doc->GetActiveSheet());
}

const DLxAssemblyData* DLxPartListData::GetRep() const {
    if (!m_doc) return nullptr;
    const DLxAssemblyData* model = m_doc->GetAssembly();
    if (!model || model->Empty()) return nullptr;
    const DLxAssemblyComponent* root = RootOf(*model);
    if (!root || !SameFilePath(root->path, m_filename)) return nullptr;
    return model;
}

void DLxPartListData::SetFilename(const std::u16string& filename) {
    m_filename = filename;
    m_localBOM = RSeRef<DLxLocalBOM>();
    SetSourceRep(GetRep(), true);
}

void DLxPartListData::SetSourceFromDrawing(bool resolve) {
    const DLxAssemblyData* model = m_doc ? m_doc->GetAssembly() : nullptr;
    const DLxAssemblyComponent* root = model ? RootOf(*model) : nullptr;
    if (root) m_filename = root->path;
    SetSourceRep(GetRep(), resolve);
}

void DLxPartListData::SetSourceRep(const DLxAssemblyData* rep, bool resolve) {
    const DLxAssemblyComponent* root = rep ? RootOf(*rep) : nullptr;
    m_isFactory = root && root->isFactory;
    if (m_isFactory || (rep && DLxLocalBOMMgr::IsFromPartOnlyDocument(*rep))) {
        SetSchemeIDRaw(1);
        m_sLevelID = 1;
        m_minDigits = 1;
    }
    if (!resolve) return;
    RSeRef<DLxLocalBOM> found = root ? FindLocalBOMForPath(root->path) : RSeRef<DLxLocalBOM>();
    if (found.HasTarget()) {
        SetLocalBOM(found);
    } else {
        m_schemeChangeEnabled = true;
        SetSchemeID(GetSchemeID());
    }
}

RSeRef<DLxLocalBOM> DLxPartListData::FindLocalBOMForPath(const std::u16string& path) const {
    for (const RSeRef<DLxLocalBOM>& ref : m_localBOMs) {
        const DLxLocalBOM* bom = ref.get();
        if (!bom) continue;
        const DLxAssemblyComponent* root = bom->GetMasterComponent();
        if (root && SameFilePath(root->path, path)) return ref;
    }
    return {};
}

void DLxPartListData::TakeSchemeOptions(const DLxAssemblyData& model, int32_t scheme) {
    const GBxBOMDescriptor descriptor(model);
    if (scheme == 1) {
        if (int32_t code = descriptor.GetBOMStructuredFormat(); code != 0) {
            SetNumberingFormat(code);
            SetDelimiter(descriptor.GetBOMStructuredDelimiter());
        }
        m_sLevelID = descriptor.IsBOMStructuredAllLevels() ? 2 : 1;
    } else if (scheme == 2) {
        if (int32_t code = descriptor.GetBOMAllPartsFormat(); code != 0) SetNumberingFormat(code);
    }
}

void DLxPartListData::SetLocalBOM(const RSeRef<DLxLocalBOM>& ref) {
    m_localBOM = ref;
    const DLxLocalBOM* bom = ref.get();
    if (!bom) return;
    m_schemeChangeEnabled = false;
    m_schemeOptionsChangeEnabled = false;
    SetSchemeIDRaw(bom->GetSchemeID());
    if (bom->IsLegacyBOM()) {
        SetLegacyOptions(bom->IsPartsOnlyBOM() ? kLegacyPartsOnlyOptions : kLegacyOptions);
        return;
    }
    SetLegacyOptions(0);
    const DLxAssemblyData* model = bom->GetAssembly();
    if (!model || !bom->GetDescriptor()) return;
    TakeSchemeOptions(*model, bom->GetSchemeID());
}

void DLxPartListData::SetSchemeID(int32_t scheme) {
    SetSchemeIDRaw(scheme);
    if (scheme == 0) {
        m_schemeOptionsChangeEnabled = true;
        return;
    }
    const DLxAssemblyData* model = GetRep();
    if (!model) return;
    const bool enabled = GBxBOMDescriptor(*model).IsBOMSchemeEnabled(scheme);
    m_schemeOptionsChangeEnabled = !enabled;
    if (enabled) TakeSchemeOptions(*model, scheme);
}

bool DLxPartListData::EnsureSchemeEnabled() {
    const DLxAssemblyData* rep = GetRep();
    if (!rep) return false;
    if (GetSchemeID() == 0 && GetLegacyOptions() != 0) return true;
    if (DLxLocalBOMMgr::HasSchemeEnabled(*rep, GetSchemeID())) return true;
    DLxAssemblyData model = *rep;
    if (m_schemeOptionsChangeEnabled) {
        // The numbering chosen here becomes the model's own for that scheme.
        if (GetSchemeID() == 1) {
            model.scheme.structuredFormat = GetNumberingFormat();
            model.scheme.structuredDelimiter = GetDelimiter();
        } else if (GetSchemeID() == 2) {
            model.scheme.partsOnlyFormat = GetNumberingFormat();
        }
    }
    if (DLxLocalBOMMgr::EnableBomSchema(model, GetSchemeID(), m_sLevelID == 2).Failed())
        return false;
    if (!m_doc->SetAssembly(model)) return false;
    m_masterRepEdited = true;
    return true;
}

RSeRef<DLxLocalBOM> DLxPartListData::GetLocalBOM(bool create) {
    if (m_localBOM.HasTarget() || !create) return m_localBOM;
    const DLxAssemblyData* rep = GetRep();
    if (!rep) return {};
    if (const DLxAssemblyComponent* root = RootOf(*rep)) {
        RSeRef<DLxLocalBOM> found = FindLocalBOMForPath(root->path);
        if (found.HasTarget()) m_localBOM = found;
    }
    if (!EnsureSchemeEnabled()) return {};
    if (m_localBOM.HasTarget()) return m_localBOM;
    // Enabling the scheme may have replaced the drawing's model.
    rep = GetRep();
    if (!rep) return {};
    m_localBOM = RSeRef<DLxLocalBOM>(DLxLocalBOMMgr::GetLocalBOM(m_doc->GetRSeDb(), *rep,
                                                                 *static_cast<DLxLocalBOMSetup*>(this),
                                                                 true));
    return m_localBOM;
}

bool DLxPartListData::PreTransactionValidityCheck(bool) const {
    // Without a source there is nothing to check; with one, the scheme is either enabled already
    // or can be: the drawing's model is held in memory and always takes a new scheme.
    return true;
}

bool DLxPartListData::StartCmdTxn() {
    RSeDatabase* db = m_doc ? m_doc->GetRSeDb() : nullptr;
    if (!db || db->InTxn()) return false;
    db->BeginTxn();
    // One transaction at a time: the database's open one is the command's.
    m_cmdTxnId = 0;
    return true;
}

void DLxPartListData::AbortCmdTxn() {
    if (m_cmdTxnId == kNoTxn) return;
    m_cmdTxnId = kNoTxn;
    RSeDatabase* db = m_doc ? m_doc->GetRSeDb() : nullptr;
    if (db && db->InTxn()) db->AbortTxn();
    // What the transaction made is gone: the bill found or made in it with it.
    m_localBOM = RSeRef<DLxLocalBOM>();
}

int32_t DLxPartListData::GetNumberingFormat() const {
    if (m_poNumbering) return int32_t(m_minDigits);
    return m_poUpperCase ? 7 : 8;
}

void DLxPartListData::SetNumberingFormat(int32_t code) {
    if (code >= 1 && code <= 6) {
        m_minDigits = uint32_t(code);
        m_poNumbering = true;
    } else if (code == 7 || code == 8) {
        m_poNumbering = false;
        m_poUpperCase = code == 7;
    }
}

UTxResult DLxPartListData::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    using namespace DLxTDXUtil;
    const bool reading = tdx.IsReading();
    if (reading) SetDocument(dynamic_cast<DLxDrawingDoc*>(tdx.GetDocument()));
    UTxString16 filename = m_filename;
    if (Transcript(tdx, u"Filename", filename, true) && reading) m_filename = filename;
    Transcript(tdx, u"LayerStyle", m_layerStyle, true);
    Transcript(tdx, u"SymbolStyle", m_symbolStyle, true);
    Transcript(tdx, u"Origin", m_origin, true);
    Transcript(tdx, u"WrapMode", m_wrapMode, true);
    Transcript(tdx, u"WrapDir", m_wrapDir, true);
    Transcript(tdx, u"WrapRowCount", m_wrapRowCount, true);
    Transcript(tdx, u"WrapSectionCount", m_wrapSectionCount, true);
    Transcript(tdx, u"WrappingEnabled", m_wrappingEnabled, true);
    // Lines written before these keys existed leave the defaults.
    Transcript(tdx, u"SheetInstance", m_sheet, !reading);
    UTxString16 member = m_memberName;
    if (Transcript(tdx, u"MemberName", member, !reading) && reading) m_memberName = member;
    UTxString16 view = m_designView;
    if (Transcript(tdx, u"DesignView", view, !reading) && reading) m_designView = view;
    DoTranscriptDataExchangeLocalBOM(tdx);
    if (reading) {
        m_masterRepEdited = false;
        m_cmdTxnId = kNoTxn;
    }
    return {};
}

UTxResult DLxPartListData::DoTranscriptDataExchangeLocalBOM(UCxTranscriptDataExchange& tdx) {
    using namespace DLxTDXUtil;
    const bool reading = tdx.IsReading();
    if (reading) SetDocument(dynamic_cast<DLxDrawingDoc*>(tdx.GetDocument()));
    FWxTranscriptMgr& mgr = tdx.GetTranscriptMgr();
    auto present = [&](const char16_t* key) {
        return !reading || mgr.ArgumentExists(tdx.GetLine(), key);
    };
    if (present(u"Delimiter")) {
        UTxString16 delimiter = GetDelimiter();
        if (Transcript(tdx, u"Delimiter", delimiter, true) && reading) SetDelimiter(delimiter);
    }
    if (reading && mgr.ArgumentExists(tdx.GetLine(), u"IsComponent")) {
        bool component = false;
        if (Transcript(tdx, u"IsComponent", component, true)) SetSchemeID(component ? 1 : 2);
    } else {
        // Exchanged as required even when absent: a line has either key.
        uint32_t scheme = uint32_t(GetSchemeID());
        if (Transcript(tdx, u"SchemeID", scheme, true) && reading) SetSchemeIDRaw(int32_t(scheme));
    }
    if (present(u"LegacyOptions")) {
        uint32_t options = uint32_t(GetLegacyOptions());
        if (Transcript(tdx, u"LegacyOptions", options, true) && reading) {
            if (options == 0)
                SetLegacyOptions(0);
            else
                SetLegacyOptions(int32_t(uint32_t(GetLegacyOptions()) | (options & kLegacyOptionsMask)));
        }
    }
    if (present(u"Inheritance")) {
        bool inherit = GetInheritance();
        if (Transcript(tdx, u"Inheritance", inherit, true) && reading) SetInheritance(inherit);
    }
    if (present(u"SLevelID")) Transcript(tdx, u"SLevelID", m_sLevelID, true);
    if (present(u"MinDigits")) Transcript(tdx, u"MinDigits", m_minDigits, true);
    if (present(u"PONumbering")) Transcript(tdx, u"PONumbering", m_poNumbering, true);
    if (present(u"POUpperCase")) Transcript(tdx, u"POUpperCase", m_poUpperCase, true);
    if (present(u"SetupScheme")) Transcript(tdx, u"SetupScheme", m_schemeOptionsChangeEnabled, true);
    return {};
}
