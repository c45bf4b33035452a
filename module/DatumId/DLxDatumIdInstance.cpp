#include "DatumId/DLxDatumIdInstance.h"

#include <cmath>

#include "Leader/DLxTerminalNodeGenerator.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dc/RDxFragment.h"
#include "du/DUxDatumIDLeader.h"
#include "du/DUxDatumIdState.h"
#include "du/DUxIdStyle.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FWxDocUtil.h"
#include "rd/RDxString.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxStringUtil.h"
#include "utx/UTxCast.h"

namespace {
// The constraint birthday of identifiers: their box is that of their drawn lists.
constexpr int32_t kBirthday = 1;

const UTxString16& Label(uint32_t id, const char16_t* fallback) {
    static UTxString16 labels[2];
    static bool loaded[2] = {false, false};
    const int k = id == 8143 ? 1 : 0;
    if (!loaded[k]) {
        HMODULE res = KorvuGetResourceHandle();
        auto text = res ? FindStringResource(res, id) : std::nullopt;
        labels[k] = text ? UTxString16(*text) : UTxString16(fallback);
        loaded[k] = true;
    }
    return labels[k];
}

// A tree whose one branch runs from its end (the first point) through the others to its root.
DUxLeaderNodeTree* MakeLeader(RDxFragment* fragment, const std::vector<WqGePoint3d>& points,
                              DUxArrowHeadState* arrow) {
    auto* generator = DLxTerminalNodeGenerator::Create(fragment);
    const WqGePoint3d end = points.empty() ? WqGePoint3d() : points.front();
    DUxLeaderNodeTree* tree = DUxDatumIDLeader::Create(fragment, generator, end, arrow);
    if (!tree) return tree;
    DUxLeaderNode* node = tree->GetRoot();
    for (size_t i = 1; i < points.size(); ++i)
        node = tree->InsertNode(node, points[i]);
    return tree;
}
} // namespace

RDxString* DLxDatumIdInstance::NewString(RDxFragment* fragment, const RDxString* copyOf) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* string = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)),
                        fragment->GetSegment()) RDxString();
    fragment->AddNode(string);
    if (copyOf) string->CopyValues(*copyOf);
    return string;
}

DLxDatumIdInstance::DLxDatumIdInstance(RDxFragment* fragment, DUxDatumIdState* state)
    : DLxSymInstance(fragment, state) {}

DLxDatumIdInstance::DLxDatumIdInstance(const RSeStream* s) : DLxSymInstance(s) {}

DLxDatumIdInstance::~DLxDatumIdInstance() = default;

DLxDatumIdInstance*
DLxDatumIdInstance::CreateInstance(RDxFragment* fragment, const UTxString16& text,
                                   std::vector<WqGePoint3d>& points,
                                   const WqGePoint3d& landingPoint, uint32_t arrowId, bool feature,
                                   const DUxIdStyle* style, const FBxLayerStyle* layer) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    DUxIdStyleWrapper wrapper(nullptr, FWxDocUtil::DocumentOf(fragment));
    wrapper.SetPrimaryStyle(style);
    const DUxTextStyleWrapper look = wrapper.GetTextStyle();
    RDxString* string = NewString(fragment);
    string->SetSimpleValue(text);
    string->SetFormattedValue(text, 0);
    string->SetFontId(look.GetFontId());
    string->SetHorizontalJustification(1);
    string->SetVerticalJustification(1);
    // The text starts as its style draws it: in its layer's colour or in the style's.
    string->SetNoColor(look.IsColorByLayer());
    if (!look.IsColorByLayer()) {
        const SMxColor c = look.GetColor();
        const float rgba[4] = {c.Red() / 255.0f, c.Green() / 255.0f, c.Blue() / 255.0f,
                               c.Alpha() / 255.0f};
        string->SetColor(rgba);
    }
    return CreateFromString(string, points, landingPoint, arrowId, feature, style, layer, nullptr);
}

DLxDatumIdInstance*
DLxDatumIdInstance::CreateFromString(RDxString* text, std::vector<WqGePoint3d>& points,
                                     const WqGePoint3d& landingPoint, uint32_t arrowId,
                                     bool feature, const DUxIdStyle* style,
                                     const FBxLayerStyle* layer, const DUxStandardStyle*) {
    if (!text) return nullptr;
    RDxFragment* fragment = nullptr;
    {
        // Finding the fragment changes nothing.
        RSeReadOnlyScope finding;
        fragment = text->GetFragment().get();
    }
    if (!fragment || !fragment->GetSegment()) return nullptr;
    DUxDatumIdState* state = DUxDatumIdState::Create(fragment, text);
    state->SetFeatureIdentifier(feature);
    // Pointing the state at its styles changes the state only: the styles are read.
    if (style) state->SetStyle(style);
    if (layer) DUxStyleUtil::SetLayerStyle(state, layer);
    DUxIdStyleWrapper wrapper(state);

    auto* inst = new (RSe::_GetMeta(static_cast<const DLxDatumIdInstance*>(nullptr)),
                      fragment->GetSegment()) DLxDatumIdInstance(fragment, state);
    inst->SetBirthday(kBirthday);

    const double overshoot = wrapper.GetLeaderStyle()->GetExtensionLineOvershoot();
    const bool horizontal = wrapper.GetAllowedHorizontalLanding();
    if (arrowId == 0) arrowId = wrapper.GetArrowHead();
    DUxArrowHeadState* arrow = DUxLeaderNodeTree::CreateArrowHeadState(fragment, arrowId);
    DUxLeaderNodeTree* leader = MakeLeader(fragment, points, arrow);
    if (leader) {
        static_cast<DUxDatumIDLeader*>(leader)->SetFeatureIdentifier(feature);
        leader->SetLandingDirectionFlags(horizontal, horizontal);
        if (horizontal) leader->SetSecondLandingDistance(overshoot);
        inst->AppendLeader(leader);
    }
    WqGePoint3d landing = landingPoint;
    inst->SetLandingEndPoint(landing, 0);
    return inst;
}

DUxDatumIdState* DLxDatumIdInstance::GetDatumIdState() const {
    return UTx::Cast<DUxDatumIdState>(GetSymState());
}

RDxString* DLxDatumIdInstance::GetSymbolString() const {
    DUxDatumIdState* state = GetDatumIdState();
    return state ? state->GetDatumIdString() : nullptr;
}

void DLxDatumIdInstance::SetValue(const RDxString* text) {
    if (DUxDatumIdState* state = GetDatumIdState()) state->SetDatumIdText(text);
}

const UTxString16& DLxDatumIdInstance::GetBrowserLabel() const {
    DUxDatumIdState* state = GetDatumIdState();
    if (state && state->IsFeatureIdentifier()) return Label(8143, u"Feature Identifier");
    return Label(8032, u"Datum Identifier");
}

WqGePoint3d DLxDatumIdInstance::GetKeyPoint() const {
    BBox box;
    if (DUxDatumIdState* state = GetDatumIdState()) box = state->GetBoundingBox();
    if (box.isEmpty()) box = GetSymbolBoundingBoxFromGraphics();
    if (box.isEmpty()) return {};
    const WqGePoint3d c = box.center();
    return {c.x, c.y, 0};
}

uint32_t DLxDatumIdInstance::GetOptionalTerminator() const {
    return DUxIdStyleWrapper(GetDatumIdState()).GetArrowHead();
}

UTxResult DLxDatumIdInstance::Compute(RDxComputeContext& ctx) {
    if (DUxDatumIdState* state = GetDatumIdState()) {
        // Identifiers of older documents hang on a plain leader tree.
        if (auto* leader = dynamic_cast<DUxDatumIDLeader*>(GetLeader(0)))
            leader->SetFeatureIdentifier(state->IsFeatureIdentifier());
        DUxIdStyleWrapper wrapper(state);
        if (wrapper.Style()) {
            const bool landing = wrapper.GetAllowedHorizontalLanding();
            if (DUxLeaderNodeTree* leader = GetLeader(0)) {
                // Setting a flag to what it is records nothing.
                leader->SetLandingDirectionFlags(landing, landing);
            }
            if (AlwaysHorizontal() != wrapper.GetAllowHorizontal())
                SetAlwaysHorizontal(wrapper.GetAllowHorizontal());
        }
    }
    return DLxSymInstance::Compute(ctx);
}

void DLxDatumIdInstance::GetTextColor(bool& ownColor, SMxColor& color, bool& byLayerSet,
                                      bool& byLayer) const {
    const RDxString* text = GetSymbolString();
    const DUxTextStyleWrapper* style = GetTextStyleWrapper();
    if (!text || !style) return;
    bool byLayerDiffers = false, colorDiffers = false;
    UCxStringUtil::CompareTextSettings(*text, style->IsColorByLayer(), style->GetColor(),
                                       byLayerDiffers, colorDiffers);
    if (colorDiffers) {
        ownColor = true;
        byLayerSet = false;
        byLayer = false;
        color = UCxStringUtil::ColorOf(*text);
    } else if (byLayerDiffers) {
        byLayerSet = true;
        byLayer = text->GetNoColor();
        if (byLayer) {
            const SmartPtr<DUxLayerStyleAbstract> layer =
                DUxStyleUtil::LayerStyleWrapper(GetDatumIdState());
            if (layer) color = layer->GetLayerColor();
        }
    }
}

SmartPtr<DUxLeaderStyleWrapper> DLxDatumIdInstance::GetLeaderStyleWrapper() const {
    DUxDatumIdState* state = GetDatumIdState();
    if (!state) return nullptr;
    return DUxIdStyleWrapper(state).GetLeaderStyle();
}

const DUxTextStyleWrapper* DLxDatumIdInstance::GetTextStyleWrapper() const {
    DUxDatumIdState* state = GetDatumIdState();
    if (!state) return nullptr;
    m_textStyle = DUxIdStyleWrapper(state).GetTextStyle();
    return &*m_textStyle;
}

BBox DLxDatumIdInstance::GetGraphicsBoundingBox(const SMxDisplayList* first,
                                                const SMxDisplayList* second) const {
    if (GetBirthday() < kBirthday) return DLxSymInstance::GetGraphicsBoundingBox(first, second);
    BBox box;
    for (const SMxDisplayList* list : {first, second})
        if (list && !list->GetBBox().isEmpty()) box.extend(list->GetBBox());
    return box;
}

WqGeVector3d DLxDatumIdInstance::GetAttachPointOffset(const BBox& box) const {
    if (box.isEmpty()) return {};
    const WqGePoint3d c = box.center();
    DUxLeaderNodeTree* leader = GetLeader(0);
    DUxLeaderNode* root = leader ? leader->GetRoot() : nullptr;
    if (!DisplayLeaders() || !root || root->GetNumberOfChildren() == 0) return {c.x, c.y, 0};
    // The leader's last segment, towards the root.
    const WqGeVector3d d = root->GetStoredPoint() - root->GetChildren().front()->GetStoredPoint();
    if (std::fabs(d.y) >= std::fabs(d.x)) return {c.x, d.y >= 0 ? box.min.y : box.max.y, 0};
    return {d.x >= 0 ? box.min.x : box.max.x, c.y, 0};
}

SmartPtr<DUxLayerStyleAbstract> DLxDatumIdInstance::ObjectStyleWrapper() {
    DUxDatumIdState* state = GetDatumIdState();
    return state ? DUxStyleUtil::LayerStyleWrapper(state) : nullptr;
}

void DLxDatumIdInstance::DeleteAndVacuumClean() {
    if (RDxString* text = GetSymbolString()) {
        RDxFragment* fragment = text->GetFragment().get();
        if (!fragment || !fragment->DeleteNode(text)) RSe::DeleteObject(text);
    }
    DLxSymInstance::DeleteAndVacuumClean();
}
