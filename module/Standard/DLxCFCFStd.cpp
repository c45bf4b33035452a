#include "Standard/DLxCFCFStd.h"

#include "Request/DLxRequestUtil.h"
#include "Standard/DLxStdLength.h"
#include "Standard/DLxStdNorms.h"
#include "Symbol/DLxGDTState.h"
#include "Symbol/KorvuModule.h"
#include "dl/DLxTDXUtil.h"
#include "du/DUxAuxEntFactory.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxStandard.h"
#include "du/DUxSymUnitAttr.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {
// Glyphs of types 1 to 30 in the GD&T symbol font; 25 and 20 escape their brace, which the
// host's formatted text would read as a group.
const char* const kGlyphs[30] = {"u", "c", "e", "g", "k",   "d", "a",    "b",    "f",    "j",
                                 "r", "i", "h", "t", "l",   "m", "p",    "$",    "@",    "\\{",
                                 "s", "?", "n", "#", "\\}", "o", "\xA3", "\xA4", "\xA2", "\xA1"};

// Windows-1252 and Latin-1 agree on every byte the glyphs use.
UTxString16 Widen(const char* s) {
    UTxString16 w;
    for (; *s; ++s)
        w += char16_t(static_cast<unsigned char>(*s));
    return w;
}

struct GdtRow {
    int32_t type;
    uint32_t name;
    uint32_t ansiName;
    uint32_t bitmap;
};
// Types 12 and 13 stand in the order 13, 12.
const GdtRow kGdtRows[14] = {
    {1, 8333, 8333, 7764},  {2, 8320, 8320, 7754},  {3, 8318, 8318, 7752},  {4, 8319, 8319, 7753},
    {5, 8324, 8325, 7759},  {6, 8326, 8327, 7761},  {7, 8315, 8315, 7750},  {8, 8322, 8322, 7757},
    {9, 8321, 8321, 7756},  {10, 8323, 8323, 7758}, {11, 8316, 8317, 7751}, {13, 8329, 8332, 7762},
    {12, 8334, 8334, 7765}, {14, 8330, 8331, 7763},
};
} // namespace

DLxCFCFStd::DLxCFCFStd(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
    : DUxCategoryDefault(doc, category, standard) {
    m_SymUnitAttr = RSeRef<DUxSymUnitAttr>(new (
        RSe::_GetMeta(static_cast<const DUxSymUnitAttr*>(nullptr)), GetSegment()) DUxSymUnitAttr());
}

bool DLxCFCFStd::setFactoryDefaults() {
    BaseFactoryDefaults();
    return true;
}

void DLxCFCFStd::BaseFactoryDefaults() {
    RSe::PrepareWrite(this);
    m_SepProjected = false;
    m_SepDatumId = false;
    m_MergeSymbol = true;
    m_MergeTolerance = false;
    m_MergeDatum = false;
    m_EndPadding = false;
    m_FrameGap = DLxStdCm(2.0);
    m_WhiteSpace = DLxStdCm(0.1);
    m_UseCommonSetting = true;
    m_GdtSymbols.assign(14, 1);
    m_AuxSymbols.assign(3, 1);
    if (m_SymUnitAttr.HasTarget()) m_SymUnitAttr->SetFactoryDefaults();
}

double DLxCFCFStd::GetStandardTextHeight() const {
    return DUxStandardUtil::GetTextHeight(GetDocument(), GetStandardGUID());
}

uint32_t DLxCFCFStd::GdtMaskBit(int32_t type) {
    static const uint32_t kBits[14] = {0x1,  0x2,  0x4,   0x2000, 0x8,   0x10,  0x20,
                                       0x40, 0x80, 0x100, 0x200,  0x800, 0x400, 0x1000};
    return type >= 1 && type <= 14 ? kBits[type - 1] : 0;
}

uint32_t DLxCFCFStd::AuxMaskBit(int32_t type) {
    static const uint32_t kBits[12] = {0x2,  0x1,  0x4,   0x8,  0x10,  0x200,
                                       0x20, 0x40, 0x100, 0x80, 0x400, 0x800};
    return type >= 15 && type <= 26 ? kBits[type - 15] : 0;
}

void DLxCFCFStd::CopyToStyle(const RSeRef<FWxStyle>& ref) {
    RSeRef<DUxFeatureControlFrameStyle> style = RSeRefCast<DUxFeatureControlFrameStyle>(ref);
    if (style.IsNull()) return;
    DUxFeatureControlFrameStyle& st = *style;
    auto copyBool = [&st](bool have, bool want, void (DUxFeatureControlFrameStyle::*set)(bool)) {
        if (have == want) return;
        (st.*set)(want);
        st.MarkEdited(1);
    };
    copyBool(st.GetMergeSymbol(), m_MergeSymbol, &DUxFeatureControlFrameStyle::SetMergeSymbol);
    copyBool(st.GetMergeTolerance(), m_MergeTolerance,
             &DUxFeatureControlFrameStyle::SetMergeTolerance);
    copyBool(st.GetMergeDatum(), m_MergeDatum, &DUxFeatureControlFrameStyle::SetMergeDatum);
    copyBool(st.GetEndPadding(), m_EndPadding, &DUxFeatureControlFrameStyle::SetEndPadding);
    copyBool(st.GetUseCommonSetting(), m_UseCommonSetting,
             &DUxFeatureControlFrameStyle::SetUseCommonSetting);
    if (st.GetWhiteSpace() != m_WhiteSpace) {
        st.SetWhiteSpace(m_WhiteSpace);
        st.MarkEdited(1);
    }
    if (m_SymUnitAttr.HasTarget()) {
        const DUxSymUnitAttr& u = *m_SymUnitAttr;
        const int32_t values[] = {
            u.GetPrimUnitType(),         u.GetPrimDecimalMarker(),     u.GetDisplayPrimUnitStr(),
            u.GetPrimSuppressLeadZero(), u.GetPrimSuppressTrailZero(), u.GetDisplayType(),
            u.GetDisplayAltUnit(),       u.GetAltUnitType(),           u.GetAltDecimalMarker(),
            u.GetDisplayAltUnitStr(),    u.GetAltSuppressLeadZero(),   u.GetAltSuppressTrailZero(),
            u.GetAltPrecision()};
        for (int32_t f = 0; f < int32_t(DUxUnitField::Count); ++f) {
            if (st.GetUnitValue(DUxUnitField(f)) == values[f]) continue;
            st.SetUnitValue(DUxUnitField(f), values[f]);
            st.MarkEdited(1);
        }
    }
    st.SetStyleDescription(GetStandardReference());
    DLxSymbolDescs gdt, aux;
    GetGdtSymbolDescs(gdt);
    GetAuxSymbolDescs(aux);
    uint32_t gdtMask = 0, auxMask = 0;
    for (const auto& d : gdt)
        if (d->m_enabled) gdtMask += GdtMaskBit(d->m_value);
    for (const auto& d : aux)
        if (d->m_enabled) auxMask += AuxMaskBit(d->m_value);
    st.SetGdtSymbols(gdtMask);
    st.SetAuxSymbols(auxMask);
}

void DLxCFCFStd::AddSymbolDesc(DLxSymbolDescs& list, uint32_t nameId, uint32_t bitmapId,
                               const std::vector<uint32_t>& enable, int32_t position,
                               int32_t type) {
    auto d = std::make_unique<DLxCSymbolDesc>();
    HMODULE res = KorvuGetResourceHandle();
    if (res) {
        if (auto text = FindStringResource(res, nameId)) d->m_name = UTxString16(*text);
        d->m_hBitmap = FindBitmapResource(res, bitmapId);
    }
    d->m_value = type;
    // A shorter enable vector leaves the missing positions off.
    d->m_enabled = size_t(position) < enable.size() && enable[size_t(position)] != 0;
    d->m_position = position;
    d->m_nameId = nameId;
    d->m_bitmapId = bitmapId;
    list.push_back(std::move(d));
}

void DLxCFCFStd::FillGdt(DLxSymbolDescs& list, bool ansiNames) const {
    list.clear();
    for (int32_t i = 0; i < 14; ++i) {
        const GdtRow& r = kGdtRows[i];
        AddSymbolDesc(list, ansiNames ? r.ansiName : r.name, r.bitmap, m_GdtSymbols, i, r.type);
    }
}

void DLxCFCFStd::FillAux(DLxSymbolDescs& list, const std::vector<AuxEntry>& entries) const {
    list.clear();
    for (size_t i = 0; i < entries.size(); ++i)
        AddSymbolDesc(list, entries[i].nameId, entries[i].bitmapId, m_AuxSymbols, int32_t(i),
                      entries[i].type);
}

bool DLxCFCFStd::MarkStateSymbols(DLxSymbolDescs& list, const RSeRef<DLxGDTState>& state) const {
    if (state.IsNull()) return false;
    int32_t s0 = 0, s1 = 0;
    state->GetSymbol(0, s0);
    state->GetSymbol(1, s1);
    for (auto& d : list)
        if (d->m_value == s0 || d->m_value == s1) d->m_enabled = true;
    return true;
}

bool DLxCFCFStd::GetGdtSymbolDescsForState(DLxSymbolDescs& list, const RSeRef<DLxGDTState>& state) {
    if (state.IsNull()) return false;
    GetGdtSymbolDescs(list);
    return MarkStateSymbols(list, state);
}

void DLxCFCFStd::GetGdtSymbolDescs(DLxSymbolDescs& list) {
    FillGdt(list, false);
}

void DLxCFCFStd::GetAuxSymbolDescs(DLxSymbolDescs& list) {
    FillAux(list, BaseAux());
}

void DLxCFCFStd::DrawCircleSymbol(SMxDisplayList& list, const WqGeMatrix3d& xform) {
    DUxCAuxCircle c(WqGePoint3d::kOrigin, 0.9 * GetStandardTextHeight(), WqGeVector3d::kZAxis,
                    false);
    c.TransformBy(xform);
    c.Draw(list);
}

void DLxCFCFStd::GetCircleSymbolExtents(BBox& extents, const WqGeMatrix3d& xform) {
    DUxCAuxCircle c(WqGePoint3d::kOrigin, 0.9 * GetStandardTextHeight(), WqGeVector3d::kZAxis,
                    false);
    c.TransformBy(xform);
    c.AddExtents(extents);
}

void DLxCFCFStd::CreateCircleSymbol(DUxCAuxEntArray& array, const WqGeMatrix3d& xform) {
    DUxAuxEntFactory::CreateCircleByCenter(array, WqGePoint3d::kOrigin,
                                           0.9 * GetStandardTextHeight(), false, xform, nullptr,
                                           GetSegment());
}

bool DLxCFCFStd::GetSymbolString(int32_t type, UTxString16& out) {
    return GetSymbolGlyph(type, out);
}

bool DLxCFCFStd::BaseGlyph(int32_t type, int32_t last, UTxString16& out) {
    if (type < 1 || type > last) return false;
    out = Widen(kGlyphs[type - 1]);
    return true;
}

bool DLxCFCFStd::GetSymbolGlyph(int32_t type, UTxString16& out) {
    return BaseGlyph(type, 25, out);
}

bool DLxCFCFStd::GetSymbolType(const UTxString16& glyph, int32_t& type) {
    for (int32_t t = 1; t <= 26; ++t)
        if (glyph == Widen(kGlyphs[t - 1])) {
            type = t;
            return true;
        }
    return false;
}

bool DLxCFCFStd::LayoutGlyph(int32_t type, std::string& glyph) {
    if (type < 1 || type > 30) return false;
    glyph = kGlyphs[type - 1];
    return true;
}

void DLxCFCFStd::ResetValueVisibility(DLxGDTState& state) {
    for (int32_t i = 0; i < state.GetNumberOfLines(); ++i) {
        state.SetVariableStatus(DLxGDTState::kSymbolValue, i, DUxValue::kOffered);
        state.SetVariableStatus(DLxGDTState::kDatumA, i, DUxValue::kWithdrawn);
        state.SetVariableStatus(DLxGDTState::kDatumB, i, DUxValue::kWithdrawn);
        state.SetVariableStatus(DLxGDTState::kDatumC, i, DUxValue::kWithdrawn);
        state.SetVariableStatus(DLxGDTState::kToleranceA, i, DUxValue::kWithdrawn);
        state.SetVariableStatus(DLxGDTState::kToleranceB, i, DUxValue::kWithdrawn);
    }
    state.SetVariableStatus(DLxGDTState::kDatumIdentifier, 0, DUxValue::kVisibilityDefault);
}

void DLxCFCFStd::SetDefaultValueVisibility(const RSeRef<DLxGDTState>& ref) {
    if (ref.IsNull()) return;
    DLxGDTState& st = *ref;
    ResetValueVisibility(st);
    for (int32_t i = 0; i < st.GetNumberOfLines(); ++i) {
        int32_t sym = 0;
        st.GetSymbol(i, sym);
        if (!sym) continue;
        st.SetVariableStatus(DLxGDTState::kToleranceA, i, DUxValue::kOffered);
        if (st.Value(DLxGDTState::kToleranceA, i).empty()) continue;
        st.SetVariableStatus(DLxGDTState::kDatumA, i, DUxValue::kOffered);
        if (st.Value(DLxGDTState::kDatumA, i).empty()) continue;
        st.SetVariableStatus(DLxGDTState::kDatumB, i, DUxValue::kOffered);
        if (st.Value(DLxGDTState::kDatumB, i).empty()) continue;
        st.SetVariableStatus(DLxGDTState::kDatumC, i, DUxValue::kOffered);
    }
}

void DLxCFCFStd::SetDefaultSymbol(const RSeRef<DLxGDTState>& ref) {
    if (ref.IsNull()) return;
    DLxSymbolDescs list;
    GetGdtSymbolDescs(list);
    int32_t symbol = 0;
    for (const auto& d : list)
        if (d->m_enabled && d->m_value == 10) symbol = 10;
    if (!symbol)
        for (const auto& d : list)
            if (d->m_enabled) {
                symbol = d->m_value;
                break;
            }
    ref->SetSymbol(0, symbol);
}

UTxResult DLxCFCFStd::Transcript(UCxTranscriptDataExchange& tdx, const UTxString16& prefix,
                                 bool flag) {
    if (tdx.IsReading()) RSe::PrepareWrite(this);
    auto key = [&prefix](const char16_t* name) { return prefix + u"_" + name; };
    _TDX_Bool(tdx, key(u"SepProjected").c_str(), m_SepProjected, flag);
    _TDX_Bool(tdx, key(u"SepDatumId").c_str(), m_SepDatumId, flag);
    _TDX_Bool(tdx, key(u"MergeSymbol").c_str(), m_MergeSymbol, flag);
    _TDX_Bool(tdx, key(u"MergeTolerance").c_str(), m_MergeTolerance, flag);
    _TDX_Bool(tdx, key(u"MergeDatum").c_str(), m_MergeDatum, flag);
    _TDX_Bool(tdx, key(u"EndPadding").c_str(), m_EndPadding, flag);
    _TDX_Double(tdx, key(u"FrameGap").c_str(), m_FrameGap, flag);
    _TDX_Double(tdx, key(u"WhiteSpace").c_str(), m_WhiteSpace, flag);
    _TDX_Uint32Vect(tdx, key(u"AuxSymbols").c_str(), m_AuxSymbols, flag);
    _TDX_Uint32Vect(tdx, key(u"GdtSymbols").c_str(), m_GdtSymbols, flag);
    _TDX_Bool(tdx, key(u"UseCommonSetting").c_str(), m_UseCommonSetting, flag);
    if (tdx.IsReading() && m_SymUnitAttr.HasTarget()) {
        RSe::DeleteObject(m_SymUnitAttr.get());
        m_SymUnitAttr.Clear();
    }
    DLxTDXUtil::Transcript(tdx, key(u"SymUnitAttr").c_str(), m_SymUnitAttr, flag);
    auto one = [](UCxTranscriptDataExchange& t, const char16_t* k, uint32_t& v, bool req) {
        return _TDX_Int(t, k, v, req);
    };
    DLxTranscriptVector(tdx, key(u"GdtSymbols").c_str(), m_GdtSymbols, flag, one);
    DLxTranscriptVector(tdx, key(u"AuxSymbols").c_str(), m_AuxSymbols, flag, one);
    return tdx.GetResult();
}

// ---- the standards

namespace {
template <class T>
RSeRef<DUxCategoryDefault> MakeFcf(FWxSceneDoc* doc, RSeSegment* segment, int32_t category,
                                   const UTxGUID& standard) {
    if (!segment) return {};
    T* obj =
        new (RSe::_GetMeta(static_cast<const T*>(nullptr)), segment) T(doc, category, standard);
    if (!obj) return {};
    obj->setFactoryDefaults();
    return RSeRef<DUxCategoryDefault>(obj);
}
} // namespace

RSeRef<DUxCategoryDefault> DLxCFCFStd::CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* seg,
                                                             int32_t category,
                                                             const UTxGUID& standard) {
    return MakeFcf<DLxCFCFStd>(doc, seg, category, standard);
}

#define DLX_FCF_COMMON(Cls, Which)                                                                 \
    RSeRef<DUxCategoryDefault> Cls::CreateCategoryDefault(                                         \
        FWxSceneDoc* doc, RSeSegment* seg, int32_t category, const UTxGUID& standard) {            \
        return MakeFcf<Cls>(doc, seg, category, standard);                                         \
    }                                                                                              \
    UTxString16 Cls::GetStandardReference() const {                                                \
        return DLxNormTitle(DLxStdKind::FCF, DLxStdWhich::Which);                                  \
    }

DLX_FCF_COMMON(DLxCFCFStdANSI, ANSI)
DLX_FCF_COMMON(DLxCFCFStdBSI, BSI)
DLX_FCF_COMMON(DLxCFCFStdDIN, DIN)
DLX_FCF_COMMON(DLxCFCFStdGB, GB)
DLX_FCF_COMMON(DLxCFCFStdISO, ISO)
DLX_FCF_COMMON(DLxCFCFStdJIS, JIS)

bool DLxCFCFStdANSI::setFactoryDefaults() {
    BaseFactoryDefaults();
    m_WhiteSpace = DLxStdCm(0.089);
    SetAuxCount(9);
    return true;
}

bool DLxCFCFStdANSI::GetGdtSymbolDescsForState(DLxSymbolDescs& list,
                                               const RSeRef<DLxGDTState>& state) {
    if (state.IsNull()) return false;
    GetGdtSymbolDescs(list);
    return MarkStateSymbols(list, state);
}

void DLxCFCFStdANSI::GetGdtSymbolDescs(DLxSymbolDescs& list) {
    FillGdt(list, true);
}

void DLxCFCFStdANSI::GetAuxSymbolDescs(DLxSymbolDescs& list) {
    FillAux(list, {{16, 8380, 7772},
                   {15, 8377, 7771},
                   {17, 8384, 7775},
                   {18, 8388, 7778},
                   {19, 8376, 7770},
                   {21, 8386, 7776},
                   {22, 8387, 7777},
                   {24, 8373, 7767},
                   {23, 8374, 7768}});
}

void DLxCFCFStdANSI::SetDefaultValueVisibility(const RSeRef<DLxGDTState>& ref) {
    if (ref.IsNull()) return;
    DLxGDTState& st = *ref;
    ResetValueVisibility(st);
    for (int32_t i = 0; i < st.GetNumberOfLines(); ++i) {
        int32_t sym = 0;
        st.GetSymbol(i, sym);
        // An unframed line without symbol is a note line of the frame: it shows its text.
        if (!sym && st.IsFramed(i)) continue;
        st.SetVariableStatus(DLxGDTState::kToleranceA, i, DUxValue::kOffered);
        if (st.Value(DLxGDTState::kToleranceA, i).empty()) continue;
        st.SetVariableStatus(DLxGDTState::kToleranceB, i, DUxValue::kOffered);
        st.SetVariableStatus(DLxGDTState::kDatumA, i, DUxValue::kOffered);
        if (st.Value(DLxGDTState::kDatumA, i).empty()) continue;
        st.SetVariableStatus(DLxGDTState::kDatumB, i, DUxValue::kOffered);
        if (st.Value(DLxGDTState::kDatumB, i).empty()) continue;
        st.SetVariableStatus(DLxGDTState::kDatumC, i, DUxValue::kOffered);
    }
    if (!st.Value(DLxGDTState::kDatumIdentifier, 0).empty())
        st.SetVariableStatus(DLxGDTState::kDatumIdentifier, 0, DUxValue::kOffered);
}

bool DLxCFCFStdDIN::setFactoryDefaults() {
    BaseFactoryDefaults();
    m_MergeDatum = true;
    m_EndPadding = true;
    return true;
}

bool DLxCFCFStdISO::setFactoryDefaults() {
    BaseFactoryDefaults();
    m_EndPadding = true;
    m_MergeDatum = true;
    return true;
}

bool DLxCFCFStdBSI::setFactoryDefaults() {
    DLxCFCFStdISO::setFactoryDefaults();
    SetAuxCount(4);
    m_MergeTolerance = true;
    return true;
}

void DLxCFCFStdBSI::GetAuxSymbolDescs(DLxSymbolDescs& list) {
    std::vector<AuxEntry> v = BaseAux();
    v.push_back({20, 8375, 7769});
    FillAux(list, v);
}

bool DLxCFCFStdGB::setFactoryDefaults() {
    DLxCFCFStdISO::setFactoryDefaults();
    SetAuxCount(8);
    return true;
}

void DLxCFCFStdGB::GetAuxSymbolDescs(DLxSymbolDescs& list) {
    std::vector<AuxEntry> v = BaseAux();
    v.insert(v.end(), {{15, 8377, 7771},
                       {19, 8376, 7770},
                       {25, 8386, 13090},
                       {26, 13237, 13091},
                       {20, 8375, 7769}});
    FillAux(list, v);
}

bool DLxCFCFStdGB::GetSymbolGlyph(int32_t type, UTxString16& out) {
    return BaseGlyph(type, 26, out);
}

bool DLxCFCFStdJIS::setFactoryDefaults() {
    BaseFactoryDefaults();
    SetAuxCount(6);
    return true;
}

void DLxCFCFStdJIS::GetAuxSymbolDescs(DLxSymbolDescs& list) {
    FillAux(list, {{16, 8382, 7772},
                   {15, 8377, 7771},
                   {17, 8384, 7775},
                   {19, 8376, 7770},
                   {20, 8375, 7769},
                   {23, 8374, 7768}});
}
