// A drawing's sheets: fragments in segments of their own, stored with the document and named in
// transcripts by their names.
#include <gtest/gtest.h>

#include <memory>

#include "KorvuTestSupport.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "fw/FWxTranscriptMgr.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeRef.h"
#include "rse/RSeSegment.h"

namespace {

TEST(DLxDrawingDoc, SheetsAreRootsOfTheirSegmentsAndSurviveSaving) {
    DLxDrawingDoc doc;
    DLxSheet* a = doc.CreateSheet(u"Sheet 1", 420, 297);
    DLxSheet* b = doc.CreateSheet(u"Detail", 297, 210);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(doc.CreateSheet(u"Sheet 1", 1, 1), nullptr);
    EXPECT_EQ(doc.CreateSheet(u"", 1, 1), nullptr);
    EXPECT_EQ(doc.GetSheets(), (std::vector<DLxSheet*>{a, b}));
    EXPECT_EQ(a->GetSegment()->GetRootObject(), a);
    EXPECT_NE(a->GetSegment(), b->GetSegment());

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded).Failed());
    auto* la = dynamic_cast<DLxSheet*>(loaded->FindObject(a->GetId()));
    ASSERT_TRUE(la);
    EXPECT_EQ(la->GetName(), u"Sheet 1");
    EXPECT_EQ(la->GetWidth(), 420);
    EXPECT_EQ(la->GetHeight(), 297);
}

TEST(DLxDrawingDoc, TranscriptsNameSheetsByName) {
    DLxDrawingDoc doc, other;
    DLxSheet* detail = doc.CreateSheet(u"Detail A", 297, 210);
    doc.CreateSheet(u"Sheet 1", 420, 297);
    other.CreateSheet(u"Sheet 1", 420, 297);
    DLxSheet* otherDetail = other.CreateSheet(u"Detail A", 297, 210);
    FWxTranscriptMgr& mgr = FWxTranscriptMgr::Get();
    const UTxString16 text = mgr.StringFromRef(RSeRefBase(detail));
    EXPECT_EQ(text, u"DLxSheet#Detail A");
    RSeRefBase found;
    ASSERT_FALSE(mgr.RefFromString(&other, text, found).Failed());
    EXPECT_EQ(found.GetTarget(), otherDetail); // the same name, whatever its id
    EXPECT_TRUE(mgr.RefFromString(&other, u"DLxSheet#Nowhere", found).Failed());
}

} // namespace

namespace {
TEST(DLxDrawingDoc, OpensWhatItSaved) {
    KorvuTempDir dir;
    DLxDrawingDoc doc;
    doc.CreateSheet(u"Sheet 1", 420, 297);
    ASSERT_FALSE(doc.Save(dir.File("d.kvd")).Failed());
    std::unique_ptr<DLxDrawingDoc> opened;
    ASSERT_FALSE(DLxDrawingDoc::Open(dir.File("d.kvd"), opened).Failed());
    ASSERT_EQ(opened->GetSheets().size(), 1u);
    EXPECT_EQ(opened->GetSheets()[0]->GetName(), u"Sheet 1");
    EXPECT_NE(opened->GetSelectCmd(), nullptr);
    EXPECT_TRUE(DLxDrawingDoc::Open(dir.File("missing.kvd"), opened).Failed());
    EXPECT_EQ(opened, nullptr);
}
} // namespace
