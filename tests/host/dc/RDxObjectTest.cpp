// Flags and health of the kernel's objects, and the attributes of a compute pass.
#include <gtest/gtest.h>

#include "DcTestSupport.h"
#include "dc/RDxComputeContext.h"
#include "ge/WqGePoint3d.h"
#include "rd/RDxString.h"
#include "rse/RSeDatabase.h"

namespace {

TEST(RDxObject, FlagsAreSetAndClearedBitByBit) {
    RSeDatabase db;
    auto* s = TstMake<RDxString>(db.CreateSegment());
    EXPECT_EQ(s->GetFlags(), 0u);
    s->SetFlag(0x5);
    s->SetFlag(0x80000000u);
    EXPECT_EQ(s->GetFlags(), 0x80000005u);
    EXPECT_TRUE(s->IsFlagOn(0x1));
    EXPECT_TRUE(s->IsFlagOn(0x5));
    EXPECT_FALSE(s->IsFlagOn(0x3)); // every bit asked for must be on
    EXPECT_FALSE(s->IsFlagOn(0));
    s->ClearFlag(0x4);
    s->UnsetFlag(0x80000000u);
    EXPECT_EQ(s->GetFlags(), 0x1u);

    EXPECT_FALSE(s->IsSick());
    s->SetSick();
    EXPECT_TRUE(s->IsSick());
    s->SetHealthy();
    EXPECT_FALSE(s->IsSick());
}

TEST(RDxComputeContext, AttributesByNameOrIdAndTheirDefaults) {
    RDxComputeContext ctx;
    const uint32_t scale = RDxComputeContext::AttributeId(u"test.scale");
    EXPECT_EQ(RDxComputeContext::AttributeId(u"test.scale"), scale);
    EXPECT_EQ(RDxComputeContext::AttributeName(scale), u"test.scale");
    EXPECT_EQ(RDxComputeContext::FindAttributeId(u"test.never named"), 0u);

    RSeDatabase db;
    auto* obj = TstMake<RDxString>(db.CreateSegment());
    ctx.SetInt(u"test.scale", -7);
    ctx.SetDouble(u"test.tolerance", 0.25);
    ctx.SetString(u"test.name", u"\u2300 12");
    ctx.SetPoint(u"test.origin", WqGePoint3d(1, 2, 3));
    ctx.SetObject(u"test.target", obj);

    int32_t i = 1;
    double f = 1;
    UTxString16 text = u"x";
    WqGePoint3d p(9, 9, 9);
    RSeVMeta* o = nullptr;
    EXPECT_TRUE(ctx.GetInt(scale, i));
    EXPECT_EQ(i, -7);
    EXPECT_TRUE(ctx.GetDouble(u"test.tolerance", f));
    EXPECT_EQ(f, 0.25);
    EXPECT_TRUE(ctx.GetString(u"test.name", text));
    EXPECT_EQ(text, u"\u2300 12");
    EXPECT_TRUE(ctx.GetPoint(u"test.origin", p));
    EXPECT_EQ(p, WqGePoint3d(1, 2, 3));
    EXPECT_TRUE(ctx.GetObject(u"test.target", o));
    EXPECT_EQ(o, obj);
    EXPECT_EQ(ctx.GetObjectAs<RDxString>(u"test.target"), obj);
    EXPECT_EQ(ctx.GetObjectAs<TstSumConstraint>(u"test.target"), nullptr);

    // Another type, or nothing: false and the default.
    EXPECT_FALSE(ctx.GetInt(u"test.tolerance", i));
    EXPECT_EQ(i, 0);
    EXPECT_FALSE(ctx.GetDouble(u"test.never named", f));
    EXPECT_EQ(f, 0.0);
    EXPECT_FALSE(ctx.GetString(scale, text));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(ctx.GetPoint(u"test.name", p));
    EXPECT_EQ(p, WqGePoint3d());
    ctx.Remove(RDxComputeContext::FindAttributeId(u"test.target"));
    EXPECT_FALSE(ctx.GetObject(u"test.target", o));
    EXPECT_EQ(o, nullptr);

    ctx.SetInt(scale, 3); // a value replaces the one before, whatever its type
    ctx.SetDouble(scale, 1.5);
    EXPECT_FALSE(ctx.GetInt(scale, i));
    ctx.Clear();
    EXPECT_FALSE(ctx.Has(u"test.name"));
}

} // namespace
