// XML elements: attributes keep their first-set order, typed reads refuse text of another type
// and leave the caller's value alone.
#include <gtest/gtest.h>

#include "fb/FBxXmlElement.h"
#include "utx/UTxString16.h"

TEST(FBxXmlElement, TypedAttributesReadOnlyTheirOwnText) {
    struct Case {
        const char16_t* text;
        bool isBool, boolValue;
        bool isInt;
        int32_t intValue;
    };
    const Case cases[] = {
        {u"1", true, true, true, 1},
        {u"0", true, false, true, 0},
        {u"true", true, true, false, 0},
        {u"false", true, false, false, 0},
        {u"-2147483648", false, false, true, INT32_MIN},
        {u"2147483648", false, false, false, 0},
        {u"-", false, false, false, 0},
        {u"", false, false, false, 0},
        {u"12a", false, false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.text));
        FBxXmlElement e(u"Filter");
        e.SetAttribute(u"k", c.text);
        bool b = !c.boolValue;
        EXPECT_EQ(e.GetAttributeBool(u"k", b), c.isBool);
        EXPECT_EQ(b, c.isBool ? c.boolValue : !c.boolValue) << "a refused read leaves the value";
        int32_t n = 77;
        EXPECT_EQ(e.GetAttributeInt(u"k", n), c.isInt);
        EXPECT_EQ(n, c.isInt ? c.intValue : 77);
    }
}

TEST(FBxXmlElement, SettingAgainReplacesInPlace) {
    FBxXmlElement e(u"Filters");
    e.SetAttributeBool(u"Active", true);
    e.SetAttributeInt(u"Count", 2);
    e.SetAttributeBool(u"Active", false);
    ASSERT_EQ(e.GetAttributes().size(), 2u);
    EXPECT_EQ(e.GetAttributes()[0].first, u"Active");
    EXPECT_EQ(e.GetAttributes()[0].second, u"0");
    EXPECT_FALSE(e.HasAttribute(u"Missing"));
    e.AddChild(FBxXmlElement(u"Filter")).SetAttribute(u"Range_String", u"1-3");
    ASSERT_EQ(e.GetChildren().size(), 1u);
    EXPECT_TRUE(e.GetChildren()[0].HasAttribute(u"Range_String"));
}
