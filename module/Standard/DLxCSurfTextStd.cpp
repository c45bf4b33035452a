#include "Standard/DLxCSurfTextStd.h"

#include <algorithm>
#include <cmath>

#include "Standard/DLxStdFactory.h"
#include "Standard/DLxStdNorms.h"
#include "Standard/DLxStdRegistration.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "du/DUxAuxEntFactory.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxStandard.h"
#include "du/DUxSurfaceTextureStyle.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {
using S = DUxSurfTXTState;
constexpr double kTan60 = 1.7320508075688772;

UTxString16 ResourceString(uint32_t id) {
    if (HMODULE res = KorvuGetResourceHandle())
        if (auto text = FindStringResource(res, id)) return UTxString16(*text);
    return {};
}

void Show(S& s, int32_t v, int32_t visibility) {
    s.SetVariableStatus(v, DUxValue::EVisibility(visibility));
}

// The circle through three points; false when they lie on one line.
bool CircleThrough(const WqGePoint3d& a, const WqGePoint3d& b, const WqGePoint3d& c,
                   WqGePoint3d& centre, double& radius) {
    const double d = 2 * (a.x * (b.y - c.y) + b.x * (c.y - a.y) + c.x * (a.y - b.y));
    if (std::fabs(d) < 1e-12) return false;
    const double a2 = a.x * a.x + a.y * a.y, b2 = b.x * b.x + b.y * b.y, c2 = c.x * c.x + c.y * c.y;
    centre = WqGePoint3d((a2 * (b.y - c.y) + b2 * (c.y - a.y) + c2 * (a.y - b.y)) / d,
                         (a2 * (c.x - b.x) + b2 * (a.x - c.x) + c2 * (b.x - a.x)) / d, 0);
    radius = std::hypot(a.x - centre.x, a.y - centre.y);
    return true;
}

// An arc from `from` through `mid` to `to`.
void ArcByThreePoints(DUxCAuxEntArray& array, const WqGePoint3d& from, const WqGePoint3d& mid,
                      const WqGePoint3d& to) {
    WqGePoint3d c;
    double r = 0;
    if (!CircleThrough(from, mid, to, c, r)) return;
    auto angle = [&c](const WqGePoint3d& p) { return std::atan2(p.y - c.y, p.x - c.x); };
    const double twoPi = 2 * M_PI;
    auto ccw = [&](double a0, double a1) { return std::fmod(a1 - a0 + 2 * twoPi, twoPi); };
    const double a0 = angle(from), am = angle(mid), a1 = angle(to);
    // Counter-clockwise from `from` when that passes `mid` first, else from `to`.
    const bool forward = ccw(a0, am) < ccw(a0, a1);
    const WqGePoint3d& start = forward ? from : to;
    const double sweep = forward ? ccw(a0, a1) : ccw(a1, a0);
    WqGeVector3d startDir(start.x - c.x, start.y - c.y, 0);
    DUxAuxEntFactory::CreateArcByCenter(array, c, r, startDir.normal(), sweep,
                                        WqGeMatrix3d::kIdentity, nullptr, nullptr);
}

WqGePoint3d P(double x, double y) {
    return WqGePoint3d(x, y, 0);
}
} // namespace

// ---- options

bool DLxCSurfTextStd::setFactoryDefaults() {
    RSe::PrepareWrite(this);
    m_OfferedLaySymbols.assign(7, 1);
    return true;
}

void DLxCSurfTextStd::SetOptions(size_t lays, bool fitCircle, bool allAround, bool majority,
                                 bool productionMultiline) {
    RSe::PrepareWrite(this);
    m_OfferedLaySymbols.assign(lays, 1);
    m_FitCircle = fitCircle;
    m_AllAroundAllowed = allAround;
    m_ForceTail = false;
    m_MajorityAllowed = majority;
    m_ProductionMultiline = productionMultiline;
}

void DLxCSurfTextStd::SetFitCircle(bool on) {
    if (on == m_FitCircle) return;
    RSe::PrepareWrite(this);
    m_FitCircle = on;
}
void DLxCSurfTextStd::SetAllAroundAllowed(bool on) {
    if (on == m_AllAroundAllowed) return;
    RSe::PrepareWrite(this);
    m_AllAroundAllowed = on;
}
void DLxCSurfTextStd::SetForceTail(bool on) {
    if (on == m_ForceTail) return;
    RSe::PrepareWrite(this);
    m_ForceTail = on;
}
void DLxCSurfTextStd::SetMajorityAllowed(bool on) {
    if (on == m_MajorityAllowed) return;
    RSe::PrepareWrite(this);
    m_MajorityAllowed = on;
}
void DLxCSurfTextStd::SetProductionMultiline(bool on) {
    if (on == m_ProductionMultiline) return;
    RSe::PrepareWrite(this);
    m_ProductionMultiline = on;
}

double DLxCSurfTextStd::GetStdTextHeight() const {
    // ANSI gives its text height in inches; sheets are laid out in millimetres.
    const double height = DUxStandardUtil::GetTextHeight(GetDocument(), GetStandardGUID());
    return GetStandardGUID() == DUxStandardGUID::GetANSIGuid() ? height * 25.4 : height;
}

int32_t DLxCSurfTextStd::GetFontId() const {
    return DUxStandardUtil::GetFontID(GetDocument(), GetStandardGUID());
}

int32_t DLxCSurfTextStd::StandardCode() const {
    const UTxGUID& g = GetStandardGUID();
    if (g == DUxStandardGUID::GetANSIGuid()) return DUxSurfaceTextureStyle::kANSI;
    if (g == DUxStandardGUID::GetDINGuid()) return DUxSurfaceTextureStyle::kDIN;
    if (g == DUxStandardGUID::GetJISGuid()) return DUxSurfaceTextureStyle::kJIS;
    if (g == DUxStandardGUID::GetBSIGuid()) return DUxSurfaceTextureStyle::kBSI;
    if (g == DLxGBStandardGUID) return DUxSurfaceTextureStyle::kGB;
    if (g == DUxStandardGUID::GetISOGuid()) return DUxSurfaceTextureStyle::kISO;
    return DUxSurfaceTextureStyle::kANSI;
}

void DLxCSurfTextStd::CopyToStyle(const RSeRef<FWxStyle>& ref) {
    auto* style = dynamic_cast<DUxSurfaceTextureStyle*>(ref.GetTarget());
    if (!style) return;
    // The style's setters count an edit only when a value changes.
    style->SetFitCircle(m_FitCircle ? 1 : 0);
    style->SetAllAroundAllowed(m_AllAroundAllowed);
    style->SetForceTail(m_ForceTail);
    style->SetMajorityAllowed(m_MajorityAllowed);
    style->SetProductionMultiline(m_ProductionMultiline);
    style->SetStyleDescription(GetStandardReference());
    style->SetStandardCode(StandardCode());
    uint32_t mask = 0;
    for (size_t i = 0; i < 7 && i < m_OfferedLaySymbols.size(); ++i)
        if (m_OfferedLaySymbols[i]) mask |= 1u << i;
    style->SetLaySymbolMask(mask);
}

// ---- lay symbols

void DLxCSurfTextStd::GetLaySymbols(DLxSymbolDescs&, const DUxSurfTXTState*) {}

void DLxCSurfTextStd::AppendLaySymbols(DLxSymbolDescs& list, const DUxSurfTXTState* state,
                                       const std::vector<LayRow>& rows) const {
    const int32_t current = state ? state->GetDirectionLay() : 0;
    HMODULE res = KorvuGetResourceHandle();
    for (const LayRow& row : rows) {
        auto d = std::make_unique<DLxCSymbolDesc>();
        d->m_nameId = 13735 + uint32_t(row.lay - 1);
        d->m_name = ResourceString(d->m_nameId);
        d->m_bitmapId = row.bitmap;
        if (res) d->m_hBitmap = FindBitmapResource(res, row.bitmap);
        d->m_value = row.lay;
        const size_t at = size_t(row.lay - 1);
        d->m_enabled = row.lay == current ||
                       (at < m_OfferedLaySymbols.size() && m_OfferedLaySymbols[at] != 0);
        d->m_position = row.lay - 1;
        list.push_back(std::move(d));
    }
}

// ---- value presentation

void DLxCSurfTextStd::HideAllThenShow(DUxSurfTXTState& s, std::initializer_list<int32_t> shown) {
    for (int32_t v = 0; v < S::kValueCount; ++v)
        Show(s, v, 0);
    for (int32_t v : shown)
        Show(s, v, 1);
}

void DLxCSurfTextStd::RoughnessRule(DUxSurfTXTState& s) {
    Show(s, S::kRaMax, 3);
    if (!s.IsEmpty(S::kRaMax))
        Show(s, S::kRaMin, 3);
    else
        s.Wipe(S::kRaMin);
}

void DLxCSurfTextStd::AllowanceRule(DUxSurfTXTState& s) {
    if (s.GetSubType() == DUxSurfaceStdInfo::kRemovalRequired)
        Show(s, S::kAllowance, 3);
    else
        s.Wipe(S::kAllowance);
}

void DLxCSurfTextStd::LayRule(DUxSurfTXTState& s) {
    if (s.GetSubType() != DUxSurfaceStdInfo::kRemovalProhibited)
        Show(s, S::kLay, 3);
    else
        s.Wipe(S::kLay);
}

void DLxCSurfTextStd::ProductionRule(DUxSurfTXTState& s) const {
    Show(s, S::kProduction, 3);
    if (!m_ProductionMultiline) return;
    Show(s, S::kProduction2, 1);
    if (!s.IsEmpty(S::kProduction))
        Show(s, S::kProduction2, 3);
    else
        s.Wipe(S::kProduction2);
}

void DLxCSurfTextStd::OtherValueRule(DUxSurfTXTState& s) {
    Show(s, S::kOtherValue, 3);
    if (!s.IsEmpty(S::kOtherValue)) {
        Show(s, S::kCutoff, 3);
        Show(s, S::kOtherMin, 3);
    } else {
        s.Wipe(S::kCutoff);
        s.Wipe(S::kOtherMin);
    }
}

UTxResult DLxCSurfTextStd::SetValueVisibility(DUxSurfTXTState* state) {
    if (!state) return UTxResult::Refusal(kNoSymbol, u"no surface-texture symbol");
    HideAllThenShow(*state, {});
    return {};
}

UTxResult DLxCSurfTextStd::BaseLabels(DUxSurfTXTState* state) {
    if (!state) return UTxResult::Refusal(kNoSymbol, u"no surface-texture symbol");
    const int32_t order[] = {S::kRaMax, S::kRaMin, S::kAllowance, S::kProduction, S::kLay};
    for (int32_t i = 0; i < 5; ++i)
        state->GetPresentation(order[i]).dlgIndex = i;
    return {};
}

UTxResult DLxCSurfTextStd::SetValueLabels(DUxSurfTXTState* state) {
    return BaseLabels(state);
}

UTxResult DLxCSurfTextStd::ApplyLabels(DUxSurfTXTState* state, const std::vector<Label>& labels) {
    if (UTxResult r = BaseLabels(state); r.Failed()) return r;
    for (const Label& l : labels) {
        DUxSurfTXTState::Presentation& p = state->GetPresentation(l.variable);
        p.label = ResourceString(l.label);
        p.tooltip = ResourceString(l.tooltip);
        p.helpIndex = l.help;
        if (l.index >= 0) p.dlgIndex = l.index;
    }
    // The second production line has its own label in every standard that shows it.
    if (std::any_of(labels.begin(), labels.end(),
                    [](const Label& l) { return l.variable == S::kProduction2; }))
        state->GetPresentation(S::kProduction2).label = ResourceString(13681);
    return SetValueVisibility(state);
}

UTxResult DLxCSurfTextStd::GetDialogValues(DUxSurfTXTState* state, std::vector<int32_t>&) {
    return BaseLabels(state);
}

// ---- line work

double DLxCSurfTextStd::MeasuredExcess(const UTxString16& text) const {
    DUxCAuxEntArray array;
    const double h = GetStdTextHeight();
    DUxCAuxText* t = DUxAuxEntFactory::CreateText(array, WqGePoint3d::kOrigin, 7, text, GetFontId(),
                                                  0, nullptr, nullptr, 7, h);
    const BBox e = array.GetExtents();
    (void)t;
    return e.isEmpty() ? 0.0 : (e.max.y - e.min.y) - h;
}

double DLxCSurfTextStd::GetTextMargin(const DUxSurfTXTState* state) {
    if (!state || state->IsEmpty(S::kCutoff)) return 0.0;
    return MeasuredExcess(u"/,") / 2;
}

void DLxCSurfTextStd::GetLegHeights(const DUxSurfTXTState*, double& shortLeg, double& longLeg) {
    const double h = GetStdTextHeight();
    shortLeg = 1.5 * h;
    longLeg = 3 * h;
}

void DLxCSurfTextStd::TableLegHeights(double h, double& shortLeg, double& longLeg) {
    static const double kH[] = {0, 2.5, 3.5, 5, 7, 10, 14, 20};
    static const double kW[] = {0, 3.5, 5, 7, 10, 14, 20, 28};
    static const double kL[] = {0, 8, 11, 15, 21, 30, 42, 60};
    size_t i = 0;
    while (i < 6 && h > kH[i + 1])
        ++i;
    const double f = (h - kH[i]) / (kH[i + 1] - kH[i]);
    shortLeg = kW[i] + f * (kW[i + 1] - kW[i]);
    longLeg = kL[i] + f * (kL[i + 1] - kL[i]);
}

void DLxCSurfTextStd::BuildMajoritySymbol(const DUxSurfTXTState* state, DUxCAuxEntArray& array) {
    if (!state) return;
    double w = 0, H = 0;
    GetLegHeights(state, w, H);
    const double h = GetStdTextHeight();
    const WqGePoint3d legs[] = {P(-w / kTan60, w), P(0, 0), P(H / kTan60, H)};
    DUxAuxEntFactory::CreateMultiSegmentPolyLine(array, legs, 3, nullptr, nullptr);
    const BBox e = array.GetExtents();
    const double ym = (e.min.y + e.max.y) / 2;
    ArcByThreePoints(array, P(e.min.x, e.max.y + 0.3 * h), P(e.min.x - 0.6 * h, ym),
                     P(e.min.x, e.min.y - 0.3 * h));
    ArcByThreePoints(array, P(e.max.x, e.min.y - 0.3 * h), P(e.max.x + 0.6 * h, ym),
                     P(e.max.x, e.max.y + 0.3 * h));
}

void DLxCSurfTextStd::BuildSymbolGeometry(const DUxSurfTXTState* state, DUxCAuxEntArray* out,
                                          double textRight) {
    if (!state || !out) return;
    const double h = GetStdTextHeight();
    double w = 0, H = 0;
    GetLegHeights(state, w, H);
    const WqGePoint3d a = P(H / kTan60, H);
    const double r = std::max(textRight, 0.0);

    // The basic symbol: legs, tail, then the bar or circle of its subtype.
    DUxCAuxEntArray basic;
    const WqGePoint3d p1 = P(-w / kTan60, w);
    const WqGePoint3d legs[] = {p1, P(0, 0), a};
    DUxAuxEntFactory::CreateMultiSegmentPolyLine(basic, legs, 3, nullptr, nullptr);
    double tail = r > 0 ? std::max(r, 3 * h) : (state->IsForcedTail() ? 3 * h : r);
    if (tail > 0)
        DUxAuxEntFactory::CreateSingleSegmentPolyLine(basic, a, P(a.x + tail, H), nullptr, nullptr);
    switch (state->GetSubType()) {
    case DUxSurfaceStdInfo::kRemovalRequired:
    case DUxSurfaceStdInfo::kRemovalRequired2:
        DUxAuxEntFactory::CreateSingleSegmentPolyLine(basic, p1, P(w / kTan60, w), nullptr,
                                                      nullptr);
        break;
    case DUxSurfaceStdInfo::kRemovalProhibited:
        if (m_FitCircle)
            DUxAuxEntFactory::CreateCircleByCenter(basic, P(0, 2 * w / 3), w / 3, false,
                                                   WqGeMatrix3d::kIdentity, nullptr, nullptr);
        else
            DUxAuxEntFactory::CreateCircleByCenter(basic, P(0, 1.1 * h), 0.55 * h, false,
                                                   WqGeMatrix3d::kIdentity, nullptr, nullptr);
        break;
    default:
        break;
    }
    // The majority symbol in parentheses right of the basic one.
    DUxCAuxEntArray majority;
    if (state->IsMajority()) {
        BuildMajoritySymbol(state, majority);
        const BBox ev = basic.GetExtents();
        const BBox em = majority.GetExtents();
        majority.TransformBy(WqGeMatrix3d::translation(
            WqGeVector3d(ev.max.x - ev.min.x - em.min.x + 0.1 * h, 0, 0)));
    }
    basic.MoveTo(*out);
    majority.MoveTo(*out);
    // A second production line extends the long leg.
    if (!state->IsEmpty(S::kProduction2) && StandardCode() != DUxSurfaceTextureStyle::kANSI) {
        const WqGePoint3d b = P(a.x + 1.9 * h / kTan60, H + 1.9 * h);
        const WqGePoint3d c = P(a.x + r, H + 1.9 * h);
        const WqGePoint3d line[] = {a, b, c};
        DUxAuxEntFactory::CreateMultiSegmentPolyLine(*out, line, 3, nullptr, nullptr);
    }
    if (state->IsAllAround())
        DUxAuxEntFactory::CreateCircleByCenter(*out, a, 0.45 * h, false, WqGeMatrix3d::kIdentity,
                                               nullptr, nullptr);
}

bool DLxCSurfTextStd::DrawSymbol(SMxDisplayList& list, const DUxSurfTXTState* state,
                                 const WqGeMatrix3d& placement) {
    if (!state) return false;
    DUxCAuxEntArray array;
    BuildSymbolGeometry(state, &array, 0.0);
    array.TransformBy(placement);
    array.Draw(list);
    return true;
}

UTxResult DLxCSurfTextStd::GetSymbolExtents(const DUxSurfTXTState* state, BBox& extents) {
    if (!state) return UTxResult::Refusal(kNoSymbol, u"no surface-texture symbol");
    DUxCAuxEntArray array;
    BuildSymbolGeometry(state, &array, 0.0);
    extents = array.GetExtents();
    return {};
}

// ---- transcript

UTxResult DLxCSurfTextStd::Transcript(UCxTranscriptDataExchange& tdx) {
    if (tdx.IsReading()) RSe::PrepareWrite(this);
    _TDX_Bool(tdx, u"FitCircle", m_FitCircle, true);
    _TDX_Bool(tdx, u"AllAroundAllowed", m_AllAroundAllowed, true);
    _TDX_Bool(tdx, u"ForceTail", m_ForceTail, true);
    _TDX_Bool(tdx, u"MajorityAllowed", m_MajorityAllowed, true);
    _TDX_Bool(tdx, u"ProductionMultiline", m_ProductionMultiline, true);
    _TDX_Uint32Vect(tdx, u"OfferedLaySymbols", m_OfferedLaySymbols, true);
    return tdx.GetResult();
}

// ---- the standards

namespace {
// Lay rows: lay type and its picture; only the crossed lay's picture differs by standard.
std::vector<DLxCSurfTextStd::LayRow> LayRows(uint32_t crossed, bool particulate) {
    std::vector<DLxCSurfTextStd::LayRow> rows = {{1, 8287}, {2, 8289}, {3, crossed},
                                                 {4, 8286}, {5, 8279}, {6, 8290}};
    if (particulate) rows.push_back({7, 8288});
    return rows;
}
} // namespace

bool DLxCSurfTextStdANSI::setFactoryDefaults() {
    SetOptions(7, false, false, false, false);
    return true;
}
bool DLxCSurfTextStdBSI::setFactoryDefaults() {
    SetOptions(6, false, false, false, false);
    return true;
}
bool DLxCSurfTextStdDIN::setFactoryDefaults() {
    SetOptions(7, true, true, true, true);
    return true;
}
bool DLxCSurfTextStdISO::setFactoryDefaults() {
    SetOptions(7, true, true, true, true);
    return true;
}
bool DLxCSurfTextStdJIS::setFactoryDefaults() {
    SetOptions(7, true, true, true, false);
    return true;
}

void DLxCSurfTextStdANSI::GetLaySymbols(DLxSymbolDescs& list, const DUxSurfTXTState* state) {
    AppendLaySymbols(list, state, LayRows(8281, true));
}
void DLxCSurfTextStdBSI::GetLaySymbols(DLxSymbolDescs& list, const DUxSurfTXTState* state) {
    AppendLaySymbols(list, state, LayRows(8282, false));
}
void DLxCSurfTextStdDIN::GetLaySymbols(DLxSymbolDescs& list, const DUxSurfTXTState* state) {
    AppendLaySymbols(list, state, LayRows(8283, true));
}
void DLxCSurfTextStdISO::GetLaySymbols(DLxSymbolDescs& list, const DUxSurfTXTState* state) {
    AppendLaySymbols(list, state, LayRows(8284, true));
}
void DLxCSurfTextStdJIS::GetLaySymbols(DLxSymbolDescs& list, const DUxSurfTXTState* state) {
    AppendLaySymbols(list, state, LayRows(8285, false));
}

// Visibility rules by standard.

UTxResult DLxCSurfTextStdANSI::SetValueVisibility(DUxSurfTXTState* state) {
    if (!state) return UTxResult::Refusal(kNoSymbol, u"no surface-texture symbol");
    HideAllThenShow(*state, {S::kRaMin, S::kAllowance, S::kCutoff, S::kOtherMin});
    RoughnessRule(*state);
    AllowanceRule(*state);
    LayRule(*state);
    Show(*state, S::kProduction, 3);
    Show(*state, S::kSampLength, 3);
    OtherValueRule(*state);
    return {};
}

UTxResult DLxCSurfTextStdBSI::SetValueVisibility(DUxSurfTXTState* state) {
    if (!state) return UTxResult::Refusal(kNoSymbol, u"no surface-texture symbol");
    HideAllThenShow(*state, {S::kRaMin, S::kAllowance, S::kProduction, S::kLay, S::kSampLength,
                             S::kMaxRspac, S::kComment, S::kProduction2});
    RoughnessRule(*state);
    if (state->GetSubType() == DUxSurfaceStdInfo::kRemovalProhibited) {
        for (int32_t v : {S::kAllowance, S::kLay, S::kProduction, S::kSampLength, S::kMaxRspac})
            state->Wipe(v);
    } else {
        AllowanceRule(*state);
        ProductionRule(*state);
        Show(*state, S::kLay, 3);
        Show(*state, S::kSampLength, 3);
        Show(*state, S::kMaxRspac, 3);
    }
    Show(*state, S::kComment, 3);
    return {};
}

UTxResult DLxCSurfTextStd::DinVisibility(DUxSurfTXTState* state) {
    if (!state) return UTxResult::Refusal(kNoSymbol, u"no surface-texture symbol");
    HideAllThenShow(*state, {S::kRaMin, S::kAllowance, S::kProduction, S::kLay, S::kSampLength,
                             S::kOtherValue, S::kCutoff, S::kOtherMin, S::kProduction2});
    RoughnessRule(*state);
    AllowanceRule(*state);
    LayRule(*state);
    ProductionRule(*state);
    Show(*state, S::kSampLength, 3);
    OtherValueRule(*state);
    return {};
}

UTxResult DLxCSurfTextStdDIN::SetValueVisibility(DUxSurfTXTState* state) {
    return DinVisibility(state);
}
UTxResult DLxCSurfTextStdISO::SetValueVisibility(DUxSurfTXTState* state) {
    return DinVisibility(state);
}

UTxResult DLxCSurfTextStdGB::SetValueVisibility(DUxSurfTXTState* state) {
    if (!state) return UTxResult::Refusal(kNoSymbol, u"no surface-texture symbol");
    HideAllThenShow(*state, {S::kRaMin, S::kAllowance, S::kProduction, S::kLay, S::kSampLength,
                             S::kOtherValue, S::kOtherMin, S::kProduction2});
    RoughnessRule(*state);
    AllowanceRule(*state);
    LayRule(*state);
    ProductionRule(*state);
    Show(*state, S::kSampLength, 3);
    Show(*state, S::kOtherValue, 3);
    if (!state->IsEmpty(S::kOtherValue))
        Show(*state, S::kOtherMin, 3);
    else
        state->Wipe(S::kOtherMin);
    return {};
}

UTxResult DLxCSurfTextStdJIS::SetValueVisibility(DUxSurfTXTState* state) {
    if (!state) return UTxResult::Refusal(kNoSymbol, u"no surface-texture symbol");
    HideAllThenShow(*state, {S::kRaMin, S::kAllowance, S::kProduction, S::kLay, S::kOtherValue,
                             S::kCutoff, S::kReference, S::kWaviness, S::kProduction2});
    RoughnessRule(*state);
    AllowanceRule(*state);
    LayRule(*state);
    ProductionRule(*state);
    for (int32_t v : {S::kCutoff, S::kOtherValue, S::kReference, S::kWaviness})
        Show(*state, v, 3);
    return {};
}

// Labels: label string / tooltip string / help topic, and the dialog place where one is set.

UTxResult DLxCSurfTextStdANSI::SetValueLabels(DUxSurfTXTState* state) {
    return ApplyLabels(state, {{S::kRaMax, 13046, 13098, 2012, -1},
                               {S::kRaMin, 13099, 13100, 2013, -1},
                               {S::kAllowance, 13101, 13102, 2014, -1},
                               {S::kProduction, 13104, 13105, 2016, -1},
                               {S::kLay, 13107, 13111, 2015, -1},
                               {S::kSampLength, 13113, 13114, 2017, 6},
                               {S::kCutoff, 13115, 13116, 2018, 5},
                               {S::kOtherValue, 13117, 13120, 2019, 7},
                               {S::kOtherMin, 13121, 13122, 2020, 8}});
}

UTxResult DLxCSurfTextStdBSI::SetValueLabels(DUxSurfTXTState* state) {
    return ApplyLabels(state, {{S::kRaMax, 13219, 13220, 2021, -1},
                               {S::kRaMin, 13221, 13222, 2022, -1},
                               {S::kAllowance, 13209, 13210, 2023, -1},
                               {S::kProduction, 13217, 13218, 2025, 9},
                               {S::kProduction2, 13217, 13218, 2025, 3},
                               {S::kLay, 13213, 13214, 2024, -1},
                               {S::kSampLength, 13223, 13224, 2026, 5},
                               {S::kMaxRspac, 13215, 13216, 2027, 7},
                               {S::kComment, 13211, 13212, 2028, 8}});
}

UTxResult DLxCSurfTextStd::DinLabels(DUxSurfTXTState* state) {
    return ApplyLabels(state, {{S::kRaMax, 13126, 13127, 2029, -1},
                               {S::kRaMin, 13128, 13150, 2030, -1},
                               {S::kAllowance, 13153, 13154, 2031, -1},
                               {S::kProduction, 13155, 13156, 2033, 9},
                               {S::kProduction2, 13155, 13156, 2033, 3},
                               {S::kLay, 13157, 13158, 2032, -1},
                               {S::kSampLength, 13159, 13160, 2034, 6},
                               {S::kCutoff, 13163, 13164, 2035, 5},
                               {S::kOtherValue, 13165, 13167, 2036, 7},
                               {S::kOtherMin, 13168, 13169, 2037, 8}});
}

UTxResult DLxCSurfTextStdDIN::SetValueLabels(DUxSurfTXTState* state) {
    return DinLabels(state);
}
UTxResult DLxCSurfTextStdISO::SetValueLabels(DUxSurfTXTState* state) {
    return DinLabels(state);
}

UTxResult DLxCSurfTextStdJIS::SetValueLabels(DUxSurfTXTState* state) {
    return ApplyLabels(state, {{S::kRaMax, 13170, 13171, 2002, -1},
                               {S::kRaMin, 13175, 13666, 2003, -1},
                               {S::kAllowance, 13667, 13668, 2004, -1},
                               {S::kProduction, 13669, 13670, 2005, 9},
                               {S::kProduction2, 13669, 13670, 2005, 3},
                               {S::kLay, 13671, 13672, 2006, -1},
                               {S::kCutoff, 13673, 13674, 2007, 5},
                               {S::kOtherValue, 13675, 13676, 2008, 6},
                               {S::kReference, 13677, 13678, 2009, 7},
                               {S::kWaviness, 13679, 13680, 2010, 8}});
}

// Dialog values: the labels first, then the standard's values in its field order.

UTxResult DLxCSurfTextStd::AppendDialogValues(DUxSurfTXTState* state,
                                              std::vector<int32_t>& values,
                                              std::initializer_list<int32_t> order) {
    if (!state) return UTxResult::Refusal(kNoSymbol, u"no surface-texture symbol");
    if (UTxResult r = SetValueLabels(state); r.Failed()) return r;
    values.insert(values.end(), order.begin(), order.end());
    return {};
}

UTxResult DLxCSurfTextStdANSI::GetDialogValues(DUxSurfTXTState* state,
                                               std::vector<int32_t>& values) {
    return AppendDialogValues(state, values,
                              {S::kRaMax, S::kRaMin, S::kAllowance, S::kProduction, S::kLay,
                               S::kSampLength, S::kOtherValue, S::kCutoff, S::kOtherMin});
}
UTxResult DLxCSurfTextStdBSI::GetDialogValues(DUxSurfTXTState* state,
                                              std::vector<int32_t>& values) {
    return AppendDialogValues(state, values,
                              {S::kRaMax, S::kRaMin, S::kAllowance, S::kProduction, S::kLay,
                               S::kSampLength, S::kMaxRspac, S::kComment, S::kProduction2});
}
UTxResult DLxCSurfTextStdDIN::GetDialogValues(DUxSurfTXTState* state,
                                              std::vector<int32_t>& values) {
    return AppendDialogValues(state, values,
                              {S::kRaMax, S::kRaMin, S::kAllowance, S::kProduction, S::kLay,
                               S::kSampLength, S::kOtherValue, S::kCutoff, S::kOtherMin,
                               S::kProduction2});
}
UTxResult DLxCSurfTextStdISO::GetDialogValues(DUxSurfTXTState* state,
                                              std::vector<int32_t>& values) {
    return AppendDialogValues(state, values,
                              {S::kRaMax, S::kRaMin, S::kAllowance, S::kProduction, S::kLay,
                               S::kSampLength, S::kOtherValue, S::kCutoff, S::kOtherMin,
                               S::kProduction2});
}
UTxResult DLxCSurfTextStdGB::GetDialogValues(DUxSurfTXTState* state,
                                             std::vector<int32_t>& values) {
    return AppendDialogValues(state, values,
                              {S::kRaMax, S::kRaMin, S::kAllowance, S::kProduction, S::kLay,
                               S::kSampLength, S::kOtherValue, S::kOtherMin, S::kProduction2});
}
UTxResult DLxCSurfTextStdJIS::GetDialogValues(DUxSurfTXTState* state,
                                              std::vector<int32_t>& values) {
    return AppendDialogValues(state, values,
                              {S::kRaMax, S::kRaMin, S::kAllowance, S::kProduction, S::kLay,
                               S::kOtherValue, S::kCutoff, S::kReference, S::kWaviness,
                               S::kProduction2});
}

// Margins and leg heights.

double DLxCSurfTextStdANSI::GetTextMargin(const DUxSurfTXTState*) {
    return MeasuredExcess(u"/(,") / 2;
}

double DLxCSurfTextStdJIS::GetTextMargin(const DUxSurfTXTState*) {
    return MeasuredExcess(u"y/x874c");
}

namespace {
// Taller long leg for a second requirement below the first, and a little more for its minimum.
void RuleA(const DUxSurfTXTState& s, double h, double p, double& longLeg) {
    if (!s.IsEmpty(S::kOtherValue) && (!s.IsEmpty(S::kSampLength) || !s.IsEmpty(S::kOtherMin)))
        longLeg += h + p;
    if (!s.IsEmpty(S::kOtherMin)) longLeg += p;
}
} // namespace

void DLxCSurfTextStdANSI::GetLegHeights(const DUxSurfTXTState* state, double& shortLeg,
                                        double& longLeg) {
    if (!state) return;
    const double h = GetStdTextHeight();
    shortLeg = 1.5 * h;
    longLeg = 3 * h;
    RuleA(*state, h, GetTextMargin(state), longLeg);
}

void DLxCSurfTextStd::DinLegHeights(const DUxSurfTXTState* state, double& shortLeg,
                                    double& longLeg) {
    if (!state) return;
    const double h = GetStdTextHeight();
    TableLegHeights(h, shortLeg, longLeg);
    RuleA(*state, h, GetTextMargin(state), longLeg);
}

void DLxCSurfTextStdDIN::GetLegHeights(const DUxSurfTXTState* state, double& shortLeg,
                                       double& longLeg) {
    DinLegHeights(state, shortLeg, longLeg);
}
void DLxCSurfTextStdISO::GetLegHeights(const DUxSurfTXTState* state, double& shortLeg,
                                       double& longLeg) {
    DinLegHeights(state, shortLeg, longLeg);
}

void DLxCSurfTextStdGB::GetLegHeights(const DUxSurfTXTState* state, double& shortLeg,
                                      double& longLeg) {
    if (!state) return;
    const double h = GetStdTextHeight();
    TableLegHeights(h, shortLeg, longLeg);
    if (!state->IsEmpty(S::kOtherMin)) longLeg += 1.3 * h;
}

void DLxCSurfTextStdJIS::GetLegHeights(const DUxSurfTXTState* state, double& shortLeg,
                                       double& longLeg) {
    if (!state) return;
    const double h = GetStdTextHeight();
    shortLeg = 1.5 * h;
    bool any = false;
    for (int32_t v : {S::kCutoff, S::kOtherValue, S::kProduction, S::kRaMax, S::kReference,
                      S::kWaviness})
        any = any || !state->IsEmpty(v);
    longLeg = any ? 4.7 * h : 3 * h;
}

// ---- factories and norms

RSeRef<DUxCategoryDefault> DLxCSurfTextStdANSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                      RSeSegment* segment,
                                                                      int32_t category,
                                                                      const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCSurfTextStdANSI>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdANSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::ANSI);
}

RSeRef<DUxCategoryDefault> DLxCSurfTextStdBSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCSurfTextStdBSI>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdBSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::BSI);
}

RSeRef<DUxCategoryDefault> DLxCSurfTextStdDIN::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCSurfTextStdDIN>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdDIN::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::DIN);
}

RSeRef<DUxCategoryDefault> DLxCSurfTextStdGB::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                    RSeSegment* segment,
                                                                    int32_t category,
                                                                    const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCSurfTextStdGB>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdGB::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::GB);
}

RSeRef<DUxCategoryDefault> DLxCSurfTextStdISO::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCSurfTextStdISO>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdISO::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::ISO);
}

RSeRef<DUxCategoryDefault> DLxCSurfTextStdJIS::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCSurfTextStdJIS>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdJIS::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::JIS);
}
