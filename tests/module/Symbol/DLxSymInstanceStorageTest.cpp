// Placed symbols of older documents: every older stored layout loads with the values the newer
// fields take, old trees get their terminal-node generators, and the repair of old documents
// deletes only the symbols that are broken beyond drawing.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Leader/DLxTerminalNodeGenerator.h"
#include "SymTestKind.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxKorvuBug417175Migrator.h"
#include "TstDocWriter.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxLeaderNodeTree.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSegmentMigrator.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxGUID.h"

namespace {

struct Stored {
    bool displayLeaders = false, reverseSide = false, alwaysHorizontal = false;
    int32_t alignment = 0, outlineType = 0;
};

// A document holding one test symbol whose placed-symbol part was stored at `version`, with
// the fields that version held (from `f`).
std::vector<uint8_t> OldSymbol(uint16_t version, const Stored& f,
                               const char16_t* kindName = u"SymTestKind",
                               uint16_t kindVersion = 0) {
    TstDocWriter w;
    w.AddEmblemClasses();
    w.AddClass(u"DLxSymInstance", version);
    const uint32_t kind = w.AddClass(kindName, kindVersion);
    w.BeginSegment(u"Sheet");
    RSeStream& s = w.BeginRecord(kind, 1);
    w.EmblemPart(s);
    if (version >= 1) s.Write(f.displayLeaders);
    if (version >= 2) {
        s.Write(f.reverseSide);
        s.Write(f.alwaysHorizontal);
        s.Write(f.alignment);
    }
    if (version >= 3 && version <= 5) s.Write(UTxGUID(0x1, 0x2, 0x3, 0x4));
    if (version >= 5) s.Write(f.outlineType);
    w.EndRecord();
    return w.Finish(2);
}

TEST(SymInstanceStorage, EveryOlderLayoutLoadsWithTheDefaultsOfWhatItLacked) {
    const Stored stored{false, false, false, 2, 1};
    struct Case {
        uint16_t version;
        bool displayLeaders, reverseSide, alwaysHorizontal;
        int32_t alignment, outlineType;
    } cases[] = {
        {0, true, true, true, 0, 0},    {1, false, true, true, 0, 0},
        {2, false, false, false, 2, 0}, {3, false, false, false, 2, 0},
        {4, false, false, false, 2, 0}, {5, false, false, false, 2, 1},
        {6, false, false, false, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        const std::vector<uint8_t> bytes = OldSymbol(c.version, stored);
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        auto* sym = dynamic_cast<SymTestKind*>(db->FindObject(1));
        ASSERT_NE(sym, nullptr);
        EXPECT_EQ(sym->DisplayLeaders(), c.displayLeaders);
        EXPECT_EQ(sym->IsReverseSide(), c.reverseSide);
        EXPECT_EQ(sym->AlwaysHorizontal(), c.alwaysHorizontal);
        EXPECT_EQ(sym->GetAlignment(), c.alignment);
        EXPECT_EQ(sym->GetOutlineType(), c.outlineType);
        EXPECT_EQ(sym->GetSymFlags(), 0u);
        // It is current from then on.
        std::vector<uint8_t> again;
        ASSERT_FALSE(db->SaveToBuffer(again).Failed());
        std::unique_ptr<RSeDatabase> reloaded;
        ASSERT_FALSE(RSeDatabase::LoadFromBuffer(again.data(), again.size(), reloaded).Failed());
        EXPECT_EQ(dynamic_cast<SymTestKind*>(reloaded->FindObject(1))->GetAlignment(), c.alignment);
    }
}

TEST(SymInstanceStorage, TreesOfOldSymbolsGetAGenerator) {
    for (uint16_t v : {3, 4}) {
        SymTestSheet t;
        SymTestKind* sym = t.Place(1, 0.5, {110, 110, 0});
        DUxLeaderNodeTree* bare = DUxLeaderNodeTree::Create(t.sheet, nullptr, {0, 0, 0});
        sym->AppendLeader(bare);
        ASSERT_EQ(bare->GetTerminalNodeGenerator(), nullptr);
        RSeMetaContext ctx;
        ctx.Push(RSe::_GetMeta(static_cast<const DLxSymInstance*>(nullptr))->GetVersionMeta(v));
        EXPECT_TRUE(sym->PostRestoreMigrate(ctx).IsEmpty());
        EXPECT_EQ(bare->GetTerminalNodeGenerator() != nullptr, v < 4) << v;
        EXPECT_EQ(sym->GetLeader(0)->GetTerminalNodeGenerator(),
                  static_cast<DUxBaseTerminalNodeGenerator*>(t.generator));
    }
}

// The repair deletes a symbol that draws nothing and is not valid; one in a removed part of a
// broken view, a valid one, and one that drew something stay.
TEST(SymInstanceStorage, TheRepairDeletesOnlyBrokenSymbols) {
    auto* migrator = dynamic_cast<DLxKorvuBug417175Migrator*>(
        RSeSegmentMigrator::Get("DLxKorvuBug417175Migrator"));
    ASSERT_NE(migrator, nullptr);
    SymTestSheet t;
    SymTestKind* broken = t.Place(1, 0.5, {110, 110, 0});
    SymTestKind* drawn = t.Place(1, 0.2, {60, 120, 0});
    SymTestKind* valid = t.Place(2, 0.5, {100, 240, 0});
    ASSERT_FALSE(t.Recompute().Failed());
    ASSERT_TRUE(t.view->RemoveEdge(1)); // broken and drawn lose their edge
    broken->GetDisplayList()->Clear();
    valid->GetDisplayList()->Clear();
    broken->SetSick();
    const uint32_t brokenId = broken->GetId();
    const size_t nodes = t.sheet->GetNodes().size();

    RSeSegmentMigrationContextRSeRef ctx(t.sheet->GetSegment());
    for (SymTestKind* s : {broken, drawn, valid})
        ctx.Add(RSeRef<RSeIDed>(s));
    migrator->Migrate(&ctx);
    EXPECT_EQ(t.doc->GetRSeDb()->FindObject(brokenId), nullptr);
    EXPECT_LT(t.sheet->GetNodes().size(), nodes - 3); // its states and its leader went too
    EXPECT_TRUE(ctx.Object(1).HasTarget());
    EXPECT_TRUE(ctx.Object(2).HasTarget());
}

// Frames stored before version 4 kept nothing of their own: they load attaching by the older
// rule (until the host marks them current).
TEST(SymInstanceStorage, OlderFramesLoadWithTheOlderAttachmentRule) {
    RSe::_InitMeta(static_cast<const DLxGDTInstance*>(nullptr));
    for (uint16_t v = 0; v <= 3; ++v) {
        const std::vector<uint8_t> bytes =
            OldSymbol(5, {true, true, true, 1, 0}, u"DLxGDTInstance", v);
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        auto* frame = dynamic_cast<DLxGDTInstance*>(db->FindObject(1));
        ASSERT_NE(frame, nullptr) << v;
        EXPECT_FALSE(frame->GetAttachmentRule()) << v;
        EXPECT_EQ(frame->GetAlignment(), 1) << v;
    }
}

} // namespace
