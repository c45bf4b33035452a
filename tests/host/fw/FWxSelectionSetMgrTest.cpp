// A document's selection sets: one manager per document, named sets found by name, and one
// call that ends every selection of the document.
#include <gtest/gtest.h>

#include "fw/FWxSceneDoc.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"

namespace {

SmartPtr<FWxSelection> NewSelection() {
    return SmartPtr<FWxSelection>(new FWxSelection());
}

TEST(FWxSelectionSetMgr, EachDocumentHasItsSetsAndEmptyingReachesThemAll) {
    EXPECT_EQ(FWxSelectionSetMgr::Get(nullptr), nullptr);
    FWxSceneDoc a, b;
    FWxSelectionSetMgr* ma = FWxSelectionSetMgr::Get(&a);
    ASSERT_NE(ma, nullptr);
    EXPECT_EQ(FWxSelectionSetMgr::Get(&a), ma);
    ASSERT_NE(FWxSelectionSetMgr::Get(&b), ma);

    ma->GetDrawSelectionSet()->Add(NewSelection());
    ma->GetPreSelectionSet()->Add(NewSelection());
    FWxSelectionSet* picks = ma->Add(u"Picks");
    picks->Add(NewSelection());
    EXPECT_EQ(ma->Add(u"Picks"), picks);
    EXPECT_EQ(ma->Find(u"Picks"), picks);
    EXPECT_EQ(ma->Find(u"picks"), nullptr);
    FWxSelectionSetMgr::Get(&b)->GetDrawSelectionSet()->Add(NewSelection());

    ma->EmptySelectionSets();
    EXPECT_TRUE(ma->GetDrawSelectionSet()->IsEmpty());
    EXPECT_TRUE(ma->GetPreSelectionSet()->IsEmpty());
    EXPECT_TRUE(picks->IsEmpty());
    // The other document's selection is its own.
    EXPECT_EQ(FWxSelectionSetMgr::Get(&b)->GetDrawSelectionSet()->Count(), 1u);

    ma->Remove(u"Picks");
    EXPECT_EQ(ma->Find(u"Picks"), nullptr);
}

} // namespace
