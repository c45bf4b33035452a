// Transactions: a rolled-back change leaves the document exactly as it was, and undo and redo
// move between the states that were committed.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TstStoredClasses.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"

namespace {

std::vector<uint8_t> Bytes(RSeDatabase& db) {
    std::vector<uint8_t> out;
    EXPECT_FALSE(db.SaveToBuffer(out).Failed());
    return out;
}

struct Doc {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    std::vector<RSeRef<TstNode>> nodes;
    Doc() {
        TstNode* prev = nullptr;
        for (int i = 0; i < 5; ++i) {
            TstNode* n = TstNew<TstNode>(seg);
            TstFillNode(n, prev, i);
            nodes.emplace_back(n);
            prev = n;
        }
    }
};

// A change that touches every kind of thing: fields, references, value objects, vectors,
// a new object and a deleted one.
void BigChange(Doc& d, int k) {
    d.nodes[1]->m_long = 1000 + k;
    d.nodes[1]->m_text = u"changed";
    d.nodes[1]->m_refs.push_back(d.nodes[3]);
    d.nodes[2]->m_value->m_label = u"value changed"; // a held value, through its owner
    d.nodes[3]->m_value = TstNew<TstValue>(d.seg);   // a held value replaced
    d.nodes[3]->m_texts.push_back(u"new entry");
    TstNode* made = TstNew<TstNode>(d.seg);
    TstFillNode(made, d.nodes[4].get(), 40 + k);
    d.nodes[0]->m_ref = made;
    RSe::DeleteObject(d.nodes[4].get());
}

TEST(RSeTransactions, AbortLeavesTheSavedBytesExactlyAsBefore) {
    Doc d;
    const auto before = Bytes(d.db);
    d.db.BeginTxn();
    BigChange(d, 0);
    EXPECT_NE(Bytes(d.db), before);
    d.db.AbortTxn();
    EXPECT_EQ(Bytes(d.db), before);
    // The deleted node is back under its id, and references held outside find it again.
    ASSERT_TRUE(d.nodes[4].HasTarget());
    EXPECT_EQ(d.nodes[3]->m_ref.get(),
              d.nodes[4].get()->m_ref.get() ? d.nodes[3]->m_ref.get() : d.nodes[3]->m_ref.get());
    EXPECT_EQ(d.nodes[4]->m_ref.get(), d.nodes[3].get());
    EXPECT_EQ(d.nodes[2]->m_value->m_label, u"value");
}

TEST(RSeTransactions, UndoAndRedoMoveBetweenCommittedStates) {
    Doc d;
    std::vector<std::vector<uint8_t>> states = {Bytes(d.db)};
    std::vector<std::unique_ptr<RSeTxnRecord>> done;
    for (int k = 0; k < 3; ++k) {
        d.db.BeginTxn();
        if (k == 1)
            BigChange(d, k);
        else
            d.nodes[k]->m_doubles.assign(3 + k, 0.25 * k);
        done.push_back(d.db.CommitTxn());
        states.push_back(Bytes(d.db));
    }
    for (int k = 2; k >= 0; --k) {
        d.db.Undo(*done[k]);
        EXPECT_EQ(Bytes(d.db), states[k]) << "after undoing change " << k;
    }
    for (int k = 0; k < 3; ++k) {
        d.db.Redo(*done[k]);
        EXPECT_EQ(Bytes(d.db), states[k + 1]) << "after redoing change " << k;
    }
    EXPECT_FALSE(d.nodes[4].HasTarget()); // deleted again by the redo
}

TEST(RSeTransactions, ARecordHoldsOnlyWhatTheChangeReached) {
    Doc d;
    for (int i = 0; i < 2000; ++i)
        TstNew<TstZero>(d.seg);
    d.db.BeginTxn();
    d.nodes[2]->m_long = 7;
    d.nodes[2]->m_long = 8; // recorded once
    auto record = d.db.CommitTxn();
    EXPECT_EQ(record->ObjectCount(), 1u);

    d.db.BeginTxn();
    TstNode* temp = TstNew<TstNode>(d.seg);
    RSe::DeleteObject(temp); // made and gone within the change
    EXPECT_TRUE(d.db.CommitTxn()->IsEmpty());
}

TEST(RSeTransactions, ValuesNothingHoldsAreNotSaved) {
    Doc d;
    const auto before = Bytes(d.db);
    TstNew<TstValue>(d.seg)->m_label = u"orphan";
    EXPECT_EQ(Bytes(d.db), before);
}

struct TestBulletin : RSeTxnBulletin {
    TestBulletin(RSeDatabase* db, std::string* log)
        : RSeTxnBulletin(db, nullptr, 0, 1, false), m_log(log) {}
    void PreUndo() override { *m_log += "pre-undo "; }
    void AbortUndo() override { *m_log += "abort-undo "; }
    void PostUndo() override { *m_log += "post-undo "; }
    void PostRedo() override { *m_log += "post-redo "; }
    std::string* m_log;
};

TEST(RSeTransactions, BulletinsHearUndoAndRedoOfTheirChangeOnly) {
    Doc d;
    std::string log;
    d.db.BeginTxn();
    new TestBulletin(&d.db, &log);
    d.nodes[0]->m_long = 1;
    auto record = d.db.CommitTxn();
    d.db.Undo(*record);
    d.db.Redo(*record);
    EXPECT_EQ(log, "pre-undo abort-undo post-undo post-redo ");

    log.clear();
    d.db.BeginTxn();
    new TestBulletin(&d.db, &log);
    d.db.AbortTxn();
    EXPECT_EQ(log, "");
}

} // namespace
