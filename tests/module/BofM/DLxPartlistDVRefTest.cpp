// A parts list's design-view reference: binding it to a design view of the bill's master
// component, and which notifications mark the parts list dirty in its bill.
#include <gtest/gtest.h>

#include "BofM/DLxPartlistDVRef.h"
#include "KorvuBOMFixture.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxAnnotationUpdateState.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSheet.h"
#include "fw/FWxDesignView.h"
#include "ge/WqGePoint3d.h"
#include "rd/RDxComponent.h"
#include "rse/RSeDatabase.h"
#include "ufr/UFRxInstance.h"

namespace {

using namespace KorvuBOM;

// A drawing of the bracket assembly, whose root has a second design view, and a parts list
// (here an anchor point registered with the bill as a parts list) to own the reference.
class DesignViewRef : public ::testing::Test {
protected:
    void SetUp() override {
        m_assembly.components.front().representations.push_back(u"Exploded");
        ASSERT_TRUE(m_doc.SetAssembly(m_assembly));
        m_bom = DLxLocalBOMMgr::GetLocalBOM(m_doc.GetRSeDb(), m_assembly, 1, true);
        ASSERT_TRUE(m_bom);
        m_state = m_bom->RegisterAnnotation(m_sheet, m_list, true);
        m_state->SetUpdateType(DLxAnnotationUpdateState::kPartsList);
        m_master = m_bom->GetMasterRDxComp();
        ASSERT_TRUE(m_master);
    }
    DLxAssemblyData m_assembly = BracketAssembly();
    DLxDrawingDoc m_doc;
    DLxSheet* m_sheet = m_doc.CreateSheet(u"Sheet 1", 420, 297);
    DLxAnchorPoint* m_list = DLxAnchorPoint::CreateFree(m_sheet, WqGePoint3d(10, 10, 0));
    DLxLocalBOM* m_bom = nullptr;
    DLxAnnotationUpdateState* m_state = nullptr;
    RDxComponent* m_master = nullptr;
};

TEST_F(DesignViewRef, DesignViewsAreTheMasterComponentsRepresentations) {
    FWxDesignViewAccessor views(&m_doc);
    RSeRef<FWxDesignView> exploded = views.GetDesignView(m_master, u"Exploded");
    ASSERT_TRUE(exploded);
    EXPECT_EQ(exploded->GetName(), u"Exploded");
    EXPECT_EQ(exploded->GetComponent(), m_master);
    ASSERT_TRUE(exploded->GetUFRxState());
    EXPECT_EQ(exploded->GetUFRxState()->Client(), UFRx::DesignView);
    EXPECT_EQ(views.GetDesignView(m_master, u"Exploded").get(), exploded.get())
        << "found again, not made again";
    EXPECT_FALSE(views.GetDesignView(m_master, u"Missing"));
    EXPECT_FALSE(views.GetDesignView(m_master, u""));
    EXPECT_FALSE(views.GetDesignView(m_bom->GetRDxComponent(kBolt), u"Exploded"));
}

TEST_F(DesignViewRef, NotificationsMarkTheOwnerDirtyUnlessValidityHolds) {
    DLxPartlistDVRef ref;
    UFRxInstance* instance = UFRxInstance::Make(m_doc.GetRSeDb(), m_master);
    ASSERT_TRUE(instance);
    ref.Target(UFRxRefTarget(instance, m_master));
    RSeRef<FWxDesignView> view = FWxDesignViewAccessor(&m_doc).GetDesignView(m_master, u"Exploded");
    ASSERT_TRUE(instance->AddRefdState(view->GetUFRxState(), 0xffffffffu, false));
    ASSERT_EQ(ref.GetReactors().size(), 1u);
    EXPECT_EQ(ref.GetReactors().front()->GetName(), DLxPartlistDVRefReactor::kName);
    EXPECT_EQ(ref.GetKind(), 3);
    EXPECT_EQ(ref.GetFlags(), 2);

    EXPECT_EQ(instance->RecacheReactionField(22), 1);
    EXPECT_FALSE(m_state->IsDirty()) << "no owner yet";
    ref.SetOwnerNode(m_list);

    struct Case {
        int32_t field;
        bool value;
        bool heard, marked;
    };
    const Case cases[] = {
        {22, false, true, true}, {22, true, true, true},   {9, false, true, true},
        {9, true, true, false},  {5, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.field) + (c.value ? " true" : " false"));
        m_state->SetDirty(false);
        EXPECT_EQ(instance->RecacheReactionField(c.field, c.value), c.heard ? 1 : 0);
        EXPECT_EQ(m_state->IsDirty(), c.marked);
    }

    // The reactor's answer is the marking's: false for an owner the bill does not have.
    DLxAnchorPoint* stray = DLxAnchorPoint::CreateFree(m_sheet, WqGePoint3d(50, 50, 0));
    ref.SetOwnerNode(stray);
    EXPECT_FALSE(ref.GetReactors().front()->OnNotify(UFRxNotificationField(22, false)));
    ref.SetOwnerNode(m_list);
    EXPECT_TRUE(ref.GetReactors().front()->OnNotify(UFRxNotificationField(22, false)));
    EXPECT_EQ(DLxLocalBOMMgr::GetLocalBOM(m_list), m_bom);
    EXPECT_EQ(DLxLocalBOMMgr::GetLocalBOM(stray), nullptr);
}

} // namespace
