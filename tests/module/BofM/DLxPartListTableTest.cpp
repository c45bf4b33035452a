// The parts list placed on a sheet over the shared bracket bill: what it computes and draws,
// tables whose state is not a parts-list state, the manipulators' records, the far edge under
// heading position 2, the style a document without one gets, editability by the bill's status,
// a deferred drawing, deletion with what the table owns, storage round trips, undo of its
// creation and older stored versions with their legacy record.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxPartListTableLegacyRecord.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuBOMFixture.h"
#include "Standard/DLxStdStyles.h"
#include "TstDocWriter.h"
#include "WinModule.h"
#include "br/BRxDocManager.h"
#include "br/BRxEntry.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnnotationUpdateState.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSheet.h"
#include "du/DUxSymState.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "du/DUxTableDispIDs.h"
#include "du/DUxTableRowFilter.h"
#include "du/DUxTableStyle.h"
#include "fb/FBxLayerStyle.h"
#include "fb/FBxObjectEditRecord.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMeta.h"
#include "rse/RSeNotifier.h"
#include "rse/RSeSaveData.h"
#include "rse/RSeSegment.h"
#include "rse/RSeSegmentMigrator.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxString16.h"

namespace {

using Bytes = std::vector<uint8_t>;

class PartListTable : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
        ASSERT_TRUE(m_doc.SetAssembly(KorvuBOM::BracketAssembly()));
        m_sheet = m_doc.CreateSheet(u"Sheet 1", 420, 297);
        ASSERT_TRUE(m_sheet);
        m_bom = DLxLocalBOMMgr::GetLocalBOM(m_doc.GetRSeDb(), *m_doc.GetAssembly(), 1, true);
        ASSERT_TRUE(m_bom);
    }
    void TearDown() override {
        if (m_module) FreeLibrary(m_module);
    }

    DLxPartListTable* Place(const WqGePoint3d& origin = {290, 285, 0}) {
        RSeRef<DUxTableStylePartsList> style(DLxStdStyles::GetPartsListStyle(&m_doc));
        RSeRef<DLxPartListTable> table = DLxPartListTable::Create(
            m_sheet, origin, RSeRef<DLxLocalBOM>(m_bom), style, RSeRef<FBxLayerStyle>());
        EXPECT_TRUE(table.get());
        table->RegisterAnnotation(m_sheet);
        table->SetPendingRefresh(true);
        return table.get();
    }
    void Recompute() {
        RDxComputeContext ctx;
        ASSERT_FALSE(m_sheet->Recompute(ctx).Failed());
    }
    Bytes Save() {
        Bytes out;
        EXPECT_FALSE(m_doc.GetRSeDb()->SaveToBuffer(out).Failed());
        return out;
    }
    static std::vector<UTxString16> Texts(const SMxDisplayList& list) {
        std::vector<UTxString16> out;
        for (const SMxDisplayItem& item : list)
            if (const auto* text = item.As<SMxTextItem>()) out.push_back(text->text);
        return out;
    }
    static bool Has(const std::vector<UTxString16>& texts, const UTxString16& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    HMODULE m_module = nullptr;
    DLxDrawingDoc m_doc;
    DLxSheet* m_sheet = nullptr;
    DLxLocalBOM* m_bom = nullptr;
};

FBxObjectEditRecord Record(const char16_t* name,
                           std::vector<std::pair<const char16_t*, FWxTranscriptValue>> pairs) {
    FBxObjectEditRecord r(name);
    for (auto& [key, value] : pairs) {
        r.AddString(key);
        r.AddValue(value);
    }
    return r;
}
FWxTranscriptValue Real(double v) {
    return FWxTranscriptValue::MakeReal(v);
}
FWxTranscriptValue Int(int32_t v) {
    return FWxTranscriptValue::MakeInt(v);
}
FWxTranscriptValue Point(double x, double y) {
    return FWxTranscriptValue::MakePoint(WqGePoint3d(x, y, 0));
}

TEST_F(PartListTable, ComputesTheBillsRowsAndDrawsThem) {
    DLxPartListTable* table = Place();
    ASSERT_TRUE(table->IsPendingRefresh());
    Recompute();
    DLxTableStatePartlist* state = table->GetPartListTableState().get();
    ASSERT_TRUE(state);
    EXPECT_FALSE(table->IsPendingRefresh());
    EXPECT_EQ(state->GetRowCount(), 8);
    EXPECT_EQ(table->GetObjectType(), 0x7000e00u);
    const std::vector<UTxString16> texts = Texts(*table->GetDisplayList());
    for (const char16_t* t : {u"Parts List", u"Item", u"Qty", u"Part Number", u"Description",
                              u"BR-100", u"Hex bolt M8x30", u"4"}) {
        SCOPED_TRACE(UTx::ToUtf8(t));
        EXPECT_TRUE(Has(texts, t));
    }
    // Every text lies inside the table, and each centred heading on its column's middle.
    const BBox extents = state->GetExtents(true);
    for (const SMxDisplayItem& item : *table->GetDisplayList()) {
        if (!item.As<SMxTextItem>()) continue;
        BBox box;
        item.ExtendBBox(box, WqGeMatrix3d());
        SCOPED_TRACE(UTx::ToUtf8(item.As<SMxTextItem>()->text));
        EXPECT_GE(box.min.x, extents.min.x);
        EXPECT_LE(box.max.x, extents.max.x);
        EXPECT_GE(box.min.y, extents.min.y);
        EXPECT_LE(box.max.y, extents.max.y);
        int32_t kind = 0, row = 0, column = 0;
        if (!DUxTableDispIDs::InterpretTextItemId(item.GetId(), kind, row, column) ||
            kind != DUxTableDispIDs::eHeadingText)
            continue;
        double left = extents.min.x;
        for (int32_t c = 0; c < column; ++c)
            left += state->GetColumnWidth(c);
        EXPECT_NEAR((box.min.x + box.max.x) / 2, left + state->GetColumnWidth(column) / 2, 1e-6);
    }
    // The bill keeps the table's update state, as a parts list's.
    DLxAnnotationUpdateState* update = nullptr;
    ASSERT_TRUE(m_bom->GetAnnotationState(table, update));
    table->InitAnnoUpdateState(nullptr);
    EXPECT_EQ(update->GetUpdateType(), 2);
    EXPECT_TRUE(dynamic_cast<DLxPartListUpdateData*>(update->GetAnnoSpecificData()));

    // A table that the bill marks dirty refreshes at its next compute.
    const int32_t rows = state->GetRowCount();
    m_bom->SetAnnotationDirty(table);
    EXPECT_EQ(m_bom->MarkDirtyAnnotationsEdited(), 1);
    EXPECT_TRUE(table->IsPendingRefresh());
    Recompute();
    EXPECT_EQ(state->GetRowCount(), rows);
    EXPECT_FALSE(table->IsPendingRefresh());
}

TEST_F(PartListTable, AnUnresolvedBillLeavesTheRowsButClearsTheMark) {
    DLxPartListTable* table = Place();
    m_bom->SetStatusOn(DLxLocalBOM::kStatusError);
    Recompute();
    EXPECT_EQ(table->GetPartListTableState()->GetRowCount(), 0);
    EXPECT_FALSE(table->IsPendingRefresh());
}

TEST_F(PartListTable, AnotherKindOfStateMakesEveryOperationANoOp) {
    DLxPartListTable* table = Place();
    Recompute();
    table->GetDisplayList()->Clear();
    // An older document's table holds another kind of table state at position 1.
    auto* other = new (RSe::_GetMeta(static_cast<const DUxTableStateBase*>(nullptr)),
                       m_sheet->GetSegment()) DUxTableStateBase();
    ASSERT_TRUE(table->SetInputState(1, other));
    EXPECT_FALSE(table->GetPartListTableState().get());
    EXPECT_FALSE(table->CanEdit(false));
    EXPECT_FALSE(table->wakeUpToOnline());
    table->SetPendingRefresh(true);
    Recompute();
    EXPECT_TRUE(table->GetDisplayList()->IsEmpty());
    const Bytes before = Save();
    EXPECT_TRUE(
        table
            ->ApplyObjectEditRecord(Record(u"TextItemEditor", {{u"NewOrigin", Point(1, 2)},
                                                               {u"NewDispOption", Int(0)},
                                                               {u"NewSnapLocation", Int(0)}}))
            .IsEmpty());
    EXPECT_EQ(Save(), before);
}

TEST_F(PartListTable, ManipulatorRecordsApplyOnlyWhenEveryKeyReads) {
    DLxPartListTable* table = Place();
    Recompute();
    DLxTableStatePartlist* state = table->GetPartListTableState().get();
    const double minimum = state->GetMinRowHeight(2);
    ASSERT_GT(minimum, 1.0);
    const auto moveLine = [](double rowHeight, bool complete) {
        std::vector<std::pair<const char16_t*, FWxTranscriptValue>> pairs{
            {u"NewColHeaderHeight", Real(9)}, {u"NewColWidth", Real(40)},
            {u"NewHeadingHeight", Real(12)},  {u"NewHorizontalScale", Real(1)},
            {u"NewOrigin", Point(300, 280)},  {u"NewRowHeight", Real(rowHeight)},
            {u"NewDispOption", Int(0)},       {u"ColumnIndex", Int(2)}};
        if (complete) pairs.push_back({u"RowIndex", Int(2)});
        return Record(u"MoveTableLine", pairs);
    };
    struct Case {
        const char* what;
        FBxObjectEditRecord record;
        bool changes;
        double rowHeight; // expected height of row 2 when it changes
    };
    const Case cases[] = {
        {"below the minimum", moveLine(0.5, true), true, minimum},
        {"above the minimum", moveLine(minimum + 4, true), true, minimum + 4},
        {"a key missing", moveLine(minimum + 4, false), false, 0},
        {"an unknown record", Record(u"Other", {{u"NewOrigin", Point(300, 280)}}), false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const WqGePoint3d origin = state->GetOrigin();
        const double height = state->GetRow(2)->GetHeight();
        const double width = state->GetColumnWidth(2);
        EXPECT_TRUE(table->ApplyObjectEditRecord(c.record).IsEmpty());
        if (c.changes) {
            EXPECT_EQ(state->GetOrigin(), WqGePoint3d(300, 280, 0));
            EXPECT_DOUBLE_EQ(state->GetRow(2)->GetHeight(), c.rowHeight);
            EXPECT_DOUBLE_EQ(state->GetColumnWidth(2), 40);
            EXPECT_DOUBLE_EQ(state->GetColumnHeadingHeight(), 9);
            EXPECT_DOUBLE_EQ(state->GetTitleHeight(), 12);
            state->SetOrigin({290, 285, 0});
        } else {
            EXPECT_EQ(state->GetOrigin(), origin);
            EXPECT_EQ(state->GetRow(2)->GetHeight(), height);
            EXPECT_EQ(state->GetColumnWidth(2), width);
        }
    }
    // A key of the wrong kind stops the record as a missing one does.
    EXPECT_TRUE(
        table
            ->ApplyObjectEditRecord(Record(
                u"TextItemEditor",
                {{u"NewOrigin", Int(3)}, {u"NewDispOption", Int(0)}, {u"NewSnapLocation", Int(0)}}))
            .IsEmpty());
    EXPECT_EQ(state->GetOrigin(), WqGePoint3d(290, 285, 0));
    EXPECT_TRUE(
        table
            ->ApplyObjectEditRecord(Record(u"TextItemEditor", {{u"NewOrigin", Point(10, 20)},
                                                               {u"NewDispOption", Int(0)},
                                                               {u"NewSnapLocation", Int(0)}}))
            .IsEmpty());
    EXPECT_EQ(state->GetOrigin(), WqGePoint3d(10, 20, 0));
}

TEST_F(PartListTable, HeadingPositionTwoKeepsTheFarEdge) {
    for (const auto heading : {DUxTableStyle::eHeadingTop, DUxTableStyle::eNoHeading}) {
        SCOPED_TRACE(int(heading));
        DLxPartListTable* table = Place();
        DLxTableStatePartlist* state = table->GetPartListTableState().get();
        dynamic_cast<DUxTableStyle*>(state->GetStyle())->SetHeading(heading);
        Recompute();
        const WqGePoint3d origin = state->GetOrigin();
        const double bottom = state->GetExtents(true).min.y;
        // Nothing changed: nothing moves.
        table->MarkEdited(true);
        Recompute();
        EXPECT_EQ(state->GetOrigin(), origin);
        // Two rows more: the bottom stays under heading position 2, the top otherwise.
        state->AddCustomRow(0);
        state->AddCustomRow(0);
        table->MarkEdited(true);
        Recompute();
        if (heading == DUxTableStyle::eNoHeading) {
            EXPECT_GT(state->GetOrigin().y, origin.y);
            EXPECT_NEAR(state->GetExtents(true).min.y, bottom, 1e-9);
        } else {
            EXPECT_EQ(state->GetOrigin(), origin);
            EXPECT_LT(state->GetExtents(true).min.y, bottom);
        }
    }
}

TEST_F(PartListTable, ADocumentWithoutPartsListStylesGetsNewStyle) {
    const auto partsListStyles = [&] {
        std::vector<DUxTableStylePartsList*> out;
        for (const RSeRef<FWxStyle>& s : m_doc.GetDrawing()->GetStyles())
            if (auto* p = dynamic_cast<DUxTableStylePartsList*>(s.get())) out.push_back(p);
        return out;
    };
    ASSERT_TRUE(partsListStyles().empty());
    for (int i = 0; i < 2; ++i) {
        RSeRef<DLxPartListTable> table =
            DLxPartListTable::Create(m_sheet, {10, 10, 0}, RSeRef<DLxLocalBOM>(m_bom),
                                     RSeRef<DUxTableStylePartsList>(), RSeRef<FBxLayerStyle>());
        const std::vector<DUxTableStylePartsList*> styles = partsListStyles();
        ASSERT_EQ(styles.size(), 1u);
        EXPECT_EQ(styles[0]->GetStyleName(), u"NEWSTYLE");
        EXPECT_EQ(table->GetPartListTableState()->GetStyle(), styles[0]);
    }
}

TEST_F(PartListTable, CanEditFollowsTheBillsStatus) {
    DLxPartListTable* table = Place();
    struct Case {
        uint32_t status;
        bool lenient, strict;
    };
    for (const Case c : {Case{0, true, true}, Case{DLxLocalBOM::kStatusError, true, false},
                         Case{DLxLocalBOM::kStatusUnresolved, false, false},
                         Case{DLxLocalBOM::kStatusUpdateRequired, true, true}}) {
        SCOPED_TRACE(c.status);
        m_bom->UnsetFlag(~0u);
        m_bom->SetStatusOn(c.status);
        EXPECT_EQ(table->CanEdit(false), c.lenient);
        EXPECT_EQ(table->CanEdit(true), c.strict);
    }
}

TEST_F(PartListTable, SavesLoadsAndSavesTheSameBytes) {
    DLxPartListTable* table = Place();
    Recompute();
    const Bytes bytes = Save();
    std::unique_ptr<RSeDatabase> db;
    const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    auto* loaded = dynamic_cast<DLxPartListTable*>(db->FindObject(table->GetId()));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetDesignViewRef().GetOwnerNode(), loaded);
    ASSERT_TRUE(loaded->GetPartListTableState().get());
    EXPECT_EQ(loaded->GetPartListTableState()->GetRowCount(), 8);
    Bytes again;
    ASSERT_FALSE(db->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, bytes);
}

TEST_F(PartListTable, UndoOfItsCreationGivesBackTheDocument) {
    Recompute();
    const Bytes before = Save();
    RSeDatabase* db = m_doc.GetRSeDb();
    db->BeginTxn();
    Place();
    Recompute();
    std::unique_ptr<RSeTxnRecord> record = db->CommitTxn();
    const Bytes after = Save();
    EXPECT_NE(after, before);
    db->Undo(*record);
    EXPECT_EQ(Save(), before);
    db->Redo(*record);
    EXPECT_EQ(Save(), after);
}

TEST_F(PartListTable, ADeferredDrawingKeepsItsRowsAndARebuildIsReportedToTheDrawing) {
    DLxPartListTable* table = Place();
    DLxTableStatePartlist* state = table->GetPartListTableState().get();
    DLxDrawing* drawing = m_doc.GetDrawing();
    ASSERT_TRUE(drawing);
    m_doc.SetDocDeferred(true);
    Recompute();
    EXPECT_EQ(state->GetRowCount(), 0);
    EXPECT_FALSE(table->IsPendingRefresh());
    EXPECT_FALSE(drawing->IsAnnotationUpdated(table));

    m_doc.SetDocDeferred(false);
    m_bom->SetAnnotationDirty(table);
    ASSERT_EQ(m_bom->MarkDirtyAnnotationsEdited(), 1);
    Recompute();
    EXPECT_EQ(state->GetRowCount(), 8);
    EXPECT_TRUE(drawing->IsAnnotationUpdated(table));
    const std::vector<RSeRefBase> updated = drawing->TakeUpdatedAnnotations();
    ASSERT_EQ(updated.size(), 1u);
    EXPECT_EQ(updated[0].GetTarget(), table);
    // Drawing again without the mark reads nothing from the bill, so nothing is reported.
    table->MarkEdited(true);
    Recompute();
    EXPECT_TRUE(drawing->TakeUpdatedAnnotations().empty());
}

TEST_F(PartListTable, DeletingItTakesItsStateEntryAndRegistrationAndUndoGivesThemBack) {
    RSeDatabase* db = m_doc.GetRSeDb();
    db->BeginTxn();
    RSeRef<DLxPartListTable> table(Place());
    table->AddDLBrowserEntry(m_sheet);
    Recompute();
    db->CommitTxn();
    BRxEntry* entry = m_doc.GetEntry(table.get());
    ASSERT_TRUE(entry);
    const uint32_t entryId = entry->GetId();
    RSeRef<DLxTableStatePartlist> state = table->GetPartListTableState();
    ASSERT_EQ(state->GetRowCount(), 8);
    RSeRef<DUxTableRowBase> row(state->GetRow(0));
    ASSERT_TRUE(m_bom->IsRelatedAnnotation(table.get()));
    m_doc.GetDrawing()->SetAnnotationUpdated(table.get());
    const Bytes placed = Save();

    struct Observer : RSeObjectObserverM {
        bool OnEvent(const RSeEvent* event) override {
            events.push_back(event->Event());
            return true;
        }
        std::vector<int32_t> events;
    } observer;
    RSeNotifier::NotifyOnEventTo(table, RSeNotifierEventMask::Field(RSeNotifier::kDeleteEvent, ~0u),
                                 &observer, 0);
    db->BeginTxn();
    ASSERT_TRUE(m_sheet->DeleteNode(table.get()));
    std::unique_ptr<RSeTxnRecord> record = db->CommitTxn();
    EXPECT_EQ(observer.events, std::vector<int32_t>{RSeNotifier::kDeleteEvent});
    EXPECT_FALSE(state.get());
    EXPECT_FALSE(row.get());
    EXPECT_EQ(db->FindObject(entryId), nullptr);
    EXPECT_EQ(m_doc.GetBrowser()->Print().find("Parts List"), std::string::npos)
        << m_doc.GetBrowser()->Print();
    EXPECT_TRUE(m_bom->GetAnnotationStates().empty());
    EXPECT_TRUE(m_doc.GetDrawing()->TakeUpdatedAnnotations().empty());
    // Nothing of the table is left behind: all it made lay beside it on the sheet's segment.
    EXPECT_EQ(m_sheet->GetSegment()->GetObjects(), std::vector<RSeVMeta*>{m_sheet});
    const Bytes deleted = Save();

    db->Undo(*record);
    EXPECT_EQ(Save(), placed);
    ASSERT_TRUE(table.get());
    EXPECT_EQ(m_doc.GetEntry(table.get()), db->FindObject(entryId));
    EXPECT_TRUE(m_bom->IsRelatedAnnotation(table.get()));
    EXPECT_EQ(table->GetPartListTableState()->GetRowCount(), 8);
    db->Redo(*record);
    EXPECT_EQ(Save(), deleted);
}

// Every item the list draws, lines and texts alike, in the colour its attributes give it.
void CollectColours(const SMxDisplayList& list, SMxDrawAttributes attrs,
                    std::vector<SMxColor>& out) {
    attrs.Enter(list);
    for (const SMxDisplayItem& item : list)
        if (const auto* child = item.As<SMxChildItem>())
            CollectColours(child->list, attrs, out);
        else
            out.push_back(attrs.ColorOf(item));
}

TEST_F(PartListTable, ATableOnALayerDrawsInItsColourAndKeepsItWhenStored) {
    const SMxColor red = SMxColor::FromRgba(255, 0, 0);
    auto* layer = new (RSe::_GetMeta(static_cast<const FBxLayerStyle*>(nullptr)),
                       m_doc.GetDrawing()->GetSegment()) FBxLayerStyle();
    layer->SetStyleName(u"Red");
    layer->SetColor(red);
    ASSERT_TRUE(m_doc.GetDrawing()->AddStyle(layer));
    RSeRef<DLxPartListTable> onLayer = DLxPartListTable::Create(
        m_sheet, {100, 100, 0}, RSeRef<DLxLocalBOM>(m_bom),
        RSeRef<DUxTableStylePartsList>(DLxStdStyles::GetPartsListStyle(&m_doc)),
        RSeRef<FBxLayerStyle>(layer));
    ASSERT_TRUE(onLayer);
    onLayer->SetPendingRefresh(true);
    DLxPartListTable* plain = Place();
    Recompute();
    EXPECT_EQ(DUxStyleUtil::GetLayerStyle(onLayer->GetPartListTableState().get()), layer);
    for (DLxPartListTable* table : {onLayer.get(), plain}) {
        const bool onRed = table == onLayer.get();
        SCOPED_TRACE(onRed ? "on the red layer" : "on none");
        std::vector<SMxColor> colours;
        CollectColours(*table->GetDisplayList(), SMxDrawAttributes(), colours);
        ASSERT_GT(colours.size(), 20u);
        for (const SMxColor& c : colours)
            EXPECT_EQ(c == red, onRed);
    }

    const Bytes bytes = Save();
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    auto* loaded = dynamic_cast<DLxPartListTable*>(db->FindObject(onLayer->GetId()));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(DUxStyleUtil::GetLayerStyle(loaded->GetPartListTableState().get()),
              db->FindObject(layer->GetId()));
}

// ---- older stored versions

// Records what the load queues for each migrator a table of an older version names.
class TstQueueMigrator : public RSeSegmentMigrator {
public:
    explicit TstQueueMigrator(const char* name) : RSeSegmentMigrator(name) {}
    void Migrate(RSeSegmentMigrationContext* ctx) override {
        if (auto* refs = dynamic_cast<RSeSegmentMigrationContextRSeRef*>(ctx))
            for (uint32_t i = 0; i < refs->Objects(); ++i) {
                ids.push_back(refs->Object(i).GetId());
                // The legacy record lives only while the document loads: keep what it holds.
                if (const auto* r =
                        RSeMigrationPacket::GetManager().Find<DLxPartListTableLegacyRecord>(
                            refs->Object(i).get()))
                    records.push_back(Seen{Id(r->a), Id(r->b), Id(r->c), Id(r->d), Id(r->observer),
                                           r->p0, r->v1, r->v2, r->v3, r->f, r->p1, r->p2});
            }
    }
    struct Seen {
        uint32_t a, b, c, d, observer;
        WqGePoint3d p0;
        WqGeVector3d v1, v2, v3;
        bool f;
        WqGePoint3d p1, p2;
    };
    static uint32_t Id(const RSeRefBase& ref) {
        return ref.GetTarget() ? ref.GetTarget()->GetId() : 0;
    }
    std::vector<uint32_t> ids;
    std::vector<Seen> records;
};
// Made once for the process, as the module's own migrators are.
std::map<std::string, TstQueueMigrator*>& QueueMigrators() {
    static std::vector<std::unique_ptr<TstQueueMigrator>> owned;
    static std::map<std::string, TstQueueMigrator*> made;
    if (made.empty()) {
        for (const char* name : {"DLxCleanupOrphanedPartlistStylesMigrator",
                                 "DLxPartListTableWithBottomHeadingMigrator",
                                 "DLxUnregisteredLBOMAnnosMigrator", "1", "4", "5", "6"})
            made[name] = owned.emplace_back(std::make_unique<TstQueueMigrator>(name)).get();
        // The table's own numbered contexts: the upgrades of older parts lists.
        for (const uint16_t number : {1, 4, 5, 6})
            made[std::to_string(number)]->Handles(u"DLxPartListTable", number);
    }
    return made;
}

// Sets the stored version of a class in a saved document's meta table and, from its records,
// drops the last `trim` bytes of the payload of the object with id `id`.
void MakeOlder(Bytes& bytes, const std::u16string& name, uint16_t version, uint32_t id,
               uint32_t trim, const Bytes& extra = {}) {
    size_t at = 8;
    const auto u32 = [&](size_t pos) {
        uint32_t v = 0;
        std::memcpy(&v, &bytes[pos], 4);
        return v;
    };
    at += 8; // format, next id
    const uint32_t metas = u32(at);
    at += 4;
    uint32_t metaIndex = UINT32_MAX;
    for (uint32_t m = 0; m < metas; ++m) {
        const uint32_t length = u32(at);
        std::u16string n(length, u'\0');
        std::memcpy(n.data(), &bytes[at + 4], 2 * length);
        at += 4 + 2 * length + 16;
        if (n == name) {
            metaIndex = m;
            bytes[at] = uint8_t(version & 0xff);
            bytes[at + 1] = uint8_t(version >> 8);
        }
        at += 4;
    }
    ASSERT_NE(metaIndex, UINT32_MAX);
    const uint32_t segments = u32(at);
    at += 4;
    for (uint32_t s = 0; s < segments; ++s) {
        at += 4 + 2 * u32(at);
        const uint32_t records = u32(at);
        at += 4;
        for (uint32_t r = 0; r < records; ++r) {
            const uint32_t meta = u32(at), key = u32(at + 4), length = u32(at + 8);
            if (meta == metaIndex && key == id && (trim || !extra.empty())) {
                ASSERT_GE(length, trim);
                const uint32_t changed = length - trim + uint32_t(extra.size());
                std::memcpy(&bytes[at + 8], &changed, 4);
                const size_t end = at + 12 + length;
                bytes.erase(bytes.begin() + ptrdiff_t(end - trim), bytes.begin() + ptrdiff_t(end));
                bytes.insert(bytes.begin() + ptrdiff_t(end - trim), extra.begin(), extra.end());
                at += 12 + changed;
            } else {
                at += 12 + length;
            }
        }
    }
}

// What the design-view reference adds to a table's record.
uint32_t DesignViewRefSize() {
    const auto sized = [](bool withRef) {
        TstDocWriter w;
        const uint32_t meta = w.AddClass(u"DLxDrawing", 1);
        w.BeginSegment(u"S");
        RSeStream& s = w.BeginRecord(meta, 1);
        if (withRef) DLxPartlistDVRef().Save(s);
        w.EndRecord();
        return w.Finish().size();
    };
    return uint32_t(sized(true) - sized(false));
}

// The legacy record of versions 3 to 5: references A and B, P0, V1 to V3, C, F, D, P1, P2.
Bytes LegacyRecordBytes() {
    const auto written = [](bool withRecord) {
        TstDocWriter w;
        const uint32_t meta = w.AddClass(u"DLxDrawing", 1);
        w.BeginSegment(u"S");
        RSeStream& s = w.BeginRecord(meta, 1);
        if (withRecord) {
            const RSeRefBase none;
            s.Write(none);
            s.Write(none);
            RSeSaveData(s, WqGePoint3d(1, 2, 0));
            for (int i = 0; i < 3; ++i)
                RSeSaveData(s, WqGeVector3d(1, 0, 0));
            s.Write(none);
            s.Write(true);
            s.Write(none);
            RSeSaveData(s, WqGePoint3d(3, 4, 0));
            RSeSaveData(s, WqGePoint3d(5, 6, 0));
        }
        w.EndRecord();
        return w.Finish();
    };
    const Bytes with = written(true), without = written(false);
    // The one record is the file's last, before the end mark.
    return Bytes(with.begin() + ptrdiff_t(without.size() - 4), with.end() - 4);
}

TEST_F(PartListTable, TablesOfTheLegacyRecordLoadAndQueueTheirUpgrades) {
    std::map<std::string, TstQueueMigrator*>& migrators = QueueMigrators();
    DLxPartListTable* table = Place();
    Recompute();
    const Bytes saved = Save();
    const std::vector<uint32_t> just{table->GetId()}, none;
    for (const uint16_t version : {uint16_t(3), uint16_t(4), uint16_t(5)}) {
        SCOPED_TRACE(version);
        for (auto& entry : migrators)
            entry.second->ids.clear();
        Bytes bytes = saved;
        MakeOlder(bytes, u"DLxPartListTable", version, table->GetId(), DesignViewRefSize(),
                  LegacyRecordBytes());
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        auto* loaded = dynamic_cast<DLxPartListTable*>(db->FindObject(table->GetId()));
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->GetBirthday(), version < 5 ? -1 : table->GetBirthday());
        EXPECT_EQ(migrators["4"]->ids, version < 5 ? just : none);
        EXPECT_EQ(migrators["5"]->ids, just);
        EXPECT_EQ(migrators["6"]->ids, just);
        EXPECT_EQ(migrators["DLxPartListTableWithBottomHeadingMigrator"]->ids, just);
        EXPECT_EQ(migrators["DLxUnregisteredLBOMAnnosMigrator"]->ids, just);
        EXPECT_EQ(migrators["DLxCleanupOrphanedPartlistStylesMigrator"]->ids, none);
    }
}

// The place of the object with that id among the file's records, which a stored reference
// names.
uint32_t FileIndexOf(const Bytes& bytes, uint32_t id) {
    const auto u32 = [&](size_t pos) {
        uint32_t v = 0;
        std::memcpy(&v, &bytes[pos], 4);
        return v;
    };
    size_t at = 16;
    const uint32_t metas = u32(at);
    at += 4;
    for (uint32_t m = 0; m < metas; ++m)
        at += 4 + 2 * u32(at) + 16 + 4;
    const uint32_t segments = u32(at);
    at += 4;
    uint32_t index = 0;
    for (uint32_t s = 0; s < segments; ++s) {
        at += 4 + 2 * u32(at);
        const uint32_t records = u32(at);
        at += 4;
        for (uint32_t r = 0; r < records; ++r, ++index) {
            if (u32(at + 4) == id) return index;
            at += 12 + u32(at + 8);
        }
    }
    ADD_FAILURE() << "no record of object " << id;
    return 0;
}

TEST_F(PartListTable, EveryLegacyVersionHandsItsRecordOnWithItsReferencesFixed) {
    std::map<std::string, TstQueueMigrator*>& migrators = QueueMigrators();
    DLxPartListTable* table = Place();
    Recompute();
    const Bytes saved = Save();
    DLxTableStatePartlist* state = table->GetPartListTableState().get();
    DLxDrawing* drawing = m_doc.GetDrawing();
    // Objects of the document that the old fields name: A the bill, B the sheet, C the state,
    // D the drawing, the observer X the display-list state, Y (dropped) the state.
    const uint32_t a = m_bom->GetId(), b = m_sheet->GetId(), c = state->GetId(),
                   d = drawing->GetId(), x = table->GetDisplayListState()->GetId();
    const auto ref = [&](TstDocWriter& w, uint32_t id) { w.Ref(FileIndexOf(saved, id)); };
    const std::vector<uint32_t> just{table->GetId()}, none;
    struct Case {
        uint16_t version;
        bool observer, oldState, tail;
    };
    for (const Case k :
         {Case{0, true, false, false}, Case{1, true, true, false}, Case{2, false, true, false},
          Case{3, false, false, true}, Case{5, false, false, true}}) {
        SCOPED_TRACE(k.version);
        for (auto& entry : migrators) {
            entry.second->ids.clear();
            entry.second->records.clear();
        }
        const auto written = [&](bool withRecord) {
            TstDocWriter w;
            const uint32_t meta = w.AddClass(u"DLxDrawing", 1);
            w.BeginSegment(u"S");
            RSeStream& s = w.BeginRecord(meta, 1);
            if (withRecord) {
                ref(w, a);
                ref(w, b);
                if (k.observer) ref(w, x);
                RSeSaveData(s, WqGePoint3d(1, 2, 3));
                RSeSaveData(s, WqGeVector3d(1, 0, 0));
                RSeSaveData(s, WqGeVector3d(0, 1, 0));
                RSeSaveData(s, WqGeVector3d(0, 0, 1));
                ref(w, c);
                if (k.oldState) ref(w, c);
                if (k.tail) {
                    s.Write(true);
                    ref(w, d);
                    RSeSaveData(s, WqGePoint3d(3, 4, 0));
                    RSeSaveData(s, WqGePoint3d(5, 6, 0));
                }
            }
            w.EndRecord();
            return w.Finish();
        };
        const Bytes with = written(true), without = written(false);
        Bytes bytes = saved;
        MakeOlder(bytes, u"DLxPartListTable", k.version, table->GetId(), DesignViewRefSize(),
                  Bytes(with.begin() + ptrdiff_t(without.size() - 4), with.end() - 4));
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        ASSERT_TRUE(dynamic_cast<DLxPartListTable*>(db->FindObject(table->GetId())));
        const std::vector<TstQueueMigrator::Seen>& seen = migrators["5"]->records;
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].a, a);
        EXPECT_EQ(seen[0].b, b);
        EXPECT_EQ(seen[0].c, c);
        EXPECT_EQ(seen[0].d, k.tail ? d : 0u);
        EXPECT_EQ(seen[0].f, k.tail);
        EXPECT_EQ(seen[0].observer, k.observer ? x : 0u);
        EXPECT_EQ(seen[0].p0.z, 3.0);
        EXPECT_EQ(seen[0].v1.x, 1.0);
        EXPECT_EQ(seen[0].v2.y, 1.0);
        EXPECT_EQ(seen[0].v3.z, 1.0);
        EXPECT_EQ(seen[0].p1.y, k.tail ? 4.0 : 0.0);
        EXPECT_EQ(seen[0].p2.x, k.tail ? 5.0 : 0.0);
        // The observer goes with its table to the migrator that deletes it.
        const std::vector<uint32_t> paired{table->GetId(), x};
        EXPECT_EQ(migrators["1"]->ids, k.observer ? paired : none);
        EXPECT_EQ(migrators["4"]->ids, k.version < 5 ? just : none);
        EXPECT_EQ(migrators["6"]->ids, just);
        EXPECT_EQ(migrators["DLxUnregisteredLBOMAnnosMigrator"]->ids, just);
    }
}

TEST_F(PartListTable, OlderVersionsLoadAndQueueTheirUpgrades) {
    std::map<std::string, TstQueueMigrator*>& migrators = QueueMigrators();
    DLxPartListTable* table = Place();
    Recompute();
    const Bytes saved = Save();
    const uint32_t refSize = DesignViewRefSize();
    ASSERT_GT(refSize, 0u);
    struct Case {
        uint16_t version;
        bool cleanup, bottomHeading, version6;
    };
    for (const Case c :
         {Case{6, true, true, true}, Case{7, true, true, false}, Case{8, false, true, false},
          Case{9, false, false, false}, Case{10, false, false, false}}) {
        SCOPED_TRACE(c.version);
        for (auto& entry : migrators)
            entry.second->ids.clear();
        Bytes bytes = saved;
        // Versions 6 to 9 stored nothing of their own; 10 stored today's record.
        MakeOlder(bytes, u"DLxPartListTable", c.version, table->GetId(),
                  c.version < 10 ? refSize : 0);
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        auto* loaded = dynamic_cast<DLxPartListTable*>(db->FindObject(table->GetId()));
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->GetDesignViewRef().GetOwnerNode(), loaded);
        const std::vector<uint32_t> just{table->GetId()};
        const auto queued = [&](const char* name, bool expected) {
            SCOPED_TRACE(name);
            EXPECT_EQ(migrators[name]->ids, expected ? just : std::vector<uint32_t>{});
        };
        queued("DLxCleanupOrphanedPartlistStylesMigrator", c.cleanup);
        queued("DLxPartListTableWithBottomHeadingMigrator", c.bottomHeading);
        queued("DLxUnregisteredLBOMAnnosMigrator", true);
        queued("6", c.version6);
        // Saved again, the table is today's.
        Bytes again;
        ASSERT_FALSE(db->SaveToBuffer(again).Failed());
        EXPECT_EQ(again, saved);
    }
}

} // namespace

namespace {

TEST_F(PartListTable, FiltersDecideTheInterestInBalloons) {
    DLxPartListTable* table = Place();
    DLxAnnotationUpdateState* update = nullptr;
    ASSERT_TRUE(m_bom->GetAnnotationState(table, update));
    const auto interested = [&] {
        auto* data = dynamic_cast<DLxPartListUpdateData*>(update->GetAnnoSpecificData());
        EXPECT_TRUE(data);
        return data && data->IsInterestedInBalloonChanges();
    };
    struct Case {
        const char* what;
        int32_t type;
        bool active, interested;
    };
    for (const Case c : {Case{"ballooned items", 3, true, true},
                         Case{"ballooned items, switched off", 3, false, false},
                         Case{"purchased parts", 1, true, false}}) {
        SCOPED_TRACE(c.what);
        DUxTableRowFilterList* list = DUxTableRowFilterList::New(RSe::TransientSegment());
        DUxTableRowFilter* filter = DLxTableStatePartlist::NewFilter(
            DUxTableRowFilter::FilterType(c.type), RSe::TransientSegment());
        ASSERT_TRUE(filter);
        filter->SetActive(c.active);
        list->Add(filter);
        table->SetFilterList(*list);
        EXPECT_EQ(interested(), c.interested);
        list->RemoveAll();
        RSe::DeleteObject(list);
    }
}

TEST_F(PartListTable, TheTitleIsTheStylesAndTellsObservers) {
    DLxPartListTable* table = Place();
    struct Observer : RSeObjectObserverM {
        bool OnEvent(const RSeEvent* event) override {
            events.push_back(event->Event());
            return true;
        }
        std::vector<int32_t> events;
    } observer;
    RSeNotifier::NotifyOnEventTo(
        RSeRef<DLxPartListTable>(table),
        RSeNotifierEventMask::Field(DLxPartListTable::kTitleChangedEvent, ~0u), &observer, 0);
    table->SetTitle(u"BILL");
    EXPECT_EQ(
        DUxTableStyleWrapper(RSeRef<DUxTableStateBase>(table->GetPartListTableState().get()), {})
            .GetTitle(),
        u"BILL");
    EXPECT_EQ(observer.events, std::vector<int32_t>{DLxPartListTable::kTitleChangedEvent});
}

TEST_F(PartListTable, CopiesRegisterWithTheirSheetUnlessTransient) {
    DLxPartListTable* table = Place();
    Recompute();
    DLxTableStatePartlist* state = table->GetPartListTableState().get();
    for (const bool transient : {false, true}) {
        SCOPED_TRACE(transient);
        RSeCloneCommander cc(transient ? RSe::TransientSegment() : m_sheet->GetSegment());
        // The sheet goes with the table: a copy belongs to a sheet only when its sheet is copied.
        ASSERT_FALSE(cc.Clone({m_sheet, table, state}).Failed());
        auto* copy = dynamic_cast<DLxPartListTable*>(cc.CloneOf(table));
        ASSERT_TRUE(copy);
        EXPECT_EQ(copy->GetDesignViewRef().GetOwnerNode(), copy);
        EXPECT_EQ(copy->GetPartListTableState().get(), cc.CloneOf(state));
        DLxAnnotationUpdateState* update = nullptr;
        EXPECT_EQ(m_bom->GetAnnotationState(copy, update), !transient);
    }
}

} // namespace

namespace {

// On a bill whose model is a family-table factory the table keeps the selected members the
// factory still has, and falls back to its active member when none is left.
TEST_F(PartListTable, SelectedMembersAreTheFactorysOwn) {
    DLxAssemblyData assembly = KorvuBOM::BracketAssembly();
    DLxAssemblyComponent& root = assembly.components[0];
    root.isFactory = true;
    root.factoryMembers = {u"S", u"M", u"L"};
    root.activeMember = u"M";
    DLxDrawingDoc doc;
    ASSERT_TRUE(doc.SetAssembly(assembly));
    DLxSheet* sheet = doc.CreateSheet(u"Sheet 1", 420, 297);
    DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), *doc.GetAssembly(), 1, true);
    ASSERT_TRUE(bom);
    RSeRef<DLxPartListTable> table =
        DLxPartListTable::Create(sheet, {10, 10, 0}, RSeRef<DLxLocalBOM>(bom),
                                 RSeRef<DUxTableStylePartsList>(), RSeRef<FBxLayerStyle>());
    DLxTableStatePartlist* state = table->GetPartListTableState().get();
    using Names = std::vector<UTxString16>;
    struct Case {
        const char* what;
        Names selected, kept;
        bool hidesZeroQuantities;
    };
    const Case cases[] = {
        {"one gone", {u"S", u"X"}, {u"S"}, false},
        {"all there", {u"S", u"L"}, {u"S", u"L"}, false},
        {"the only one gone", {u"X"}, {u"M"}, true},
        {"none selected", {}, {u"M"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        state->SetSelectedMembers(c.selected, false);
        table->ValidateSelectedMembers();
        EXPECT_EQ(state->GetSelectedMembers(), c.kept);
        EXPECT_EQ(state->GetHideZeroQuantityRows(), c.hidesZeroQuantities);
    }
}

} // namespace
