// Templates found by GUID and version, and the instances they compute.
#include <gtest/gtest.h>

#include "DcTestSupport.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxErrors.h"
#include "dc/RDxInstance.h"
#include "dc/RDxTemplate.h"
#include "dc/RSeTemplateMgr.h"
#include "rd/RDxInt.h"
#include "rse/RSeDatabase.h"

namespace {

const UTxGUID kScaleGuid = kTstScaleGuid;
const UTxGUID kOtherGuid(0x51a7e202, 0x00010001, 0x80000000, 0x00000002);

TEST(RSeTemplateMgr, FindsTemplatesByGuidAndVersion) {
    TstScaleTemplate v1(kScaleGuid, 1, u"scale"), v2(kScaleGuid, 2, u"scale");
    TstScaleTemplate other(kOtherGuid, 0);
    for (RDxTemplate* t : {&v2, &other, &v1})
        ASSERT_TRUE(RSeTemplateMgr::Register(t));

    {
        // Destroying a template that could not register leaves the one that did.
        TstScaleTemplate twin(kScaleGuid, 1), negative(kOtherGuid, -1);
        EXPECT_FALSE(RSeTemplateMgr::Register(&twin));
        EXPECT_FALSE(RSeTemplateMgr::Register(&negative));
        EXPECT_FALSE(RSeTemplateMgr::Register(nullptr));
    }

    const UTxGUID unknown(0x51a7e2ff, 0, 0, 0);
    struct Case {
        UTxGUID guid;
        int32_t version;
        RDxTemplate* found;
    };
    const Case cases[] = {
        {kScaleGuid, 1, &v1},     {kScaleGuid, 2, &v2},  {kScaleGuid, 3, nullptr},
        {kScaleGuid, 0, nullptr}, {kScaleGuid, -1, &v2}, {kOtherGuid, -1, &other},
        {unknown, -1, nullptr},   {unknown, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.guid.ToString() + " v" + std::to_string(c.version));
        EXPECT_EQ(RSeTemplateMgr::GetTemplate(c.guid, c.version), c.found);
    }

    // A template that goes leaves the registry.
    {
        TstScaleTemplate brief(kOtherGuid, 5);
        ASSERT_TRUE(RSeTemplateMgr::Register(&brief));
        EXPECT_EQ(RSeTemplateMgr::GetTemplate(kOtherGuid, -1), &brief);
    }
    EXPECT_EQ(RSeTemplateMgr::GetTemplate(kOtherGuid, 5), nullptr);
    EXPECT_EQ(RSeTemplateMgr::GetTemplate(kOtherGuid, -1), &other);
}

struct InstanceDoc {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    RDxInstance* inst = TstMake<RDxInstance>(seg);
    RDxInt* in = TstMake<RDxInt>(seg);
    RDxInt* out = TstMake<RDxInt>(seg);
    InstanceDoc() {
        in->SetValue(6);
        inst->AddInputState(in);
        EXPECT_TRUE(inst->AddOutputState(out).IsEmpty());
    }
};

TEST(RDxInstance, KeepsItsInputStatesInOrder) {
    InstanceDoc d;
    auto* second = TstMake<RDxInt>(d.seg);
    d.inst->AddInputState(second);
    d.inst->AddInputState(d.in); // one state may feed two inputs
    EXPECT_EQ(d.inst->GetInputStateCount(), 3u);
    EXPECT_EQ(d.inst->GetInputState(1), second);
    EXPECT_EQ(d.inst->GetInputState(2), d.in);
    EXPECT_EQ(d.inst->GetInputState(3), nullptr);

    d.inst->MarkEdited(false);
    EXPECT_TRUE(d.inst->SetInputState(2, second));
    EXPECT_TRUE(d.inst->IsEdited());
    EXPECT_FALSE(d.inst->SetInputState(3, second));
    EXPECT_TRUE(d.inst->RemoveInputState(0));
    EXPECT_EQ(d.inst->GetInputState(0), second);
    EXPECT_EQ(d.inst->GetInputStates().size(), 2u);
    EXPECT_FALSE(d.inst->RemoveInputState(2));
}

TEST(RDxInstance, TheTemplateComputesItOrItSaysWhyNot) {
    TstScaleTemplate tmpl(kScaleGuid, 4, u"scale");
    ASSERT_TRUE(RSeTemplateMgr::Register(&tmpl));
    RDxComputeContext ctx;
    ctx.SetInt(u"test.scale", 3);

    struct Case {
        const char* what;
        void (*arrange)(InstanceDoc&);
        UTxResultCode code;
    };
    const Case cases[] = {
        {"bound", [](InstanceDoc& d) { d.inst->SetTemplateId(kScaleGuid, 4); }, 0},
        {"unbound", [](InstanceDoc&) {}, kRDxErrNoTemplate},
        {"version not registered", [](InstanceDoc& d) { d.inst->SetTemplateId(kScaleGuid, 3); },
         kRDxErrNoTemplate},
        {"too many inputs",
         [](InstanceDoc& d) {
             d.inst->SetTemplateId(kScaleGuid, 4);
             d.inst->AddInputState(d.in);
         },
         kRDxErrInputCount},
        {"input gone",
         [](InstanceDoc& d) {
             d.inst->SetTemplateId(kScaleGuid, 4);
             delete d.in;
         },
         kRDxErrMissingInput},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InstanceDoc d;
        c.arrange(d);
        UTxResult r = d.inst->Compute(ctx);
        EXPECT_EQ(r.GetCode(), c.code) << r.GetMessageUtf8();
        EXPECT_EQ(d.out->GetValue(), c.code ? 0 : 18);
    }

    InstanceDoc d;
    d.inst->SetTemplate(&tmpl);
    EXPECT_EQ(d.inst->GetTemplate(), &tmpl);
    EXPECT_EQ(d.inst->GetTemplateVersion(), 4);
    d.inst->SetTemplate(nullptr);
    EXPECT_EQ(d.inst->GetTemplate(), nullptr);
}

} // namespace
