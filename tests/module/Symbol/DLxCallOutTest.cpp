// Sketched symbols: definitions made by request, placements with their prompts, scale,
// rotation and reference point, the grips, the leader cut at the symbol's outline, the swap of
// definition, the browser folder with its sort and its command, the requests' refusals, their
// transcript records, undo and storage.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "BofM/DLxPartListSelection.h"
#include "Leader/DLxLeaderTree.h"
#include "Leader/DLxTerminalLeaderNode.h"
#include "dl/DLxAnchorPoint.h"
#include "du/DUxArrowHead.h"
#include "Leader/DLxMoveCallOutNodeManipulator.h"
#include "Request/DLxCallOutRequest.h"
#include "Request/DLxCreateSketchRequest.h"
#include "Request/DLxSortSketchedSymbolsRequest.h"
#include "Symbol/DLxCallOutFolderEntry.h"
#include "Symbol/DLxCallOutInstance.h"
#include "Symbol/DLxCallOutInstanceONKTranslator.h"
#include "Symbol/DLxCallOutSelection.h"
#include "Symbol/DLxCallOutState.h"
#include "Symbol/DLxSymBrowserUtil.h"
#include "Symbol/DLxUpdateLeaderStateMigrator.h"
#include "Leader/DLxLeaderTree.h"
#include "Leader/DLxTerminalLeaderNode.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxEdgeGeometryProxy.h"
#include "du/DUxArrowHead.h"
#include "br/BRxAbsPath.h"
#include "br/BRxDocManager.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSelectCmd.h"
#include "dl/DLxSheet.h"
#include "dl/DLxSketch.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "fw/FWxCommand.h"
#include "fw/FWxSelection.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUIManager.h"
#include "fw/FWxUtil.h"
#include "ge/BBox.h"
#include "TstDocWriter.h"
#include "rse/RSeDatabase.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {

constexpr double kTol = 1e-9;

// A flag: a 12 by 10 triangle standing on its base, inserted at the middle of the base, with a
// prompted letter. A tag: a 36 by 12 box with a rounded right end (to x 42), inserted at the
// middle of its left side, a fixed title, a prompted inspector and a stamp image.
DLxCreateSketchRequest::Definition Flag(const char16_t* name = u"Flag") {
    DLxCreateSketchRequest::Definition d;
    d.name = name;
    d.insertPoint = {6, 0, 0};
    d.lines = {{0, 0, 0}, {12, 0, 0}, {12, 0, 0}, {6, 10, 0}, {6, 10, 0}, {0, 0, 0}};
    d.texts = {u"A"};
    d.textPoints = {{4.6, 1.5, 0}};
    d.prompts = {u"Revision"};
    return d;
}

DLxCreateSketchRequest::Definition Tag() {
    DLxCreateSketchRequest::Definition d;
    d.name = u"Tag";
    d.insertPoint = {0, 6, 0};
    d.lines = {{0, 0, 0}, {36, 0, 0}, {36, 12, 0}, {0, 12, 0}, {0, 12, 0}, {0, 0, 0}};
    d.arcs = {{36, 0, 0}, {42, 6, 0}, {36, 12, 0}};
    d.texts = {u"INSP", u"QA-1"};
    d.textPoints = {{2, 7, 0}, {2, 1.5, 0}};
    d.prompts = {u"", u"Inspector"};
    d.images = {u"stamp.png"};
    d.imageBoxes = {{24, 2, 0}, {34, 10, 0}};
    return d;
}

// An ISO drawing with one sheet and a view whose edge 1 runs along y = 150 from x 150 to 250,
// with the flag and the tag defined.
struct SketchDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;

    explicit SketchDoc(bool sketches = true) {
        doc->GetDrawing()->SetStandardName(u"ISO");
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        view = sheet->CreateView(u"Front");
        view->SetViewCenter({200, 150, 0});
        view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0})});
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
        if (sketches) {
            EXPECT_FALSE(Define(Flag()).Failed());
            EXPECT_FALSE(Define(Tag()).Failed());
        }
    }

    UTxResult Define(const DLxCreateSketchRequest::Definition& d) {
        return doc->ProcessChangeRequest(new DLxCreateSketchRequest(d));
    }
    DLxSketch* Sketch(const char16_t* name) const { return DLxSketch::Find(doc.get(), name); }

    struct Place {
        const char16_t* sketch = u"Flag";
        WqGePoint3d root{220, 190, 0};
        double rotation = 0;
        double scale = 1;
        bool geomCentre = false;
        bool isStatic = false;
        bool leaderVisible = true;
        bool displayLeader = true;
        std::vector<UTxString16> prompts = {};
        // Where on the edge (y 150, x 150 to 250) the leader's end is.
        double anchorParam = 0.5;
    };
    UTxResult Create(const Place& p) {
        return doc->ProcessChangeRequest(new DLxCreateCallOutRequest(
            RSeRef<DLxSketch>(Sketch(p.sketch)), RSeRef<DLxSheet>(sheet), p.prompts,
            DLxIntent::OnEdge(view, 1, p.anchorParam),
            {{150 + 100 * p.anchorParam, 150, 0}, p.root}, 28029, p.displayLeader, {}, {}, p.rotation,
            p.scale, p.geomCentre, true, p.isStatic, p.leaderVisible, true));
    }
    DLxCallOutInstance* Symbol(size_t i = 0) const {
        size_t n = 0;
        for (const RSeRef<RDxNode>& r : sheet->GetNodes())
            if (auto* s = dynamic_cast<DLxCallOutInstance*>(r.GetTarget()))
                if (n++ == i) return s;
        return nullptr;
    }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
        return bytes;
    }
    // The names of the sheet's folder's entries, in the browser's order.
    std::vector<std::u16string> Folder() {
        std::vector<std::u16string> names;
        if (DLxCallOutFolderEntry* folder = DLxSymBrowserUtil::FindCallOutFolderEntry(sheet))
            for (BRxEntry* e : folder->GetChildren())
                names.push_back(static_cast<BRxFixedEntry*>(e)->Name());
        return names;
    }
};

// The symbol graphics list of a placed symbol (the child after the leader's), and its texts.
const SMxChildItem& SymbolChild(const DLxCallOutInstance* s) {
    const SMxDisplayList* list = s->GetDisplayList();
    return list->GetChild(list->ChildCount() - 2);
}
const SMxChildItem& ImageChild(const DLxCallOutInstance* s) {
    const SMxDisplayList* list = s->GetDisplayList();
    return list->GetChild(list->ChildCount() - 1);
}
std::vector<UTxString16> Texts(const SMxDisplayList& list) {
    std::vector<UTxString16> out;
    for (const SMxDisplayItem& item : list)
        if (const auto* t = item.As<SMxTextItem>()) out.push_back(t->text);
    return out;
}
int Grips(const SMxDisplayList& list) {
    int n = 0;
    for (const SMxDisplayItem& item : list)
        n += item.As<SMxPointItem>() ? 1 : 0;
    return n;
}

void ExpectPoint(const WqGePoint3d& got, const WqGePoint3d& want, const char* what) {
    EXPECT_NEAR(got.x, want.x, 1e-6) << what;
    EXPECT_NEAR(got.y, want.y, 1e-6) << what;
}

// ---- placement

TEST(CallOutPlacement, TheDrawnSymbolIsWhereAndAsLargeAsTheRequestSays) {
    struct Case {
        const char* name;
        double rotation, scale;
        bool geomCentre;
        WqGePoint3d min, max; // of the placed flag, its root at (220, 190)
    };
    const double h = std::numbers::pi / 2;
    const Case cases[] = {
        {"as drawn, the base's middle on the root", 0, 1, false, {214, 190, 0}, {226, 200, 0}},
        {"twice as large about the root", 0, 2, false, {208, 190, 0}, {232, 210, 0}},
        {"a quarter turn about the root", h, 1, false, {210, 184, 0}, {220, 196, 0}},
        {"the middle of the box on the root", 0, 1, true, {214, 185, 0}, {226, 195, 0}},
        {"half as large about the box's middle", 0, 0.5, true, {217, 187.5, 0}, {223, 192.5, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SketchDoc d;
        SketchDoc::Place p;
        p.rotation = c.rotation;
        p.scale = c.scale;
        p.geomCentre = c.geomCentre;
        const UTxResult r = d.Create(p);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        DLxCallOutInstance* s = d.Symbol();
        ASSERT_NE(s, nullptr);
        const BBox& box = s->GetCallOutState()->GetBoundingBox();
        ExpectPoint(box.min, c.min, "minimum");
        ExpectPoint(box.max, c.max, "maximum");
        EXPECT_EQ(s->GetCallOutState()->GetScale(), c.scale);
        EXPECT_EQ(s->GetCallOutState()->GetRotation(), c.rotation);
    }
}

TEST(CallOutPlacement, PromptsFillTheParametersOnlyWhenOneIsGivenForEach) {
    struct Case {
        std::vector<UTxString16> prompts;
        std::vector<UTxString16> shown;
    };
    const Case cases[] = {
        {{u"QA-7"}, {u"INSP", u"QA-7"}},
        {{}, {u"INSP", u"QA-1"}},
        {{u"QA-7", u"extra"}, {u"INSP", u"QA-1"}},
    };
    for (const Case& c : cases) {
        SketchDoc d;
        SketchDoc::Place p;
        p.sketch = u"Tag";
        p.prompts = c.prompts;
        ASSERT_FALSE(d.Create(p).Failed());
        EXPECT_EQ(Texts(SymbolChild(d.Symbol()).list), c.shown);
    }
}

TEST(CallOutPlacement, ImagesMoveWithTheSymbolButKeepTheirSizeAndTurn) {
    SketchDoc d;
    SketchDoc::Place p;
    p.sketch = u"Tag";
    p.scale = 2;
    p.rotation = std::numbers::pi / 2;
    ASSERT_FALSE(d.Create(p).Failed());
    const SMxChildItem& images = ImageChild(d.Symbol());
    BBox box;
    for (const SMxDisplayItem& item : images.list)
        if (item.As<SMxPolylineItem>()) item.ExtendBBox(box, images.GetTransform());
    // The stamp's box (24,2)-(34,10) moved by root - insertion point = (220, 184).
    ExpectPoint(box.min, {244, 186, 0}, "stamp minimum");
    ExpectPoint(box.max, {254, 194, 0}, "stamp maximum");
    // The tag itself is twice as large and upright: 24 wide (12 tall turned), 84 tall.
    const BBox& placed = d.Symbol()->GetCallOutState()->GetBoundingBox();
    EXPECT_NEAR(placed.max.x - placed.min.x, 24, 1e-6);
    EXPECT_NEAR(placed.max.y - placed.min.y, 84, 1e-6);
}

TEST(CallOutPlacement, AStaticSymbolDrawsNoGripsAndAnotherFive) {
    for (bool isStatic : {false, true}) {
        SketchDoc d;
        SketchDoc::Place p;
        p.isStatic = isStatic;
        ASSERT_FALSE(d.Create(p).Failed());
        const SMxDisplayList& list = SymbolChild(d.Symbol()).list;
        EXPECT_EQ(Grips(list), isStatic ? 0 : 5);
        EXPECT_EQ(Texts(list).size(), 1u);
    }
    // Without a placement the box is empty and the grips lie at the origin.
    DLxCallOutState state;
    SMxDisplayList list, images;
    state.GenGraphics(list, images, 0, UTxGUID(), false, 0);
    ASSERT_EQ(Grips(list), 5);
    for (const SMxDisplayItem& item : list)
        ExpectPoint(item.As<SMxPointItem>()->position, {0, 0, 0}, "grip");
}

// ---- the leader at the outline

// The leader's point farthest from its anchor along its lines: where it stops at the symbol.
WqGePoint3d LeaderStop(const DLxCallOutInstance* s, const WqGePoint3d& anchor) {
    const SMxDisplayList& leader = s->GetDisplayList()->GetChild(0).list;
    WqGePoint3d best = anchor;
    double far = -1;
    for (const SMxDisplayItem& item : leader)
        if (const auto* line = item.As<SMxLineItem>())
            for (const WqGePoint3d& q : {line->start, line->end})
                if (q.distanceTo(anchor) > far) {
                    far = q.distanceTo(anchor);
                    best = q;
                }
    return best;
}

TEST(CallOutLeader, TheLeaderStopsWhereItFirstMeetsTheOutline) {
    struct Case {
        const char* name;
        SketchDoc::Place place;
        WqGePoint3d stop;
    };
    auto place = [](const char16_t* sketch, WqGePoint3d root, double param, bool centre,
                    double rotation) {
        SketchDoc::Place p;
        p.sketch = sketch;
        p.root = root;
        p.anchorParam = param;
        p.geomCentre = centre;
        p.rotation = rotation;
        return p;
    };
    const Case cases[] = {
        {"the flag's base, the root at its middle", place(u"Flag", {220, 190, 0}, 0.5, true, 0),
         {217.5, 185, 0}},
        {"the tag's rounded end, turned to face the anchor",
         place(u"Tag", {200, 200, 0}, 0.5, false, -std::numbers::pi / 2), {200, 158, 0}},
        {"a side of the flag hanging upside down",
         place(u"Flag", {220, 190, 0}, 0.5, false, std::numbers::pi),
         {214 + 36.0 / 11, 190 - 60.0 / 11, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SketchDoc d;
        ASSERT_FALSE(d.Create(c.place).Failed());
        const WqGePoint3d anchor(150 + 100 * c.place.anchorParam, 150, 0);
        ExpectPoint(LeaderStop(d.Symbol(), anchor), c.stop, "stop");
    }
}

TEST(CallOutLeader, WithSelfClippingOffTheLeaderRunsToItsRoot) {
    SketchDoc d;
    SketchDoc::Place p;
    p.geomCentre = true;
    ASSERT_FALSE(d.Create(p).Failed());
    DLxCallOutInstance* s = d.Symbol();
    auto edit = SmartPtr<DLxCallOutSymEditRequest>(new DLxCallOutSymEditRequest(
        RSeRef<DLxCallOutInstance>(s), {}, 0, 1, true, true, false, true));
    edit->SetDisableSelfClipping(true);
    ASSERT_FALSE(d.doc->ProcessChangeRequest(edit).Failed());
    EXPECT_TRUE(s->IsDisableSelfClippingFlagOn());
    ExpectPoint(LeaderStop(s, {200, 150, 0}), {220, 190, 0}, "unclipped leader");
}

TEST(CallOutLeader, AHiddenLeaderLeavesOnlyItsRootGrip) {
    SketchDoc d;
    SketchDoc::Place p;
    p.leaderVisible = false;
    ASSERT_FALSE(d.Create(p).Failed());
    const SMxDisplayList& leader = d.Symbol()->GetDisplayList()->GetChild(0).list;
    for (const SMxDisplayItem& item : leader)
        EXPECT_NE(item.As<SMxPointItem>(), nullptr) << "only grips stay";
    EXPECT_FALSE(d.Symbol()->CanDeleteLeader());
    EXPECT_FALSE(d.Symbol()->CanApplySymbolTreatments());
    // Its own corner and rotation grips stay.
    EXPECT_EQ(Grips(SymbolChild(d.Symbol()).list), 5);

    // A preview shows the hidden leader dashed instead.
    d.Symbol()->SetTemporarySymbol(true);
    d.Symbol()->MarkEdited(true);
    RDxComputeContext ctx;
    d.sheet->Recompute(ctx);
    int lines = 0, dashed = 0;
    for (const SMxDisplayItem& item : d.Symbol()->GetDisplayList()->GetChild(0).list)
        if (item.As<SMxLineItem>()) {
            ++lines;
            dashed += item.GetLineStyle() == 28102 ? 1 : 0;
        }
    EXPECT_GT(lines, 0);
    EXPECT_EQ(dashed, lines);
}

// ---- edits

TEST(CallOutEdit, ScaleAndRotationEditsChangeOnlyTheirOwnValue) {
    SketchDoc d;
    ASSERT_FALSE(d.Create({}).Failed());
    DLxCallOutInstance* s = d.Symbol();
    RSeRef<DLxCallOutInstance> ref(s);
    ASSERT_FALSE(d.doc->ProcessChangeRequest(new DLxCallOutSymEditRequest(
                                                 ref, 2.0, DLxCallOutSymEditRequest::kChangeScale))
                     .Failed());
    EXPECT_EQ(s->GetCallOutState()->GetScale(), 2.0);
    EXPECT_EQ(s->GetCallOutState()->GetRotation(), 0.0);
    const BBox& box = s->GetCallOutState()->GetBoundingBox();
    EXPECT_NEAR(box.max.x - box.min.x, 24, 1e-6);
    ASSERT_FALSE(d.doc->ProcessChangeRequest(
                          new DLxCallOutSymEditRequest(ref, 0.5, DLxCallOutSymEditRequest::kChangeRotation))
                     .Failed());
    EXPECT_EQ(s->GetCallOutState()->GetScale(), 2.0);
    EXPECT_EQ(s->GetCallOutState()->GetRotation(), 0.5);
}

TEST(CallOutEdit, ASwapShowsTheNewDefinitionAndRenamesTheEntry) {
    SketchDoc d;
    ASSERT_FALSE(d.Create({}).Failed());
    DLxCallOutInstance* s = d.Symbol();
    DLxSketchInstance* old = s->GetSketchInstance();
    const uint32_t oldId = old->GetId();
    auto edit = SmartPtr<DLxCallOutSymEditRequest>(new DLxCallOutSymEditRequest(
        RSeRef<DLxCallOutInstance>(s), RSeRef<DLxSketch>(d.Sketch(u"Tag")), 0, 1, true, true,
        true, true));
    edit->SetPromptStrings({u"QA-9"});
    ASSERT_FALSE(d.doc->ProcessChangeRequest(edit).Failed());
    EXPECT_EQ(s->GetSketchInstance()->GetSketch(), d.Sketch(u"Tag"));
    EXPECT_EQ(s->GetSketchInstance()->GetOwnerInstance(), s);
    EXPECT_EQ(d.doc->GetRSeDb()->FindObject(oldId), nullptr) << "the old placement goes";
    EXPECT_EQ(Texts(SymbolChild(s).list), (std::vector<UTxString16>{u"INSP", u"QA-9"}));
    EXPECT_EQ(d.Folder(), (std::vector<std::u16string>{u"Tag"}));
    // The edit made it static: its entry shows the static icon.
    DLxCallOutInstEntry* entry = DLxSymBrowserUtil::FindCallOutInstEntry(d.sheet, s);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->Icon(), DLxCallOutInstEntry::kStaticIcon);
}

// ---- refusals

TEST(CallOutRequest, CreatesWithoutTargetsOrWithUnusableValuesAreRefused) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        bool sketch, sheet, otherDocSketch;
        double rotation, scale;
    };
    const Case cases[] = {
        {"no sketch", false, true, false, 0, 1},
        {"no sheet", true, false, false, 0, 1},
        {"a sketch of another drawing", true, true, true, 0, 1},
        {"rotation 32767", true, true, false, 32767, 1},
        {"rotation -32767", true, true, false, -32767, 1},
        {"rotation not a number", true, true, false, nan, 1},
        {"scale 0", true, true, false, 0, 0},
        {"scale not a number", true, true, false, 0, nan},
    };
    SketchDoc other;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SketchDoc d;
        const std::vector<uint8_t> before = d.Bytes();
        RSeRef<DLxSketch> sketch;
        if (c.sketch) sketch = c.otherDocSketch ? other.Sketch(u"Flag") : d.Sketch(u"Flag");
        const UTxResult r = d.doc->ProcessChangeRequest(new DLxCreateCallOutRequest(
            sketch, c.sheet ? RSeRef<DLxSheet>(d.sheet) : RSeRef<DLxSheet>(), {},
            DLxIntent::OnEdge(d.view, 1, 0.5), {{200, 150, 0}, {220, 190, 0}}, 28029, true, {}, {},
            c.rotation, c.scale, false, true, false, true, true));
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(d.Bytes(), before);
    }
    // Just inside the range is taken.
    SketchDoc d;
    SketchDoc::Place p;
    p.rotation = 32766.9;
    EXPECT_FALSE(d.Create(p).Failed());
}

TEST(CallOutRequest, ReplayedRecordsNamingNoSymbolOrSheetAreRefused) {
    SketchDoc d;
    ASSERT_FALSE(d.Create({}).Failed());
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    const char16_t* lines[] = {
        u"EditCallOutSymbol Callout=@\"DLxSheet#Sheet 1\" CalloutChangeType=2 ScaleOrRotationVal=2.0",
        u"EditCallOutSymbol Callout=@\"DLxCallOutInstance#5,5\" CalloutChangeType=3 "
        u"ScaleOrRotationVal=2.0",
        u"EditCallOutSymbol Callout=null CalloutChangeType=2 ScaleOrRotationVal=2.0",
        u"CreateCallOutSymbol Sketch=@\"DLxSketch#Nothing\" SketchInstance=@\"DLxSheet#Sheet 1\" "
        u"PromptStrings=[] ArrowId=28029 Intent=null Intent_Edge=0 Intent_Param=0.0 "
        u"Intent_Point=(0,0,0) Points=[(1,1,0),(2,2,0)] DisplayLeader=true Rotation=0.0 Scale=1.0 "
        u"UseGeomCenter=false LeaderStyle=null LayerStyle=null",
        u"CreateCallOutSymbol Sketch=@\"DLxSketch#Flag\" SketchInstance=@\"DLxSketch#Tag\" "
        u"PromptStrings=[] ArrowId=28029 Intent=null Intent_Edge=0 Intent_Param=0.0 "
        u"Intent_Point=(0,0,0) Points=[(1,1,0),(2,2,0)] DisplayLeader=true Rotation=0.0 Scale=1.0 "
        u"UseGeomCenter=false LeaderStyle=null LayerStyle=null",
        u"EditCallOutSymbol Callout=@\"DLxCallOutInstance#220,195\" CalloutChangeType=2 "
        u"ScaleOrRotationVal=-1.0",
        u"EditCallOutSymbol Callout=@\"DLxCallOutInstance#220,195\" CalloutChangeType=1 "
        u"NewSketch=@\"DLxSheet#Sheet 1\" PromptStrings=[] CalloutRotation=0.0 CalloutScale=1.0 "
        u"ShowLeader=true",
        u"CreateCallOutSymbol Sketch=@\"DLxSketch#Flag\" SketchInstance=@\"DLxSheet#Sheet 1\" "
        u"PromptStrings=[] ArrowId=28029 Intent=null Intent_Edge=0 Intent_Param=0.0 "
        u"Intent_Point=(0,0,0) Points=[(1,1,0),(2,2,0)] DisplayLeader=true Rotation=0.0 Scale=1.0 "
        u"UseGeomCenter=false LeaderStyle=@\"DLxSheet#Sheet 1\" LayerStyle=null",
        u"SortSketchedSymbols Sheet=null",
        u"SortSketchedSymbols Sheet=@\"DLxSketch#Tag\"",
    };
    const std::vector<uint8_t> before = d.Bytes();
    for (const char16_t* line : lines) {
        SCOPED_TRACE(UTx::ToUtf8(line));
        EXPECT_TRUE(mgr.ReplayLine(d.doc.get(), line).Failed());
        EXPECT_EQ(d.Bytes(), before);
    }
}

TEST(CallOutRequest, ARecordWithoutTheOptionalKeysTakesTheirDefaults) {
    SketchDoc d;
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    const UTxResult r = mgr.ReplayLine(
        d.doc.get(),
        u"CreateCallOutSymbol Sketch=@\"DLxSketch#Flag\" SketchInstance=@\"DLxSheet#Sheet 1\" "
        u"PromptStrings=[\"Z\"] ArrowId=28029 Intent=null Intent_Edge=0 Intent_Param=0.0 "
        u"Intent_Point=(300,100,0) Points=[(300,100,0),(320,120,0)] DisplayLeader=true "
        u"Rotation=0.0 Scale=1.0 UseGeomCenter=false LeaderStyle=null LayerStyle=null");
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    DLxCallOutInstance* s = d.Symbol();
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->EmblemClipOthers());
    EXPECT_FALSE(s->GetCallOutState()->GetStatic());
    EXPECT_TRUE(s->GetCallOutState()->GetLeaderVisible());
    EXPECT_EQ(Texts(SymbolChild(s).list), std::vector<UTxString16>{u"Z"});
}

TEST(SketchRequest, DefinitionsThatCannotBeDrawnAreRefused) {
    struct Case {
        const char* name;
        void (*spoil)(DLxCreateSketchRequest::Definition&);
    };
    const Case cases[] = {
        {"a name taken", [](DLxCreateSketchRequest::Definition&) {}},
        {"no name", [](DLxCreateSketchRequest::Definition& d) { d.name.clear(); }},
        {"a line of one point", [](DLxCreateSketchRequest::Definition& d) { d.lines.pop_back(); }},
        {"an arc through points on a line",
         [](DLxCreateSketchRequest::Definition& d) { d.arcs = {{0, 0, 0}, {1, 1, 0}, {2, 2, 0}}; }},
        {"a circle of no size",
         [](DLxCreateSketchRequest::Definition& d) { d.circles = {{1, 1, 0}, {1, 1, 0}}; }},
        {"a text without its prompt",
         [](DLxCreateSketchRequest::Definition& d) { d.prompts.clear(); }},
        {"an image with one corner",
         [](DLxCreateSketchRequest::Definition& d) { d.imageBoxes.pop_back(); }},
        {"a text height of 0", [](DLxCreateSketchRequest::Definition& d) { d.textHeight = 0; }},
        {"a point not finite",
         [](DLxCreateSketchRequest::Definition& d) {
             d.lines[0].x = std::numeric_limits<double>::infinity();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SketchDoc d;
        DLxCreateSketchRequest::Definition def = Tag();
        c.spoil(def);
        EXPECT_TRUE(d.Define(def).Failed());
        EXPECT_EQ(DLxSketch::GetAll(d.doc.get()).size(), 2u);
    }
}

// ---- the browser

TEST(CallOutBrowser, TheFolderComesBeforeTheViewsAndGoesWithItsLastSymbol) {
    SketchDoc d;
    EXPECT_EQ(DLxSymBrowserUtil::CallOutInstEntryCount(d.sheet), 0u);
    ASSERT_FALSE(d.Create({}).Failed());
    SketchDoc::Place tag;
    tag.sketch = u"Tag";
    ASSERT_FALSE(d.Create(tag).Failed());
    BRxEntry* sheetEntry = d.doc->GetEntry(d.sheet);
    ASSERT_NE(sheetEntry, nullptr);
    ASSERT_EQ(sheetEntry->GetChildren().size(), 2u);
    EXPECT_NE(dynamic_cast<DLxCallOutFolderEntry*>(sheetEntry->GetChildren()[0]), nullptr);
    EXPECT_EQ(d.Folder(), (std::vector<std::u16string>{u"Flag", u"Tag"}));
    // Adding what is there already adds nothing.
    DLxSymBrowserUtil::AddSheetCallOutChild(d.sheet, d.Symbol());
    EXPECT_EQ(DLxSymBrowserUtil::CallOutInstEntryCount(d.sheet), 2u);
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Folder(), std::vector<std::u16string>{u"Flag"});
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(DLxSymBrowserUtil::FindCallOutFolderEntry(d.sheet), nullptr);
    EXPECT_EQ(d.doc->GetEntry(d.sheet)->GetChildren().size(), 1u);
}

TEST(CallOutBrowser, DeletingASymbolTakesItsEntryAndPlacementAndTheEmptyFolder) {
    SketchDoc d;
    ASSERT_FALSE(d.Create({}).Failed());
    DLxCallOutInstance* s = d.Symbol();
    const uint32_t placement = s->GetSketchInstance()->GetId();
    const std::vector<uint8_t> before = d.Bytes();
    d.doc->GetRSeDb()->BeginTxn();
    s->DeleteAndVacuumClean();
    EXPECT_EQ(d.doc->GetRSeDb()->FindObject(placement), nullptr);
    EXPECT_EQ(DLxSymBrowserUtil::FindCallOutFolderEntry(d.sheet), nullptr);
    d.doc->GetRSeDb()->AbortTxn();
    EXPECT_EQ(d.Bytes(), before);
}

TEST(CallOutBrowser, ASymbolsEntrySelectsItAndActivatesOnlyWhenItIsTheOneSelected) {
    SketchDoc d;
    ASSERT_FALSE(d.Create({}).Failed());
    SketchDoc::Place tag;
    tag.sketch = u"Tag";
    tag.root = {300, 200, 0};
    ASSERT_FALSE(d.Create(tag).Failed());
    DLxCallOutInstEntry* entry = DLxSymBrowserUtil::FindCallOutInstEntry(d.sheet, d.Symbol(0));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->Icon(), DLxCallOutInstEntry::kIcon);
    SmartPtr<FWxSelection> made = entry->CreateSelection(BRxAbsPath());
    auto* selection = dynamic_cast<DLxCallOutSelection*>(made.get());
    ASSERT_NE(selection, nullptr);
    EXPECT_EQ(selection->GetInstance(), d.Symbol(0));
    EXPECT_EQ(selection->GetEntry(), entry);

    FWxSelectionSet* set = d.doc->GetSelectCmd()->GetSelectionSet();
    auto posted = [&] { return d.doc->GetPostedCommands().size(); };
    EXPECT_FALSE(entry->Activate().Failed());
    EXPECT_EQ(posted(), 0u) << "nothing selected";
    set->Add(made);
    set->Add(SmartPtr<FWxSelection>(new DLxCallOutSelection(d.Symbol(1), {})));
    EXPECT_FALSE(entry->Activate().Failed());
    EXPECT_EQ(posted(), 0u) << "two selected";
    set->RemoveAll();
    set->Add(made);
    EXPECT_FALSE(entry->Activate().Failed());
    ASSERT_EQ(posted(), 1u);
    EXPECT_EQ(d.doc->GetPostedCommands()[0], DLxCallOutInstEntry::kActivateCommand);
    set->RemoveAll();
}

// Four symbols whose definitions differ in letter case, placed in this order.
struct SortDoc : SketchDoc {
    SortDoc() {
        for (const char16_t* name : {u"beta", u"Alpha", u"alpha", u"Beta"}) {
            EXPECT_FALSE(Define(Flag(name)).Failed());
            Place p;
            p.sketch = name;
            EXPECT_FALSE(Create(p).Failed());
        }
    }
};

TEST(CallOutBrowser, SortingIsStableAndIgnoresCaseAndIsUndone) {
    SortDoc d;
    const std::vector<std::u16string> placed = {u"beta", u"Alpha", u"alpha", u"Beta"};
    EXPECT_EQ(d.Folder(), placed);
    const UTxResult r = d.doc->ProcessChangeRequest(
        new DLxSortSketchedSymbolsRequest(d.doc->GetEntry(d.sheet)));
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    const std::vector<std::u16string> sorted = {u"Alpha", u"alpha", u"beta", u"Beta"};
    EXPECT_EQ(d.Folder(), sorted);

    // The order is stored: a saved and loaded drawing shows it.
    std::unique_ptr<RSeDatabase> db;
    const std::vector<uint8_t> bytes = d.Bytes();
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    DLxDrawingDoc loaded(std::move(db));
    DLxSheet* sheet = loaded.FindSheet(u"Sheet 1");
    std::vector<std::u16string> names;
    for (BRxEntry* e : DLxSymBrowserUtil::FindCallOutFolderEntry(sheet)->GetChildren())
        names.push_back(static_cast<BRxFixedEntry*>(e)->Name());
    EXPECT_EQ(names, sorted);

    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Folder(), placed);
}

TEST(CallOutBrowser, TheSortCommandTakesTheFoldersSelectedBeforeAnythingElse) {
    SketchDoc d;
    ASSERT_FALSE(d.Create({}).Failed());
    DLxSheet* second = d.doc->CreateSheet(u"Sheet 2", 420, 297);
    for (const char16_t* name : {u"b", u"a"}) {
        ASSERT_FALSE(d.Define(Flag(name)).Failed());
        ASSERT_FALSE(d.doc->ProcessChangeRequest(new DLxCreateCallOutRequest(
                                                     RSeRef<DLxSketch>(d.Sketch(name)),
                                                     RSeRef<DLxSheet>(second), {},
                                                     DLxIntent::Free({10, 10, 0}),
                                                     {{10, 10, 0}, {30, 30, 0}}, 28029, true, {},
                                                     {}, 0, 1, false, true, false, true, true))
                         .Failed());
    }
    const FWxUIManager::CtxMenuCommand* entry =
        FWxUIManager::Get().FindCtxMenuCommand(u"DrawingSortSketchedSymbols");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->id, DLxSortSketchedSymbolsCmd::kCommandId);
    EXPECT_EQ(entry->classification, 64);
    DLxSortSketchedSymbolsCmd cmd(d.doc.get());
    FWxSelectionSet* set = d.doc->GetSelectCmd()->GetSelectionSet();
    auto select = [&](DLxSheet* sheet) {
        BRxEntry* folder = DLxSymBrowserUtil::FindCallOutFolderEntry(sheet);
        set->Add(SmartPtr<FWxSelection>(new DLxBrowserEntrySelection(folder, BRxAbsPath())));
    };
    auto enabled = [&] {
        FWxCmdUI ui;
        EXPECT_TRUE(cmd.OnCmdMsg(DLxSortSketchedSymbolsCmd::kCommandId, FWxCmd::kUpdateUI, &ui));
        return ui.enabled;
    };
    select(d.sheet);
    EXPECT_FALSE(enabled()) << "one symbol has nothing to sort";
    select(second);
    EXPECT_TRUE(enabled());

    // A selection that is not a folder ends the walk: only the folders before it are sorted.
    set->RemoveAll();
    set->Add(SmartPtr<FWxSelection>(new DLxCallOutSelection(d.Symbol(), {})));
    select(second);
    EXPECT_FALSE(enabled());
    const size_t depth = d.doc->GetUndoDepth();
    cmd.OnCmdMsg(DLxSortSketchedSymbolsCmd::kCommandId, FWxCmd::kCommand, nullptr);
    EXPECT_EQ(d.doc->GetUndoDepth(), depth);
    set->RemoveAll();
    select(second);
    cmd.OnCmdMsg(DLxSortSketchedSymbolsCmd::kCommandId, FWxCmd::kCommand, nullptr);
    std::vector<std::u16string> names;
    for (BRxEntry* e : DLxSymBrowserUtil::FindCallOutFolderEntry(second)->GetChildren())
        names.push_back(static_cast<BRxFixedEntry*>(e)->Name());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"a", u"b"}));
    set->RemoveAll();
}

// ---- names, replay, undo, storage

TEST(CallOutTranslator, AKeyPointFindsTheSymbolAndAnEmptyPlaceNothing) {
    SketchDoc d;
    ASSERT_FALSE(d.Create({}).Failed());
    EXPECT_EQ(DLxCallOutInstanceONKTranslator::ObjectFromPoint(d.doc.get(), {220, 195, 0}),
              d.Symbol());
    EXPECT_EQ(DLxCallOutInstanceONKTranslator::ObjectFromPoint(d.doc.get(), {5, 5, 0}), nullptr);
    EXPECT_EQ(DLxCallOutInstanceONKTranslator::SelectionFromPoint(d.doc.get(), {5, 5, 0}),
              nullptr);
}

// Every request of the kind, run as a user would.
void RunAll(SketchDoc& d) {
    SketchDoc::Place p;
    p.prompts = {u"B"};
    ASSERT_FALSE(d.Create(p).Failed());
    SketchDoc::Place tag;
    tag.sketch = u"Tag";
    tag.root = {300, 200, 0};
    tag.rotation = 0.3;
    tag.prompts = {u"QA-7"};
    ASSERT_FALSE(d.Create(tag).Failed());
    RSeRef<DLxCallOutInstance> first(d.Symbol(0));
    ASSERT_FALSE(d.doc->ProcessChangeRequest(new DLxCallOutSymEditRequest(
                                                 first, 1.5, DLxCallOutSymEditRequest::kChangeScale))
                     .Failed());
    auto swap = SmartPtr<DLxCallOutSymEditRequest>(new DLxCallOutSymEditRequest(
        RSeRef<DLxCallOutInstance>(d.Symbol(1)), RSeRef<DLxSketch>(d.Sketch(u"Flag")), 0.1, 2,
        true, false, false, true));
    swap->SetPromptStrings({u"C"});
    ASSERT_FALSE(d.doc->ProcessChangeRequest(swap).Failed());
    ASSERT_FALSE(d.doc->ProcessChangeRequest(new DLxSortSketchedSymbolsRequest(d.doc->GetEntry(d.sheet)))
                     .Failed());
}

TEST(CallOutRequest, TheRecordsReplayToTheSameDrawing) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();
    SketchDoc d(false);
    ASSERT_FALSE(d.Define(Flag()).Failed());
    ASSERT_FALSE(d.Define(Tag()).Failed());
    RunAll(d);
    const std::vector<UTxString16> lines = mgr.GetLines();
    ASSERT_EQ(lines.size(), 7u);
    SketchDoc replay(false);
    for (const UTxString16& line : lines)
        ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed()) << UTx::ToUtf8(line);
    EXPECT_EQ(replay.Bytes(), d.Bytes());
}

TEST(CallOutRequest, UndoingEveryRequestGivesBackTheEmptyDrawing) {
    SketchDoc d(false);
    const std::vector<uint8_t> empty = d.Bytes();
    ASSERT_FALSE(d.Define(Flag()).Failed());
    ASSERT_FALSE(d.Define(Tag()).Failed());
    RunAll(d);
    const std::vector<uint8_t> full = d.Bytes();
    for (int round = 0; round < 2; ++round) {
        while (d.doc->CanUndo())
            ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(d.Bytes(), empty);
        while (d.doc->CanRedo())
            ASSERT_FALSE(d.doc->Redo().Failed());
        EXPECT_EQ(d.Bytes(), full);
    }
}

TEST(CallOutStorage, ALoadedDrawingSavesToTheSameBytesAndDrawsTheSame) {
    SketchDoc d;
    RunAll(d);
    const std::vector<uint8_t> bytes = d.Bytes();
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    DLxDrawingDoc loaded(std::move(db));
    std::vector<uint8_t> again;
    ASSERT_FALSE(loaded.GetRSeDb()->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, bytes);
    DLxSheet* sheet = loaded.FindSheet(u"Sheet 1");
    for (const RSeRef<RDxNode>& r : sheet->GetNodes())
        if (auto* s = dynamic_cast<DLxCallOutInstance*>(r.GetTarget())) s->MarkEdited(true);
    RDxComputeContext ctx;
    sheet->Recompute(ctx);
    size_t i = 0;
    for (const RSeRef<RDxNode>& r : sheet->GetNodes())
        if (auto* s = dynamic_cast<DLxCallOutInstance*>(r.GetTarget())) {
            const BBox& box = s->GetCallOutState()->GetBoundingBox();
            const BBox& was = d.Symbol(i++)->GetCallOutState()->GetBoundingBox();
            ExpectPoint(box.min, was.min, "minimum");
            ExpectPoint(box.max, was.max, "maximum");
        }
    EXPECT_EQ(i, 2u);
}

// A drawing whose sketched symbols an older release stored (the state without scale, rotation
// and centre choice, the symbol without its clipping choice) loads as the symbols it drew then:
// saved again it is the drawing this release makes of the same symbols, byte for byte.
TEST(CallOutStorage, OlderStoredSymbolsLoadAsTheSymbolsTheyDrew) {
    SketchDoc d;
    SketchDoc::Place p;
    p.geomCentre = true; // what the oldest state meant: scale 1, no turn, about the centre
    ASSERT_FALSE(d.Create(p).Failed());
    const std::vector<uint8_t> current = d.Bytes();
    const struct {
        uint16_t stateVersion, instanceVersion;
        size_t stateDrop, instanceDrop; // bytes of the fields each version lacked
    } cases[] = {{0, 0, 20, 2}, {1, 1, 0, 2}, {2, 2, 0, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stateVersion);
        const std::vector<uint8_t> old = TstDocWriter::AsOlder(
            TstDocWriter::AsOlder(current, u"DLxCallOutState", c.stateVersion, c.stateDrop),
            u"DLxCallOutInstance", c.instanceVersion, c.instanceDrop);
        ASSERT_FALSE(old.empty());
        ASSERT_NE(old, current);
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(old.data(), old.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        DLxDrawingDoc loaded(std::move(db));
        std::vector<uint8_t> saved;
        ASSERT_FALSE(loaded.GetRSeDb()->SaveToBuffer(saved).Failed());
        EXPECT_EQ(saved, current);
    }
}

// Sketched symbols of the first stored version held their leader as the intermediate tree. On
// load it becomes a leader node tree with the same ends; a tree with nothing to convert gives
// way to a one-node leader at the symbol's origin whose end stays on the old first branch's
// edge. Symbols of later versions are not touched.
TEST(CallOutStorage, FirstVersionIntermediateLeadersBecomeLeaderNodeTrees) {
    const struct {
        const char* what;
        uint16_t version;
        bool convertible;
    } cases[] = {{"convertible", 0, true}, {"nothing to convert", 0, false},
                 {"a later version", 1, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SketchDoc d;
        ASSERT_FALSE(d.Create({}).Failed());
        DLxCallOutInstance* s = d.Symbol();
        ASSERT_EQ(s->GetNumLeaders(), 1);
        DLxLeaderTree* tree = DLxLeaderTree::Create(d.sheet);
        tree->Points() = {{1, {220, 190, 0}}, {3, {200, 150, 0}}};
        DLxLeaderBranch* branch = DLxLeaderBranch::Create(d.sheet);
        if (c.convertible) branch->SetVertexKeys({1, 3});
        branch->SetAnchorPoint(DLxAnchorPoint::CreateOnEdge(d.view, 1, 0.25));
        branch->SetArrowHead(DUxArrowHeadState::Create(d.sheet, 28031));
        tree->AddBranch(branch);
        s->RemoveLeader(0);
        s->AddInputState(tree);
        const WqGePoint3d origin = s->GetCallOutState()->GetOrigin();

        const std::vector<uint8_t> old =
            TstDocWriter::AsOlder(d.Bytes(), u"DLxCallOutInstance", c.version, 2);
        ASSERT_FALSE(old.empty());
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(old.data(), old.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        auto* loaded = dynamic_cast<DLxCallOutInstance*>(db->FindObject(s->GetId()));
        ASSERT_NE(loaded, nullptr);
        ASSERT_EQ(loaded->GetNumLeaders(), 1);
        if (c.version != 0) {
            EXPECT_NE(dynamic_cast<DLxLeaderTree*>(loaded->GetInputState(2)), nullptr);
            continue;
        }
        DUxLeaderNodeTree* leader = loaded->GetLeader(0);
        ASSERT_NE(leader, nullptr);
        auto* end = dynamic_cast<DLxTerminalLeaderNode*>(
            leader->GetTerminalNode(c.convertible ? 1 : 0));
        ASSERT_NE(end, nullptr);
        ASSERT_NE(end->GetAnchorPoint(), nullptr);
        EXPECT_TRUE(end->GetAnchorPoint()->IsOnEdge());
        EXPECT_EQ(end->GetAnchorPoint()->GetPoint(), WqGePoint3d(175, 150, 0));
        ASSERT_NE(end->GetArrowHeadState(), nullptr);
        EXPECT_EQ(end->GetArrowHeadState()->GetTemplateId(), c.convertible ? 28031u : 28029u);
        // The one node of the new leader is its end: it follows the edge from the origin.
        EXPECT_EQ(leader->GetRoot()->GetPoint(),
                  c.convertible ? WqGePoint3d(220, 190, 0) : WqGePoint3d(175, 150, 0));
        EXPECT_NE(origin, WqGePoint3d(175, 150, 0));
        // Nothing of the old tree is left to save.
        std::vector<uint8_t> saved;
        ASSERT_FALSE(db->SaveToBuffer(saved).Failed());
        EXPECT_FALSE(TstDocWriter::DeclaredVersion(saved, u"DLxLeaderTree").has_value());
        EXPECT_FALSE(TstDocWriter::DeclaredVersion(saved, u"DLxLeaderBranch").has_value());
    }
}

// ---- dragging by the box's hot points

// A link: a 12 by 4 bar inserted at the middle of its left end, joined to others at both ends.
DLxCreateSketchRequest::Definition Link() {
    DLxCreateSketchRequest::Definition d;
    d.name = u"Link";
    d.insertPoint = {0, 2, 0};
    d.lines = {{0, 0, 0}, {12, 0, 0}, {12, 0, 0}, {12, 4, 0}, {12, 4, 0}, {0, 4, 0}};
    d.connectionPoints = {{0, 2, 0}, {12, 2, 0}};
    return d;
}

DLxMoveCallOutNodeManipulator BoxDrag(SketchDoc& d, DLxCallOutInstance* s, int32_t hot) {
    return DLxMoveCallOutNodeManipulator(RSeRef<DLxSymInstance>(s), DUxLeaderNodeTree::kSymbolBoxItem,
                                         0, 0, hot, nullptr, d.doc.get());
}

UTxResult RunDrag(SketchDoc& d, DLxMoveCallOutNodeManipulator& m) {
    return m.ProcessRequest(d.doc.get());
}

// A corner scales about the leader's root by the distance from it; the turn grip turns about
// it by the angle the cursor sweeps, either way. Each drag ends in one edit of that value.
TEST(CallOutDrag, CornersScaleAndTheTurnGripTurnsAboutTheRoot) {
    const double quarter = std::numbers::pi / 2;
    const struct {
        int32_t hot;
        WqGePoint3d pick, release;
        double scale, rotation;
    } cases[] = {
        {0, {230, 190, 0}, {240, 190, 0}, 2.0, 0.0},
        {3, {220, 180, 0}, {220, 185, 0}, 0.5, 0.0},
        {4, {230, 190, 0}, {220, 200, 0}, 1.0, quarter},
        {4, {230, 190, 0}, {220, 180, 0}, 1.0, -quarter},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hot);
        SketchDoc d;
        ASSERT_FALSE(d.Create({}).Failed());
        DLxCallOutInstance* s = d.Symbol();
        const std::vector<uint8_t> before = d.Bytes();
        auto m = BoxDrag(d, s, c.hot);
        ASSERT_TRUE(m.StartDrag(c.pick));
        ExpectPoint(m.GetPivot(), {220, 190, 0}, "pivot");
        EXPECT_TRUE(s->IsBeingDragged());
        ASSERT_TRUE(m.Drag(c.release));
        // Only the preview changed while dragging.
        EXPECT_EQ(d.Bytes(), before);
        ASSERT_TRUE(m.EndDrag(c.release));
        EXPECT_FALSE(s->IsBeingDragged());
        ASSERT_NE(dynamic_cast<DLxCallOutSymEditRequest*>(m.GetRequest().get()), nullptr);
        ASSERT_FALSE(RunDrag(d, m).Failed());
        EXPECT_NEAR(s->GetCallOutState()->GetScale(), c.scale, kTol);
        EXPECT_NEAR(s->GetCallOutState()->GetRotation(), c.rotation, kTol);
        ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(d.Bytes(), before);
    }
}

TEST(CallOutDrag, ACancelledDragChangesNothing) {
    SketchDoc d;
    ASSERT_FALSE(d.Create({}).Failed());
    DLxCallOutInstance* s = d.Symbol();
    const std::vector<uint8_t> before = d.Bytes();
    for (int32_t hot : {0, 4, 5, 7}) {
        SCOPED_TRACE(hot);
        auto m = BoxDrag(d, s, hot);
        ASSERT_TRUE(m.StartDrag({230, 190, 0}));
        ASSERT_TRUE(m.Drag({260, 230, 0}));
        m.CancelDrag();
        EXPECT_FALSE(s->IsBeingDragged());
        EXPECT_EQ(m.GetRequest().get(), nullptr);
        EXPECT_EQ(d.Bytes(), before);
    }
}

// Two links end to end: the second moved by its left connection point next to the first's
// right end lands on it; moved by its insertion point so that its own right end comes near the
// first's left end, it lands there.
TEST(CallOutDrag, AMovedSymbolSnapsItsConnectionPointOntoAnothers) {
    const struct {
        int32_t hot;
        WqGePoint3d pick, release, root;
    } cases[] = {
        {DLxMoveCallOutNodeManipulator::kMoveByConnection, {160.5, 250, 0}, {233, 251, 0},
         {232, 250, 0}},
        {DLxMoveCallOutNodeManipulator::kMoveByInsertPoint, {165, 250, 0}, {207.5, 251, 0},
         {208, 250, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hot);
        SketchDoc d;
        ASSERT_FALSE(d.Define(Link()).Failed());
        SketchDoc::Place p;
        p.sketch = u"Link";
        p.root = {220, 250, 0};
        ASSERT_FALSE(d.Create(p).Failed());
        p.root = {160, 250, 0};
        ASSERT_FALSE(d.Create(p).Failed());
        DLxCallOutInstance* second = d.Symbol(1);
        auto m = BoxDrag(d, second, c.hot);
        ASSERT_TRUE(m.StartDrag(c.pick));
        ASSERT_EQ(m.GetConnectionOffsets().size(), 2u);
        EXPECT_NEAR(m.GetConnectionOffsets()[1].x, 12, kTol);
        ASSERT_TRUE(m.Drag(c.release));
        EXPECT_TRUE(m.HasInference());
        ASSERT_TRUE(m.EndDrag(c.release));
        ASSERT_FALSE(RunDrag(d, m).Failed());
        ExpectPoint(second->GetLeader(0)->GetRoot()->GetPoint(), c.root, "root");
    }
}

// A symbol placed by the middle of its sketch has its connection points measured from there,
// turned and scaled with it.
TEST(CallOutDrag, ConnectionPointsAreMeasuredFromWhereTheSymbolIsPlaced) {
    SketchDoc d;
    ASSERT_FALSE(d.Define(Link()).Failed());
    SketchDoc::Place p;
    p.sketch = u"Link";
    p.geomCentre = true;
    p.scale = 2;
    p.rotation = std::numbers::pi / 2;
    ASSERT_FALSE(d.Create(p).Failed());
    auto m = BoxDrag(d, d.Symbol(), DLxMoveCallOutNodeManipulator::kMoveByConnection);
    ASSERT_TRUE(m.StartDrag({220, 179, 0}));
    ASSERT_EQ(m.GetConnectionOffsets().size(), 2u);
    // The link's middle is (6, 2): its ends lie 6 to either side, 12 once scaled, turned upright.
    EXPECT_NEAR(m.GetConnectionOffsets()[0].x, 0, 1e-9);
    EXPECT_NEAR(m.GetConnectionOffsets()[0].y, -12, 1e-9);
    EXPECT_NEAR(m.GetConnectionOffsets()[1].y, 12, 1e-9);
    ExpectPoint(m.GetStartSelectionPoint(), {220, 178, 0}, "nearest connection point");
    m.CancelDrag();
}

TEST(CallOutDrag, PromptsAndCursorsFollowTheGrip) {
    SketchDoc d;
    ASSERT_FALSE(d.Create({}).Failed());
    DLxCallOutInstance* s = d.Symbol();
    const struct {
        int32_t hot;
        bool several;
        int32_t prompt, cursor, worksBy;
    } cases[] = {
        {0, false, 6239, 6261, 0}, {2, false, 6239, 6260, 2}, {4, false, 6238, 6022, 4},
        {5, false, 6226, 6102, 5}, {7, false, 5696, 6102, 7}, {0, true, 6226, 6102, 5},
        {-1, false, 0, 0, -1},     {8, false, 6226, 0, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hot);
        auto m = BoxDrag(d, s, c.hot);
        m.SetMultipleSelections(c.several);
        EXPECT_EQ(m.GetHotPoint(), c.worksBy);
        EXPECT_EQ(m.GetPromptText(), c.prompt);
        EXPECT_EQ(m.GetPromptCursor(), c.cursor);
    }
}

// Connection points are stored with their sketch; a sketch stored before they existed loads
// without any and saves as today's.
TEST(CallOutStorage, ConnectionPointsAreStoredAndOlderSketchesHaveNone) {
    SketchDoc d(false);
    DLxCreateSketchRequest::Definition link = Link();
    link.connectionPoints.clear();
    ASSERT_FALSE(d.Define(link).Failed());
    const std::vector<uint8_t> without = d.Bytes();
    SketchDoc e(false);
    ASSERT_FALSE(e.Define(Link()).Failed());
    const std::vector<uint8_t> with = e.Bytes();
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(with.data(), with.size(), db).Failed());
    DLxDrawingDoc loaded(std::move(db));
    const DLxSketch* sketch = DLxSketch::Find(&loaded, u"Link");
    ASSERT_NE(sketch, nullptr);
    ASSERT_EQ(sketch->GetConnectionPoints().size(), 2u);
    ExpectPoint(sketch->GetConnectionPoints()[1], {12, 2, 0}, "second");

    // The older record ends before the count of connection points (a tag and four bytes).
    const std::vector<uint8_t> old = TstDocWriter::AsOlder(without, u"DLxSketch", 0, 5);
    ASSERT_FALSE(old.empty());
    std::unique_ptr<RSeDatabase> olddb;
    const UTxResult r = RSeDatabase::LoadFromBuffer(old.data(), old.size(), olddb);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    DLxDrawingDoc older(std::move(olddb));
    EXPECT_TRUE(DLxSketch::Find(&older, u"Link")->GetConnectionPoints().empty());
    std::vector<uint8_t> saved;
    ASSERT_FALSE(older.GetRSeDb()->SaveToBuffer(saved).Failed());
    EXPECT_EQ(saved, without);
}

} // namespace

// A callout of the oldest stored form holds its leader as an intermediate leader tree; its
// upgrade gives it a leader node tree in the same place, the branch's end keeping the
// branch's edge and arrowhead. A tree with nothing to convert gives way to a leader of one
// node at the callout that still holds the branch's edge. The intermediate tree, its branch
// and their anchor and arrowhead are gone either way.
TEST(CallOutUpgrade, AnIntermediateLeaderTreeBecomesTheCalloutsLeader) {
    struct Case {
        const char* name;
        std::vector<uint32_t> keys;
        uint32_t arrow;
        WqGePoint3d firstNode;
    } cases[] = {
        {"a branch that converts", {1, 2}, 28031, {220, 190, 0}},
        // A leader of one node is its own end: it sits on the kept edge.
        {"a branch with a missing key", {1, 9}, 28029, {175, 150, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SketchDoc d;
        ASSERT_FALSE(d.Create({}).Failed());
        DLxCallOutInstance* callout = d.Symbol();
        DLxLeaderTree* old = DLxLeaderTree::Create(d.sheet);
        old->Points()[1] = {220, 190, 0};
        old->Points()[2] = {210, 170, 0};
        DLxLeaderBranch* branch = DLxLeaderBranch::Create(d.sheet);
        branch->SetVertexKeys(c.keys);
        DLxAnchorPoint* oldAnchor = DLxAnchorPoint::CreateOnEdge(d.view, 1, 0.25);
        branch->SetAnchorPoint(oldAnchor);
        branch->SetArrowHead(DUxLeaderNodeTree::CreateArrowHeadState(d.sheet, 28031));
        old->AddBranch(branch);
        DUxLeaderNodeTree* made = callout->GetLeader(0);
        ASSERT_TRUE(callout->SetInputState(2, old));
        DUxLeaderNodeTree::Delete(made);

        ASSERT_TRUE(DLxUpdateLeaderStateMigrator::Convert(callout));
        // A callout converted already is left alone.
        EXPECT_FALSE(DLxUpdateLeaderStateMigrator::Convert(callout));

        DUxLeaderNodeTree* leader = callout->GetLeader(0);
        ASSERT_NE(leader, nullptr);
        // The end that holds the edge.
        DLxTerminalLeaderNode* end = nullptr;
        for (int32_t i = 0; i < leader->GetNumBranches(); ++i)
            if (auto* t = dynamic_cast<DLxTerminalLeaderNode*>(leader->GetTerminalNode(i)))
                if (t->GetAnchorPoint() && t->GetAnchorPoint()->GetGeometryProxy()) end = t;
        ASSERT_NE(end, nullptr);
        EXPECT_EQ(end->GetAnchorPoint()->GetGeometryProxy(), d.view->FindEdgeProxy(1));
        EXPECT_NEAR(end->GetAnchorPoint()->GetParameter(), 0.25, 1e-12);
        EXPECT_EQ(end->GetArrowHeadState()->GetTemplateId(), c.arrow);
        ExpectPoint(leader->GetRoot()->GetPoint(), c.firstNode, "root");
        for (const RSeRef<RDxNode>& r : d.sheet->GetNodes()) {
            EXPECT_EQ(dynamic_cast<DLxLeaderTree*>(r.GetTarget()), nullptr);
            EXPECT_EQ(dynamic_cast<DLxLeaderBranch*>(r.GetTarget()), nullptr);
            EXPECT_NE(r.GetTarget(), oldAnchor);
        }
    }
}
