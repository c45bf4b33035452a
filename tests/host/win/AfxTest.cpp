#include <gtest/gtest.h>

#include <memory>

#include "Afx.h"

namespace {

// Base -> Shape -> Circle, with a sibling Square; Shape and Circle can be created by name,
// Square only knows its class.
class TstShape : public CObject {
    DECLARE_DYNCREATE(TstShape)
    virtual const char* Kind() const { return "shape"; }
};
IMPLEMENT_DYNCREATE(TstShape, CObject)

class TstCircle : public TstShape {
    DECLARE_DYNCREATE(TstCircle)
    const char* Kind() const override { return "circle"; }
    double m_radius = 2.5;
};
IMPLEMENT_DYNCREATE(TstCircle, TstShape)

class TstSquare : public TstShape {
    DECLARE_DYNAMIC(TstSquare)
    explicit TstSquare(double side) : m_side(side) {}
    const char* Kind() const override { return "square"; }
    double m_side;
};
IMPLEMENT_DYNAMIC(TstSquare, TstShape)

class TstCommandSink : public CCmdTarget {
    DECLARE_DYNCREATE(TstCommandSink)
};
IMPLEMENT_DYNCREATE(TstCommandSink, CCmdTarget)

// Taken while this file initialises: class data never waits for start-up to finish, and the
// library's classes are registered before any user of the library starts.
const bool g_derivedAtStartup = RUNTIME_CLASS(TstCircle)->IsDerivedFrom(RUNTIME_CLASS(CObject));
const CRuntimeClass* const g_cmdTargetAtStartup = CRuntimeClass::FromName("CCmdTarget");

TEST(CRuntimeClass, CreateObjectMakesTheClassItDescribes) {
    std::unique_ptr<CObject> circle(RUNTIME_CLASS(TstCircle)->CreateObject());
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->GetRuntimeClass(), RUNTIME_CLASS(TstCircle));
    auto* shape = DYNAMIC_DOWNCAST(TstShape, circle.get());
    ASSERT_NE(shape, nullptr);
    EXPECT_STREQ(shape->Kind(), "circle");
    EXPECT_EQ(static_cast<TstCircle*>(shape)->m_radius, 2.5);

    std::unique_ptr<CObject> byName(CRuntimeClass::CreateObject("TstShape"));
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(byName->GetRuntimeClass(), RUNTIME_CLASS(TstShape));

    const CRuntimeClass* rc = RUNTIME_CLASS(TstCircle);
    EXPECT_STREQ(rc->m_lpszClassName, "TstCircle");
    EXPECT_EQ(rc->m_nObjectSize, static_cast<int32_t>(sizeof(TstCircle)));
    EXPECT_EQ(rc->m_pfnGetBaseClass(), RUNTIME_CLASS(TstShape));
}

TEST(CRuntimeClass, ClassWithoutDynCreateHasNoFactory) {
    const CRuntimeClass* rc = RUNTIME_CLASS(TstSquare);
    EXPECT_EQ(rc->m_pfnCreateObject, nullptr);
    EXPECT_EQ(rc->CreateObject(), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("TstSquare"), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("CCmdTarget"), nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CObject)->CreateObject(), nullptr);
}

TEST(CObject, IsKindOfFollowsEveryBase) {
    TstSquare square(1.0);
    TstCircle circle;
    TstCommandSink sink;
    struct Case {
        const CObject* object;
        const CRuntimeClass* cls;
        bool expected;
    };
    const Case cases[] = {
        {&circle, RUNTIME_CLASS(TstCircle), true},   {&circle, RUNTIME_CLASS(TstShape), true},
        {&circle, RUNTIME_CLASS(CObject), true},     {&circle, RUNTIME_CLASS(TstSquare), false},
        {&circle, RUNTIME_CLASS(CCmdTarget), false}, {&circle, nullptr, false},
        {&square, RUNTIME_CLASS(TstShape), true},    {&square, RUNTIME_CLASS(TstCircle), false},
        {&sink, RUNTIME_CLASS(CCmdTarget), true},    {&sink, RUNTIME_CLASS(CObject), true},
        {&sink, RUNTIME_CLASS(TstShape), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.object->GetRuntimeClass()->m_lpszClassName << " of "
                                        << (c.cls ? c.cls->m_lpszClassName : "null"));
        EXPECT_EQ(c.object->IsKindOf(c.cls), c.expected);
    }
    // A base class object is not of its derived classes.
    std::unique_ptr<CObject> shape(RUNTIME_CLASS(TstShape)->CreateObject());
    EXPECT_FALSE(shape->IsKindOf(RUNTIME_CLASS(TstCircle)));
    EXPECT_EQ(DYNAMIC_DOWNCAST(TstCircle, shape.get()), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(TstCircle, nullptr), nullptr);
}

TEST(CRuntimeClass, FromNameFindsEveryDeclaredClass) {
    EXPECT_TRUE(g_derivedAtStartup);
    EXPECT_EQ(g_cmdTargetAtStartup, RUNTIME_CLASS(CCmdTarget));

    struct Case {
        const char* name;
        const CRuntimeClass* expected;
    };
    const Case cases[] = {
        {"CObject", RUNTIME_CLASS(CObject)},
        {"CCmdTarget", RUNTIME_CLASS(CCmdTarget)},
        {"TstShape", RUNTIME_CLASS(TstShape)},
        {"TstCircle", RUNTIME_CLASS(TstCircle)},
        {"TstSquare", RUNTIME_CLASS(TstSquare)},
        {"TstCommandSink", RUNTIME_CLASS(TstCommandSink)},
        {"tstcircle", nullptr},
        {"TstTriangle", nullptr},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CRuntimeClass::FromName(c.name), c.expected);
    }
    EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
}

} // namespace
