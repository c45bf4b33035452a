// The symbol's value state draws its outline and is stored; the display-list state is not.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxSymState.h"
#include "rse/RSeDatabase.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "sm/SMxDisplayListBuilder.h"

namespace {

TEST(DUxSymState, DrawsItsBoxOutlineAtTheOrigin) {
    DLxDrawingDoc doc;
    DLxSheet* sheet = doc.CreateSheet(u"S", 420, 297);
    DUxSymState* state = DUxSymState::Create(sheet);
    ASSERT_TRUE(state && sheet->HasNode(state));
    SMxDisplayList symbol, text;
    state->GenGraphics(symbol, text, 0, UTxGUID(), true, DUxSymState::kBoxOutline);
    EXPECT_TRUE(symbol.IsEmpty()); // no size yet

    state->SetOrigin({100, 50, 0});
    state->SetBoundingBox(BBox({-2, -1, 0}, {2, 1, 0}));
    state->SetScale(2);
    state->GenGraphics(symbol, text, 0, UTxGUID(), true, DUxSymState::kNoOutline);
    EXPECT_TRUE(symbol.IsEmpty());
    state->GenGraphics(symbol, text, 0, UTxGUID(), true, DUxSymState::kBoxOutline);
    ASSERT_EQ(symbol.Count(), 1);
    const auto* outline = symbol.GetAt(0).As<SMxPolylineItem>();
    ASSERT_TRUE(outline && outline->closed);
    EXPECT_EQ(outline->points.length(), 4);
    EXPECT_EQ(outline->points[0], WqGePoint3d(98, 49, 0));
    EXPECT_EQ(outline->points[2], WqGePoint3d(102, 51, 0));
    int32_t kind, leader, arrow, node;
    DUxLeaderNodeTree::AnalyzeItemID(outline->GetId(), kind, leader, arrow, node);
    EXPECT_EQ(kind, DUxLeaderNodeTree::kSymbolBodyItem);
    EXPECT_TRUE(text.IsEmpty());

    DUxDisplayListState* drawn = DUxDisplayListState::Create(sheet);
    SMxDisplayListBuilder(drawn->GetDisplayList()).AddLine({0, 0, 0}, {1, 0, 0});
    const uint32_t stateId = state->GetId(), drawnId = drawn->GetId();

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    auto* s = dynamic_cast<DUxSymState*>(db->FindObject(stateId));
    auto* d = dynamic_cast<DUxDisplayListState*>(db->FindObject(drawnId));
    ASSERT_TRUE(s && d);
    EXPECT_EQ(s->GetOrigin(), WqGePoint3d(100, 50, 0));
    EXPECT_EQ(s->GetScale(), 2);
    EXPECT_EQ(s->GetBoundingBox().max, WqGePoint3d(2, 1, 0));
    EXPECT_TRUE(d->GetDisplayList().IsEmpty()); // drawn again on the next compute
}

} // namespace
