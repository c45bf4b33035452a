// Browser entries: what an entry hears of its subject through the notifier, its base answers,
// and its stored record (which brings its listening back after a load).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TstStoredClasses.h"
#include "br/BRxAbsPath.h"
#include "br/BRxFixedEntry.h"
#include "fw/FWxSelection.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegment.h"
#include "uc/UCxBrowserUtil.h"

namespace {

// Hears events 1 to 4, as a parts list's entry does, and notes them.
class HearingEntry : public BRxFixedEntry {
public:
    using BRxFixedEntry::BRxFixedEntry;
    RSeNotifierEventMask GetEventSet(int32_t& timing) const override {
        timing = 1;
        RSeNotifierEventMask mask;
        for (int32_t e = 1; e <= 4; ++e)
            mask = mask | RSeNotifierEventMask::Field(e, 0x2aaaaaaa);
        return mask;
    }
    bool OnEvent(const RSeEvent* event) override {
        heard.push_back(event->Event());
        SetModified();
        return false;
    }
    std::vector<int32_t> heard;
};

class StateType : public BRxFixedEntryType {
public:
    using BRxFixedEntryType::BRxFixedEntryType;
    int32_t StateIcon() const override { return UCxBrowserUtil::UpdateRequiredIcon(); }
};

std::vector<uint8_t> Save(RSeDatabase& db) {
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(db.SaveToBuffer(bytes).Failed());
    return bytes;
}

TEST(BRxEntry, HearsEventsOneToFourOnItsSubjectOnly) {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    auto* subject = new (RSe::_GetMeta(static_cast<const TstNode*>(nullptr)), seg) TstNode();
    auto* other = new (RSe::_GetMeta(static_cast<const TstNode*>(nullptr)), seg) TstNode();
    auto entry = std::make_unique<HearingEntry>(nullptr, u"List", nullptr, RSeRefBase(subject),
                                                RSeRefBase(), true);
    entry->StartObservingSubject();
    for (int32_t e = 0; e <= 15; ++e) {
        RSeNotifier::NotifyOf(e, RSeRefBase(subject));
        RSeNotifier::NotifyOf(e, RSeRefBase(other));
    }
    EXPECT_EQ(entry->heard, (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_TRUE(entry->IsModified());

    // Starting twice registers once; stopping, or going, ends the listening.
    entry->StartObservingSubject();
    EXPECT_EQ(RSeNotifier::ObserverCount(RSeRefBase(subject)), 1u);
    entry->StopObservingSubject();
    EXPECT_EQ(RSeNotifier::NotifyOf(2, RSeRefBase(subject)), 0);
    entry->StartObservingSubject();
    entry.reset();
    EXPECT_EQ(RSeNotifier::ObserverCount(RSeRefBase(subject)), 0u);
}

TEST(BRxFixedEntry, BaseAnswersComeFromNameAndType) {
    const StateType type(9001, u"Test", 42);
    BRxFixedEntry root(nullptr, u"Root", nullptr, RSeRefBase(), RSeRefBase(), false);
    BRxFixedEntry entry(&type, u"Parts List", &root, RSeRefBase(), RSeRefBase(), false);
    EXPECT_EQ(entry.GetParent(), &root);
    ASSERT_EQ(root.GetChildren().size(), 1u);
    EXPECT_EQ(entry.Text(), u"Parts List");
    EXPECT_EQ(entry.EditableText(), u"Parts List");
    EXPECT_EQ(entry.Icon(), 42);
    EXPECT_EQ(entry.StateIcon(), UCxBrowserUtil::UpdateRequiredIcon()) << "the type's own";
    EXPECT_EQ(root.StateIcon(), UCxBrowserUtil::kNoStateIcon) << "no type";
    EXPECT_TRUE(entry.StateIconTooltip().empty());
    EXPECT_FALSE(entry.CanRename());
    EXPECT_FALSE(entry.Activate().Failed());
    EXPECT_FALSE(entry.CreateSelection(BRxAbsPath()));
    entry.Rename(u"BOM");
    EXPECT_EQ(entry.Name(), u"BOM");
    EXPECT_TRUE(entry.IsModified());
    {
        BRxFixedEntry child(&type, u"Child", &entry, RSeRefBase(), RSeRefBase(), false);
        EXPECT_EQ(entry.GetChildren().size(), 1u);
    }
    EXPECT_TRUE(entry.GetChildren().empty()) << "a child that goes leaves its parent";
}

// An entry stored with its subject: its record comes back, saved again to the same bytes, and
// it listens again after the load.
TEST(BRxFixedEntry, StoredEntrySavesLoadsAndListensAgain) {
    const BRxFixedEntryType type(9002, u"Stored", 7);
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    auto* sheet = new (RSe::_GetMeta(static_cast<const TstNode*>(nullptr)), seg) TstNode();
    auto* table = new (RSe::_GetMeta(static_cast<const TstNode*>(nullptr)), seg) TstNode();
    BRxFixedEntry sheetEntry(nullptr, u"Sheet 1", nullptr, RSeRefBase(sheet), RSeRefBase(), false);
    auto* entry = new (RSe::_GetMeta(static_cast<const BRxFixedEntry*>(nullptr)), seg)
        BRxFixedEntry(&type, u"Parts List", &sheetEntry, RSeRefBase(table), RSeRefBase(sheet),
                      true);
    entry->StartObservingSubject();
    const std::vector<uint8_t> bytes = Save(db);

    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded).Failed());
    EXPECT_EQ(Save(*loaded), bytes);
    auto* again = dynamic_cast<BRxFixedEntry*>(loaded->FindObject(entry->GetId()));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Name(), u"Parts List");
    EXPECT_EQ(again->GetType(), &type);
    EXPECT_TRUE(again->IsOwnedBySubject());
    EXPECT_EQ(again->Subject().GetId(), table->GetId());
    EXPECT_EQ(again->ParentSubject().GetId(), sheet->GetId());
    EXPECT_EQ(again->GetSecond().GetId(), sheet->GetId());
    EXPECT_EQ(again->GetParent(), nullptr) << "the tree is the browser's to build";
    EXPECT_TRUE(again->IsObservingSubject());
    EXPECT_EQ(RSeNotifier::ObserverCount(again->Subject()), 1u);
}

// A folder-like entry that goes before its siblings.
class FirstEntry : public BRxFixedEntry {
public:
    using BRxFixedEntry::BRxFixedEntry;
    bool ListsFirst() const override { return true; }
};

std::vector<std::u16string> Names(const BRxEntry& parent) {
    std::vector<std::u16string> names;
    for (const BRxEntry* e : parent.GetChildren())
        names.push_back(static_cast<const BRxFixedEntry*>(e)->Name());
    return names;
}

// Entries that list first go before the others, after those that listed first already; a
// reorder puts the children it names first, in its order, and keeps the others as they were.
TEST(BRxEntry, ListingFirstAndReorderingChildren) {
    BRxFixedEntry parent(nullptr, u"sheet", nullptr, RSeRefBase(), RSeRefBase(), false);
    BRxFixedEntry a(nullptr, u"a", &parent, RSeRefBase(), RSeRefBase(), false);
    BRxFixedEntry b(nullptr, u"b", &parent, RSeRefBase(), RSeRefBase(), false);
    FirstEntry f1(nullptr, u"f1", nullptr, RSeRefBase(), RSeRefBase(), false);
    FirstEntry f2(nullptr, u"f2", nullptr, RSeRefBase(), RSeRefBase(), false);
    f1.SetParent(&parent);
    f2.SetParent(&parent);
    EXPECT_EQ(Names(parent), (std::vector<std::u16string>{u"f1", u"f2", u"a", u"b"}));
    parent.ReorderChildren({&b, &f2, &b});
    EXPECT_EQ(Names(parent), (std::vector<std::u16string>{u"b", u"f2", u"f1", u"a"}));
    BRxFixedEntry stranger(nullptr, u"x", nullptr, RSeRefBase(), RSeRefBase(), false);
    parent.ReorderChildren({&stranger, &a});
    EXPECT_EQ(Names(parent), (std::vector<std::u16string>{u"a", u"b", u"f2", u"f1"}));
}

} // namespace
