// Arrowheads of leader ends and leaders deleted from placed symbols: each request through the
// document, its record replayed on a fresh drawing to the same bytes, its undo; records that
// name what the drawing lacks are refused and change nothing.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DatumId/DLxCenterDatumInstance.h"
#include "Leader/DLxLeaderUtils.h"
#include "Request/DLxCenterDatumRequests.h"
#include "Request/DLxCreateGDTRequest.h"
#include "Request/DLxSymArrowHeadRequest.h"
#include "Request/DLxSymDeleteLeaderRequest.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxGDTInstance.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxSymState.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"

namespace {

// An ISO drawing whose view has edge 1 along y = 150 from x 150 to 250, with a frame whose
// leader ends on edge 1 at (200,150) (node 1), bends at (205,170) (node 2) and has its root at
// (220,190) (node 3), and an origin indicator on edge 1.
struct EditDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;

    explicit EditDoc(bool place = true) {
        doc->GetDrawing()->SetStandardName(u"ISO");
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        view = sheet->CreateView(u"Front");
        view->SetViewCenter({200, 150, 0});
        view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0})});
        DLxStdStyles::AddDocumentStyles(doc.get());
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
        if (place) Place();
    }
    void Place() {
        const std::vector<UTxString16> fields{u"", u"5", u"0.1", u"", u"A", u"", u""};
        ASSERT_FALSE(doc->ProcessChangeRequest(
                            new DLxCreateGDTRequest(
                                DLxIntent::OnEdge(view, 1, 0.5),
                                {{200, 150, 0}, {205, 170, 0}, {220, 190, 0}}, 28029, true, false,
                                fields, std::vector<int32_t>(fields.size(), 3), {true}, {}, {}))
                         .Failed());
        ASSERT_FALSE(doc->ProcessChangeRequest(
                            new DLxCreateCenterDatumRequest(DLxIntent::OnEdge(view, 1, 0.1),
                                                            {160, 150, 0}, 28029, {}, {}, false))
                         .Failed());
    }
    template <class T> T* Find() const {
        for (const RSeRef<RDxNode>& r : sheet->GetNodes())
            if (auto* t = dynamic_cast<T*>(r.GetTarget())) return t;
        return nullptr;
    }
    DLxGDTInstance* Frame() const { return Find<DLxGDTInstance>(); }
    RSeRef<DLxSymInstance> Ref() const { return RSeRef<DLxSymInstance>(Frame()); }
    DUxLeaderNodeTree* Leader0() const { return Frame()->GetLeader(0); }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
        return bytes;
    }
};

UTxString16 W(const std::string& s) {
    return UTx::MakeWideString(s);
}

class SymLeaderEdit : public ::testing::Test {
protected:
    void SetUp() override { mgr.ClearLines(); }
    void TearDown() override { mgr.ClearLines(); }
    UTxString16 Key(const RSeRefBase& ref) { return u"\"" + mgr.StringFromRef(ref) + u"\""; }

    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
};

TEST_F(SymLeaderEdit, EachRequestEditsReplaysAndUndoes) {
    const struct Case {
        const char* name;
        std::function<FWxChangeRequest*(EditDoc&)> make;
        std::function<void(EditDoc&)> check;
    } cases[] = {
        {"the frame's arrowhead becomes a dot",
         [](EditDoc& x) { return new DLxSymArrowHeadRequest(x.Ref(), 28032, 0, 0); },
         [](EditDoc& x) { EXPECT_EQ(x.Frame()->GetArrowHeadRef(0, 0)->id, 28032u); }},
        {"the indicator's own arrowhead state becomes an open arrow",
         [](EditDoc& x) {
             return new DLxArrowHeadRequest(
                 RSeRef<RDxInstance>(x.Find<DLxCenterDatumInstance>()), 3, 28031);
         },
         [](EditDoc& x) {
             EXPECT_EQ(x.Find<DLxCenterDatumInstance>()->GetArrowHeadState()->GetTemplateId(),
                       28031u);
         }},
        {"the bend alone: the end hangs on the root",
         [](EditDoc& x) { return new DLxSymDeleteLeaderRequest(x.Ref(), 0, 2, true); },
         [](EditDoc& x) {
             ASSERT_EQ(x.Leader0()->GetNumNodes(), 2);
             EXPECT_EQ(x.Leader0()->GetTerminalNode(0)->GetParent(), x.Leader0()->GetRoot());
             EXPECT_EQ(x.Frame()->GetNumberOfActiveLeaders(), 1);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mgr.ClearLines();
        EditDoc d;
        const std::vector<uint8_t> before = d.Bytes();
        const UTxResult r = d.doc->ProcessChangeRequest(c.make(d));
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        c.check(d);
        const std::vector<UTxString16> lines = mgr.GetLines();
        EditDoc replay(false);
        for (const UTxString16& line : lines) {
            const UTxResult rr = mgr.ReplayLine(replay.doc.get(), line);
            ASSERT_FALSE(rr.Failed()) << UTx::ToUtf8(line) << ": " << rr.GetMessageUtf8();
        }
        EXPECT_EQ(replay.Bytes(), d.Bytes()) << UTx::ToUtf8(lines.back());
        ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(d.Bytes(), before);
    }
}

// Deleting the frame's only path leaves it shown without a leader: its leader is its end alone,
// its anchor comes to the edge's point nearest to where the frame attached, and the frame sits
// on its anchor there.
TEST_F(SymLeaderEdit, TheLastPathDeletedLeavesTheFrameWithoutALeader) {
    EditDoc d;
    WqGePoint3d attach;
    d.Frame()->GetAttachPointIfNoLeader(attach);
    const std::vector<uint8_t> before = d.Bytes();
    // A record without "DeleteNode" deletes the branch.
    const UTxResult r = mgr.ReplayLine(
        d.doc.get(), u"DeleteSymLeader Instance=" + Key(d.Ref()) + u" LeaderNum=0 NodeId=1");
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    DUxLeaderNodeTree* leader0 = d.Leader0();
    ASSERT_EQ(leader0->GetNumNodes(), 1);
    EXPECT_EQ(leader0->GetTerminalNode(0), leader0->GetRoot());
    EXPECT_EQ(d.Frame()->GetNumberOfActiveLeaders(), 0);
    DLxAnchorPoint* anchor = DLxLeaderUtils::GetAnchorPoint(leader0, 0);
    ASSERT_NE(anchor, nullptr);
    EXPECT_TRUE(anchor->IsOnEdge());
    EXPECT_NEAR(anchor->GetPoint().x, attach.x, 1e-9);
    EXPECT_NEAR(anchor->GetPoint().y, 150, 1e-9);
    EXPECT_EQ(d.Frame()->GetSymState()->GetOrigin(), anchor->GetPoint());
    EXPECT_TRUE(mgr.GetLines().back().find(u"DeleteNode=false") != UTxString16::npos);

    // With no leader shown, there is nothing left to delete.
    const std::vector<uint8_t> bare = d.Bytes();
    EXPECT_TRUE(d.doc->ProcessChangeRequest(new DLxSymDeleteLeaderRequest(d.Ref(), 0, 1, false))
                    .Failed());
    EXPECT_EQ(d.Bytes(), bare);
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Bytes(), before);
}

TEST_F(SymLeaderEdit, EverythingUndoneGivesBackTheEmptyDrawing) {
    EditDoc d(false);
    const std::vector<uint8_t> empty = d.Bytes();
    d.Place();
    const RSeRef<RDxInstance> indicator(d.Find<DLxCenterDatumInstance>());
    FWxChangeRequest* edits[] = {
        new DLxSymArrowHeadRequest(d.Ref(), 28033, 0, 0),
        new DLxArrowHeadRequest(indicator, 3, 28036),
        new DLxSymDeleteLeaderRequest(d.Ref(), 0, 2, true),
        new DLxSymDeleteLeaderRequest(d.Ref(), 0, 1, false),
    };
    for (FWxChangeRequest* r : edits) ASSERT_FALSE(d.doc->ProcessChangeRequest(r).Failed());
    for (int i = 0; i < 6; ++i) ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Bytes(), empty);
}

// A record of the older layout has no version key: it is read as version 0, and one the
// constructor makes writes its own.
TEST_F(SymLeaderEdit, AnArrowHeadRecordWithoutVersionReadsAsTheOldest) {
    EditDoc d;
    DLxSymArrowHeadRequest old;
    ASSERT_FALSE(old.InitFromTranscript(d.doc.get(), u"AddArrowHead Sym=" + Key(d.Ref()) +
                                                          u" ArrowIndex=0 LeaderIndex=0 "
                                                          u"ArrowHead=28030")
                     .Failed());
    EXPECT_EQ(old.GetVersion(), DLxTDXUtil::eTranscriptRequestVersion0);
    ASSERT_FALSE(d.doc->ProcessChangeRequest(
                        new DLxSymArrowHeadRequest(d.Ref(), 28030, 0, 0,
                                                   DLxTDXUtil::eTranscriptRequestVersion1))
                     .Failed());
    EXPECT_NE(mgr.GetLines().back().find(u"ArrowHeadRequestVersion=1"), UTxString16::npos);
}

TEST_F(SymLeaderEdit, RecordsNamingWhatIsNotThereAreRefused) {
    EditDoc d;
    const UTxString16 frame = Key(d.Ref());
    const UTxString16 indicator = Key(RSeRefBase(d.Find<DLxCenterDatumInstance>()));
    auto arrow = [](const UTxString16& target, int arrowIndex, int leader, int service) {
        return u"AddArrowHead Sym=" + target + u" ArrowIndex=" + W(std::to_string(arrowIndex)) +
               u" LeaderIndex=" + W(std::to_string(leader)) +
               u" ArrowHeadRequestVersion=1 ArrowHead=" + W(std::to_string(service));
    };
    auto state = [](const UTxString16& target, int index, int service) {
        return u"ArrowHeadRequest InstanceToCompute=" + target +
               u" NewArrowHeadStyle=" + W(std::to_string(service)) +
               u" ArrowHeadStateIndex=" + W(std::to_string(index));
    };
    auto del = [](const UTxString16& target, int leader, int node) {
        return u"DeleteSymLeader Instance=" + target + u" LeaderNum=" +
               W(std::to_string(leader)) + u" NodeId=" + W(std::to_string(node)) +
               u" DeleteNode=true";
    };
    const struct {
        const char* name;
        UTxString16 line;
    } cases[] = {
        {"an arrowhead of no symbol", arrow(u"\"DLxGDTInstance#1,1\"", 0, 0, 28030)},
        {"an arrowhead of an origin indicator", arrow(indicator, 0, 0, 28030)},
        {"an arrowhead of a leader past the last", arrow(frame, 0, 2, 28030)},
        {"an arrowhead past the leader's ends", arrow(frame, 1, 0, 28030)},
        {"a negative arrowhead", arrow(frame, -1, 0, 28030)},
        {"an arrowhead service that does not exist", arrow(frame, 0, 0, 12)},
        {"a state of no annotation", state(u"\"DLxGDTInstance#1,1\"", 3, 28030)},
        {"a state that is no arrowhead", state(indicator, 0, 28030)},
        {"a state past the last", state(indicator, 4, 28030)},
        {"a state given a service that does not exist", state(indicator, 3, 0)},
        {"a leader of no symbol", del(u"\"DLxGDTInstance#1,1\"", 0, 2)},
        {"a leader of an origin indicator", del(indicator, 0, 2)},
        {"a leader past the last", del(frame, 1, 2)},
        {"a node the leader lacks", del(frame, 0, 42)},
        {"the root", del(frame, 0, 3)},
    };
    const std::vector<uint8_t> before = d.Bytes();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const UTxResult r = mgr.ReplayLine(d.doc.get(), c.line);
        EXPECT_TRUE(r.Failed());
        // Refused by the request's own checks, not by a malformed line.
        EXPECT_TRUE(r.GetCode() == 0x200B0323u || r.GetCode() == 0xE009033Cu)
            << r.GetMessageUtf8();
    }
    EXPECT_EQ(d.Bytes(), before);
}

} // namespace
