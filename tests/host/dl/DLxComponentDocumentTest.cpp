// A component's document as the older parts lists read and write it: general ids onto the
// model's fields and user properties, named properties with their types, and writes that
// replace the drawing's assembly only where they may.
#include <gtest/gtest.h>

#include "KorvuBOMFixture.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxComponentDocument.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "rd/RDxComponent.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"

namespace {

using namespace KorvuBOM;

const DLxAssemblyComponent* Find(const DLxAssemblyData& a, int32_t id) {
    for (const DLxAssemblyComponent& c : a.components)
        if (c.id == id) return &c;
    return nullptr;
}

struct ComponentDocument : ::testing::Test {
    void SetUp() override {
        DLxAssemblyData a = BracketAssembly();
        for (DLxAssemblyComponent& c : a.components)
            if (c.id == kMotor)
                c.userProperties = {
                    {u"Teeth", u"42"}, {u"Ratio", u"2.5"}, {u"Designer", u"R. Hale"}};
        ASSERT_TRUE(doc.SetAssembly(a));
        bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), *doc.GetAssembly(), 1, true);
        ASSERT_TRUE(bom);
        motor = DLxComponentDocument::Of(bom->GetRDxComponent(kMotor));
        ASSERT_TRUE(motor);
    }
    DLxDrawingDoc doc;
    DLxLocalBOM* bom = nullptr;
    DLxComponentDocument motor;
};

TEST_F(ComponentDocument, GeneralIdsReadTheModelsFields) {
    struct Case {
        int32_t id;
        std::u16string text;
        int32_t type;
    } cases[] = {
        {1, u"motor", 1},
        {5, u"MX-24", 1},
        {14, u"Motorwerk", 1},
        {20, u"1.2", 3},
        {29, u"Gear motor 24 V", 1},
        {38, u"Part", 1},
        {39, u"parts/motor.part", 1},
        {8, u"R. Hale", 1},
        {2, u"", 1},
        {77, u"", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(motor.GetValueString(c.id), c.text);
        EXPECT_EQ(motor.GetValueType(c.id), c.type);
    }
    struct Named {
        std::u16string name;
        int32_t type, integer;
        double real;
    } named[] = {
        {u"Teeth", 2, 42, 42.0},
        {u"Ratio", 3, 2, 2.5},
        {u"Designer", 1, 0, 0.0},
        {u"None", 1, 0, 0.0},
    };
    for (const Named& n : named) {
        SCOPED_TRACE(std::string(n.name.begin(), n.name.end()));
        EXPECT_EQ(motor.GetValueTypeS(n.name), n.type);
        EXPECT_EQ(motor.GetIntValueS(n.name), n.integer);
        EXPECT_EQ(motor.GetDoubleValueS(n.name), n.real);
    }
}

// Writes replace the drawing's assembly and the bills read it again; what cannot be written
// (the kind, the path, a mass that is no number) changes nothing.
TEST_F(ComponentDocument, WritesReachTheDrawingsAssemblyWhereTheyMay) {
    EXPECT_TRUE(motor.SetValueString(5, u"MX-25"));
    EXPECT_TRUE(motor.SetValueString(7, u"Line 4"));
    EXPECT_TRUE(motor.SetDoubleValueS(u"Ratio", 0.1));
    EXPECT_TRUE(motor.SetIntValueS(u"Poles", -4));
    const DLxAssemblyComponent* c = Find(*doc.GetAssembly(), kMotor);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->partNumber, u"MX-25");
    EXPECT_EQ(motor.GetValueString(7), u"Line 4");
    EXPECT_EQ(motor.GetDoubleValueS(u"Ratio"), 0.1);
    EXPECT_EQ(motor.GetIntValueS(u"Poles"), -4);
    EXPECT_EQ(bom->GetRDxComponent(kMotor)->GetProperty(u"PartNumber"), u"MX-25");

    const DLxAssemblyData before = *doc.GetAssembly();
    EXPECT_FALSE(motor.SetValueString(38, u"Assembly"));
    EXPECT_FALSE(motor.SetValueString(39, u"parts/other.part"));
    EXPECT_FALSE(motor.SetValueString(20, u"heavy"));
    EXPECT_FALSE(motor.SetStringValueS(u"", u"x"));
    EXPECT_EQ(*doc.GetAssembly(), before);

    // A component of a database that is no drawing's has no document.
    RSeDatabase db;
    auto* stray = new (RSe::_GetMeta(static_cast<const RDxComponent*>(nullptr)),
                       db.CreateSegment(u"Model")) RDxComponent();
    DLxComponentDocument none = DLxComponentDocument::Of(stray);
    EXPECT_FALSE(none);
    EXPECT_EQ(none.GetValueString(5), u"");
    EXPECT_FALSE(none.SetValueString(5, u"x"));
}

} // namespace
