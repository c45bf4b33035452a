// Datum and feature identifiers as older releases stored them: the versions that are current
// load and save unchanged, the older ones become placed identifiers when the document loads,
// and what cannot be read fails the load with a message.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "DatumId/DLxCId.h"
#include "DatumId/DLxDatumIdInstance.h"
#include "DatumId/DLxDatumIdSymbol.h"
#include "DatumId/DLxFeatureIdSymbol.h"
#include "KorvuTestSupport.h"
#include "TstDocWriter.h"
#include "TstLegacyWriter.h"
#include "dc/RDxFragment.h"
#include "du/DUxDatumIdState.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeErrors.h"
#include "rse/RSeSaveData.h"
#include "rse/RSeTransaction.h"

namespace {
using namespace TstLegacy;

const WqGePoint3d kRecordOrigin(30.0, 40.0, 0.0);
const WqGeVector3d kLanding(-2.0, 0.0, 0.0);
constexpr uint32_t kFragmentId = 20;

struct Identifier {
    const char16_t* kind;
    uint16_t version;
    // The old leader's node points, root first; no leader record when empty.
    std::vector<WqGePoint3d> leader = {};
    WqGeVector3d landing = kLanding;
    bool displayLeaders = false;
    // The index the symbol's reference to its record names (the record is stored at 1).
    uint32_t recordIndex = 1;
};

// Record 1 the symbol, record 2 its data record, record 3 the record's text value, records
// 4 on its leader record and nodes, record 20 the fragment it lies in.
std::vector<uint8_t> OlderIdentifier(const Identifier& id) {
    // The fragment is stored after everything else.
    const uint32_t fragmentIndex =
        3 + (id.leader.empty() ? 0 : 1 + uint32_t(id.leader.size()));
    TstLegacyWriter lw(id.kind, id.version, 1, fragmentIndex);
    if (!id.leader.empty()) lw.leaders = {3};
    RSeStream& s = lw.BeginSymbol(RSeTypeCode::kVector, 0, id.displayLeaders);
    lw.w.Ref(id.recordIndex);
    s.Write(int32_t(7)); // the short
    if (std::u16string(id.kind) == u"DLxDatumIdSymbol") RSeSaveData(s, WqGeVector3d(0, 1, 0));
    lw.w.EndRecord();
    RSeStream& r = lw.w.BeginRecord(lw.w.AddClass(u"DLxCId", 0), 2);
    lw.w.Ref(2);
    r.Write(int32_t(DLxCId::kLeft));
    r.Write(int32_t(11));
    RSeSaveData(r, kRecordOrigin);
    lw.w.EndRecord();
    lw.WriteStringValue(3, u"A", DUxValue::kOffered);
    if (!id.leader.empty())
        lw.WriteChainLeader({u"DLxCLeader", u"DLxCLeaderGeneral", u"DLxCLeaderLand",
                             u"DLxCLeaderDatumId", u"DLxCLeaderFeatId"},
                            4, id.landing, id.leader);
    lw.WriteFragment(kFragmentId);
    return lw.w.Finish(kFragmentId + 1);
}

auto& Load = TstLoadDocument;
auto& ExpectStableSave = TstExpectStableSave;

std::vector<DLxDatumIdInstance*> PlacedIdentifiers(RSeDatabase& db) {
    std::vector<DLxDatumIdInstance*> found;
    auto* fragment = dynamic_cast<RDxFragment*>(db.FindObject(kFragmentId));
    EXPECT_NE(fragment, nullptr);
    if (!fragment) return found;
    for (const RSeRef<RDxNode>& node : fragment->GetNodes())
        if (auto* id = dynamic_cast<DLxDatumIdInstance*>(node.GetTarget())) found.push_back(id);
    return found;
}

// The current versions load with their record, are not upgraded, save to the same bytes, and
// a copy owns a copy of the record.
TEST(OlderIdentifierStorage, CurrentVersionsStayAndCopiesOwnTheirRecord) {
    for (const Identifier& id : {Identifier{u"DLxDatumIdSymbol", 2},
                                 Identifier{u"DLxFeatureIdSymbol", 1}}) {
        SCOPED_TRACE(UTx::ToUtf8(id.kind));
        std::unique_ptr<RSeDatabase> db = Load(OlderIdentifier(id));
        ASSERT_TRUE(db);
        EXPECT_TRUE(PlacedIdentifiers(*db).empty());
        auto* sym = dynamic_cast<DLxSymbol*>(db->FindObject(1));
        ASSERT_NE(sym, nullptr);
        EXPECT_EQ(sym->GetArrowType(), kArrowType);
        EXPECT_EQ(sym->GetOrigin(), kOrigin);
        const DLxCId* record = nullptr;
        if (auto* datum = dynamic_cast<DLxDatumIdSymbol*>(sym)) {
            EXPECT_EQ(datum->GetSymbolType(), DLxSymbol::kDatumIdSymbol);
            EXPECT_EQ(datum->GetDirection(), WqGeVector3d(0, 1, 0));
            EXPECT_EQ(datum->GetShortValue(), 7);
            EXPECT_EQ(datum->GetSymbolOrigin(), kRecordOrigin);
            record = datum->GetRecord().Read();
        } else {
            auto* feature = dynamic_cast<DLxFeatureIdSymbol*>(sym);
            ASSERT_NE(feature, nullptr);
            EXPECT_EQ(feature->GetSymbolType(), DLxSymbol::kFeatureIdSymbol);
            EXPECT_EQ(feature->GetShortValue(), 7);
            EXPECT_EQ(feature->GetSymbolOrigin(), kRecordOrigin);
            record = feature->GetRecord().Read();
        }
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->GetText(), u"A");
        EXPECT_EQ(record->GetDirectionCode(), DLxCId::kLeft);
        EXPECT_EQ(record->GetSecondValue(), 11);
        ExpectStableSave(*db);

        RSeCloneCommander cc(RSe::TransientSegment());
        ASSERT_FALSE(cc.Clone({sym}).Failed());
        RSeVMeta* copy = cc.CloneOf(sym);
        ASSERT_NE(copy, nullptr);
        RSe::DeleteObject(dynamic_cast<RSeIDed*>(copy));
        EXPECT_EQ(record->GetText(), u"A");
    }
}

// Older datum identifiers (version 1) and feature identifiers (version 0) become placed
// identifiers with their text and kind; the old symbol, its record and its leader are gone,
// and the document saves as current.
TEST(OlderIdentifierUpgrade, OlderVersionsBecomePlacedIdentifiers) {
    const struct Case {
        Identifier id;
        const char* corpusName;
        bool feature;
    } cases[] = {
        {{u"DLxDatumIdSymbol", 1, {{10, 20, 0}, {0, 0, 0}}}, "older-datum-id-v1.kvd", false},
        {{u"DLxFeatureIdSymbol", 0, {{10, 20, 0}, {0, 0, 0}}}, "older-feature-id-v0.kvd", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.corpusName);
        std::unique_ptr<RSeDatabase> db =
            Load(KorvuCorpusFile("document_load", c.corpusName, OlderIdentifier(c.id)));
        ASSERT_TRUE(db);
        for (uint32_t gone = 1; gone <= 6; ++gone)
            EXPECT_EQ(db->FindObject(gone), nullptr) << gone;
        const std::vector<DLxDatumIdInstance*> placed = PlacedIdentifiers(*db);
        ASSERT_EQ(placed.size(), 1u);
        DUxDatumIdState* state = placed[0]->GetDatumIdState();
        ASSERT_NE(state, nullptr);
        EXPECT_EQ(state->IsFeatureIdentifier(), c.feature);
        ASSERT_NE(placed[0]->GetSymbolString(), nullptr);
        EXPECT_EQ(placed[0]->GetSymbolString()->GetSimpleValue(), u"A");
        EXPECT_TRUE(placed[0]->AlwaysHorizontal());
        EXPECT_EQ(state->GetScale(), 1.0);
        const std::vector<uint8_t> saved = ExpectStableSave(*db);
        EXPECT_FALSE(TstDocWriter::DeclaredVersion(saved, c.id.kind).has_value());
    }
}

// The old datum identifier's leader is not carried over: it stands at its record's point with
// its leader hidden.
TEST(OlderIdentifierUpgrade, DatumIdentifiersStandAtTheirRecordsPoint) {
    std::unique_ptr<RSeDatabase> db =
        Load(OlderIdentifier({u"DLxDatumIdSymbol", 1, {{10, 20, 0}, {0, 0, 0}}}));
    ASSERT_TRUE(db);
    const std::vector<DLxDatumIdInstance*> placed = PlacedIdentifiers(*db);
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_FALSE(placed[0]->DisplayLeaders());
    EXPECT_EQ(placed[0]->GetDatumIdState()->GetOrigin(), kRecordOrigin);
    ASSERT_NE(placed[0]->GetLeader(0), nullptr);
    EXPECT_EQ(placed[0]->GetLeader(0)->GetRoot()->GetPoint(), kRecordOrigin);
}

// The feature identifier's new leader runs through the old leader's points after its root
// (the frame's side) and lands at the last of them plus the old landing.
TEST(OlderIdentifierUpgrade, FeatureIdentifiersKeepTheirLeaderPoints) {
    const struct Case {
        const char* what;
        std::vector<WqGePoint3d> leader;
        bool shown;
        std::vector<WqGePoint3d> nodes; // the new leader's node points, end first
        DUxLeaderNodeTree::ELandingPos landing;
    } cases[] = {
        {"no leader", {}, false, {kRecordOrigin}, DUxLeaderNodeTree::kNoLanding},
        {"one point", {{5, 6, 0}}, true, {{5, 6, 0}}, DUxLeaderNodeTree::kPosX},
        {"two points", {{10, 20, 0}, {0, 0, 0}}, true, {{0, 0, 0}},
         DUxLeaderNodeTree::kNegX},
        {"three points", {{10, 20, 0}, {0, 0, 0}, {4, 4, 0}}, true, {{0, 0, 0}, {4, 4, 0}},
         DUxLeaderNodeTree::kNegX},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<RSeDatabase> db =
            Load(OlderIdentifier({u"DLxFeatureIdSymbol", 0, c.leader}));
        ASSERT_TRUE(db);
        const std::vector<DLxDatumIdInstance*> placed = PlacedIdentifiers(*db);
        ASSERT_EQ(placed.size(), 1u);
        EXPECT_EQ(placed[0]->DisplayLeaders(), c.shown);
        DUxLeaderNodeTree* leader = placed[0]->GetLeader(0);
        ASSERT_NE(leader, nullptr);
        std::vector<WqGePoint3d> nodes;
        for (DUxLeaderNode* n = leader->GetRoot(); n;
             n = n->GetChildren().empty() ? nullptr : n->GetChildren()[0].get())
            nodes.push_back(n->GetPoint());
        std::reverse(nodes.begin(), nodes.end());
        EXPECT_EQ(nodes, c.nodes);
        if (c.leader.size() != 1) {
            EXPECT_EQ(leader->GetLandingPosition(), c.landing);
        } else {
            EXPECT_EQ(leader->GetLandingPosition(), DUxLeaderNodeTree::kPosX);
        }
        ExpectStableSave(*db);
    }
}

// Which way an older datum identifier's leader leaves its frame, by the symbol's own axes
// (X along world +Y, Y along world -X).
TEST(OlderIdentifierStorage, DirectionCodeFollowsTheLandingAlongTheSymbolsAxes) {
    const struct Case {
        const char* what;
        WqGeVector3d landing;
        std::vector<WqGePoint3d> leader;
        bool shown;
        int32_t code;
    } cases[] = {
        {"along +X", {0, 3, 0}, {{0, 0, 0}, {9, 9, 0}}, true, DLxCId::kRight},
        {"along -Y", {3, 0, 0}, {{0, 0, 0}, {9, 9, 0}}, true, DLxCId::kDown},
        {"along -X", {0.1, -3, 0}, {{0, 0, 0}, {9, 9, 0}}, true, DLxCId::kLeft},
        {"along +Y", {-3, 0.1, 0}, {{0, 0, 0}, {9, 9, 0}}, true, DLxCId::kUp},
        {"a tie goes to the earlier axis", {1, 1, 0}, {{0, 0, 0}, {9, 9, 0}}, true,
         DLxCId::kRight},
        {"no landing: the first node seen from the second", {0, 0, 0}, {{0, 0, 0}, {-5, 0, 0}},
         true, DLxCId::kDown},
        {"no landing and one node", {0, 0, 0}, {{0, 0, 0}}, true, DLxCId::kUp},
        {"leaders hidden", {3, 0, 0}, {{0, 0, 0}, {9, 9, 0}}, false, DLxCId::kUp},
        {"no leader", {3, 0, 0}, {}, true, DLxCId::kUp},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<RSeDatabase> db =
            Load(OlderIdentifier({u"DLxDatumIdSymbol", 2, c.leader, c.landing, c.shown}));
        ASSERT_TRUE(db);
        auto* sym = dynamic_cast<DLxDatumIdSymbol*>(db->FindObject(1));
        ASSERT_NE(sym, nullptr);
        EXPECT_EQ(sym->GetDirectionCode(), c.code);
    }
}

// A datum identifier of the first version cannot be read; damaged records end the load; a
// record reference naming an object of another class loads as no record.
TEST(OlderIdentifierStorage, UnreadableAndDamagedRecordsFailTheLoad) {
    {
        const std::vector<uint8_t> bytes = OlderIdentifier({u"DLxDatumIdSymbol", 0});
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(r.GetCode(), kRSeErrUnsupportedVersion);
        EXPECT_FALSE(r.GetMessageUtf8().empty());
        EXPECT_FALSE(db);
    }
    for (const Identifier& id : {Identifier{u"DLxDatumIdSymbol", 1, {{1, 1, 0}, {0, 0, 0}}},
                                 Identifier{u"DLxFeatureIdSymbol", 0, {{1, 1, 0}, {0, 0, 0}}}}) {
        SCOPED_TRACE(UTx::ToUtf8(id.kind));
        const std::vector<uint8_t> bytes = OlderIdentifier(id);
        for (size_t n = 0; n < bytes.size(); n += 5) {
            std::unique_ptr<RSeDatabase> db;
            const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), n, db);
            EXPECT_TRUE(r.Failed()) << n;
            EXPECT_FALSE(r.GetMessageUtf8().empty()) << n;
        }
    }
    Identifier lost{u"DLxFeatureIdSymbol", 0};
    lost.recordIndex = 2; // the text value, not a record
    std::unique_ptr<RSeDatabase> db = Load(OlderIdentifier(lost));
    ASSERT_TRUE(db);
    const std::vector<DLxDatumIdInstance*> placed = PlacedIdentifiers(*db);
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0]->GetSymbolString()->GetSimpleValue(), u"");
    EXPECT_EQ(placed[0]->GetDatumIdState()->GetOrigin(), WqGePoint3d());
    ExpectStableSave(*db);
}

} // namespace
