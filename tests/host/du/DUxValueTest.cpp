// Stored symbol values (texts, integers and their visibility) and how unit attributes show a
// number in alternate units.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxSymUnitAttr.h"
#include "du/DUxValue.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "utx/UTxString16.h"

namespace {

template <class T> T* Make(RSeDatabase* db) {
    return new (RSe::_GetMeta(static_cast<const T*>(nullptr)), RSe::SegmentOf(db)) T();
}

TEST(DUxValue, IntegerTextIsItsNumberAndATextSetsTheNumber) {
    DLxDrawingDoc doc;
    auto* v = Make<DUxIntegerValue>(doc.GetRSeDb());
    EXPECT_EQ(v->GetValue(), 0);
    EXPECT_TRUE(v->GetText().empty());
    v->SetValue(-42);
    EXPECT_EQ(v->GetText(), u"-42");
    struct Case {
        const char16_t* text;
        int32_t value;
    };
    const Case cases[] = {{u"12", 12},
                          {u"+7mm", 7},
                          {u"-3", -3},
                          {u"", 0},
                          {u"abc", 0},
                          {u"1.9", 1},
                          {u"99999999999", 2147483647},
                          {u"-99999999999", -2147483647 - 1}};
    for (const Case& c : cases) {
        v->SetText(c.text);
        EXPECT_EQ(v->GetValue(), c.value) << UTx::ToUtf8(c.text);
        EXPECT_EQ(v->GetText(), c.text);
    }
}

TEST(DUxValue, ValuesKeepTextNumberAndVisibilityThroughSaving) {
    DLxDrawingDoc doc;
    auto* text = Make<DUxStringValue>(doc.GetRSeDb());
    text->SetText(u"0.05");
    text->SetVisibility(DUxValue::kOffered);
    auto* number = Make<DUxIntegerValue>(doc.GetRSeDb());
    number->SetText(u"7 (seven)");
    number->SetVisibility(DUxValue::kWithdrawn);
    auto* copy = Make<DUxStringValue>(doc.GetRSeDb());
    copy->Assign(*number);
    EXPECT_EQ(copy->GetText(), u"7 (seven)");
    EXPECT_EQ(copy->GetVisibility(), DUxValue::kWithdrawn);

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> back;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), back).Failed());
    auto* text2 = dynamic_cast<DUxStringValue*>(back->FindObject(text->GetId()));
    auto* number2 = dynamic_cast<DUxIntegerValue*>(back->FindObject(number->GetId()));
    ASSERT_TRUE(text2 && number2);
    EXPECT_EQ(text2->GetText(), u"0.05");
    EXPECT_EQ(text2->GetVisibility(), DUxValue::kOffered);
    EXPECT_EQ(number2->GetValue(), 7);
    EXPECT_EQ(number2->GetText(), u"7 (seven)");
    EXPECT_EQ(number2->GetVisibility(), DUxValue::kWithdrawn);
}

TEST(DUxSymUnitAttr, AlternateUnitsFollowThePrimaryTextInBrackets) {
    struct Case {
        const char* name;
        const char16_t* text;
        const char16_t* expected;
        std::vector<std::pair<DUxUnitField, int32_t>> set;
    };
    const Case cases[] = {
        {"off", u"25.4", u"25.4", {{DUxUnitField::DisplayAltUnit, 0}}},
        {"inches", u"25.4", u"25.4 [1.000]", {}},
        {"no trailing zeros", u"25.4", u"25.4 [1]", {{DUxUnitField::AltSuppressTrailZero, 1}}},
        {"no leading zero", u"12.7", u"12.7 [.500]", {{DUxUnitField::AltSuppressLeadZero, 1}}},
        {"comma", u"12,7", u"12,7 [0,500]", {{DUxUnitField::AltDecimalMarker, 1}}},
        {"unit string", u"12.7", u"12.7 [0.500in]", {{DUxUnitField::DisplayAltUnitStr, 1}}},
        {"precision", u"1", u"1 [0.04]", {{DUxUnitField::AltPrecision, 2}}},
        {"negative", u"-2.54", u"-2.54 [-0.100]", {}},
        {"after a symbol", u"{\\FKVGDT.TTF;n}2.54 M", u"{\\FKVGDT.TTF;n}2.54 M [0.100]", {}},
        {"inches to millimetres",
         u"0.5",
         u"0.5 [12.700]",
         {{DUxUnitField::PrimUnitType, 2}, {DUxUnitField::AltUnitType, 1}}},
        {"no number", u"A", u"A", {}},
        {"unknown unit", u"1", u"1", {{DUxUnitField::AltUnitType, 9}}},
    };
    for (const Case& c : cases) {
        DUxSymUnitAttr units;
        units.SetFactoryDefaults(); // millimetres, inches at precision 3, alternate hidden
        units.SetField(DUxUnitField::DisplayAltUnit, 1);
        for (const auto& [field, value] : c.set) {
            units.SetField(field, value);
            EXPECT_EQ(units.GetField(field), value) << c.name;
        }
        EXPECT_EQ(units.addUnitProperties(c.text), c.expected) << c.name;
    }
}

TEST(DUxSymUnitAttr, StyleAndStandardStyleGiveTheirUnitFields) {
    DLxDrawingDoc doc;
    DLxDrawing* drawing = doc.GetDrawing();
    ASSERT_NE(drawing, nullptr);
    drawing->SetStandardName(u"ISO");
    auto makeStyle = [&](const char16_t* name, int32_t precision) {
        auto* style = new (RSe::_GetMeta(static_cast<const DUxFeatureControlFrameStyle*>(nullptr)),
                           drawing->GetSegment()) DUxFeatureControlFrameStyle();
        style->SetStyleName(name);
        style->SetUnitValue(DUxUnitField::AltPrecision, precision);
        style->SetUnitValue(DUxUnitField::DisplayAltUnit, 1);
        drawing->AddStyle(style);
        return style;
    };
    DUxFeatureControlFrameStyle* own = makeStyle(u"Mine", 2);
    makeStyle(u"ISO", 4);

    const DUxFeatureControlFrameStyleWrapper wrapper{RSeRef<DUxFeatureControlFrameStyle>(own),
                                                     RSeRef<RDxObject>()};
    std::unique_ptr<DUxSymUnitAttr> units = wrapper.GetSymUnitAttr();
    ASSERT_NE(units, nullptr);
    EXPECT_EQ(units->GetSegment(), nullptr);
    EXPECT_EQ(units->GetAltPrecision(), 2);
    EXPECT_TRUE(units->GetDisplayAltUnit());
    units->PopulateFromStandardStyle(nullptr, &doc);
    EXPECT_EQ(units->GetAltPrecision(), 4);

    // A document without the standard's style leaves the attributes as they were.
    drawing->SetStandardName(u"JIS");
    units->SetAltPrecision(1);
    units->PopulateFromStandardStyle(drawing, nullptr);
    EXPECT_EQ(units->GetAltPrecision(), 1);
}

} // namespace
