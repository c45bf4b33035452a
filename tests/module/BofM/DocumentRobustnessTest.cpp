// Damaged documents: every truncation of a valid file and a few hundred seeded mutations of it
// either load or fail with a result; none may crash, hang or allocate without bound (the
// sanitizer build checks the memory side).
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "TstDocWriter.h"
#include "TstStoredClasses.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"

namespace {

std::vector<uint8_t> ValidDocument() {
    RSeDatabase db;
    RSeSegment* a = db.CreateSegment(u"Sheet");
    RSeSegment* b = db.CreateSegment(u"Styles");
    TstNode* prev = nullptr;
    for (int i = 0; i < 4; ++i) {
        TstNode* n = i % 2 ? TstNew<TstDerived>(i < 2 ? a : b) : TstNew<TstNode>(a);
        TstFillNode(n, prev, i);
        prev = n;
    }
    TstNew<TstZero>(b)->m_value = 3;
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(db.SaveToBuffer(bytes).Failed());
    return bytes;
}

// Loads `bytes`; a document that loads must also save again.
void LoadOrFailCleanly(const std::vector<uint8_t>& bytes) {
    std::unique_ptr<RSeDatabase> db;
    UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
    if (r.Failed()) {
        ASSERT_EQ(db, nullptr);
        ASSERT_FALSE(r.GetMessage().empty());
        return;
    }
    ASSERT_NE(db, nullptr);
    std::vector<uint8_t> again;
    ASSERT_FALSE(db->SaveToBuffer(again).Failed());
}

TEST(DamagedDocuments, EveryTruncationFailsCleanly) {
    const std::vector<uint8_t> valid = ValidDocument();
    for (size_t n = 0; n < valid.size(); ++n) {
        std::vector<uint8_t> cut(valid.begin(), valid.begin() + ptrdiff_t(n));
        std::unique_ptr<RSeDatabase> db;
        UTxResult r = RSeDatabase::LoadFromBuffer(cut.data(), cut.size(), db);
        ASSERT_TRUE(r.Failed()) << "a file cut at " << n << " of " << valid.size() << " loaded";
        ASSERT_EQ(db, nullptr);
    }
}

TEST(DamagedDocuments, SeededMutationsLoadOrFailCleanly) {
    const std::vector<uint8_t> valid = ValidDocument();
    std::mt19937 rng(20261210);
    const uint8_t extremes[] = {0x00, 0x01, 0x7F, 0x80, 0xFF};
    int loaded = 0;
    for (int round = 0; round < 400; ++round) {
        std::vector<uint8_t> bytes = valid;
        const int edits = 1 + int(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            const size_t at = rng() % bytes.size();
            switch (rng() % 3) {
            case 0:
                bytes[at] ^= uint8_t(1u << (rng() % 8));
                break;
            case 1:
                bytes[at] = extremes[rng() % 5];
                break;
            default: // a whole 32-bit word: counts, lengths, indices
                for (size_t k = at; k < std::min(bytes.size(), at + 4); ++k)
                    bytes[k] = (rng() % 2) ? 0xFF : uint8_t(rng());
            }
        }
        SCOPED_TRACE(round);
        LoadOrFailCleanly(bytes);
        if (HasFatalFailure()) return;
        std::unique_ptr<RSeDatabase> db;
        loaded += RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).IsEmpty();
    }
    // Some mutations only change values; most are caught.
    EXPECT_GT(loaded, 0);
    EXPECT_LT(loaded, 400);
}

} // namespace
