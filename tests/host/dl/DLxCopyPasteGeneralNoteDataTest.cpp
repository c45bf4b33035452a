// The clipboard block of copied general notes: read back in the session and the document that
// wrote it; a damaged block is no block, and the notes of a closed document read as none.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "GlobalMemory.h"
#include "dl/DLxCopyPasteGeneralNoteData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"

namespace {

std::vector<uint8_t> BytesOf(HGLOBAL block) {
    const auto* p = static_cast<const uint8_t*>(GlobalLock(block));
    std::vector<uint8_t> bytes(p, p + GlobalSize(block));
    GlobalUnlock(block);
    GlobalFree(block);
    return bytes;
}

TEST(CopyPasteGeneralNoteData, ABlockReadsBackOnlyWhereItWasMade) {
    auto doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
    DLxDrawingDoc other;
    DLxCopyPasteGeneralNoteData data(doc.get(), RSeRefBase(sheet));
    // The sheet stands in for a note: the block names objects, whatever their kind.
    data.GetNotes() = {RSeRefBase(sheet), RSeRefBase()};
    const std::vector<uint8_t> bytes = BytesOf(data.ToBlock());
    ASSERT_EQ(bytes.size(), DLxCopyPasteGeneralNoteData::kHeaderSize + 8);

    auto read = DLxCopyPasteGeneralNoteData::FromBlock(bytes.data(), bytes.size());
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->SamePelmarixSession());
    EXPECT_TRUE(read->SamePelmarixDocument(doc.get()));
    EXPECT_FALSE(read->SamePelmarixDocument(&other));
    EXPECT_EQ(read->GetInstance().GetTarget(), sheet);
    ASSERT_EQ(read->GetNotes().size(), 2u);
    EXPECT_EQ(read->GetNotes()[0].GetTarget(), sheet);
    EXPECT_FALSE(read->GetNotes()[1].HasTarget());

    // Cut short, a count beyond the bytes, another magic, another session: no usable data.
    std::vector<uint8_t> damaged = bytes;
    damaged[4] = 3;
    EXPECT_FALSE(DLxCopyPasteGeneralNoteData::FromBlock(damaged.data(), damaged.size()));
    EXPECT_FALSE(DLxCopyPasteGeneralNoteData::FromBlock(bytes.data(), 20));
    EXPECT_FALSE(DLxCopyPasteGeneralNoteData::FromBlock(nullptr, 0));
    damaged = bytes;
    damaged[0] ^= 1;
    EXPECT_FALSE(DLxCopyPasteGeneralNoteData::FromBlock(damaged.data(), damaged.size()));
    damaged = bytes;
    damaged[DLxCopyPasteGeneralNoteData::kSessionOffset] ^= 1;
    read = DLxCopyPasteGeneralNoteData::FromBlock(damaged.data(), damaged.size());
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->SamePelmarixSession());
    EXPECT_FALSE(read->GetNotes()[0].HasTarget());

    // Once the document is closed its ids name nothing.
    doc.reset();
    read = DLxCopyPasteGeneralNoteData::FromBlock(bytes.data(), bytes.size());
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->GetNotes()[0].HasTarget());
    EXPECT_FALSE(read->GetInstance().HasTarget());
}

} // namespace
