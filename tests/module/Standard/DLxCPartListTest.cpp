// The parts list of older documents: its section breaks and its stored versions.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Standard/DLxCPartList.h"
#include "TstDocWriter.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSaveData.h"

namespace {

TEST(DLxCPartList, SectionBreaksStoredAutomaticAndEffective) {
    DLxCPartList list;
    list.SetSectionBreaks({2, 5});
    EXPECT_FALSE(list.HasAutomaticSections());
    EXPECT_TRUE(list.IsSectionBreak(5));
    EXPECT_FALSE(list.IsSectionBreak(3));
    EXPECT_EQ(list.GetSectionBreaks(), (std::vector<int32_t>{2, 5}));

    list.SetAutomaticSections(-1); // ignored
    EXPECT_EQ(list.GetSectionBreakCount(), 2);
    list.SetAutomaticSections(3);
    EXPECT_TRUE(list.HasAutomaticSections());
    EXPECT_EQ(list.GetStoredSectionBreaks(), (std::vector<int32_t>(3, -1)));
    // Automatic breaks need a table state, which an older list never has.
    EXPECT_TRUE(list.GetSectionBreaks().empty());
    EXPECT_FALSE(list.IsSectionBreak(-1));
    list.SetAutomaticSections(0);
    EXPECT_EQ(list.GetSectionBreakCount(), 0);
    EXPECT_FALSE(list.HasAutomaticSections());
}

// Versions 0 and 1 interleave an older record with the list's values; version 0 has no section
// breaks. All of them load and save in the current form, which loads to the same bytes.
TEST(DLxCPartList, EveryStoredVersionLoads) {
    for (uint16_t version : {uint16_t(0), uint16_t(1), uint16_t(2)}) {
        SCOPED_TRACE(testing::Message() << "version " << version);
        TstDocWriter w;
        w.AddClass(u"RSeIDed", 0);
        const uint32_t meta = w.AddClass(u"DLxCPartList", version);
        w.BeginSegment(u"Sheet");
        RSeStream& s = w.BeginRecord(meta, 1);
        RSeSaveData(s, WqGePoint3d(1.0, 2.0, 0.0));
        if (version < 2) {
            s.Write(int32_t(11)).Write(int32_t(12)).Write(int32_t(13));
            s.Write(UTxString16(u"old"));
        }
        s.Write(int32_t(1)); // direction
        if (version < 2) s.Write(int32_t(14));
        s.Write(int32_t(2)); // text fit mode
        w.RefValue(0);       // no properties table
        if (version > 0) {
            s.Write(RSeTypeCode::kVector);
            s.Write(uint32_t(2));
            s.Write(uint32_t(2));
            s.WriteNoTypeMark();
            s.Write(int32_t(3)).Write(int32_t(7));
        }
        w.EndRecord();
        const std::vector<uint8_t> bytes = w.Finish(5);
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        auto* list = dynamic_cast<DLxCPartList*>(db->FindObject(1));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->origin(), WqGePoint3d(1.0, 2.0, 0.0));
        EXPECT_EQ(list->direction(), 1);
        EXPECT_EQ(list->GetTextFitMode(), 2);
        EXPECT_FALSE(list->GetPropertiesTable().HasTarget());
        const std::vector<int32_t> breaks =
            version == 0 ? std::vector<int32_t>{} : std::vector<int32_t>{3, 7};
        EXPECT_EQ(list->GetStoredSectionBreaks(), breaks);
        std::vector<uint8_t> saved, again;
        ASSERT_FALSE(db->SaveToBuffer(saved).Failed());
        std::unique_ptr<RSeDatabase> back;
        ASSERT_FALSE(RSeDatabase::LoadFromBuffer(saved.data(), saved.size(), back).Failed());
        ASSERT_FALSE(back->SaveToBuffer(again).Failed());
        EXPECT_EQ(again, saved);
    }
}

// A version the class does not know fails the load instead of being guessed at.
TEST(DLxCPartList, ANewerVersionFailsTheLoad) {
    TstDocWriter w;
    w.AddClass(u"RSeIDed", 0);
    const uint32_t meta = w.AddClass(u"DLxCPartList", 3);
    w.BeginSegment(u"Sheet");
    w.BeginRecord(meta, 1).Write(int32_t(0));
    w.EndRecord();
    const std::vector<uint8_t> bytes = w.Finish(5);
    std::unique_ptr<RSeDatabase> db;
    EXPECT_TRUE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
}

} // namespace
