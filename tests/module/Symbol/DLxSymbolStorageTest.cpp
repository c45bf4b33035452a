// Symbols of the older generation as old documents stored them: every stored version of every
// kind loads with what it held, is queued for its kind's upgrade when its version asks for
// one, saves in the current form and reads back to the same bytes; damaged records fail the
// load with a message.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "KorvuTestSupport.h"
#include "Standard/DLxCBalloon.h"
#include "Symbol/DLxBalloon.h"
#include "Symbol/DLxCFCF.h"
#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderNode.h"
#include "Standard/DLxCSurfText.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTState.h"
#include "Symbol/DLxGDTSymbol.h"
#include "Symbol/DLxLeaderText.h"
#include "Symbol/DLxSurfTXTInstance.h"
#include "Symbol/DLxSurfaceTexture.h"
#include "Symbol/DLxWeldSymbol.h"
#include "Leader/DLxTerminalLeaderNode.h"
#include "dl/DLxAnchorPoint.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include <sstream>
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxSurfTXTState.h"
#include "TstDocWriter.h"
#include "TstLegacyWriter.h"
#include "dc/RDxFragment.h"
#include "du/DUxValue.h"
#include "fw/FWxSceneDoc.h"
#include "ge/WqGeMatrix3d.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSaveData.h"
#include "rse/RSeSegment.h"
#include "rse/RSeSegmentMigrator.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxGUID.h"

namespace {

// Records what the upgrade queues of the legacy kinds without a migrator of their own receive:
// "<class> <id> v<stored version>". It takes part in loads while it lives.
struct QueueWatcher : RSeSegmentMigrator {
    QueueWatcher() : RSeSegmentMigrator("TstLegacySymbolQueueWatcher") {
        for (const char16_t* kind : {u"DLxBalloon", u"DLxWeldSymbol", u"DLxLeaderText"})
            Handles(kind, 1);
    }
    void Migrate(RSeSegmentMigrationContext* ctx) override {
        auto* refs = dynamic_cast<RSeSegmentMigrationContextRSeRef*>(ctx);
        for (uint32_t i = 0; refs && i < refs->Objects(); ++i)
            if (RSeIDed* obj = refs->Object(i).GetTarget())
                queued.push_back(UTx::ToUtf8(obj->GetMeta()->GetName()) + " " +
                                 std::to_string(obj->GetId()) + " v" +
                                 std::to_string(refs->UnmigratedVersion(i)));
    }
    std::vector<std::string> queued;
};

template <class T> RSeMetaType* Meta() {
    return RSe::_GetMeta(static_cast<const T*>(nullptr));
}

using LegacyWriter = TstLegacyWriter;
using namespace TstLegacy;

// The text a frame record's value at stored position i holds.
std::u16string FrameText(int32_t i) {
    return u"v" + std::u16string(1, char16_t(u'a' + i));
}

// A legacy frame: record 1 the symbol, record 2 its frame record, records 3 to 15 the frame's
// values (even positions offered, odd ones withdrawn), record 16 the fragment it is in when
// `inFragment`.
// `recordIndex` is the index the symbol's reference to its frame record names.
std::vector<uint8_t> LegacyFrame(uint16_t version, uint16_t symbolVersion = 1,
                                 bool inFragment = false, uint32_t recordIndex = 1) {
    LegacyWriter lw(u"DLxGDTSymbol", version, symbolVersion, inFragment ? 15 : 0);
    RSeStream& s = lw.BeginSymbol();
    lw.w.Ref(recordIndex);
    lw.WriteLongs(s, {7, 9});
    if (version >= 1) s.Write(int32_t(5));
    lw.w.EndRecord();
    RSeStream& f = lw.w.BeginRecord(lw.w.AddClass(u"DLxCFCF", 0), 2);
    lw.w.RefValue(0);
    RSeSaveData(f, WqGePoint3d(1, 1, 0));
    for (uint32_t i = 0; i < uint32_t(DLxCFCF::kValueCount); ++i)
        lw.w.Ref(2 + i);
    f.Write(true);
    lw.w.EndRecord();
    for (int32_t i = 0; i < DLxCFCF::kValueCount; ++i)
        lw.WriteStringValue(uint32_t(3 + i), FrameText(i),
                            i % 2 ? DUxValue::kWithdrawn : DUxValue::kOffered);
    if (inFragment) lw.WriteFragment(16);
    return lw.w.Finish(17);
}

// A current frame (record 1, no frame record) with one landing leader (record 2) whose owner
// reference is null, as some older releases left it: a root at (10,20) with one end at (0,0).
std::vector<uint8_t> FrameWithOrphanedLeader() {
    LegacyWriter lw(u"DLxGDTSymbol", 2, 1);
    for (const char16_t* name : {u"DLxCLeader", u"DLxCLeaderGeneral", u"DLxCLeaderLand"})
        lw.w.AddClass(name, 0);
    const uint32_t leaderMeta = lw.w.AddClass(u"DLxCLeaderFCF", 0);
    const uint32_t nodeMeta = lw.w.AddClass(u"DLxCLeaderNode", 0);
    lw.leaders = {1};
    RSeStream& s = lw.BeginSymbol();
    lw.w.RefValue(0); // no frame record
    lw.WriteLongs(s, {});
    s.Write(int32_t(0));
    lw.w.EndRecord();
    RSeStream& l = lw.w.BeginRecord(leaderMeta, 2);
    l.Write(int32_t(16));
    l.Write(int16_t(-1));
    for (double c : {-2.0, 0.0, 0.0}) // landing
        l.Write(c);
    l.Write(0.0);
    lw.w.Ref(2);      // root node
    lw.w.RefValue(0); // owner
    lw.w.EndRecord();
    const WqGePoint3d points[] = {{10, 20, 0}, {0, 0, 0}};
    for (uint32_t i = 0; i < 2; ++i) {
        RSeStream& n = lw.w.BeginRecord(nodeMeta, 3 + i);
        for (double c : {points[i].x, points[i].y, points[i].z})
            n.Write(c);
        lw.w.Ref(1);
        if (i == 0) lw.w.RefValue(0);
        else lw.w.Ref(2);
        lw.WriteRefs(n, i == 0 ? std::vector<uint32_t>{3} : std::vector<uint32_t>{});
        lw.w.EndRecord();
    }
    return lw.w.Finish(5);
}

// A frame stored at version 0 with the leader, attachment and arrowhead of
// WriteLeaderWithAttachment: record 1 the symbol (no frame record), records 2 to 9 what goes
// with the leader, record 10 the fragment.
std::vector<uint8_t> FrameWithLeader(const WqGeVector3d& landing) {
    LegacyWriter lw(u"DLxGDTSymbol", 0, 1, 9);
    lw.Attach(1);
    RSeStream& s = lw.BeginSymbol();
    lw.w.RefValue(0); // no frame record
    lw.WriteLongs(s, {});
    lw.w.EndRecord();
    lw.WriteLeaderWithAttachment(u"DLxCLeaderFCF", 1, 9, landing);
    lw.WriteFragment(10, LegacyWriter::AttachmentNodes(1));
    return lw.w.Finish(11);
}

// A leader as "(x,y){children}", each end as "(x,y)>arrowhead service@anchor point".
std::string DescribeNode(DUxLeaderNode* node) {
    std::ostringstream out;
    const WqGePoint3d p = node->GetPoint();
    out << "(" << p.x << "," << p.y << ")";
    if (auto* end = dynamic_cast<DLxTerminalLeaderNode*>(node)) {
        const DUxArrowHeadState* arrow = end->GetArrowHeadState();
        const DLxAnchorPoint* anchor = end->GetAnchorPoint();
        out << ">" << (arrow ? arrow->GetTemplateId() : 0u);
        if (anchor) out << "@(" << anchor->GetPoint().x << "," << anchor->GetPoint().y << ")";
        return out.str();
    }
    out << "{";
    const char* sep = "";
    for (const RSeRef<DUxLeaderNode>& c : node->GetChildren())
        if (DUxLeaderNode* child = c.get()) {
            out << sep << DescribeNode(child);
            sep = " ";
        }
    out << "}";
    return out.str();
}
std::string DescribeLeader(DUxLeaderNodeTree* tree) {
    return tree && tree->GetRoot() ? DescribeNode(tree->GetRoot()) : "none";
}

template <class T> std::vector<T*> NodesOf(RSeDatabase& db, uint32_t fragmentId) {
    std::vector<T*> found;
    if (auto* fragment = dynamic_cast<RDxFragment*>(db.FindObject(fragmentId)))
        for (const RSeRef<RDxNode>& node : fragment->GetNodes())
            if (auto* t = dynamic_cast<T*>(node.GetTarget())) found.push_back(t);
    return found;
}

auto& Load = TstLoadDocument;
auto& ExpectStableSave = TstExpectStableSave;

void ExpectSymbolPart(const DLxSymbol& sym, uint16_t symbolVersion) {
    EXPECT_EQ(sym.GetArrowheadVertexIndices(), kArrowheadVertices);
    EXPECT_EQ(sym.GetNumLeaders(), 0);
    EXPECT_EQ(sym.GetLeader(0), nullptr);
    EXPECT_FALSE(sym.GetDisplayLeaders());
    EXPECT_EQ(sym.GetArrowheadIndexBase(), 3);
    EXPECT_EQ(sym.GetMatrix().entry[1][3], 2.0);
    EXPECT_EQ(sym.GetOrientation(), 2);
    EXPECT_EQ(sym.GetOrigin(), kOrigin);
    EXPECT_EQ(sym.GetXAxis(), kXAxis);
    EXPECT_EQ(sym.GetYAxis(), kYAxis);
    EXPECT_EQ(sym.GetZAxis(), kZAxis);
    EXPECT_EQ(sym.GetArrowType(), 13);
    EXPECT_EQ(sym.GetAttachDirection(),
              symbolVersion >= 1 ? kAttachDirection : WqGeVector3d(0, 0, 0));
}

TEST(LegacySymbolStorage, FramesOfEveryVersionKeepTheirFrameRecordAndValues) {
    for (uint16_t version : {0, 1, 2})
        for (uint16_t symbolVersion : {0, 1}) {
            SCOPED_TRACE(testing::Message()
                         << "frame v" << version << ", symbol v" << symbolVersion);
            std::unique_ptr<RSeDatabase> db = Load(LegacyFrame(version, symbolVersion));
            ASSERT_TRUE(db);
            auto* sym = dynamic_cast<DLxGDTSymbol*>(db->FindObject(1));
            ASSERT_NE(sym, nullptr);
            ExpectSymbolPart(*sym, symbolVersion);
            EXPECT_EQ(sym->GetSymbolType(), DLxSymbol::kPlainSymbol);
            EXPECT_EQ(sym->GetIntegers(), (std::vector<int32_t>{7, 9}));
            EXPECT_EQ(sym->GetInteger(), version >= 1 ? 5 : 0);
            auto* frame = static_cast<DLxCFCF*>(sym->GetFrame().GetTarget());
            ASSERT_NE(frame, nullptr);
            ExpectStableSave(*db);
        }
}

// The record keeps value 0, then the two lines' values of variables 20, 22, 24, 14, 16, 18;
// any other number reads value 0.
TEST(LegacySymbolStorage, FrameRecordValuesAreFoundByVariableAndLine) {
    std::unique_ptr<RSeDatabase> db = Load(LegacyFrame(2));
    ASSERT_TRUE(db);
    auto* frame = dynamic_cast<DLxCFCF*>(db->FindObject(2));
    ASSERT_NE(frame, nullptr);
    struct Case {
        DLxSym::Variable variable;
        bool second;
        int32_t position;
    } cases[] = {
        {DLxSym::kDatumIdentifier, false, 0}, {DLxSym::kDatumIdentifier, true, 0},
        {DLxSym::kDatumA, false, 1},          {DLxSym::kDatumA, true, 2},
        {DLxSym::kDatumB, false, 3},          {DLxSym::kDatumC, true, 6},
        {DLxSym::kSymbolValue, false, 7},     {DLxSym::kToleranceA, true, 10},
        {DLxSym::kToleranceB, false, 11},     {DLxSym::kToleranceB, true, 12},
        {DLxSym::Variable(3), true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.variable << (c.second ? " second" : " first"));
        ASSERT_NE(frame->GetValue(c.variable, c.second), nullptr);
        EXPECT_EQ(frame->GetValue(c.variable, c.second)->GetText(), FrameText(c.position));
        EXPECT_EQ(frame->IsValueVisible(c.variable, c.second), c.position % 2 == 0);
    }
}

// Each kind's own part over the legacy symbol part, at every version its meta type reads.
TEST(LegacySymbolStorage, BalloonsWeldSymbolsAndLeaderTextsOfEveryVersionLoad) {
    FWxSceneDoc scratch;
    RSeSegment* seg = RSe::SegmentOf(scratch.GetRSeDb());
    DLxCBalloon* primary = DLxCBalloon::New(seg, {}, 0);
    primary->setOrigin(WqGePoint3d(40, 50, 0));
    DLxCBalloon* stacked = DLxCBalloon::New(seg, {}, 1);
    auto* text = new (Meta<RDxString>(), seg) RDxString();
    text->SetSimpleValue(u"NOTE");

    struct Case {
        const char16_t* kind;
        uint16_t version;
        bool queued;
    } cases[] = {
        {u"DLxBalloon", 0, true},     {u"DLxBalloon", 1, false},    {u"DLxWeldSymbol", 0, true},
        {u"DLxWeldSymbol", 1, false}, {u"DLxLeaderText", 0, true},  {u"DLxLeaderText", 1, false},
        {u"DLxLeaderText", 2, false}, {u"DLxLeaderText", 3, false},
    };
    for (const Case& c : cases) {
        const std::string kind = UTx::ToUtf8(c.kind);
        SCOPED_TRACE(testing::Message() << kind << " v" << c.version);
        LegacyWriter lw(c.kind, c.version, 1);
        RSeStream& s = lw.BeginSymbol();
        if (kind == "DLxBalloon") {
            lw.w.Ref(1);
            lw.WriteRefs(s, {2});
        } else if (kind == "DLxWeldSymbol") {
            lw.WriteRefs(s, {1, 2}); // stand-ins for two sub-weldings
        } else {
            lw.w.Ref(1);
        }
        lw.w.EndRecord();
        if (kind == "DLxBalloon") {
            lw.WriteCurrent(primary, 2, {u"DLxCTableCallout", u"DLxCBalloon"});
            lw.WriteCurrent(stacked, 3, {u"DLxCTableCallout", u"DLxCBalloon"});
        } else if (kind == "DLxWeldSymbol") {
            lw.WriteStringValue(2, u"arrow side", DUxValue::kOffered);
            lw.WriteStringValue(3, u"other side", DUxValue::kOffered);
        } else {
            lw.WriteCurrent(text, 2, {u"RDxObject", u"RDxNode", u"RDxState", u"RDxString"});
        }
        QueueWatcher watcher;
        const std::vector<uint8_t> made = lw.w.Finish(4);
        std::unique_ptr<RSeDatabase> db =
            Load(kind == "DLxBalloon" && c.version == 0
                     ? KorvuCorpusFile("document_load", "legacy-balloon-v0.kvd", made)
                     : made);
        ASSERT_TRUE(db);
        auto* sym = dynamic_cast<DLxSymbol*>(db->FindObject(1));
        ASSERT_NE(sym, nullptr);
        ExpectSymbolPart(*sym, 1);
        if (auto* balloon = dynamic_cast<DLxBalloon*>(sym)) {
            EXPECT_EQ(balloon->GetSymbolType(), DLxSymbol::kBalloonSymbol);
            EXPECT_EQ(balloon->GetBalloonData().GetId(), 2u);
            ASSERT_EQ(balloon->GetAttachedBalloons().size(), 1u);
            EXPECT_EQ(balloon->GetAttachedBalloons()[0].GetId(), 3u);
            EXPECT_EQ(balloon->GetAttachPoint(), WqGePoint3d(40, 50, 0));
        } else if (auto* weld = dynamic_cast<DLxWeldSymbol*>(sym)) {
            EXPECT_EQ(weld->GetSymbolType(), DLxSymbol::kWeldSymbol);
            ASSERT_EQ(weld->GetNumSubWeldings(), 2);
            EXPECT_EQ(weld->GetSubWelding(1)->GetId(), 3u);
            EXPECT_EQ(weld->GetSubWelding(2), nullptr);
        } else {
            auto* leaderText = dynamic_cast<DLxLeaderText*>(sym);
            ASSERT_NE(leaderText, nullptr);
            EXPECT_EQ(leaderText->GetSymbolType(), DLxSymbol::kLeaderTextSymbol);
            ASSERT_TRUE(leaderText->GetText().HasTarget());
            EXPECT_EQ(static_cast<RDxString*>(leaderText->GetText().GetTarget())->GetSimpleValue(),
                      u"NOTE");
        }
        const std::vector<std::string> queued =
            c.queued ? std::vector<std::string>{kind + " 1 v0"} : std::vector<std::string>{};
        EXPECT_EQ(watcher.queued, queued);
        // Saved again it is current, and is not queued any more.
        const std::vector<uint8_t> saved = ExpectStableSave(*db);
        watcher.queued.clear();
        ASSERT_TRUE(Load(saved));
        EXPECT_TRUE(watcher.queued.empty());
    }
}

// Frames stored at versions 0 and 1 become placed frames where they stood, with the texts and
// visibilities of their frame record; the old symbol and its record are gone. Version 2 frames
// were never queued and stay.
TEST(LegacySymbolUpgrade, OlderFramesBecomePlacedFramesWithTheirValues) {
    struct Value {
        DLxSym::Variable variable;
        int32_t line, position;
    } values[] = {
        {DLxSym::kSymbolValue, 0, 7},     {DLxSym::kSymbolValue, 1, 8},
        {DLxSym::kToleranceA, 0, 9},      {DLxSym::kToleranceA, 1, 10},
        {DLxSym::kToleranceB, 0, 11},     {DLxSym::kToleranceB, 1, 12},
        {DLxSym::kDatumA, 0, 1},          {DLxSym::kDatumA, 1, 2},
        {DLxSym::kDatumB, 0, 3},          {DLxSym::kDatumB, 1, 4},
        {DLxSym::kDatumC, 0, 5},          {DLxSym::kDatumC, 1, 6},
        {DLxSym::kDatumIdentifier, 0, 0},
    };
    for (uint16_t version : {0, 1, 2}) {
        SCOPED_TRACE(testing::Message() << "frame v" << version);
        const std::vector<uint8_t> made = LegacyFrame(version, 1, true);
        std::unique_ptr<RSeDatabase> db = Load(
            version == 0 ? KorvuCorpusFile("document_load", "legacy-frame-v0.kvd", made) : made);
        ASSERT_TRUE(db);
        auto* fragment = dynamic_cast<RDxFragment*>(db->FindObject(16));
        ASSERT_NE(fragment, nullptr);
        std::vector<DLxGDTInstance*> frames;
        for (const RSeRef<RDxNode>& node : fragment->GetNodes())
            if (auto* f = dynamic_cast<DLxGDTInstance*>(node.GetTarget())) frames.push_back(f);
        if (version == 2) {
            EXPECT_TRUE(frames.empty());
            EXPECT_NE(dynamic_cast<DLxGDTSymbol*>(db->FindObject(1)), nullptr);
            continue;
        }
        EXPECT_EQ(db->FindObject(1), nullptr);
        EXPECT_EQ(db->FindObject(2), nullptr);
        EXPECT_EQ(db->FindObject(3), nullptr);
        ASSERT_EQ(frames.size(), 1u);
        DLxGDTState* state = frames[0]->GetGDTState();
        ASSERT_NE(state, nullptr);
        for (const Value& v : values) {
            SCOPED_TRACE(testing::Message() << v.variable << " line " << v.line);
            EXPECT_EQ(state->Value(v.variable, v.line), FrameText(v.position));
            if (v.variable != DLxSym::kDatumIdentifier) {
                EXPECT_EQ(state->VariableStatus(v.variable, v.line),
                          v.position % 2 ? DUxValue::kWithdrawn : DUxValue::kOffered);
            }
        }
        EXPECT_EQ(frames[0]->GetSymbolOrigin(), kOrigin);
        ExpectStableSave(*db);
    }
}

// A frame whose reference to its record names an object of another class loads without the
// record, and its upgrade gives a placed frame with the values a new frame has.
TEST(LegacySymbolUpgrade, AFrameThatLostItsRecordBecomesAFrameWithNewValues) {
    std::unique_ptr<RSeDatabase> db = Load(LegacyFrame(0, 1, true, 2));
    ASSERT_TRUE(db);
    EXPECT_EQ(db->FindObject(1), nullptr);
    auto* fragment = dynamic_cast<RDxFragment*>(db->FindObject(16));
    ASSERT_NE(fragment, nullptr);
    int32_t frames = 0;
    for (const RSeRef<RDxNode>& node : fragment->GetNodes())
        if (auto* f = dynamic_cast<DLxGDTInstance*>(node.GetTarget())) {
            ++frames;
            EXPECT_EQ(f->GetGDTState()->Value(DLxSym::kDatumA, 0), u"");
            EXPECT_EQ(f->GetSymbolOrigin(), kOrigin);
        }
    EXPECT_EQ(frames, 1);
    ExpectStableSave(*db);
}

// A copy owns copies of what the original owns, so that deleting one leaves the other whole.
TEST(LegacySymbolStorage, ACopyOwnsItsOwnFrameRecord) {
    std::unique_ptr<RSeDatabase> db = Load(LegacyFrame(2));
    ASSERT_TRUE(db);
    auto* sym = dynamic_cast<DLxGDTSymbol*>(db->FindObject(1));
    ASSERT_NE(sym, nullptr);
    RSeCloneCommander cc(RSe::TransientSegment());
    ASSERT_FALSE(cc.Clone({sym}).Failed());
    auto* copy = dynamic_cast<DLxGDTSymbol*>(cc.CloneOf(sym));
    ASSERT_NE(copy, nullptr);
    auto* frame = static_cast<DLxCFCF*>(copy->GetFrame().GetTarget());
    ASSERT_NE(frame, nullptr);
    EXPECT_NE(frame, sym->GetFrame().GetTarget());
    EXPECT_NE(
        frame->GetValue(DLxSym::kToleranceA, true),
        static_cast<DLxCFCF*>(sym->GetFrame().GetTarget())->GetValue(DLxSym::kToleranceA, true));
    EXPECT_EQ(frame->GetValue(DLxSym::kToleranceA, true)->GetText(), FrameText(10));
    ExpectSymbolPart(*copy, 1);
    EXPECT_EQ(copy->GetIntegers(), sym->GetIntegers());
    RSe::DeleteObject(copy);
    EXPECT_EQ(static_cast<DLxCFCF*>(sym->GetFrame().GetTarget())
                  ->GetValue(DLxSym::kToleranceA, true)
                  ->GetText(),
              FrameText(10));
}

// A symbol's leader records answer to the symbol that holds them: after a load (whatever the
// stored owner reference said) and in a copy, whose records are its own.
TEST(LegacySymbolStorage, LeaderRecordsAnswerToTheirSymbolAfterLoadAndCopy) {
    std::unique_ptr<RSeDatabase> db = Load(FrameWithOrphanedLeader());
    ASSERT_TRUE(db);
    auto* sym = dynamic_cast<DLxGDTSymbol*>(db->FindObject(1));
    ASSERT_NE(sym, nullptr);
    ASSERT_EQ(sym->GetNumLeaders(), 1);
    auto* leader = dynamic_cast<DLxCLeaderFCF*>(sym->GetLeader(0));
    ASSERT_NE(leader, nullptr);
    EXPECT_EQ(leader->GetOwner().GetTarget(), sym);
    EXPECT_EQ(leader->GetRootPoint(), WqGePoint3d(8, 20, 0));

    RSeCloneCommander cc(RSe::TransientSegment());
    ASSERT_FALSE(cc.Clone({sym}).Failed());
    auto* copy = dynamic_cast<DLxGDTSymbol*>(cc.CloneOf(sym));
    ASSERT_NE(copy, nullptr);
    auto* copied = dynamic_cast<DLxCLeaderFCF*>(copy->GetLeader(0));
    ASSERT_NE(copied, nullptr);
    EXPECT_NE(copied, leader);
    EXPECT_EQ(copied->GetOwner().GetTarget(), copy);
    EXPECT_EQ(leader->GetOwner().GetTarget(), sym);
    EXPECT_EQ(copied->GetNumVertices(), 3);
    RSe::DeleteObject(copy);
    EXPECT_EQ(leader->GetNumVertices(), 3);
    ExpectStableSave(*db);
}

// Damaged legacy records end the load with a message: every truncation of the file, and a
// leader list whose count runs past the record.
TEST(LegacySymbolStorage, DamagedRecordsFailTheLoad) {
    const std::vector<uint8_t> bytes = LegacyFrame(0, 0);
    for (size_t n = 0; n < bytes.size(); n += 7) {
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), n, db);
        EXPECT_TRUE(r.Failed()) << n;
        EXPECT_FALSE(r.GetMessageUtf8().empty()) << n;
    }

    struct Damage {
        const char* what;
        uint32_t code, count;
        const char* corpusName;
    } damages[] = {
        {"a count past the record", RSeTypeCode::kVector, 1000000,
         "legacy-symbol-leader-count-past-record.kvd"},
        {"a map where the list was", RSeTypeCode::kMap, 0, nullptr},
    };
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.what);
        LegacyWriter lw(u"DLxLeaderText", 3, 1);
        lw.BeginSymbol(d.code, d.count);
        lw.w.RefValue(0);
        lw.w.EndRecord();
        const std::vector<uint8_t> damaged =
            d.corpusName ? KorvuCorpusFile("document_load", d.corpusName, lw.w.Finish(2))
                         : lw.w.Finish(2);
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(damaged.data(), damaged.size(), db);
        EXPECT_TRUE(r.Failed());
        EXPECT_FALSE(r.GetMessageUtf8().empty());
    }
}

} // namespace

namespace {
const WqGePoint3d kTexturePoint(30.0, 40.0, 0.0);

// A legacy surface-texture symbol in a fragment: record 1 the symbol, record 2 its data record,
// records 3 to 15 the record's thirteen string values in stored order (even positions offered,
// odd ones withdrawn; the lay value is missing), record 16 the fragment.
// With `landing`, the symbol also holds the leader and attachment of WriteLeaderWithAttachment
// from record 17 on.
std::vector<uint8_t> LegacySurfaceTexture(uint16_t version,
                                          const WqGeVector3d* landing = nullptr) {
    LegacyWriter lw(u"DLxSurfaceTexture", version, 1, 15);
    if (landing) lw.Attach(16);
    lw.BeginSymbol();
    lw.w.Ref(1);
    lw.w.EndRecord();
    RSeStream& r = lw.w.BeginRecord(lw.w.AddClass(u"DLxCSurfText", 0), 2);
    RSeSaveData(r, kTexturePoint);
    for (uint32_t i = 0; i < 13; ++i)
        lw.w.Ref(2 + i);
    lw.w.RefValue(0);     // lay
    r.Write(int32_t(2));  // orientation
    r.Write(int32_t(1));  // subtype
    r.Write(true);        // all around
    r.Write(false);       // majority
    r.Write(true);        // forced tail
    r.Write(0.25);        // angle
    r.Write(true);        // has leader
    lw.w.EndRecord();
    for (int32_t i = 0; i < 13; ++i)
        lw.WriteStringValue(uint32_t(3 + i), FrameText(i),
                            i % 2 ? DUxValue::kWithdrawn : DUxValue::kOffered);
    if (!landing) {
        lw.WriteFragment(16);
        return lw.w.Finish(17);
    }
    lw.WriteFragment(16, LegacyWriter::AttachmentNodes(16));
    lw.WriteLeaderWithAttachment(u"DLxCLeaderLand", 16, 15, *landing);
    return lw.w.Finish(26);
}
} // namespace

// Symbols stored at version 0 become placed surface-texture symbols at their record's position,
// each record value under its own variable (the record stores Allowance before the production
// lines and Reference before MaxRspac); the old symbol and its record are gone. Version 1
// symbols stay as they are.
TEST(LegacySymbolUpgrade, OlderSurfaceTexturesBecomePlacedSymbolsWithTheirValues) {
    for (uint16_t version : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "surface texture v" << version);
        const std::vector<uint8_t> made = LegacySurfaceTexture(version);
        std::unique_ptr<RSeDatabase> db = Load(
            version == 0 ? KorvuCorpusFile("document_load", "legacy-surftext-v0.kvd", made)
                         : made);
        ASSERT_TRUE(db);
        auto* fragment = dynamic_cast<RDxFragment*>(db->FindObject(16));
        ASSERT_NE(fragment, nullptr);
        std::vector<DLxSurfTXTInstance*> symbols;
        for (const RSeRef<RDxNode>& node : fragment->GetNodes())
            if (auto* t = dynamic_cast<DLxSurfTXTInstance*>(node.GetTarget()))
                symbols.push_back(t);
        if (version == 1) {
            EXPECT_TRUE(symbols.empty());
            auto* old = dynamic_cast<DLxSurfaceTexture*>(db->FindObject(1));
            ASSERT_NE(old, nullptr);
            EXPECT_EQ(old->GetSymbolOrigin(), kTexturePoint);
            ExpectStableSave(*db);
            // A copy owns a copy of the record: deleting it leaves the original's whole.
            RSeCloneCommander cc(RSe::TransientSegment());
            ASSERT_FALSE(cc.Clone({old}).Failed());
            auto* copy = dynamic_cast<DLxSurfaceTexture*>(cc.CloneOf(old));
            ASSERT_NE(copy, nullptr);
            ASSERT_NE(copy->GetRecord().GetTarget(), nullptr);
            EXPECT_NE(copy->GetRecord().GetTarget(), old->GetRecord().GetTarget());
            EXPECT_EQ(copy->GetSymbolOrigin(), kTexturePoint);
            RSe::DeleteObject(copy);
            auto* record = dynamic_cast<DLxCSurfText*>(old->GetRecord().GetTarget());
            ASSERT_NE(record, nullptr);
            ASSERT_NE(record->Value(DUxSurfTXTState::kRaMax), nullptr);
            EXPECT_EQ(record->Value(DUxSurfTXTState::kRaMax)->GetText(), FrameText(0));
            continue;
        }
        EXPECT_EQ(db->FindObject(1), nullptr);
        EXPECT_EQ(db->FindObject(2), nullptr);
        EXPECT_EQ(db->FindObject(3), nullptr);
        ASSERT_EQ(symbols.size(), 1u);
        const DUxSurfTXTState* state = symbols[0]->GetSurfTXTState();
        ASSERT_NE(state, nullptr);
        // Stored position -> variable.
        const int32_t variables[13] = {0, 1, 4, 2, 3, 6, 7, 8, 9, 11, 10, 12, 13};
        for (int32_t p = 0; p < 13; ++p) {
            SCOPED_TRACE(testing::Message() << "stored position " << p);
            EXPECT_EQ(state->GetValue(variables[p]), FrameText(p));
            EXPECT_EQ(state->GetVariableStatus(variables[p]),
                      p % 2 ? DUxValue::kWithdrawn : DUxValue::kOffered);
        }
        EXPECT_EQ(state->GetSubType(), 1);
        EXPECT_EQ(state->GetOrientation(), 2);
        EXPECT_EQ(state->GetAngle(), 0.25);
        EXPECT_TRUE(state->IsAllAround());
        // Its circle is sized by its text, on its own leader style.
        EXPECT_DOUBLE_EQ(symbols[0]->GetLeaderStyleWrapper()->GetAllAroundDiameter(),
                         0.9 * state->GetTextHeight());
        EXPECT_TRUE(state->GetLeaderStyleOverrides().Has(
            DUxLeaderStyleOverrides::kAllAroundDiameter));
        EXPECT_FALSE(state->IsMajority());
        EXPECT_TRUE(state->IsForcedTail());
        EXPECT_EQ(symbols[0]->GetSymbolOrigin(), kTexturePoint);
        ExpectStableSave(*db);
    }
}

// The old frame's leader comes back as the new frame's leader 0: its nodes where they were,
// every end with the old symbol's arrowhead, the end at the attaching point anchored there,
// the landing on the side the old one ran; nothing of the old symbol stays behind.
TEST(LegacySymbolUpgrade, AnOlderFramesLeaderBecomesItsLeaderNodeTree) {
    const std::vector<uint8_t> made = FrameWithLeader(WqGeVector3d(-2, 0, 0));
    std::unique_ptr<RSeDatabase> db =
        Load(KorvuCorpusFile("document_load", "legacy-frame-leader-v0.kvd", made));
    ASSERT_TRUE(db);
    for (uint32_t id = 1; id <= 9; ++id)
        EXPECT_EQ(db->FindObject(id), nullptr) << id;
    std::vector<DLxGDTInstance*> frames = NodesOf<DLxGDTInstance>(*db, 10);
    ASSERT_EQ(frames.size(), 1u);
    DUxLeaderNodeTree* leader = frames[0]->GetLeader(0);
    EXPECT_EQ(DescribeLeader(leader), "(10,20){(6,12){(5,5)>28031@(5,5) (8,4)>28031@(8,4)}}");
    EXPECT_EQ(leader->GetLandingPosition(), DUxLeaderNodeTree::kNegX);
    EXPECT_EQ(leader->GetLandingLength(), 2.0);
    EXPECT_TRUE(frames[0]->DisplayLeaders());
    EXPECT_EQ(frames[0]->GetSymbolOrigin(), WqGePoint3d(5, 5, 0));
    ExpectStableSave(*db);
}

TEST(LegacySymbolUpgrade, AnOlderSurfaceTexturesLeaderBecomesItsLeaderNodeTree) {
    const WqGeVector3d landing(0, 0.5, 0);
    const std::vector<uint8_t> made = LegacySurfaceTexture(0, &landing);
    std::unique_ptr<RSeDatabase> db =
        Load(KorvuCorpusFile("document_load", "legacy-surftext-leader-v0.kvd", made));
    ASSERT_TRUE(db);
    EXPECT_EQ(db->FindObject(1), nullptr);
    EXPECT_EQ(db->FindObject(17), nullptr);
    EXPECT_EQ(db->FindObject(23), nullptr);
    std::vector<DLxSurfTXTInstance*> symbols = NodesOf<DLxSurfTXTInstance>(*db, 16);
    ASSERT_EQ(symbols.size(), 1u);
    DUxLeaderNodeTree* leader = symbols[0]->GetLeader(0);
    EXPECT_EQ(DescribeLeader(leader), "(10,20){(6,12){(5,5)>28031@(5,5) (8,4)>28031@(8,4)}}");
    EXPECT_EQ(leader->GetLandingPosition(), DUxLeaderNodeTree::kPosY);
    EXPECT_EQ(symbols[0]->GetSymbolOrigin(), WqGePoint3d(5, 5, 0));
    EXPECT_EQ(symbols[0]->GetSurfTXTState()->GetSubType(), 1);
    ExpectStableSave(*db);
}

// Every truncation of a drawing with an older leader and attachment fails the load with a
// message, whichever record it cuts.
TEST(LegacySymbolStorage, TruncatedLeadersAndAttachmentsFailTheLoad) {
    const std::vector<uint8_t> bytes = FrameWithLeader(WqGeVector3d(-2, 0, 0));
    for (size_t n = 0; n < bytes.size(); n += 5) {
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), n, db);
        EXPECT_TRUE(r.Failed()) << n;
        EXPECT_FALSE(r.GetMessageUtf8().empty()) << n;
    }
}

// An older surface texture follows its leader through the record's reports: a moved root or
// a dragged root node moves its symbol point by the same offset; a changed landing (snapped to
// the symbol's X axis, here the sheet's Y) brings a point off the landing to its middle.
TEST(LegacySymbolLeaders, ASurfaceTextureFollowsWhatItsLeaderReports) {
    std::unique_ptr<RSeDatabase> db = Load(LegacySurfaceTexture(1));
    ASSERT_TRUE(db);
    auto* symbol = dynamic_cast<DLxSurfaceTexture*>(db->FindObject(1));
    ASSERT_NE(symbol, nullptr);
    EXPECT_FALSE(symbol->AddLeader({{0, 0, 0}, {30, 40, 0}}).Failed());
    auto* leader = dynamic_cast<DLxCLeaderLand*>(symbol->GetLeader(0));
    ASSERT_NE(leader, nullptr);
    EXPECT_EQ(leader->GetNumVertices(), 3);
    symbol->SetSymbolOrigin(kTexturePoint);

    EXPECT_FALSE(leader->SetRootPoint({35, 40, 0}).Failed());
    EXPECT_EQ(leader->GetRootNode()->GetPoint(), WqGePoint3d(35, 40, 0));
    EXPECT_EQ(symbol->GetSymbolOrigin(), WqGePoint3d(35, 40, 0));

    // Leaders hidden: a drag of any vertex moves the root node, and the symbol with it.
    EXPECT_FALSE(leader->MoveVertices({2}, {1, 1, 0}).Failed());
    EXPECT_EQ(leader->GetRootNode()->GetPoint(), WqGePoint3d(36, 41, 0));
    EXPECT_EQ(symbol->GetSymbolOrigin(), WqGePoint3d(36, 41, 0));

    symbol->SetSymbolOrigin({50, 50, 0});
    EXPECT_FALSE(leader->SetLandingVector({4, 3, 0}).Failed());
    EXPECT_EQ(leader->GetLandingVector(), WqGeVector3d(0, 3, 0));
    EXPECT_EQ(symbol->GetSymbolOrigin(), WqGePoint3d(36, 42.5, 0));
    // On the landing it stays.
    symbol->SetSymbolOrigin({36, 42, 0});
    EXPECT_FALSE(leader->SetLandingVector({1, 2, 0}).Failed());
    EXPECT_EQ(symbol->GetSymbolOrigin(), WqGePoint3d(36, 42, 0));
    ExpectStableSave(*db);
}
