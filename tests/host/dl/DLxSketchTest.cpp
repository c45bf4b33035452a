// Sketch definitions and placements: their stored records, the box and centre of a sketch, what
// a placement draws, and a damaged record refused on load.
#include <gtest/gtest.h>

#include <memory>
#include <numbers>
#include <vector>

#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxSketch.h"
#include "rse/RSeDatabase.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {

struct Sketched {
    DLxDrawingDoc doc;
    DLxSheet* sheet = doc.CreateSheet(u"Sheet 1", 420, 297);
    DLxSketch* sketch = DLxSketch::Create(&doc, u"Tag");

    Sketched() {
        DLxSketch::Curve line;
        line.start = {0, 0, 0};
        line.end = {20, 0, 0};
        sketch->AddCurve(line);
        DLxSketch::Curve arc;
        arc.kind = DLxSketch::Curve::kArc;
        arc.centre = {20, 5, 0};
        arc.radius = 5;
        arc.startAngle = -std::numbers::pi / 2;
        arc.endAngle = std::numbers::pi / 2;
        sketch->AddCurve(arc);
        sketch->AddText({u"QA-1", u"Inspector", {1, 1, 0}, 2.0, true});
        sketch->AddText({u"INSP", u"", {1, 6, 0}, 2.0, false});
        sketch->AddImage({u"a-long-image-name.png", {-10, 0, 0}, {-2, 10, 0}});
        sketch->SetInsertPoint({0, 5, 0});
    }
};

TEST(DLxSketch, NamesAreUniqueAndTheBoxHoldsCurvesTextsAndImages) {
    Sketched s;
    EXPECT_EQ(DLxSketch::Create(&s.doc, u"Tag"), nullptr);
    EXPECT_EQ(DLxSketch::Create(&s.doc, u""), nullptr);
    EXPECT_EQ(DLxSketch::Find(&s.doc, u"Tag"), s.sketch);
    EXPECT_EQ(s.sketch->GetAllPromptParameters(), std::vector<int32_t>{0});
    const BBox box = s.sketch->GetExtents();
    EXPECT_DOUBLE_EQ(box.min.x, -10);
    EXPECT_DOUBLE_EQ(box.max.x, 25);
    EXPECT_DOUBLE_EQ(box.min.y, 0);
    EXPECT_DOUBLE_EQ(box.max.y, 10);
    EXPECT_DOUBLE_EQ(s.sketch->GetGeomCenterPoint().x, 7.5);
}

TEST(DLxSketch, APlacementDrawsItsOwnTextsAndImagesApart) {
    Sketched s;
    DLxSketchInstance* placed = DLxSketchInstance::Create(s.sheet, s.sketch);
    ASSERT_NE(placed, nullptr);
    placed->SetTextString(0, u"QA-7");
    placed->SetTextString(5, u"out of range is ignored");
    SMxDisplayList list, images;
    DLxSketchUtil::PopulateTransientDL(*placed, list, images);
    std::vector<UTxString16> texts;
    for (const SMxDisplayItem& item : list)
        if (const auto* t = item.As<SMxTextItem>()) texts.push_back(t->text);
    EXPECT_EQ(texts, (std::vector<UTxString16>{u"QA-7", u"INSP"}));
    EXPECT_EQ(list.Count(), 4);
    // The image's frame, its diagonals and its name, which fits inside the frame.
    const BBox frame(WqGePoint3d(-10, 0, 0), WqGePoint3d(-2, 10, 0));
    EXPECT_EQ(images.Count(), 4);
    const BBox drawn = images.GetBBox();
    EXPECT_DOUBLE_EQ(drawn.min.x, frame.min.x);
    EXPECT_DOUBLE_EQ(drawn.max.x, frame.max.x);
    EXPECT_DOUBLE_EQ(drawn.max.y, frame.max.y);
}

TEST(DLxSketch, RecordsLoadBackToTheSameBytesAndADamagedOneIsRefused) {
    Sketched s;
    DLxSketchInstance* placed = DLxSketchInstance::Create(s.sheet, s.sketch);
    placed->SetTextString(0, u"QA-7");
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(s.doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    std::vector<uint8_t> again;
    ASSERT_FALSE(db->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, bytes);
    auto* loaded = dynamic_cast<DLxSketchInstance*>(db->FindObject(placed->GetId()));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetSketch()->GetName(), u"Tag");
    EXPECT_EQ(loaded->GetTextStrings()[0], u"QA-7");

    // A curve of a kind no sketch draws.
    DLxSketch::Curve odd;
    odd.kind = DLxSketch::Curve::Kind(7);
    s.sketch->AddCurve(odd);
    ASSERT_FALSE(s.doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> damaged;
    EXPECT_TRUE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), damaged).Failed());
}

} // namespace
