// Weld symbols that follow the model's welds: a weld shown on a symbol's other side, cosmetic
// welds along part edges, re-reading the model after a sheet change, re-anchoring after a view
// update, and the anchor change that names the weld under the new anchor.
#include <gtest/gtest.h>

#include <vector>

#include "WeldTestDoc.h"
#include "Leader/DLxLeaderUtils.h"
#include "Request/DLxSymChangeLeaderRequest.h"
#include "dl/DLxAnchorPoint.h"
#include "fw/IFxInterfaces.h"
#include "rse/RSeInterface.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"

namespace {
using namespace weldtest;
using WI = DLxWeldInstance;

DUxCSubWelding Symbol(const char16_t* notes) {
    DUxCSubWelding sub;
    DUxCWeld fillet;
    fillet.setWeldType(DUxCWeld::kFillet, 0);
    sub.setWeldOnArrowSide(&fillet, true);
    sub.notes = notes;
    return sub;
}

// Edge 1 (sheet y 150) is a bead of weld 7, which shows weld 8 on its other side; edge 2
// (y 190) a bead of weld 8; edge 3 (y 110) a part edge with cosmetic welds 20 over 0.2 .. 0.6
// and 0.7 .. 0.9, and 21 over 0.85 .. 1.
struct ModelDoc : WeldDoc {
    ModelDoc() {
        DLxViewEdge bead7 = DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0});
        bead7.weld = 7;
        DLxViewEdge bead8 = DLxViewEdge::Line(2, {-50, 40, 0}, {50, 40, 0});
        bead8.weld = 8;
        EXPECT_TRUE(view->SetEdges({bead7, bead8, Part(3, -40, {{20, {0.2, 0.6, 0.9, 0.7}},
                                                               {21, {0.85, 1.0}}})}));
        DLxModelWeld w7{7, false, {Symbol(u"seven")}, 8, false};
        DLxModelWeld w8{8, false, {}, 0, false};
        DLxModelWeld w20{20, false, {Symbol(u"twenty")}, 0, true};
        DLxModelWeld w21{21, false, {Symbol(u"twenty-one")}, 0, true};
        EXPECT_TRUE(view->SetModelWelds({w7, w8, w20, w21}));
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
    }
    static DLxViewEdge Part(int32_t id, double y, std::vector<DLxEdgeWeldData> welds) {
        DLxViewEdge e = DLxViewEdge::Line(id, {-50, y, 0}, {50, y, 0});
        e.cosmeticWelds = std::move(welds);
        return e;
    }
    WI* On(int32_t edge, double param) {
        const size_t n = Count();
        const double y = 150 + 40 * (edge == 2) - 40 * (edge == 3);
        const WqGePoint3d end = {150 + 100 * param, y, 0}, root = {150 + 100 * param + 20, y + 25, 0};
        EXPECT_FALSE(doc->ProcessChangeRequest(new DLxCreateWeldSymbolRequest(
                                                   DLxIntent::OnEdge(view, edge, param),
                                                   {end, root}, root, {}, {}, {}))
                         .Failed());
        return Weld(n);
    }
    size_t Count() const {
        size_t n = 0;
        while (Weld(n)) ++n;
        return n;
    }
    static const UTxString16& Notes(WI* w) { return w->GetWeldState()->subWelding(0)->notes; }
};

TEST(WeldModel, EitherSideOfAPairedWeldShowsThePairsSymbol) {
    ModelDoc d;
    WI* arrow = d.On(1, 0.5);
    EXPECT_EQ(arrow->GetArrowID(), 7u);
    EXPECT_EQ(arrow->GetOtherID(), 8u);
    EXPECT_EQ(ModelDoc::Notes(arrow), u"seven");
    // On the other side's bead the symbol is the same, its ids too.
    WI* other = d.On(2, 0.5);
    ASSERT_TRUE(other->IsRecovered());
    EXPECT_EQ(other->GetArrowID(), 7u);
    EXPECT_EQ(other->GetOtherID(), 8u);
    EXPECT_EQ(ModelDoc::Notes(other), u"seven");
    EXPECT_EQ(other->GetFeatureIdFromAnchorEdgeProxy(), 8u);
    // The edge is the symbol's through OtherID.
    EXPECT_NE(other->GetAnchorEdgeProxy(0, 0), nullptr);
    EXPECT_FALSE(other->UsesCosmeticWeldData());
}

TEST(WeldModel, ACosmeticWeldIsFoundByTheAnchorsPlaceAlongItsEdge) {
    struct Case {
        double param;
        uint32_t weld; // kNoFeature: no weld there, the symbol stays the user's
        const char16_t* notes;
    };
    const Case cases[] = {{0.4, 20, u"twenty"},
                          {0.8, 20, u"twenty"}, // through the pair given backwards (0.9, 0.7)
                          {0.88, 21, u"twenty-one"}, // both hold it: the last wins
                          {0.65, WI::kNoFeature, u""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.param);
        ModelDoc d;
        WI* w = d.On(3, c.param);
        EXPECT_EQ(w->GetArrowID(), c.weld);
        EXPECT_EQ(w->GetOtherID(), WI::kNoFeature);
        EXPECT_EQ(ModelDoc::Notes(w), c.notes);
        EXPECT_EQ(w->IsRecovered(), c.weld != WI::kNoFeature);
        EXPECT_EQ(w->UsesCosmeticWeldData(), c.weld != WI::kNoFeature);
        const DLxEdgeWeldData* data = w->GetCosmeticEdgeAuxWeldData(0, 0);
        EXPECT_EQ(data ? uint32_t(data->weld) : WI::kNoFeature, c.weld);
        // The first cosmetic weld of the edge, whatever the anchor's place.
        EXPECT_EQ(w->GetFeatureIdFromAnchorEdgeProxy(), c.weld == WI::kNoFeature ? WI::kNoFeature : 20u);
    }
}

// A view update that replaces the edges leaves the anchors without edges; the hook puts them
// back on their welds, and leaves valid symbols and symbols of the user alone.
TEST(WeldModel, AViewUpdateReanchorsSymbolsOnTheirWelds) {
    ModelDoc d;
    WI* bead = d.On(1, 0.3);
    WI* cosmetic = d.On(3, 0.8);
    WI* mine = d.On(3, 0.65);
    ASSERT_TRUE(bead->IsRecovered() && cosmetic->IsRecovered() && !mine->IsRecovered());
    EXPECT_EQ(WI::RelinkViewWeldSymbols(d.view), 0);

    DLxViewEdge bead7 = DLxViewEdge::Line(11, {-50, -10, 0}, {30, -10, 0});
    bead7.weld = 7;
    DLxViewEdge bead8 = DLxViewEdge::Line(2, {-50, 40, 0}, {50, 40, 0});
    bead8.weld = 8;
    ASSERT_TRUE(d.view->SetEdges({bead7, bead8, ModelDoc::Part(13, -60, {{20, {0.1, 0.3}}})}));
    RDxComputeContext ctx;
    d.sheet->Recompute(ctx);
    ASSERT_FALSE(bead->IsValid());

    // As the host does after generating the view: through the module's published proxy.
    auto* proxy = RSe::StaticInterfaceSet().Query<IFxAnnoWeldProxy>(UTxGuidForIFxAnnoWeldProxy());
    ASSERT_NE(proxy, nullptr);
    EXPECT_EQ(proxy->OnViewUpdated(d.view), 2);
    for (auto [w, edge, param] : {std::tuple{bead, 11, 0.5}, std::tuple{cosmetic, 13, 0.2}}) {
        DLxAnchorPoint* anchor = w->GetFirstAnchor();
        int32_t id = 0;
        ASSERT_TRUE(anchor->GetEdgeId(id));
        EXPECT_EQ(id, edge);
        EXPECT_NEAR(anchor->GetParameter(), param, 1e-12);
        EXPECT_TRUE(w->IsValid());
    }
    EXPECT_NEAR(bead->GetFirstAnchor()->GetPoint().x, 190, 1e-9); // the middle of -50 .. 30
    EXPECT_EQ(cosmetic->GetCosmeticEdgeAuxWeldData(0, 0)->weld, 20);
    EXPECT_FALSE(mine->IsValid());
    EXPECT_EQ(WI::RelinkViewWeldSymbols(d.view), 0);
}

TEST(WeldModel, ASheetChangeRereadsTheModelsSymbol) {
    ModelDoc d;
    WI* w = d.On(1, 0.5);
    std::vector<DLxModelWeld> welds = d.view->GetModelWelds();
    welds[0].subWeldings[0].notes = u"changed";
    ASSERT_TRUE(d.view->SetModelWelds(welds));
    for (const int32_t change : {1, 3}) {
        RDxComputeContext ctx;
        ctx.SetInt(u"DLxSheetChangeTypeAttr", change);
        w->MarkEdited(true);
        d.sheet->Recompute(ctx);
        EXPECT_EQ(ModelDoc::Notes(w), change == 3 ? u"changed" : u"seven") << change;
    }
}

TEST(WeldModel, MovingTheAnchorNamesTheWeldUnderIt) {
    ModelDoc d;
    WI* w = d.On(1, 0.5);
    DUxLeaderNodeTree* tree = w->GetLeader(0);
    const int32_t node = tree->GetTerminalNode(0)->GetNodeId();
    ASSERT_FALSE(d.doc->ProcessChangeRequest(
                      new DLxSymChangeAnchorRequest(RSeRef<DLxSymInstance>(w), 0, node,
                                                    DLxIntent::OnEdge(d.view, 2, 0.5), true,
                                                    {200, 190, 0}, false))
                     .Failed());
    EXPECT_EQ(w->GetArrowID(), 8u);
    // A symbol of the user's names none.
    WI* mine = d.On(3, 0.65);
    const int32_t mineNode = mine->GetLeader(0)->GetTerminalNode(0)->GetNodeId();
    ASSERT_FALSE(d.doc->ProcessChangeRequest(
                      new DLxSymChangeAnchorRequest(RSeRef<DLxSymInstance>(mine), 0, mineNode,
                                                    DLxIntent::OnEdge(d.view, 1, 0.2), true,
                                                    {170, 150, 0}, false))
                     .Failed());
    EXPECT_EQ(mine->GetArrowID(), WI::kNoFeature);
}

} // namespace
