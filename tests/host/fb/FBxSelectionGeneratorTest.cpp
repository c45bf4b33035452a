// Selection generators: found by name or through an object's class and its bases, and gone with
// the object that registered them.
#include <gtest/gtest.h>

#include "TstStoredClasses.h"
#include "fb/FBxSelectionGenerator.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"

namespace {

class TstSelection : public CountedCObj {
public:
    TstSelection(const char* by, FWxSceneDoc* doc, const RSeRefBase& obj)
        : m_by(by), m_doc(doc), m_obj(obj) {}
    std::string m_by;
    FWxSceneDoc* m_doc;
    RSeRefBase m_obj;
};

SmartPtr<CountedCObj> NodeSelection(FWxSceneDoc* doc, const RSeRefBase& obj) {
    return new TstSelection("node", doc, obj);
}
SmartPtr<CountedCObj> DerivedSelection(FWxSceneDoc* doc, const RSeRefBase& obj) {
    return new TstSelection("derived", doc, obj);
}
SmartPtr<CountedCObj> NoSelection(FWxSceneDoc*, const RSeRefBase&) {
    return nullptr;
}

// Which generator made the selection of `obj`; empty when none did.
std::string MadeBy(FWxSceneDoc* doc, const RSeRefBase& obj) {
    SmartPtr<CountedCObj> sel = FBxSelectionGenerator::GenerateFor(doc, obj);
    auto* tst = static_cast<TstSelection*>(sel.get());
    if (!tst) return {};
    EXPECT_EQ(tst->m_doc, doc);
    EXPECT_EQ(tst->m_obj, obj);
    return tst->m_by;
}

TEST(FBxSelectionGenerator, DerivedClassesUseTheNearestBasesGenerator) {
    FWxSceneDoc doc;
    RSeSegment* seg = RSe::SegmentOf(doc.GetRSeDb());
    const RSeRefBase node(TstNew<TstNode>(seg));
    const RSeRefBase derived(TstNew<TstDerived>(seg));
    const RSeRefBase zero(TstNew<TstZero>(seg));
    {
        FBxSelectionGenerator forNode(u"TstNode", &NodeSelection);
        ASSERT_TRUE(forNode.IsRegistered());
        EXPECT_EQ(FBxSelectionGenerator::Find(u"TstNode"), &forNode);
        EXPECT_EQ(FBxSelectionGenerator::FindFor(TstMeta<TstDerived>()), &forNode);
        EXPECT_EQ(MadeBy(&doc, node), "node");
        EXPECT_EQ(MadeBy(&doc, derived), "node");
        EXPECT_EQ(MadeBy(&doc, zero), "");
        EXPECT_EQ(MadeBy(&doc, RSeRefBase()), "");
        {
            FBxSelectionGenerator forDerived(u"TstDerived", &DerivedSelection);
            EXPECT_EQ(MadeBy(&doc, derived), "derived");
            EXPECT_EQ(MadeBy(&doc, node), "node");

            // The first registration keeps the name; the refused one takes nothing with it.
            FBxSelectionGenerator again(u"TstDerived", &NoSelection);
            EXPECT_FALSE(again.IsRegistered());
            EXPECT_EQ(FBxSelectionGenerator::Find(u"TstDerived"), &forDerived);
        }
        EXPECT_EQ(MadeBy(&doc, derived), "node");
        FBxSelectionGenerator forZero(u"TstZero", &NoSelection);
        EXPECT_EQ(FBxSelectionGenerator::FindFor(zero), &forZero);
        EXPECT_EQ(MadeBy(&doc, zero), ""); // a generator may decline
    }
    EXPECT_EQ(FBxSelectionGenerator::Find(u"TstNode"), nullptr);
    EXPECT_EQ(MadeBy(&doc, derived), "");
}

} // namespace
