#include "du/DUxSurfTXTState.h"

#include <algorithm>
#include <cmath>

#include "dc/RDxFragment.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxSurfaceTextureStyle.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSeMeta.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayListBuilder.h"
#include "utx/UTxCast.h"

namespace {
DUxSurfTextStdServices::Finder g_finder = nullptr;

const UTxString16 kEmpty;
constexpr double kDefaultTextHeight = 3.5;
// Advance of a character in the monospace text model, in text heights.
constexpr double kAdvance = 0.6;

bool InRange(int32_t variable) {
    return variable >= 0 && variable < DUxSurfTXTState::kValueCount;
}
} // namespace

UTxString16 DUxSurfaceStdInfo::LaySymbolText(int32_t lay) {
    switch (lay) {
    case kParallel:
        return u"=";
    case kPerpendicular:
        return u"\u22A5";
    case kCrossed:
        return u"X";
    case kMultiDirectional:
        return u"M";
    case kCircular:
        return u"C";
    case kRadial:
        return u"R";
    case kParticulate:
        return u"P";
    default:
        return {};
    }
}

void DUxSurfTextStdServices::SetFinder(Finder finder) {
    g_finder = finder;
}

DUxSurfTextStdServices* DUxSurfTextStdServices::Find(FWxSceneDoc* doc, int32_t standardCode) {
    return g_finder ? g_finder(doc, standardCode) : nullptr;
}

DUxSurfTXTState* DUxSurfTXTState::Create(RDxFragment* fragment) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* state = new (RSe::_GetMeta(static_cast<const DUxSurfTXTState*>(nullptr)),
                       fragment->GetSegment()) DUxSurfTXTState();
    fragment->AddNode(state);
    return state;
}

const UTxString16& DUxSurfTXTState::GetValue(int32_t variable) const {
    return InRange(variable) ? m_values[size_t(variable)] : kEmpty;
}

void DUxSurfTXTState::SetValue(int32_t variable, const UTxString16& text) {
    if (InRange(variable)) Set(m_values[size_t(variable)], text);
}

DUxValue::EVisibility DUxSurfTXTState::GetVariableStatus(int32_t variable) const {
    return InRange(variable) ? DUxValue::EVisibility(m_visibility[size_t(variable)])
                             : DUxValue::kVisibilityDefault;
}

void DUxSurfTXTState::SetVariableStatus(int32_t variable, DUxValue::EVisibility visibility) {
    if (InRange(variable)) Set(m_visibility[size_t(variable)], int32_t(visibility));
}

int32_t DUxSurfTXTState::LayOf(const UTxString16& text) {
    int32_t lay = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') break;
        // Lay types are small numbers; longer digit runs stop growing instead of overflowing.
        if (lay < 100000) lay = lay * 10 + (c - u'0');
    }
    return lay;
}

int32_t DUxSurfTXTState::GetDirectionLay() const {
    return LayOf(m_values[kLay]);
}

DUxSurfTXTState::Presentation& DUxSurfTXTState::GetPresentation(int32_t variable) {
    static Presentation none;
    if (!InRange(variable)) {
        none = Presentation();
        return none;
    }
    return m_presentation[size_t(variable)];
}

DUxSurfaceTextureStyle* DUxSurfTXTState::GetSurfaceTextureStyle() const {
    if (auto* own = UTx::Cast<DUxSurfaceTextureStyle>(GetStyle())) return own;
    FWxSceneDoc* doc = FWxDocUtil::DocumentOf(this);
    if (!doc) return nullptr;
    UTxString16 name = doc->GetStandardName();
    if (name.empty()) name = u"ISO";
    return UTx::Cast<DUxSurfaceTextureStyle>(doc->FindStyle(
        RSe::_GetMeta(static_cast<const DUxSurfaceTextureStyle*>(nullptr)), name));
}

double DUxSurfTXTState::GetTextHeight() const {
    const DUxSurfaceTextureStyle* style = GetSurfaceTextureStyle();
    DUxSurfTextStdServices* services =
        DUxSurfTextStdServices::Find(FWxDocUtil::DocumentOf(this),
                                     style ? style->GetStandardCode()
                                           : int32_t(DUxSurfaceTextureStyle::kISO));
    const double h = services ? services->GetStdTextHeight() : 0.0;
    return h > 0 ? h : kDefaultTextHeight;
}

void DUxSurfTXTState::GenGraphics(SMxDisplayList& symbolList, SMxDisplayList& textList, int32_t,
                                  const UTxGUID&, bool, int32_t) {
    const DUxSurfaceTextureStyle* style = GetSurfaceTextureStyle();
    DUxSurfTextStdServices* services = DUxSurfTextStdServices::Find(
        FWxDocUtil::DocumentOf(this),
        style ? style->GetStandardCode() : int32_t(DUxSurfaceTextureStyle::kISO));
    if (!services) return;
    const double h = GetTextHeight();
    const double t = std::tan(M_PI / 3);
    double w = 0, H = 0;
    services->GetLegHeights(this, w, H);
    const double ax = H / t;

    struct Text {
        UTxString16 text;
        WqGePoint3d at;
        SMxTextAlign align;
    };
    std::vector<Text> texts;
    double right = 0; // how far the texts on the tail reach right of the long leg's top
    auto onTail = [&](const UTxString16& text, double x, double baseline) {
        texts.push_back({text, WqGePoint3d(x, baseline, 0), SMxTextAlign::BottomLeft});
        right = std::max(right, x + kAdvance * h * double(text.size()) + 0.2 * h - ax);
    };

    // Above the tail: the production method, its second line on the extended long leg.
    const bool second = !IsEmpty(kProduction2);
    if (second) {
        onTail(GetValue(kProduction2), (H + 1.4 * h) / t + 0.3 * h, H + 0.3 * h);
        onTail(GetValue(kProduction), ax + 1.9 * h / t + 0.3 * h, H + 2.2 * h);
    } else if (!IsEmpty(kProduction)) {
        onTail(GetValue(kProduction), ax + 0.3 * h, H + 0.3 * h);
    }
    // Below the tail, right of the long leg: the roughness requirement (with its sampling
    // length), its minimum, the other requirement after its cutoff, its minimum, then the
    // remaining values of the standards that use them.
    auto joined = [this](int32_t a, int32_t b, const char16_t* between) {
        if (IsEmpty(a)) return GetValue(b);
        if (IsEmpty(b)) return GetValue(a);
        return GetValue(a) + between + GetValue(b);
    };
    const UTxString16 below[] = {joined(kRaMax, kSampLength, u"  "), GetValue(kRaMin),
                                 joined(kCutoff, kOtherValue, u"/"), GetValue(kOtherMin),
                                 GetValue(kReference),            GetValue(kWaviness),
                                 GetValue(kMaxRspac),             GetValue(kComment)};
    int32_t line = 0;
    for (const UTxString16& text : below) {
        if (text.empty()) continue;
        const double baseline = H - (1.3 + 1.25 * line) * h;
        onTail(text, (std::max(baseline, 0.0) + h) / t + 0.3 * h, baseline);
        ++line;
    }
    // The lay right of the V, the machining allowance left of it.
    const UTxString16 lay = DUxSurfaceStdInfo::LaySymbolText(GetDirectionLay());
    if (!lay.empty())
        texts.push_back({lay, WqGePoint3d(1.3 * h / t + 0.4 * h, 0.2 * h, 0),
                         SMxTextAlign::BottomLeft});
    if (!IsEmpty(kAllowance))
        texts.push_back({GetValue(kAllowance), WqGePoint3d(-1.3 * h / t - 0.3 * h, 0.2 * h, 0),
                         SMxTextAlign::BottomRight});

    DUxCAuxEntArray lines;
    services->BuildSymbolGeometry(this, &lines, texts.empty() ? 0.0 : std::max(right, 0.0));
    {
        SMxDisplayListBuilder b(symbolList);
        b.SetItemId(
            DUxLeaderNodeTree::SynthesizeItemID(DUxLeaderNodeTree::kSymbolBodyItem, 0, -1, -1));
    }
    lines.Draw(symbolList);
    SMxDisplayListBuilder b(textList);
    for (const Text& text : texts)
        b.AddText(text.text, text.at, WqGeVector3d::kXAxis, h, text.align);
}
