// Origin indicators: creation on a view edge and its refusals, the arrowhead drawn at the
// anchor and moved by the offset, hiding, moving the anchor, the invalid-anchor warning, the
// transcript records and undo, and the edit command with its dialog.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "CDialog.h"
#include "Command/DLxCenterDatumEditCmd.h"
#include "Command/DLxCenterDatumEditDlg.h"
#include "DatumId/DLxCenterDatumInstance.h"
#include "DatumId/DLxCenterDatumInstanceONKTranslator.h"
#include "DatumId/DLxCenterDatumSelection.h"
#include "DatumId/DLxCenterDatumState.h"
#include "Leader/DLxCenterDatumManipulator.h"
#include "Leader/DLxSymFilters.h"
#include "Request/DLxCenterDatumRequests.h"
#include "Standard/DLxStdStyles.h"
#include "TstDocWriter.h"
#include "WinMessageBox.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDiagEmblemInvalidAnchorPoint.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxArrowHead.h"
#include "fw/FWxCommand.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSaveData.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {

// An ISO drawing with one sheet and a view at scale 2 whose edge 1 runs along y = 150 from
// x 100 to 300 and edge 2 up from (300,150) to (300,250).
struct OriginDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;

    OriginDoc() {
        doc->GetDrawing()->SetStandardName(u"ISO");
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        view = sheet->CreateView(u"Front");
        view->SetViewCenter({200, 150, 0});
        view->SetViewScale(2);
        view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0}),
                        DLxViewEdge::Line(2, {50, 0, 0}, {50, 50, 0})});
        DLxStdStyles::AddDocumentStyles(doc.get());
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
    }

    UTxResult Create(const DLxIntent& intent, uint32_t arrow = 28029) {
        return doc->ProcessChangeRequest(
            new DLxCreateCenterDatumRequest(intent, {}, arrow, {}, {}, false));
    }
    UTxResult Create(double param = 0.5) { return Create(DLxIntent::OnEdge(view, 1, param)); }
    DLxCenterDatumInstance* Indicator() const {
        for (const RSeRef<RDxNode>& r : sheet->GetNodes())
            if (auto* f = dynamic_cast<DLxCenterDatumInstance*>(r.GetTarget())) return f;
        return nullptr;
    }
    RSeRef<DLxCenterDatumInstance> Ref() const {
        return RSeRef<DLxCenterDatumInstance>(Indicator());
    }
    UTxResult Edit(double x, double y) {
        return doc->ProcessChangeRequest(new DLxCenterDatumEditRequest(Ref(), x, y));
    }
    UTxResult Hide(bool hide) {
        return doc->ProcessChangeRequest(new DLxCenterDatumShowHideRequest(Ref(), hide));
    }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
        return bytes;
    }
};

// The drawn arrowhead's tip: its outline's first point (the tip of an arrow).
const SMxDisplayItem* ArrowHead(const SMxDisplayList& list) {
    for (const SMxDisplayItem& item : list)
        if (item.As<SMxFillItem>() || item.As<SMxPolylineItem>()) return &item;
    return nullptr;
}

WqGePoint3d Tip(const SMxDisplayList& list) {
    const SMxDisplayItem* item = ArrowHead(list);
    if (!item) return {std::nan(""), 0, 0};
    if (auto* f = item->As<SMxFillItem>()) return f->boundary[0];
    return item->As<SMxPolylineItem>()->points[0];
}

TEST(CenterDatumRequest, AnIndicatorSitsOnItsEdgeAndDrawsOneArrowhead) {
    OriginDoc d;
    const UTxResult made = d.Create(0.25);
    ASSERT_FALSE(made.Failed()) << made.GetMessageUtf8();
    DLxCenterDatumInstance* o = d.Indicator();
    ASSERT_NE(o, nullptr);
    DLxCenterDatumState* s = o->GetCenterDatumState();
    ASSERT_NE(s, nullptr);
    DLxAnchorPoint* anchor = o->GetAnchorPoint();
    ASSERT_NE(anchor, nullptr);
    EXPECT_TRUE(anchor->IsOnEdge());
    EXPECT_NEAR(s->GetOrigin().x, 150, 1e-9);
    EXPECT_NEAR(s->GetOrigin().y, 150, 1e-9);
    EXPECT_EQ(s->GetScale(), 2.0);
    EXPECT_TRUE(o->IsValid());
    EXPECT_EQ(o->GetBrowserLabel(), u"Origin Indicator");
    const SMxDisplayList& list = *o->GetSheetDisplayList();
    const WqGePoint3d tip = Tip(list);
    EXPECT_NEAR(tip.x, 150, 1e-9);
    EXPECT_NEAR(tip.y, 150, 1e-9);
    EXPECT_NE(ArrowHead(list)->As<SMxFillItem>(), nullptr);
    // A hot point at the tip.
    int32_t hot = 0;
    for (const SMxDisplayItem& item : list)
        if (item.As<SMxPointItem>() && item.GetId() == DLxCenterDatumInstance::kHotPointId) ++hot;
    EXPECT_EQ(hot, 1);
}

// The offset is in drawing units before the view's scale; the pick box follows the arrowhead.
TEST(CenterDatumRequest, TheOffsetMovesTheArrowheadAtTheViewsScale) {
    OriginDoc d;
    ASSERT_FALSE(d.Create(0.5).Failed());
    ASSERT_FALSE(d.Edit(3, -4).Failed());
    DLxCenterDatumInstance* o = d.Indicator();
    EXPECT_EQ(o->GetCenterDatumState()->GetRelXValue(), 3.0);
    const WqGePoint3d tip = Tip(*o->GetSheetDisplayList());
    EXPECT_NEAR(tip.x, 206, 1e-9);
    EXPECT_NEAR(tip.y, 142, 1e-9);
    std::vector<DUxArrowHeadBox> boxes;
    o->GetArrowHeadBoxes(boxes);
    ASSERT_EQ(boxes.size(), 1u);
    bool hasTip = false;
    for (const WqGePoint3d& p : boxes[0].GetPoints())
        hasTip |= p.isEqualTo(tip);
    EXPECT_TRUE(hasTip);
    // A pick at the arrowhead finds it; at the bare anchor it does not.
    EXPECT_EQ(DLxCenterDatumInstanceONKTranslator::ObjectFromPoint(d.doc.get(), tip), o);
    EXPECT_EQ(DLxCenterDatumInstanceONKTranslator::ObjectFromPoint(d.doc.get(), {150, 150, 0}),
              nullptr);
}

// Hiding twice gives the first drawing back; each toggle is one undoable request.
TEST(CenterDatumRequest, HidingTwiceRestoresTheArrowhead) {
    OriginDoc d;
    ASSERT_FALSE(d.Create().Failed());
    DLxCenterDatumInstance* o = d.Indicator();
    const SMxDisplayList shown = *o->GetSheetDisplayList();
    ASSERT_FALSE(d.Hide(true).Failed());
    EXPECT_TRUE(o->GetHideSymbol());
    EXPECT_TRUE(o->GetSheetDisplayList()->IsEmpty());
    ASSERT_FALSE(d.Hide(false).Failed());
    EXPECT_EQ(ArrowHead(*o->GetSheetDisplayList()) != nullptr, true);
    EXPECT_TRUE(Tip(*o->GetSheetDisplayList()).isEqualTo(Tip(shown)));
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_TRUE(d.Indicator()->GetHideSymbol());
}

TEST(CenterDatumRequest, AnotherArrowheadIsDrawnOpen) {
    OriginDoc d;
    ASSERT_FALSE(d.Create().Failed());
    ASSERT_FALSE(
        d.doc->ProcessChangeRequest(new DLxCenterDatumArrowHeadRequest(d.Ref(), 28030)).Failed());
    const SMxDisplayItem* head = ArrowHead(*d.Indicator()->GetSheetDisplayList());
    ASSERT_NE(head, nullptr);
    EXPECT_NE(head->As<SMxPolylineItem>(), nullptr);
}

// Without inference the anchor slides along its edge to the point; with it the anchor goes
// where the intent says. Either way the offset is cleared.
TEST(CenterDatumRequest, MovingTheAnchorKeepsItOnGeometryAndClearsTheOffset) {
    OriginDoc d;
    ASSERT_FALSE(d.Create(0.5).Failed());
    ASSERT_FALSE(d.Edit(2, 2).Failed());
    ASSERT_FALSE(d.doc
                     ->ProcessChangeRequest(new DLxCenterDatumChangeAnchorRequest(
                         d.Ref(), DLxIntent::OnEdge(d.view, 1, 0.5), false, {250, 170, 0},
                         RSeRef<DLxViewInstance>(d.view)))
                     .Failed());
    DLxCenterDatumInstance* o = d.Indicator();
    DLxAnchorPoint* a = o->GetAnchorPoint();
    EXPECT_TRUE(a->IsOnEdge());
    EXPECT_NEAR(a->GetParameter(), 0.75, 1e-12);
    EXPECT_NEAR(o->GetCenterPoint().x, 250, 1e-9);
    EXPECT_NEAR(o->GetCenterPoint().y, 150, 1e-9);
    EXPECT_EQ(o->GetCenterDatumState()->GetRelXValue(), 0.0);
    EXPECT_EQ(o->GetCenterDatumState()->GetRelYValue(), 0.0);

    ASSERT_FALSE(d.doc
                     ->ProcessChangeRequest(new DLxCenterDatumChangeAnchorRequest(
                         d.Ref(), DLxIntent::OnEdge(d.view, 2, 0.5), true, {300, 200, 0},
                         RSeRef<DLxViewInstance>(d.view)))
                     .Failed());
    int32_t edge = 0;
    ASSERT_TRUE(o->GetAnchorPoint()->GetEdgeId(edge));
    EXPECT_EQ(edge, 2);
    EXPECT_NEAR(o->GetCenterPoint().y, 200, 1e-9);
}

// Every request refuses what it cannot place or find, and the drawing stays as it was.
TEST(CenterDatumRequest, UnsoundRequestsAreRefusedAndChangeNothing) {
    OriginDoc d;
    ASSERT_FALSE(d.Create().Failed());
    const std::vector<uint8_t> before = d.Bytes();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const RSeRef<DLxCenterDatumInstance> none;
    const std::function<UTxResult()> cases[] = {
        [&] {
            return d.Create(DLxIntent::Free({10, 10, 0}, d.view));
        },
        [&] { return d.Create(DLxIntent::OnEdge(d.view, 9, 0.5)); },
        [&] { return d.doc->ProcessChangeRequest(new DLxCenterDatumEditRequest(none, 1, 1)); },
        [&] { return d.Edit(nan, 0); },
        [&] { return d.doc->ProcessChangeRequest(new DLxCenterDatumShowHideRequest(none, true)); },
        [&] { return d.doc->ProcessChangeRequest(new DLxCenterDatumArrowHeadRequest(d.Ref(), 1)); },
        [&] {
            return d.doc->ProcessChangeRequest(new DLxCenterDatumChangeAnchorRequest(
                none, DLxIntent::OnEdge(d.view, 1, 0.5), true, {}, {}));
        },
        [&] {
            return d.doc->ProcessChangeRequest(new DLxCenterDatumChangeAnchorRequest(
                d.Ref(), DLxIntent::Free({10, 10, 0}), true, {10, 10, 0}, {}));
        },
        // A replayed key that names an object of another kind.
        [&] {
            return FWxUtil::GetTranscriptMgr().ReplayLine(
                d.doc.get(),
                u"EditCenterDatumSymbol SymInstance=@\"DLxViewInstance#Sheet 1/Front\" "
                u"RelX=1 RelY=1");
        },
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(cases[i]().Failed());
        EXPECT_EQ(d.Bytes(), before);
    }
}

// An indicator whose edge is gone files the invalid-anchor warning that every annotation files,
// and a hidden one shows again so that the user sees what to repair.
TEST(CenterDatumInstance, ALostAnchorWarnsAndUnhides) {
    OriginDoc d;
    ASSERT_FALSE(d.Create().Failed());
    ASSERT_FALSE(d.Hide(true).Failed());
    DLxCenterDatumInstance* o = d.Indicator();
    d.view->RemoveEdge(1);
    d.sheet->SetFlag(RDxObject::kCollectDiagnosesFlag);
    RDxComputeContext ctx;
    const UTxResult r = o->Compute(ctx);
    EXPECT_EQ(r.GetCode(), DLxCenterDatumInstance::kInvalidAnchorWarning);
    EXPECT_EQ(r.GetCode(), UTxResultCode(0xA00B03E9));
    EXPECT_FALSE(o->IsValid());
    EXPECT_FALSE(o->GetHideSymbol());
    EXPECT_TRUE(o->IsSick());
    EXPECT_NE(ArrowHead(*o->GetSheetDisplayList()), nullptr);
    bool named = false;
    for (UTxDiagnosis* diag : d.sheet->GetDiagnoses())
        if (auto* a = dynamic_cast<DLxDiagEmblemInvalidAnchorPoint*>(diag))
            named |= a->GetEmblem() == o && a->GetAnchorPoint() == o->GetAnchorPoint();
    EXPECT_TRUE(named);
}

// Version 0 stored no offsets; versions 1 to 3 stored them with the opposite sign; versions 0 to
// 2 stored a GUID after the origin and only 2 and 3 the hide flag. Each loads
// as the indicator was drawn, and saves in the current form.
TEST(CenterDatumState, OlderVersionsLoadTheirOffsetsTheRightWayRound) {
    DLxDrawingDoc scratch;
    RSeSegment* seg = RSe::SegmentOf(scratch.GetRSeDb());
    auto* state = new (RSe::_GetMeta(static_cast<const DLxCenterDatumState*>(nullptr)), seg)
        DLxCenterDatumState();
    RSeMetaType* meta = RSe::_GetMeta(static_cast<const DLxCenterDatumState*>(nullptr));
    RSeMetaType* base = meta->GetBase();
    for (uint16_t version : {0, 1, 2, 3}) {
        SCOPED_TRACE(version);
        TstDocWriter w;
        std::vector<RSeMetaType*> chain;
        for (RSeMetaType* mt = base; mt; mt = mt->GetBase())
            chain.insert(chain.begin(), mt);
        for (RSeMetaType* mt : chain)
            w.AddClass(mt->GetName(), mt->GetVersion());
        const uint32_t index = w.AddClass(u"DLxCenterDatumState", version);
        w.BeginSegment(u"Sheet");
        RSeStream& s = w.BeginRecord(index, 1);
        base->_Save(state, s);
        RSeSaveData(s, WqGePoint3d(10, 20, 0));
        if (version <= 2) s.Write(UTxGUID(0x1, 0x2, 0x3, 0x4)); // read and dropped
        s.Write(2.0);
        if (version >= 1) {
            s.Write(1.5);
            s.Write(-2.5);
        }
        if (version >= 2) s.Write(true);
        w.EndRecord();
        const std::vector<uint8_t> bytes = w.Finish(2);

        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        auto* back = dynamic_cast<DLxCenterDatumState*>(db->FindObject(1));
        ASSERT_NE(back, nullptr);
        EXPECT_TRUE(back->GetOrigin().isEqualTo({10, 20, 0}));
        EXPECT_EQ(back->GetScale(), 2.0);
        EXPECT_EQ(back->GetRelXValue(), version >= 1 ? -1.5 : 0.0);
        EXPECT_EQ(back->GetRelYValue(), version >= 1 ? 2.5 : 0.0);
        EXPECT_EQ(back->GetHideSymbol(), version >= 2);

        std::vector<uint8_t> saved;
        ASSERT_FALSE(db->SaveToBuffer(saved).Failed());
        std::unique_ptr<RSeDatabase> again;
        ASSERT_FALSE(RSeDatabase::LoadFromBuffer(saved.data(), saved.size(), again).Failed());
        auto* current = dynamic_cast<DLxCenterDatumState*>(again->FindObject(1));
        ASSERT_NE(current, nullptr);
        EXPECT_EQ(current->GetRelXValue(), back->GetRelXValue());
        EXPECT_EQ(current->GetRelYValue(), back->GetRelYValue());
    }
}

// A drawing whose origin indicator an older release stored loads as the indicator it drew:
// saved again it is the drawing this release makes, byte for byte. The newest older layout ends
// before the two style references (which this indicator does not use).
TEST(CenterDatumState, AnOlderStoredIndicatorLoadsAsTheIndicatorItDrew) {
    OriginDoc d;
    ASSERT_FALSE(d.Create().Failed());
    const std::vector<uint8_t> current = d.Bytes();
    const size_t styleRefs = 2 * 5; // two references: a tag and four bytes each
    for (uint16_t instanceVersion : {0, 1}) {
        SCOPED_TRACE(instanceVersion);
        const std::vector<uint8_t> old = TstDocWriter::AsOlder(
            TstDocWriter::AsOlder(current, u"DLxCenterDatumState", 3, styleRefs),
            u"DLxCenterDatumInstance", uint16_t(instanceVersion), 0);
        ASSERT_FALSE(old.empty());
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(old.data(), old.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        DLxDrawingDoc loaded(std::move(db));
        std::vector<uint8_t> saved;
        ASSERT_FALSE(loaded.GetRSeDb()->SaveToBuffer(saved).Failed());
        EXPECT_EQ(saved, current);
    }
}

// ---- transcript

TEST(CenterDatumRequest, RecordsReplayToTheSameDrawingAndUndoToTheEmptyOne) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();
    OriginDoc d;
    const std::vector<uint8_t> empty = d.Bytes();
    ASSERT_FALSE(d.Create(0.5).Failed());
    ASSERT_FALSE(d.Edit(1.5, -2).Failed());
    ASSERT_FALSE(d.Hide(true).Failed());
    ASSERT_FALSE(d.Hide(false).Failed());
    ASSERT_FALSE(
        d.doc->ProcessChangeRequest(new DLxCenterDatumArrowHeadRequest(d.Ref(), 28031)).Failed());
    ASSERT_FALSE(d.doc
                     ->ProcessChangeRequest(new DLxCenterDatumChangeAnchorRequest(
                         d.Ref(), DLxIntent::OnEdge(d.view, 1, 0.5), false, {120, 150, 0},
                         RSeRef<DLxViewInstance>(d.view)))
                     .Failed());
    ASSERT_FALSE(d.Edit(1, 1).Failed());
    const std::vector<UTxString16> lines = mgr.GetLines();
    ASSERT_EQ(lines.size(), 7u);
    // The moved indicator is named where it was before it moved, and the edit after the move
    // where it is now.
    EXPECT_NE(lines[5].find(u"CenterDatumInstance=\"DLxCenterDatumInstance#200,150"),
              UTxString16::npos)
        << UTx::ToUtf8(lines[5]);
    EXPECT_NE(lines[6].find(u"SymInstance=@\"DLxCenterDatumInstance#120,150"), UTxString16::npos)
        << UTx::ToUtf8(lines[6]);

    OriginDoc replay;
    for (const UTxString16& line : lines)
        ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed()) << UTx::ToUtf8(line);
    const std::vector<uint8_t> full = d.Bytes();
    EXPECT_EQ(replay.Bytes(), full);
    mgr.ClearLines();

    for (int round = 0; round < 2; ++round) {
        while (d.doc->CanUndo())
            ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(d.Bytes(), empty);
        while (d.doc->CanRedo())
            ASSERT_FALSE(d.doc->Redo().Failed());
        EXPECT_EQ(d.Bytes(), full);
    }
}

// ---- the edit command and its dialog

struct ScopedRunner {
    explicit ScopedRunner(CDialog::ModalRunner runner)
        : previous(CDialog::SetModalRunner(std::move(runner))) {}
    ~ScopedRunner() { CDialog::SetModalRunner(previous); }
    CDialog::ModalRunner previous;
};

TEST(CenterDatumEditCmd, TheDialogEditsTheOffsetAndTheItemsToggleTheArrowhead) {
    OriginDoc d;
    ASSERT_FALSE(d.Create().Failed());
    ASSERT_FALSE(d.Edit(1.25, 2).Failed());
    DLxCenterDatumEditCmd cmd(d.doc.get());
    cmd.SetInstance(d.Indicator());

    const struct {
        const char16_t* x;
        const char16_t* y;
        bool ok;
        double expectX, expectY;
    } cases[] = {
        // OK without changes still makes one edit with the same values.
        {nullptr, nullptr, true, 1.25, 2},
        // Text that is not a number keeps that coordinate.
        {u"abc", u" -3.5 ", true, 1.25, -3.5},
        {u"7", u"8", false, 1.25, -3.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ok);
        std::u16string shownX, shownY;
        ScopedRunner runner([&](CDialog& dlg) {
            auto& edit = static_cast<DLxCenterDatumEditDlg&>(dlg);
            shownX = edit.GetItemText(DLxCenterDatumEditDlg::kRelXId);
            shownY = edit.GetItemText(DLxCenterDatumEditDlg::kRelYId);
            if (c.x) edit.SetItemText(DLxCenterDatumEditDlg::kRelXId, c.x);
            if (c.y) edit.SetItemText(DLxCenterDatumEditDlg::kRelYId, c.y);
            if (c.ok)
                edit.OnOK();
            else
                edit.OnCancel();
        });
        const std::vector<uint8_t> before = d.Bytes();
        FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
        mgr.ClearLines();
        const double oldX = d.Indicator()->GetCenterDatumState()->GetRelXValue();
        EXPECT_TRUE(cmd.OnCmdMsg(DLxCenterDatumEditCmd::kEditId, FWxCmd::kCommand, nullptr));
        EXPECT_EQ(shownX, DLxCenterDatumEditDlg::Format(oldX));
        DLxCenterDatumState* s = d.Indicator()->GetCenterDatumState();
        EXPECT_EQ(s->GetRelXValue(), c.expectX);
        EXPECT_EQ(s->GetRelYValue(), c.expectY);
        EXPECT_EQ(mgr.GetLines().size(), c.ok ? 1u : 0u);
        if (!c.ok) {
            EXPECT_EQ(d.Bytes(), before);
        }
        mgr.ClearLines();
    }

    // The hide item toggles, one request each time.
    EXPECT_TRUE(cmd.OnCmdMsg(DLxCenterDatumEditCmd::kToggleHideId, FWxCmd::kCommand, nullptr));
    EXPECT_TRUE(d.Indicator()->GetHideSymbol());
    EXPECT_TRUE(cmd.OnCmdMsg(DLxCenterDatumEditCmd::kToggleHideId, FWxCmd::kCommand, nullptr));
    EXPECT_FALSE(d.Indicator()->GetHideSymbol());
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_TRUE(d.Indicator()->GetHideSymbol());

    // On anything else the items do nothing.
    DLxCenterDatumEditCmd other(d.doc.get());
    const std::vector<uint8_t> before = d.Bytes();
    other.OnToggleHide();
    other.OnEdit();
    EXPECT_EQ(d.Bytes(), before);
}

// ---- the drag manipulator, driven by cursor events

TEST(CenterDatumManipulator, ADragMovesTheAnchorOnlyWhenItEndsOnAnEdge) {
    OriginDoc d;
    ASSERT_FALSE(d.Create(0.5).Failed());
    ASSERT_FALSE(d.Edit(2, 2).Failed());
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();
    DLxCenterDatumInstance* o = d.Indicator();

    // Over empty sheet space and released there: nothing changes.
    {
        const std::vector<uint8_t> before = d.Bytes();
        DLxCenterDatumManipulator m(o, d.doc.get());
        ASSERT_TRUE(m.StartDrag({200, 150, 0}));
        for (const WqGePoint3d& p : {WqGePoint3d(220, 180, 0), WqGePoint3d(40, 40, 0)})
            ASSERT_TRUE(m.Drag(p));
        EXPECT_FALSE(m.HasInference());
        EXPECT_TRUE(m.GetPreviewPoint().isEqualTo({40, 40, 0}));
        EXPECT_TRUE(m.EndDrag({40, 40, 0}));
        EXPECT_EQ(m.GetRequest().get(), nullptr);
        EXPECT_EQ(d.Bytes(), before);
        EXPECT_TRUE(mgr.GetLines().empty());
    }
    // Across the sheet and onto edge 2: the anchor goes there, the offset is cleared; near an
    // end it snaps to the end.
    const struct {
        WqGePoint3d release;
        int32_t edge;
        WqGePoint3d expected;
    } cases[] = {
        {{301, 220, 0}, 2, {300, 220, 0}},
        {{299, 151.5, 0}, 1, {300, 150, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edge);
        DLxCenterDatumManipulator m(o, d.doc.get());
        ASSERT_TRUE(m.StartDrag(o->GetCenterPoint()));
        ASSERT_TRUE(m.Drag({250, 100, 0}));
        ASSERT_TRUE(m.Drag(c.release));
        EXPECT_TRUE(m.HasInference());
        ASSERT_TRUE(m.EndDrag(c.release));
        ASSERT_NE(m.GetRequest().get(), nullptr);
        int32_t edge = 0;
        ASSERT_TRUE(o->GetAnchorPoint()->GetEdgeId(edge));
        EXPECT_EQ(edge, c.edge);
        EXPECT_NEAR(o->GetCenterPoint().distanceTo(c.expected), 0, 1e-9);
        EXPECT_EQ(o->GetCenterDatumState()->GetRelXValue(), 0.0);
    }
    EXPECT_EQ(mgr.GetLines().size(), 2u);
    mgr.ClearLines();
    ASSERT_FALSE(d.doc->Undo().Failed());
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_NEAR(d.Indicator()->GetCenterPoint().x, 200, 1e-9);
    EXPECT_EQ(d.Indicator()->GetCenterDatumState()->GetRelXValue(), 2.0);

    // A double-click opens the edit dialog; OK hands over the edit.
    ScopedRunner runner([](CDialog& dlg) {
        static_cast<DLxCenterDatumEditDlg&>(dlg).SetItemText(DLxCenterDatumEditDlg::kRelXId, u"5");
        dlg.OnOK();
    });
    DLxCenterDatumManipulator m(d.Indicator(), d.doc.get());
    EXPECT_TRUE(m.StartDialog());
    EXPECT_EQ(d.Indicator()->GetCenterDatumState()->GetRelXValue(), 5.0);
    EXPECT_EQ(d.Indicator()->GetCenterDatumState()->GetRelYValue(), 2.0);
    mgr.ClearLines();
}

TEST(CenterDatumFilter, AdmitsOriginIndicatorsOnly) {
    OriginDoc d;
    ASSERT_FALSE(d.Create().Failed());
    DLxCenterDatumFilter filter(DLxCenterDatumFilter::ESubType(1));
    SmartPtr<FWxSelection> sel = filter.Select(*d.Indicator(), {});
    auto* own = dynamic_cast<DLxCenterDatumSelection*>(sel.get());
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->GetInstance(), d.Indicator());
    EXPECT_EQ(filter.Select(*d.view, {}).get(), nullptr);
}

} // namespace

// ---- the view's origin

// The view records the indicator placed on it: undo forgets it, redo records it again, moving
// the anchor onto another view moves the record, deleting the indicator clears it, and a saved
// drawing keeps it.
TEST(CenterDatumRequest, TheViewRecordsItsIndicatorUntilItGoes) {
    OriginDoc d;
    DLxViewInstance* side = d.sheet->CreateView(u"Side");
    side->SetViewCenter({100, 80, 0});
    ASSERT_TRUE(side->SetEdges({DLxViewEdge::Line(7, {0, 0, 0}, {20, 0, 0})}));
    ASSERT_FALSE(d.Create(0.5).Failed());
    DLxCenterDatumInstance* o = d.Indicator();
    EXPECT_EQ(d.view->GetCenterDatum(), o);
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.view->GetCenterDatum(), nullptr);
    ASSERT_FALSE(d.doc->Redo().Failed());
    o = d.Indicator();
    EXPECT_EQ(d.view->GetCenterDatum(), o);

    const std::vector<uint8_t> onFront = d.Bytes();
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(onFront.data(), onFront.size(), loaded).Failed());
    auto* copy = dynamic_cast<DLxViewInstance*>(loaded->FindObject(d.view->GetId()));
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy->GetCenterDatum(), nullptr);
    EXPECT_EQ(copy->GetCenterDatum()->GetId(), o->GetId());

    ASSERT_FALSE(d.doc
                     ->ProcessChangeRequest(new DLxCenterDatumChangeAnchorRequest(
                         d.Ref(), DLxIntent::OnEdge(side, 7, 0.5), true, {110, 80, 0},
                         RSeRef<DLxViewInstance>(side)))
                     .Failed());
    EXPECT_EQ(d.view->GetCenterDatum(), nullptr);
    EXPECT_EQ(side->GetCenterDatum(), o);
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.view->GetCenterDatum(), o);
    EXPECT_EQ(side->GetCenterDatum(), nullptr);

    RSeDatabase* db = d.doc->GetRSeDb();
    db->BeginTxn();
    o->DeleteAndVacuumClean();
    EXPECT_EQ(d.view->GetCenterDatum(), nullptr);
    db->AbortTxn();
    EXPECT_EQ(d.view->GetCenterDatum(), d.Indicator());
    EXPECT_EQ(d.Bytes(), onFront);
}

// An indicator is suppressed with the view of its anchor: it draws nothing there, and shows
// again, where it was, once the view is back.
TEST(CenterDatumInstance, ASuppressedViewHidesItsIndicator) {
    OriginDoc d;
    ASSERT_FALSE(d.Create(0.5).Failed());
    DLxCenterDatumInstance* o = d.Indicator();
    EXPECT_FALSE(o->IsSuppressed());
    auto recompute = [&] {
        d.view->SetSuppressed(!d.view->IsSuppressed());
        RDxComputeContext ctx;
        return o->Compute(ctx);
    };
    EXPECT_FALSE(recompute().Failed());
    EXPECT_TRUE(o->IsSuppressed());
    EXPECT_TRUE(o->GetSheetDisplayList()->IsEmpty());
    EXPECT_FALSE(recompute().Failed());
    EXPECT_FALSE(o->IsSuppressed());
    EXPECT_NEAR(Tip(*o->GetSheetDisplayList()).x, 200, 1e-9);
}
