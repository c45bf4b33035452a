// The document's contract for changes: validation before the transaction, a failed execution
// leaves the document exactly as it was, and undo and redo restore whole changes.
#include <gtest/gtest.h>

#include <functional>

#include "TstStoredClasses.h"
#include "fw/FWxChangeRequest.h"
#include "fw/FWxErrors.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"

namespace {

// A request that runs a function as its execution.
class FnRequest : public FWxChangeRequest {
public:
    using Fn = std::function<UTxResult(FWxSceneDoc*)>;
    explicit FnRequest(Fn run, UTxResult validation = {})
        : m_run(std::move(run)), m_validation(validation) {}
    UTxResult ValidateInputs(FWxSceneDoc*) override { return m_validation; }
    UTxResult _Execute(FWxSceneDoc* doc) override {
        ++executed;
        return m_run(doc);
    }
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange&) override { return {}; }
    int executed = 0;

private:
    Fn m_run;
    UTxResult m_validation;
};

std::vector<uint8_t> Bytes(FWxSceneDoc& doc) {
    std::vector<uint8_t> out;
    EXPECT_FALSE(doc.GetRSeDb()->SaveToBuffer(out).Failed());
    return out;
}

struct DocFixture : ::testing::Test {
    FWxSceneDoc doc;
    RSeSegment* seg = RSe::SegmentOf(doc.GetRSeDb());
    std::vector<RSeRef<TstNode>> nodes;
    void SetUp() override {
        TstNode* prev = nullptr;
        for (int i = 0; i < 4; ++i) {
            TstNode* n = TstNew<TstNode>(seg);
            TstFillNode(n, prev, i);
            nodes.emplace_back(n);
            prev = n;
        }
    }
    UTxResult Run(FnRequest::Fn fn) {
        return doc.ProcessChangeRequest(new FnRequest(std::move(fn)));
    }
};

TEST_F(DocFixture, AFailingExecutionRestoresTheSavedBytesExactly) {
    const auto before = Bytes(doc);
    UTxResult r = Run([&](FWxSceneDoc*) {
        nodes[0]->m_text = u"half done";
        nodes[1]->m_value->m_weight = -99;
        TstNode* extra = TstNew<TstNode>(seg);
        nodes[2]->m_ref = extra;
        RSe::DeleteObject(nodes[3].get());
        return UTxResult(0xE00B0999);
    });
    EXPECT_EQ(r.GetCode(), 0xE00B0999u);
    EXPECT_EQ(Bytes(doc), before);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_TRUE(nodes[3].HasTarget());
}

TEST_F(DocFixture, ValidationRefusesBeforeAnyTransaction) {
    SmartPtr<FnRequest> req(
        new FnRequest([](FWxSceneDoc*) { return UTxResult(); }, UTxResult(0xE00B0998)));
    EXPECT_EQ(doc.ProcessChangeRequest(req).GetCode(), 0xE00B0998u);
    EXPECT_EQ(req->executed, 0);
    EXPECT_FALSE(doc.CanUndo());
}

TEST_F(DocFixture, UndoThenRedoOfASequenceGivesTheSameBytes) {
    std::vector<std::vector<uint8_t>> states = {Bytes(doc)};
    for (int k = 0; k < 4; ++k) {
        ASSERT_FALSE(Run([&, k](FWxSceneDoc*) {
                         nodes[k]->m_long += 10;
                         if (k == 2) RSe::DeleteObject(nodes[0].get());
                         if (k == 3) TstFillNode(TstNew<TstNode>(seg), nodes[1].get(), 9);
                         return UTxResult();
                     }).Failed());
        states.push_back(Bytes(doc));
    }
    for (int k = 3; k >= 0; --k) {
        ASSERT_FALSE(doc.Undo().Failed());
        EXPECT_EQ(Bytes(doc), states[k]);
    }
    EXPECT_EQ(doc.Undo().GetCode(), kFWxErrNothingToUndo);
    for (int k = 0; k < 4; ++k) {
        ASSERT_FALSE(doc.Redo().Failed());
        EXPECT_EQ(Bytes(doc), states[k + 1]);
    }
    EXPECT_EQ(doc.Redo().GetCode(), kFWxErrNothingToRedo);

    // A new change after an undo drops what could have been redone.
    ASSERT_FALSE(doc.Undo().Failed());
    ASSERT_FALSE(Run([&](FWxSceneDoc*) { return UTxResult(); }).Failed());
    EXPECT_FALSE(doc.CanRedo());
}

TEST_F(DocFixture, AChangeCannotStartInsideAnother) {
    UTxResult inner;
    ASSERT_FALSE(Run([&](FWxSceneDoc* d) {
                     inner = d->ProcessChangeRequest(
                         new FnRequest([](FWxSceneDoc*) { return UTxResult(); }));
                     return UTxResult();
                 }).Failed());
    EXPECT_EQ(inner.GetCode(), kFWxErrBusy);
    EXPECT_EQ(doc.GetUndoDepth(), 1u);
}

TEST_F(DocFixture, TheHistoryKeepsTheTransactionButNotTheRequest) {
    // A request lives for one execution: undo and redo need only what the transaction
    // recorded, and a history of thousands of steps must not hold every request's inputs.
    SmartPtr<FnRequest> req(new FnRequest([&](FWxSceneDoc*) {
        nodes[0]->m_long += 5;
        return UTxResult();
    }));
    const auto before = Bytes(doc);
    ASSERT_FALSE(doc.ProcessChangeRequest(req).Failed());
    const auto after = Bytes(doc);
    EXPECT_EQ(req->GetRefCount(), 1);
    req.reset();
    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_EQ(Bytes(doc), before);
    ASSERT_FALSE(doc.Redo().Failed());
    EXPECT_EQ(Bytes(doc), after);
}

} // namespace
