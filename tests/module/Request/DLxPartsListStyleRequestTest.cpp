// Journal lines of the older parts-list style requests, which the module only replays: a new
// style made and added where the line says, an update written into it, refusals, and what the
// record keeps of lines that lack keys or carry more than it keeps.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Standard/DLxStdStyles.h"
#include "WinModule.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxPartsListStyle.h"
#include "du/DUxStandardStyle.h"
#include "fb/IFxStyles.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"
#include "utx/UTxUtil.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct OldStyleDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DUxStandardStyle* standard = nullptr;

    OldStyleDoc() {
        doc->CreateSheet(u"Sheet 1", 420, 297);
        DLxStdStyles::AddDocumentStyles(doc.get());
        standard = DUxStandardStyle::CreateStyle(doc->GetDrawing()->GetSegment(), u"ISO");
        EXPECT_TRUE(doc->AddStyle(standard));
    }
    Bytes Save() const {
        Bytes out;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(out).Failed());
        return out;
    }
    UTxString16 Ref(FWxStyle* style) const {
        return FWxStyle::GetStyleReference(RSeRef<FWxStyle>(style));
    }
    FWxStyle* FrameStyle() const {
        return doc->FindStyle(
            RSe::_GetMeta(static_cast<const DUxFeatureControlFrameStyle*>(nullptr)), u"ISO");
    }
    DUxPartsListStyle* Find(const UTxString16& name) const {
        FWxStylesCollection* c = GetIFxStyles(doc.get())->GetCollection(
            DUxPartsListStyle::GetInternalStylesCollectionNameStatic());
        return c ? dynamic_cast<DUxPartsListStyle*>(c->Find(name).get()) : nullptr;
    }
};

std::string U8(const UTxString16& s) {
    return UTx::ToUtf8(s);
}

// One column of the line: "Columns_<i>_..." with every value it requires.
std::string Column(int i, const char* id, double width) {
    const std::string k = " Columns_" + std::to_string(i) + "_";
    std::string out = k + "Property=[\"{S}\",\"" + id + "\",\"" + id + "\",\"\"]" + k +
                      "HeadingAlignment=1" + k + "ColumnAlignment=0" + k +
                      "Width=" + std::to_string(width) + k + "FormatMode=0" + k +
                      "OutputUnitType=1";
    for (const char* u : {"DecimalMarker=0", "ShowUnitString=false", "ShowLeadingZero=true",
                          "ShowTrailingZero=false", "LinearPrecision=2", "FractionalFormat=false"})
        out += k + "Units_" + u;
    return out;
}

// The record's keys, with `extra` (switches, merge keys) in place of the switches.
std::string Record(const std::string& name, const std::string& title, const std::string& extra) {
    return " StyleName=\"" + name +
           "\" StyleComment=\"old\" TextStyle_Font=0 TextStyle_Height=3.5" +
           " Direction=1 Heading=2 RowGap=1.5 HeadingGap=2.0 LinesOfText=1 DisplayTitle=true" +
           " Title=\"" + title + "\" RecoverDefaultPrefix=true" + extra + " Columns_Count=2" +
           Column(0, "item", 12.0) + Column(1, "name", 40.0);
}

const std::string kFourKeys =
    " MergeKeys_Count=4 MergeKeys_0=[\"{S}\",\"a\",\"A\",\"\"] "
    "MergeKeys_1=[\"{S}\",\"b\",\"B\",\"\"]"
    " MergeKeys_2=[\"{S}\",\"c\",\"C\",\"\"] MergeKeys_3=[\"{S}\",\"d\",\"D\",\"\"]";

class PartsListStyleRequest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
        FWxUtil::GetTranscriptMgr().ClearLines();
    }
    void TearDown() override {
        FWxUtil::GetTranscriptMgr().ClearLines();
        if (m_module) FreeLibrary(m_module);
    }
    static UTxResult Replay(OldStyleDoc& d, const std::string& line) {
        return FWxUtil::GetTranscriptMgr().ReplayLine(d.doc.get(), UTx::MakeWideString(line));
    }
    HMODULE m_module = nullptr;
};

TEST_F(PartsListStyleRequest, AnOldNewLineMakesTheStyleWhoseJournalReplaysAndUndoes) {
    OldStyleDoc d;
    const Bytes before = d.Save();
    // No "ShowItemNumbers" or "DisplayGroupParticipants", and four merge keys.
    const std::string line = "New_PartsList_Style_Old StandardStyle=\"" + U8(d.Ref(d.standard)) +
                             "\"" +
                             Record(" Old list ", "PARTS", " GroupingEnabled=true" + kFourKeys);
    const UTxResult r = Replay(d, line);
    ASSERT_FALSE(r.Failed()) << U8(r.GetMessage());

    DUxPartsListStyle* style = d.Find(u"Old list");
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->GetDirection(), DUxPartsListStyle::eBottomUp);
    EXPECT_EQ(style->GetHeading(), DUxPartsListStyle::eNoHeading);
    EXPECT_EQ(style->GetRowGap(), 1.5);
    EXPECT_EQ(style->GetTitle(), u"PARTS");
    EXPECT_TRUE(style->GetRecoverDefaultPrefix());
    EXPECT_TRUE(style->GetGroupingEnabled());
    EXPECT_FALSE(style->GetShowItemNumbers());
    EXPECT_FALSE(style->GetDisplayGroupParticipants());
    EXPECT_EQ(style->GetRowKey(0).GetPropertyID(), u"a");
    EXPECT_EQ(style->GetRowKey(2).GetPropertyID(), u"c");
    ASSERT_EQ(style->GetColumns().size(), 2u);
    EXPECT_EQ(style->GetColumns()[1]->GetWidth(), 40.0);
    EXPECT_EQ(style->GetEditCount(), 0);
    const auto listed = d.standard->GetStyleList(RSeRef<FWxStyle>(style)).GetStyles();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].get(), style);

    // The journal holds the line as the request writes it: three keys, every switch.
    const Bytes after = d.Save();
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    ASSERT_EQ(mgr.GetLines().size(), 1u);
    const UTxString16 journalled = mgr.GetLines()[0];
    EXPECT_NE(journalled.find(u"MergeKeys_Count=3"), UTxString16::npos) << U8(journalled);
    EXPECT_NE(journalled.find(u"ShowItemNumbers=false"), UTxString16::npos) << U8(journalled);
    OldStyleDoc fresh;
    ASSERT_FALSE(mgr.ReplayLine(fresh.doc.get(), journalled).Failed()) << U8(journalled);
    EXPECT_EQ(fresh.Save(), after);

    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Save(), before);
}

TEST_F(PartsListStyleRequest, AStandardStyleOfAnotherKindOrNoneListsTheNewStyleNowhere) {
    for (const bool frame : {false, true}) {
        SCOPED_TRACE(frame ? "a frame style as standard" : "no standard");
        OldStyleDoc d;
        const std::string standard = frame ? U8(d.Ref(d.FrameStyle())) : "";
        ASSERT_FALSE(Replay(d, "New_PartsList_Style_Old StandardStyle=\"" + standard + "\"" +
                                   Record("Plain", "P", kFourKeys))
                         .Failed());
        DUxPartsListStyle* style = d.Find(u"Plain");
        ASSERT_NE(style, nullptr);
        EXPECT_TRUE(d.standard->GetStyleList(RSeRef<FWxStyle>(style)).GetStyles().empty());
    }
}

TEST_F(PartsListStyleRequest, AnOldUpdateLineWritesTheStyleAndRefusesOtherKinds) {
    OldStyleDoc d;
    ASSERT_FALSE(
        Replay(d, "New_PartsList_Style_Old StandardStyle=\"\"" + Record("Shop", "FIRST", kFourKeys))
            .Failed());
    DUxPartsListStyle* style = d.Find(u"Shop");
    ASSERT_NE(style, nullptr);
    FWxUtil::GetTranscriptMgr().ClearLines();

    {
        SCOPED_TRACE("a reference to a style of another kind is refused");
        const Bytes before = d.Save();
        const UTxResult r =
            Replay(d, "Update_PartsList_Style_Old PartsListStyle=@\"" + U8(d.Ref(d.FrameStyle())) +
                          "\"" + Record("Shop", "SECOND", kFourKeys));
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(r.GetCode(), 0xE009033CU) << U8(r.GetMessage());
        EXPECT_EQ(d.Save(), before);
        EXPECT_TRUE(FWxUtil::GetTranscriptMgr().GetLines().empty());
    }
    {
        SCOPED_TRACE("the style itself is written, under its own name");
        const UTxResult r =
            Replay(d, "Update_PartsList_Style_Old PartsListStyle=@\"" + U8(d.Ref(style)) + "\"" +
                          Record("Other", "SECOND", " ShowItemNumbers=true" + kFourKeys));
        ASSERT_FALSE(r.Failed()) << U8(r.GetMessage());
        EXPECT_EQ(style->GetTitle(), u"SECOND");
        EXPECT_TRUE(style->GetShowItemNumbers());
        EXPECT_EQ(style->GetStyleName(), u"Shop");
        EXPECT_GT(style->GetEditCount(), 0);
        EXPECT_EQ(FWxUtil::GetTranscriptMgr().GetLines().size(), 1u);
    }
}

} // namespace
