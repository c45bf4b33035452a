#include "Symbol/DLxSurfTXTInstance.h"

#include "Leader/DLxTerminalNodeGenerator.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dc/RDxFragment.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxSurfTXTState.h"
#include "du/DUxSurfaceTextureStyle.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "fb/FBxLayerStyle.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxCast.h"

DLxSurfTXTInstance::DLxSurfTXTInstance(RDxFragment* fragment, DUxSurfTXTState* state)
    : DLxSymInstance(fragment, state) {}

DLxSurfTXTInstance::DLxSurfTXTInstance(const RSeStream* s) : DLxSymInstance(s) {}

DLxSurfTXTInstance::~DLxSurfTXTInstance() = default;

DLxSurfTXTInstance* DLxSurfTXTInstance::CreateInstance(
    RDxFragment* fragment, std::vector<WqGePoint3d>& points, uint32_t arrowType,
    const RSeRef<DUxSurfaceTextureStyle>& style, const RSeRef<FBxLayerStyle>& layerStyle,
    const RSeRef<FWxStyle>&) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    DUxSurfTXTState* state = DUxSurfTXTState::Create(fragment);
    // Pointing the state at its styles reads them, so that the transaction keeps no image of
    // a style with every symbol made.
    if (style.HasTarget()) state->SetStyle(style.Read());
    if (layerStyle.HasTarget()) DUxStyleUtil::SetLayerStyle(state, layerStyle.Read());
    if (const DUxSurfaceTextureStyle* st = state->GetSurfaceTextureStyle())
        state->SetForcedTail(st->GetForceTail());
    auto* inst = new (RSe::_GetMeta(static_cast<const DLxSurfTXTInstance*>(nullptr)),
                      fragment->GetSegment()) DLxSurfTXTInstance(fragment, state);

    // One leader from its end (the first point) through the others to its root.
    auto* generator = DLxTerminalNodeGenerator::Create(fragment);
    DUxArrowHeadState* arrow = DUxLeaderNodeTree::CreateArrowHeadState(fragment, arrowType);
    const WqGePoint3d end = points.empty() ? WqGePoint3d::kOrigin : points.front();
    DUxLeaderNodeTree* tree = DUxLeaderNodeTree::Create(fragment, generator, end, arrow);
    if (tree) {
        DUxLeaderNode* node = tree->GetRoot();
        for (size_t i = 1; i < points.size(); ++i)
            node = tree->InsertNode(node, points[i]);
        inst->AppendLeader(tree);
    }
    inst->SetAlwaysHorizontal(false);
    return inst;
}

DUxSurfTXTState* DLxSurfTXTInstance::GetSurfTXTState() const {
    return UTx::Cast<DUxSurfTXTState>(GetSymState());
}

const UTxString16& DLxSurfTXTInstance::GetBrowserLabel() {
    static const UTxString16 label = [] {
        HMODULE res = KorvuGetResourceHandle();
        auto text = res ? FindStringResource(res, 8453) : std::nullopt;
        return text ? UTxString16(*text) : UTxString16(u"Surface Texture Symbol");
    }();
    return label;
}

WqGePoint3d DLxSurfTXTInstance::GetKeyPoint() const {
    BBox box;
    if (const DUxSurfTXTState* state = GetSurfTXTState()) box = state->GetBoundingBox();
    if (box.isEmpty()) box = GetSymbolBoundingBoxFromGraphics();
    if (box.isEmpty()) return GetSymbolOrigin();
    const WqGePoint3d c = box.center();
    return {c.x, c.y, 0};
}

// The symbol draws its all-around circle itself (0.9 text heights, by its standard); the
// leader's look is the state's own values over that.
SmartPtr<DUxLeaderStyleWrapper> DLxSurfTXTInstance::GetLeaderStyleWrapper() const {
    DUxSurfTXTState* state = GetSurfTXTState();
    if (!state) return nullptr;
    DUxLeaderStyleWrapper::Defaults d;
    d.allAroundDiameter = 0.9 * state->GetTextHeight();
    return new DUxLeaderStyleWrapper(state, d);
}

const DUxTextStyleWrapper* DLxSurfTXTInstance::GetTextStyleWrapper() const {
    const DUxSurfTXTState* state = GetSurfTXTState();
    if (!state) return nullptr;
    m_textStyle = DUxTextStyleWrapper(1, 2, state->GetTextHeight());
    return &*m_textStyle;
}

SmartPtr<DUxLayerStyleAbstract> DLxSurfTXTInstance::ObjectStyleWrapper() {
    DUxSurfTXTState* state = GetSurfTXTState();
    return state ? DUxStyleUtil::LayerStyleWrapper(state) : nullptr;
}

void DLxSurfTXTInstance::GetAttachPointIfNoLeader(WqGePoint3d& p) const {
    DUxLeaderNodeTree* tree = GetLeader(0);
    if (!tree || !tree->GetRoot()) return;
    p = tree->GetRoot()->GetPoint();
}
