// A drawing's sheets: fragments in segments of their own, stored with the document and named in
// transcripts by their names.
#include <gtest/gtest.h>

#include <memory>

#include "KorvuTestSupport.h"
#include "TstDocWriter.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "fw/FWxStyle.h"
#include "fw/FWxTranscriptMgr.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
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

// A drawing stored before it kept styles and health settings loads with none and the defaults,
// and keeps its styles from then on.
TEST(DLxDrawingDoc, AnOlderDrawingRecordLoads) {
    TstDocWriter w;
    w.AddClass(u"RSeIDed", 0);
    w.AddClass(u"RDxObject", 0);
    const uint32_t drawingMeta = w.AddClass(u"DLxDrawing", 0);
    w.BeginSegment(u"Document");
    RSeStream& s = w.BeginRecord(drawingMeta, 1);
    s.Write(uint32_t(0)); // flags
    s.Write(false);       // sick
    s.Write(UTxString16(u"JIS"));
    w.EndRecord();
    std::unique_ptr<RSeDatabase> db;
    const std::vector<uint8_t> file = w.Finish(2);
    const UTxResult r = RSeDatabase::LoadFromBuffer(file.data(), file.size(), db);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    DLxDrawingDoc doc(std::move(db));
    DLxDrawing* drawing = doc.GetDrawing();
    ASSERT_NE(drawing, nullptr);
    EXPECT_EQ(drawing->GetStandardName(), u"JIS");
    EXPECT_TRUE(drawing->GetStyles().empty());
    EXPECT_TRUE(drawing->GetShowSickHighlight());
    EXPECT_EQ(drawing->GetPreserveAnnotationMode(), 0);

    auto* style = new (RSe::_GetMeta(static_cast<const FWxStyle*>(nullptr)), drawing->GetSegment())
        FWxStyle();
    style->SetStyleName(u"Mine");
    EXPECT_TRUE(drawing->AddStyle(style));
    EXPECT_FALSE(drawing->AddStyle(style));
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> again;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), again).Failed());
    DLxDrawingDoc reopened(std::move(again));
    ASSERT_EQ(reopened.GetDrawing()->GetStyles().size(), 1u);
    EXPECT_NE(reopened.GetDrawing()->FindStyle(nullptr, u"Mine"), nullptr);
}
