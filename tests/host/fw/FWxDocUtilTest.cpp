// The document of an object: the one whose database holds it, for as long as it exists.
#include <gtest/gtest.h>

#include <memory>

#include "TstStoredClasses.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"

namespace {

TEST(FWxDocUtil, ObjectsAnswerTheDocumentOfTheirDatabase) {
    FWxSceneDoc first;
    auto second = std::make_unique<FWxSceneDoc>();
    RSeSegment* extra = second->GetRSeDb()->CreateSegment(u"Extra");
    TstNode* inFirst = TstNew<TstNode>(RSe::SegmentOf(first.GetRSeDb()));
    TstValue* valueInFirst = TstNew<TstValue>(RSe::SegmentOf(first.GetRSeDb()));
    TstNode* inSecond = TstNew<TstNode>(extra);
    TstNode* transient = TstNew<TstNode>(RSe::TransientSegment());
    TstNode* transacted = TstNew<TstNode>(RSe::TransientSegment(true));

    EXPECT_EQ(FWxDocUtil::DocumentOf(inFirst), &first);
    EXPECT_EQ(FWxDocUtil::DocumentOf(valueInFirst), &first);
    EXPECT_EQ(FWxDocUtil::DocumentOf(inSecond), second.get());
    EXPECT_EQ(FWxDocUtil::DocumentOf(second->GetRSeDb()), second.get());
    EXPECT_EQ(FWxDocUtil::DocumentOf(transient), nullptr);
    EXPECT_EQ(FWxDocUtil::DocumentOf(transacted), nullptr);
    EXPECT_EQ(FWxDocUtil::DocumentOf(static_cast<const RSeVMeta*>(nullptr)), nullptr);

    TstValue loose; // made outside any segment
    EXPECT_EQ(FWxDocUtil::DocumentOf(&loose), nullptr);

    const RSeDatabase* secondDb = second->GetRSeDb();
    second.reset();
    EXPECT_EQ(FWxDocUtil::DocumentOf(secondDb), nullptr);
    EXPECT_EQ(FWxDocUtil::DocumentOf(inFirst), &first);
    delete transient;
    delete transacted;
}

} // namespace
