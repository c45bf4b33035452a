// Showing an annotation's lost anchors (the probes) and repairing them (the treatments), driven
// as the host's diagnosis framework drives them, on a drawing with an active scene view and a
// browser view.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "DatumId/DLxCenterDatumInstance.h"
#include "DatumId/DLxDatumIdInstance.h"
#include "DatumId/DLxDatumIdSelection.h"
#include "DatumId/DLxFeatureIdSymbol.h"
#include "DatumTarget/DLxDatumTarget.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTSelection.h"
#include "Symbol/DLxProbes.h"
#include "Symbol/DLxSymbolTreatments.h"
#include "WinMessageBox.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDiagEmblemInvalidAnchorPoint.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"
#include "rse/RSe.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxSceneView.h"
#include "utx/UTxResult.h"

namespace {

// A drawing with one sheet, seen in the active scene view, with its browser view.
struct SickDrawing {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;
    std::unique_ptr<SMxSceneView> view;
    std::unique_ptr<FWxView> browser;
    std::vector<std::unique_ptr<UTxDiagnosis>> diagnoses;

    SickDrawing() {
        doc->GetDrawing()->SetStandardName(u"ISO");
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        view = std::make_unique<SMxSceneView>(doc.get());
        browser = std::make_unique<FWxView>(doc.get());
        SMxSceneUtil::SetActiveView(view.get());
        FWxView::SetBrowserView(doc.get(), browser.get());
        view->GetCamera() = SMxCamera({0, 0, 100}, {0, 0, 0});
        WinMessageBoxes::Reset();
    }
    ~SickDrawing() {
        // Nothing shown outlives the drawing.
        DatumIdSymbolProbeFn(nullptr, false);
        SMxSceneUtil::SetActiveView(nullptr);
        FWxView::SetBrowserView(doc.get(), nullptr);
    }

    void Compute(RDxFragment* fragment) {
        RDxComputeContext ctx;
        fragment->Recompute(ctx);
    }
    // An identifier on the sheet (or in `fragment`) whose leader ends at `end`, drawn.
    DLxDatumIdInstance* Identifier(const WqGePoint3d& end, RDxFragment* fragment = nullptr) {
        if (!fragment) fragment = sheet;
        std::vector<WqGePoint3d> points{end, {end.x, end.y + 15, 0}};
        DLxDatumIdInstance* id = DLxDatumIdInstance::CreateInstance(
            fragment, u"A", points, points[1], 0, false, nullptr, nullptr);
        Compute(fragment);
        return id;
    }
    DLxGDTInstance* Frame(const WqGePoint3d& end) {
        std::vector<WqGePoint3d> points{end, {end.x + 10, end.y + 10, 0}};
        DLxGDTInstance* frame = DLxGDTInstance::CreateInstance(sheet, points, 28029, {}, {}, {});
        Compute(sheet);
        return frame;
    }
    UTxDiagnosis* SickAnchor(DLxSymInstance* symbol) {
        diagnoses.emplace_back(DLxDiagEmblemInvalidAnchorPoint::Create(
            UTxResult(DLxSymInstance::kInvalidAnchorWarning), symbol, symbol->GetFirstAnchor()));
        return diagnoses.back().get();
    }
    FWxSelectionSet& PreSelected() const {
        return *FWxSelectionSetMgr::Get(doc.get())->GetPreSelectionSet();
    }
};

DLxDatumIdInstance* SelectedIdentifier(const FWxSelectionSet& set, size_t i) {
    auto* sel = dynamic_cast<DLxDatumIdSelection*>(set.GetAt(i).get());
    return sel ? sel->GetInstance() : nullptr;
}

// ---- probes

// Show pre-selects the annotation, redraws both views and pans to the first sick anchor; hide
// takes the selection back out and redraws again.
TEST(DiagnosisProbe, ShowSelectsRedrawsAndPansHideTakesItBack) {
    SickDrawing d;
    DLxDatumIdInstance* id = d.Identifier({120, 80, 0});
    ASSERT_NE(id, nullptr);
    UTxDiagnosis* diag = d.SickAnchor(id);
    const WqGePoint3d anchor = id->GetFirstAnchor()->GetPoint();

    DatumIdSymbolProbeFn(diag, true);
    ASSERT_EQ(d.PreSelected().Count(), 1u);
    EXPECT_EQ(SelectedIdentifier(d.PreSelected(), 0), id);
    EXPECT_EQ(DLxProbes::GetProbeSelection().get(), d.PreSelected().GetAt(0).get());
    EXPECT_EQ(DLxProbes::GetProbeSelectionSet(), &d.PreSelected());
    EXPECT_EQ(d.view->GetInvalidations(), 1);
    EXPECT_EQ(d.view->GetLastUpdateState(), 4);
    EXPECT_EQ(d.browser->GetInvalidations(), 1);
    ASSERT_EQ(d.view->GetTransitions().size(), 1u);
    EXPECT_EQ(d.view->GetTransitions()[0].from, SMxCamera({0, 0, 100}, {0, 0, 0}));
    EXPECT_EQ(d.view->GetCamera().GetTarget(), anchor);
    EXPECT_EQ(d.view->GetCamera().GetEye(), anchor + WqGeVector3d(0, 0, 100));

    DatumIdSymbolProbeFn(diag, false);
    EXPECT_TRUE(d.PreSelected().IsEmpty());
    EXPECT_FALSE(DLxProbes::GetProbeSelection());
    EXPECT_EQ(DLxProbes::GetProbeSelectionSet(), nullptr);
    EXPECT_EQ(d.view->GetInvalidations(), 2);
    EXPECT_EQ(d.browser->GetInvalidations(), 2);
    EXPECT_EQ(d.view->GetTransitions().size(), 1u);
}

// A probe of another kind, or a diagnosis of another class, does nothing at all.
TEST(DiagnosisProbe, AnotherKindDoesNothing) {
    SickDrawing d;
    DLxDatumIdInstance* id = d.Identifier({120, 80, 0});
    std::unique_ptr<UTxDiagnosis> plain(UTxDiagnosis::Create(1, u"other", id));
    const struct {
        const char* what;
        void (*probe)(UTxDiagnosis*, bool);
        UTxDiagnosis* diagnosis;
    } cases[] = {
        {"balloon probe on an identifier", &BalloonSymProbeFn, d.SickAnchor(id)},
        {"frame probe on an identifier", &GDTSymbolProbeFn, d.SickAnchor(id)},
        {"identifier probe, another diagnosis", &DatumIdSymbolProbeFn, plain.get()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.probe(c.diagnosis, true);
        EXPECT_TRUE(d.PreSelected().IsEmpty());
        EXPECT_EQ(d.view->GetInvalidations(), 0);
        EXPECT_TRUE(d.view->GetTransitions().empty());
    }
}

// An annotation whose fragment is no sheet has no node to select through: nothing is
// selected, but the views are redrawn and the camera pans all the same. A hide with nothing
// shown removes nothing and still redraws.
TEST(DiagnosisProbe, WithoutASceneNodeItStillRedrawsAndPans) {
    SickDrawing d;
    RSeSegment* segment = RSe::SegmentOf(d.doc->GetRSeDb());
    auto* loose = new (RSe::_GetMeta(static_cast<const RDxFragment*>(nullptr)), segment)
        RDxFragment();
    DLxDatumIdInstance* id = d.Identifier({50, 60, 0}, loose);
    ASSERT_NE(id, nullptr);
    DatumIdSymbolProbeFn(d.SickAnchor(id), true);
    EXPECT_TRUE(d.PreSelected().IsEmpty());
    EXPECT_FALSE(DLxProbes::GetProbeSelection());
    EXPECT_EQ(d.view->GetInvalidations(), 1);
    EXPECT_EQ(d.view->GetCamera().GetTarget(), id->GetFirstAnchor()->GetPoint());

    DatumIdSymbolProbeFn(nullptr, false);
    EXPECT_EQ(d.view->GetInvalidations(), 2);
    EXPECT_EQ(d.browser->GetInvalidations(), 2);
}

// A second show keeps the first selection in its set; the hide after it takes out only the
// second.
TEST(DiagnosisProbe, TwoShowsThenOneHideLeaveTheFirstSelection) {
    SickDrawing d;
    DLxDatumIdInstance* first = d.Identifier({120, 80, 0});
    DLxGDTInstance* frame = d.Frame({200, 100, 0});
    ASSERT_NE(frame, nullptr);
    DatumIdSymbolProbeFn(d.SickAnchor(first), true);
    GDTSymbolProbeFn(d.SickAnchor(frame), true);
    ASSERT_EQ(d.PreSelected().Count(), 2u);
    GDTSymbolProbeFn(nullptr, false);
    ASSERT_EQ(d.PreSelected().Count(), 1u);
    EXPECT_EQ(SelectedIdentifier(d.PreSelected(), 0), first);
}

// A drawing closed while its problem is shown: taking the display back afterwards reaches
// nothing of it.
TEST(DiagnosisProbe, HideAfterTheDrawingClosedIsHarmless) {
    auto d = std::make_unique<SickDrawing>();
    DatumIdSymbolProbeFn(d->SickAnchor(d->Identifier({120, 80, 0})), true);
    ASSERT_TRUE(DLxProbes::GetProbeSelection());
    SMxSceneUtil::SetActiveView(nullptr);
    d->diagnoses.clear();
    d->doc.reset();
    DatumIdSymbolProbeFn(nullptr, false);
    EXPECT_FALSE(DLxProbes::GetProbeSelection());
    EXPECT_EQ(DLxProbes::GetProbeSelectionSet(), nullptr);
    d->view.reset();
    d->browser.reset();
}

// ---- treatments

// Which repairs are offered for which object.
TEST(SymbolTreatment, OfferedByKind) {
    SickDrawing d;
    DLxDatumIdInstance* id = d.Identifier({120, 80, 0});
    DLxCenterDatumInstance* origin =
        DLxCenterDatumInstance::CreateInstance(d.sheet, {60, 60, 0}, 0, nullptr, nullptr);
    DLxDatumTarget* point = DLxDatumTarget::Create(d.sheet, 2);
    DLxDatumTarget* leaderOnly = DLxDatumTarget::Create(d.sheet, 0);
    auto* older = new (RSe::_GetMeta(static_cast<const DLxFeatureIdSymbol*>(nullptr)),
                       RSe::SegmentOf(d.doc->GetRSeDb())) DLxFeatureIdSymbol(nullptr);
    ASSERT_TRUE(origin && point && leaderOnly);
    ASSERT_EQ(point->GetTargetType(), 2);
    const struct {
        const char* what;
        RDxObject* object;
        bool remove, reattach;
    } cases[] = {
        {"placed identifier", id, true, true},
        {"origin indicator", origin, false, true},
        {"point datum target", point, true, false},
        {"leader-only datum target", leaderOnly, true, true},
        {"older-generation symbol", older, true, true},
        {"a sheet", d.sheet, false, false},
    };
    DLxDeleteSymbolTreatment remove;
    DLxReattachSymbolTreatment reattach;
    DLxAutoReconnectSymbolTreatment reconnect;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(remove.CanApply(RSeRef<RDxObject>(c.object), nullptr), c.remove);
        EXPECT_EQ(reattach.CanApply(RSeRef<RDxObject>(c.object), nullptr), c.reattach);
        EXPECT_EQ(reconnect.CanApply(RSeRef<RDxObject>(c.object), nullptr), c.reattach);
    }
    EXPECT_EQ(remove.GetNumber(), 33160u);
    EXPECT_EQ(remove.GetName(), UTxResult::GetStringFromId(0x600B01CC));
    RSe::DeleteObject(older);
}

// Each repair pre-selects the symbol, then asks and starts what it stands for in the active
// view: delete runs the host's delete command; reattach tells what to pick (its own message for
// an origin indicator) and starts the reattach command; reconnect reconnects, then reattaches.
TEST(SymbolTreatment, ApplySelectsThenStartsItsCommands) {
    SickDrawing d;
    DLxDatumIdInstance* id = d.Identifier({120, 80, 0});
    DLxCenterDatumInstance* origin =
        DLxCenterDatumInstance::CreateInstance(d.sheet, {60, 60, 0}, 0, nullptr, nullptr);
    d.Compute(d.sheet);
    DLxDeleteSymbolTreatment remove;
    DLxReattachSymbolTreatment reattach;
    DLxAutoReconnectSymbolTreatment reconnect;
    const struct {
        const char* what;
        UCxTreatment* treatment;
        RDxObject* object;
        std::vector<uint32_t> commands;
        uint32_t message; // 0: no message box
    } cases[] = {
        {"delete", &remove, id, {33160}, 0},
        {"reattach", &reattach, id, {35870}, 0x600B03EB},
        {"reattach an origin indicator", &reattach, origin, {35870}, 0x600B03EC},
        {"reconnect", &reconnect, id, {44026, 35870}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        d.PreSelected().RemoveAll();
        WinMessageBoxes::Reset();
        c.treatment->Apply(RSeRef<RDxObject>(c.object), d.doc.get(), nullptr);
        ASSERT_EQ(d.PreSelected().Count(), 1u);
        EXPECT_EQ(d.view->TakePostedCommands(), c.commands);
        if (!c.message) {
            EXPECT_TRUE(WinMessageBoxes::GetShown().empty());
            continue;
        }
        ASSERT_EQ(WinMessageBoxes::GetShown().size(), 1u);
        EXPECT_EQ(WinMessageBoxes::GetShown()[0].text, UTxResult::GetStringFromId(c.message));
        EXPECT_EQ(WinMessageBoxes::GetShown()[0].caption,
                  UTxResult::GetStringFromId(0x600B01CD));
    }
    // Without an active view the symbol is selected and nothing is started.
    d.PreSelected().RemoveAll();
    SMxSceneUtil::SetActiveView(nullptr);
    reconnect.Apply(RSeRef<RDxObject>(id), d.doc.get(), nullptr);
    EXPECT_EQ(d.PreSelected().Count(), 1u);
    EXPECT_TRUE(d.view->GetPostedCommands().empty());
}

// What cannot be selected is not repaired: an older-generation symbol other than a datum
// target is offered the delete repair, but applying it selects and deletes nothing; an
// annotation that has not drawn yet has no node to select through.
TEST(SymbolTreatment, NothingHappensForWhatCannotBeSelected) {
    SickDrawing d;
    auto* older = new (RSe::_GetMeta(static_cast<const DLxFeatureIdSymbol*>(nullptr)),
                       RSe::SegmentOf(d.doc->GetRSeDb())) DLxFeatureIdSymbol(nullptr);
    d.sheet->AddNode(older);
    std::vector<WqGePoint3d> points{{10, 10, 0}, {20, 20, 0}};
    DLxGDTInstance* undrawn = DLxGDTInstance::CreateInstance(d.sheet, points, 28029, {}, {}, {});
    DLxDeleteSymbolTreatment remove;
    for (RDxObject* object : std::initializer_list<RDxObject*>{older, undrawn}) {
        EXPECT_TRUE(remove.CanApply(RSeRef<RDxObject>(object), nullptr));
        remove.Apply(RSeRef<RDxObject>(object), d.doc.get(), nullptr);
        EXPECT_TRUE(d.PreSelected().IsEmpty());
        EXPECT_TRUE(d.view->GetPostedCommands().empty());
    }
}

} // namespace
