// The record of an older surface-texture symbol: copies keep their own values, the record
// stores and loads, and its values reach a current symbol under their value numbers.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "KorvuTestSupport.h"
#include "Standard/DLxCSurfText.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "du/DUxSurfTXTState.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegment.h"

namespace {
using S = DUxSurfTXTState;

DLxCSurfText* MakeRecord(RSeSegment* segment) {
    return new (RSe::_GetMeta(static_cast<const DLxCSurfText*>(nullptr)), segment)
        DLxCSurfText();
}

// A record with a distinct text in every value but the lay, and every flag set.
void Fill(DLxCSurfText& r) {
    for (int32_t v = 0; v < S::kValueCount; ++v)
        if (v != S::kLay) r.Value(v)->SetText(u"v" + UTx::MakeWideString(std::to_string(v)));
    static_cast<DUxIntegerValue*>(r.Value(S::kLay))->SetValue(4);
    r.Value(S::kRaMax)->SetVisibility(DUxValue::kOffered);
    r.SetSubType(1);
    r.SetOrientation(2);
    r.SetAngle(0.5);
    r.SetPosition({10, 20, 0});
    r.SetAllAround(true);
    r.SetMajority(true);
    r.SetForcedTail(true);
    r.SetHasLeader(true);
    r.SetAutoAdjustment(true);
}
} // namespace

TEST(SurfTextRecord, ACopyKeepsItsOwnValues) {
    DLxDrawingDoc doc;
    RSeSegment* segment = doc.GetDrawing()->GetSegment();
    DLxCSurfText* a = MakeRecord(segment);
    DLxCSurfText* b = MakeRecord(segment);
    Fill(*a);
    *a = *a; // onto itself: nothing changes
    EXPECT_EQ(a->Value(S::kRaMax)->GetText(), u"v0");

    *b = *a;
    EXPECT_NE(b->Value(S::kRaMax), a->Value(S::kRaMax));
    a->Value(S::kRaMax)->SetText(u"changed");
    EXPECT_EQ(b->Value(S::kRaMax)->GetText(), u"v0");
    EXPECT_EQ(b->GetLay(), 4);
    EXPECT_TRUE(b->IsAutoAdjustment());
    EXPECT_EQ(b->GetPosition(), WqGePoint3d(10, 20, 0));
}

TEST(SurfTextRecord, ItsValuesReachAStateByNumber) {
    DLxDrawingDoc doc;
    DLxCSurfText* r = MakeRecord(doc.GetDrawing()->GetSegment());
    Fill(*r);
    S state;
    r->ApplyTo(state);
    // The reference is stored before the maximum spacing, yet each keeps its number.
    EXPECT_EQ(state.GetValue(S::kReference), u"v11");
    EXPECT_EQ(state.GetValue(S::kMaxRspac), u"v10");
    EXPECT_EQ(state.GetValue(S::kAllowance), u"v4");
    EXPECT_EQ(state.GetDirectionLay(), 4);
    EXPECT_EQ(state.GetVariableStatus(S::kRaMax), DUxValue::kOffered);
    EXPECT_EQ(state.GetSubType(), 1);
    EXPECT_TRUE(state.IsAllAround());
    EXPECT_TRUE(state.IsMajority());
    EXPECT_TRUE(state.IsForcedTail());
    EXPECT_TRUE(state.GetHasLeader());
}

TEST(SurfTextRecord, ARecordStoresAndLoadsWithoutItsAdjustmentFlag) {
    DLxDrawingDoc doc;
    DLxCSurfText* r = MakeRecord(doc.GetDrawing()->GetSegment());
    Fill(*r);
    const uint32_t id = r->GetId();
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> db;
    const UTxResult res = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
    ASSERT_FALSE(res.Failed()) << res.GetMessageUtf8();
    auto* loaded = dynamic_cast<DLxCSurfText*>(db->FindObject(id));
    ASSERT_NE(loaded, nullptr);
    for (int32_t v = 0; v < S::kValueCount; ++v)
        EXPECT_EQ(loaded->Value(v)->GetText(), r->Value(v)->GetText()) << "value " << v;
    EXPECT_EQ(loaded->GetOrientation(), 2);
    EXPECT_EQ(loaded->GetAngle(), 0.5);
    EXPECT_EQ(loaded->GetPosition(), WqGePoint3d(10, 20, 0));
    EXPECT_TRUE(loaded->HasLeader());
    EXPECT_FALSE(loaded->IsAutoAdjustment());
    std::vector<uint8_t> again;
    ASSERT_FALSE(db->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, bytes);
}
