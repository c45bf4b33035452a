#include "SymTestKind.h"

#include <numbers>

#include "Leader/DLxTerminalLeaderNode.h"
#include "Leader/DLxTerminalNodeGenerator.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxLayerStyleAbstract.h"
#include "rse/RSeMeta.h"
#include "sm/SMxDisplayItem.h"

namespace {
void StateGuid(UTxGUID& g) {
    g = UTxGUID(0x5a11e001, 0x00010001, 0x80000000, 0x00000001);
}
void KindGuid(UTxGUID& g) {
    g = UTxGUID(0x5a11e001, 0x00010001, 0x80000000, 0x00000002);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const SymTestState*) {
    static RSeMetaType* mt =
        RSeMakeMeta<SymTestState>(u"SymTestState", &StateGuid, 0, RSeMetaType::kClass,
                                  RSe::_InitMeta(static_cast<const DUxSymState*>(nullptr)));
    return mt;
}
RSeMetaType* _InitMeta(const SymTestKind*) {
    static RSeMetaType* mt =
        RSeMakeMeta<SymTestKind>(u"SymTestKind", &KindGuid, 0, RSeMetaType::kClass,
                                 RSe::_InitMeta(static_cast<const DLxSymInstance*>(nullptr)));
    return mt;
}
} // namespace RSe

// Registered at start, so that documents holding them load before the first one is made.
static RSeMetaType* const s_stateMeta = RSe::_InitMeta(static_cast<const SymTestState*>(nullptr));
static RSeMetaType* const s_kindMeta = RSe::_InitMeta(static_cast<const SymTestKind*>(nullptr));

RSeMetaType* SymTestState::GetMeta() const {
    return RSe::_InitMeta(this);
}
RSeMetaType* SymTestKind::GetMeta() const {
    return RSe::_InitMeta(this);
}

void SymTestState::GenGraphics(SMxDisplayList& symbolList, SMxDisplayList& textList, int32_t,
                               const UTxGUID&, bool, int32_t) {
    WqArray<WqGePoint3d> box;
    box.append({-2, -1, 0});
    box.append({2, -1, 0});
    box.append({2, 1, 0});
    box.append({-2, 1, 0});
    auto outline = std::make_unique<SMxPolylineItem>(box, true);
    outline->SetId(
        DUxLeaderNodeTree::SynthesizeItemID(DUxLeaderNodeTree::kSymbolBodyItem, 0, 0, 0));
    symbolList.Append(std::move(outline));
    textList.Append(std::make_unique<SMxTextItem>(u"A1", WqGePoint3d(), WqGeVector3d::kXAxis, 1.0,
                                                  SMxTextAlign::MiddleCenter));
    if (m_textInSymbol) {
        auto nested = std::make_unique<SMxChildItem>();
        nested->list.Append(std::make_unique<SMxTextItem>(u"B", WqGePoint3d(), WqGeVector3d::kXAxis,
                                                          0.5, SMxTextAlign::MiddleCenter));
        symbolList.Append(std::move(nested));
    }
}

namespace {
class TestLayerStyle : public DUxLayerStyleAbstract {
public:
    TestLayerStyle(const SMxColor& layer, const std::optional<SMxColor>& own)
        : m_layer(layer), m_own(own) {}
    SMxColor GetLayerColor() const override { return m_layer; }
    SMxColor GetColor() const override { return m_own ? *m_own : m_layer; }

private:
    SMxColor m_layer;
    std::optional<SMxColor> m_own;
};
} // namespace

SmartPtr<DUxLayerStyleAbstract> SymTestKind::ObjectStyleWrapper() {
    return SmartPtr<DUxLayerStyleAbstract>(new TestLayerStyle(m_layerColor, m_styleColor));
}

void SymTestKind::GetTextColor(bool& ownColor, SMxColor& color, bool& byLayer, bool&) const {
    ownColor = m_ownTextColor.has_value();
    if (ownColor) color = *m_ownTextColor;
    byLayer = m_textsByLayer;
}

SymTestSheet::SymTestSheet()
    : doc(new DLxDrawingDoc()), sheet(doc->CreateSheet(u"S", 420, 297)),
      view(sheet->CreateView(u"Front")), generator(DLxTerminalNodeGenerator::Create(sheet)) {
    view->SetViewCenter({100, 100, 0});
    view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0}),
                    DLxViewEdge::Arc(2, {0, 100, 0}, WqGeVector3d::kZAxis, 20, 0, std::numbers::pi),
                    DLxViewEdge::Arc(3, {0, -60, 0}, {1, 0, 1}, 20, 0, 2 * std::numbers::pi)});
}

SymTestSheet::~SymTestSheet() {
    delete doc;
}

SymTestKind* SymTestSheet::PlaceFree(const WqGePoint3d& end, const WqGePoint3d& root) {
    auto* state = new (RSe::_InitMeta(static_cast<const SymTestState*>(nullptr)),
                       sheet->GetSegment()) SymTestState();
    sheet->AddNode(state);
    auto* sym = new (RSe::_InitMeta(static_cast<const SymTestKind*>(nullptr)), sheet->GetSegment())
        SymTestKind(sheet, state);
    DUxLeaderNodeTree* tree = DUxLeaderNodeTree::Create(sheet, generator, end);
    tree->InsertNode(tree->GetRoot(), root);
    sym->AppendLeader(tree);
    state->SetOrigin(end);
    return sym;
}

SymTestKind* SymTestSheet::Place(int32_t edgeId, double param, const WqGePoint3d& root) {
    SymTestKind* sym = PlaceFree({0, 0, 0}, root);
    DLxAnchorPoint* anchor = sym->GetFirstAnchor();
    anchor->AttachToEdge(view, edgeId, param);
    sym->GetSymState()->SetOrigin(anchor->GetPoint());
    return sym;
}

UTxResult SymTestSheet::Recompute() {
    RDxComputeContext ctx;
    return sheet->Recompute(ctx);
}
