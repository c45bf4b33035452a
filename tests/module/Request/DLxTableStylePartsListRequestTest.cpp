// The parts-list table-style requests: a new style and an update made, journalled, replayed on a
// fresh drawing and undone; the parts lists of an updated style redrawn; refusals; and what the
// record reads from lines that lack keys or carry more than it keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BofM/DLxPartListData.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuBOMFixture.h"
#include "KorvuTestSupport.h"
#include "Request/DLxCreatePartListLocalBOMRequest.h"
#include "Request/DLxNewTableStylePartsListRequest.h"
#include "Request/DLxUpdateTableStylePartsListRequest.h"
#include "Standard/DLxStdStyles.h"
#include "WinModule.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxStandardStyle.h"
#include "du/DUxTableRowFilter.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "fb/IFxStyles.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxTranscriptDataExchange.h"
#include "utx/UTxUtil.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A drawing of the bracket assembly with a standard style "ISO" and a parts list on its sheet,
// made by its journalled request.
struct StyledDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;
    DUxStandardStyle* standard = nullptr;
    DLxPartListTable* table = nullptr;

    // `filtered`: the parts-list style shows purchased parts only, a filter the parts list made
    // before it does not have.
    explicit StyledDoc(bool filtered = false) {
        EXPECT_TRUE(doc->SetAssembly(KorvuBOM::BracketAssembly()));
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        sheet->CreateView(u"Front");
        DLxStdStyles::AddDocumentStyles(doc.get());
        standard = DUxStandardStyle::CreateStyle(doc->GetDrawing()->GetSegment(), u"ISO");
        EXPECT_TRUE(doc->AddStyle(standard));
        doc->SetActiveSheet(sheet);
        DLxPartListData data(doc.get());
        data.SetFilename(u"bracket-assembly.asm");
        data.SetSheetInstance(RSeRef<DLxSheet>(sheet));
        data.SetOrigin(WqGePoint3d(200, 150, 0));
        SmartPtr<DLxCreatePartListLocalBOMRequest> req(new DLxCreatePartListLocalBOMRequest(data));
        const UTxResult r = doc->ProcessChangeRequest(req);
        EXPECT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetDetail());
        table = req->GetPartList().get();
        if (DUxTableStylePartsList* style = TableStyle(); style && filtered)
            style->EnsureFilterList()->Add(DLxTableStatePartlist::NewFilter(
                DUxTableRowFilter::FilterType(1), RSe::SegmentOf(style)));
    }
    Bytes Save() const {
        Bytes out;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(out).Failed());
        return out;
    }
    DUxTableStylePartsList* TableStyle() const {
        DLxTableStatePartlist* state = table ? table->GetPartListTableState().get() : nullptr;
        return state ? dynamic_cast<DUxTableStylePartsList*>(state->GetStyle()) : nullptr;
    }
    std::vector<std::string> Drawn() const {
        const SMxDisplayList* list = table ? table->GetDisplayList() : nullptr;
        return list ? KorvuDescribe(*list) : std::vector<std::string>();
    }
};

bool Shows(const std::vector<std::string>& drawn, const std::string& text) {
    return std::any_of(drawn.begin(), drawn.end(), [&](const std::string& item) {
        return item.find(text) != std::string::npos;
    });
}

// A line with the pair of that key taken out (its value never holds a blank here).
UTxString16 Without(UTxString16 line, const std::u16string& key) {
    const size_t at = line.find(u" " + key + u"=");
    if (at == UTxString16::npos) return line;
    const size_t end = line.find(u' ', at + 1);
    line.erase(at, end == UTxString16::npos ? UTxString16::npos : end - at);
    return line;
}

DUxStyleFormatColumnPropertyID Property(const char16_t* set, const char16_t* id,
                                        const char16_t* name) {
    DUxStyleFormatColumnPropertyID p;
    p.SetPropertySet(set);
    p.SetPropertyID(id);
    p.SetPropertyExternalName(name);
    return p;
}

// A refusing listener of style changes.
class StyleChangeVeto : public RSeObjectObserverM {
public:
    explicit StyleChangeVeto(const RSeRefBase& style) : m_style(style) {
        RSeNotifier::NotifyOnEventTo(
            style, RSeNotifierEventMask::Field(FBxStyleEvent::kStyleChange, ~0u), this, 0);
    }
    ~StyleChangeVeto() override { RSeNotifier::EraseObserverOf(m_style, this); }
    bool OnEvent(const RSeEvent* event) override {
        if (auto* e = dynamic_cast<const FBxStyleEvent*>(event)) e->Refuse();
        return true;
    }

private:
    RSeRefBase m_style;
};

class TableStylePartsListRequest : public ::testing::Test {
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
    // Every line journalled so far, replayed on a fresh drawing.
    static Bytes Replayed(bool filtered = false) {
        FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
        const std::vector<UTxString16> lines = mgr.GetLines();
        FWxUtil::GetTranscriptMgr().SetKeepLines(false);
        StyledDoc fresh(filtered);
        // The fresh drawing made its parts list itself: replay what followed.
        for (size_t i = 1; i < lines.size(); ++i) {
            const UTxResult r = mgr.ReplayLine(fresh.doc.get(), lines[i]);
            EXPECT_FALSE(r.Failed())
                << UTx::ToUtf8(lines[i]) << ": " << UTx::ToUtf8(r.GetMessage());
        }
        FWxUtil::GetTranscriptMgr().SetKeepLines(true);
        return fresh.Save();
    }
    HMODULE m_module = nullptr;
};

TEST_F(TableStylePartsListRequest, ANewStyleIsMadeFromTheRecordJournalledReplayedAndUndone) {
    StyledDoc d;
    const Bytes before = d.Save();
    DLxTableStylePartsListRequestData data;
    data.InitFromStyle(RSeRef<DUxTableStylePartsList>(d.TableStyle()));
    data.SetStyleName(u"  Shop list\t");
    data.SetTitle(u"SHOP PARTS");
    data.SetDescription(u"for the workshop");
    data.SetRowGap(2.5);
    data.SetGroupingEnabled(true);
    data.SetRecoverDefaultPrefix(true);
    // Grouped by two keys: a line replays to two, not to three.
    data.SetMergeKeys(
        {Property(u"{S}", u"5", u"Part Number"), Property(u"{S}", u"7", u"Material")});
    SmartPtr<DLxNewTableStylePartsListRequest> req(
        new DLxNewTableStylePartsListRequest(nullptr, data, RSeRef<FWxStyle>(d.standard)));
    const UTxResult r = d.doc->ProcessChangeRequest(req);
    ASSERT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetMessage());

    DUxTableStylePartsList* made = req->GetStyle().get();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetStyleName(), u"Shop list");
    EXPECT_EQ(req->GetData().GetStyleName(), u"Shop list");
    EXPECT_EQ(made->GetTitle(), u"SHOP PARTS");
    EXPECT_EQ(made->GetStyleDescription(), u"for the workshop");
    EXPECT_EQ(made->GetRowGap(), 2.5);
    EXPECT_TRUE(made->GetGrouping());
    EXPECT_TRUE(made->GetRecoverDefaultPrefix());
    EXPECT_EQ(made->GetColumns().size(), d.TableStyle()->GetColumns().size());
    ASSERT_EQ(made->GetGroupKeys().size(), 2u);
    EXPECT_EQ(*made->GetGroupKeys()[1]->GetPropertyID(), Property(u"{S}", u"7", u"Material"));
    // A style made from a record starts with no edits.
    EXPECT_EQ(made->GetEditCount(), 0);
    // The document's parts-list styles and the standard's list hold it.
    EXPECT_EQ(GetIFxStyles(d.doc.get())
                  ->GetCollection(DUxTableStylePartsList::GetInternalStylesCollectionNameStatic())
                  ->Find(u"Shop list")
                  .get(),
              made);
    const std::vector<RSeRef<FWxStyle>> listed =
        d.standard->GetStyleList(RSeRef<FWxStyle>(made)).GetStyles();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].get(), made);

    const Bytes after = d.Save();
    ASSERT_EQ(FWxUtil::GetTranscriptMgr().GetLines().size(), 2u);
    EXPECT_EQ(FWxUtil::GetTranscriptMgr().GetLines()[1].rfind(u"New_PartsList_Style ", 0), 0u);
    EXPECT_EQ(Replayed(), after);
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Save(), before);
}

TEST_F(TableStylePartsListRequest, AnUpdateRedrawsThePartsListsOfTheStyleReplaysAndUndoes) {
    StyledDoc d;
    DUxTableStylePartsList* style = d.TableStyle();
    ASSERT_NE(style, nullptr);
    const std::vector<std::string> drawnBefore = d.Drawn();
    ASSERT_FALSE(Shows(drawnBefore, "MOUNTING KIT"));
    const Bytes before = d.Save();

    DLxTableStylePartsListRequestData data;
    data.InitFromStyle(RSeRef<DUxTableStylePartsList>(style));
    data.SetTitle(u"MOUNTING KIT");
    data.SetUseTitle(true);
    data.SetStyleName(u" Kit ");
    data.SetDisplayGroupParticipants(true);
    SmartPtr<DLxUpdateTableStylePartsListRequest> req(new DLxUpdateTableStylePartsListRequest(
        nullptr, RSeRef<DUxTableStylePartsList>(style), data, true));
    const UTxResult r = d.doc->ProcessChangeRequest(req);
    ASSERT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetMessage());

    // Renamed to the repaired name, in the record too.
    EXPECT_EQ(style->GetStyleName(), u"Kit");
    EXPECT_EQ(req->GetData().GetStyleName(), u"Kit");
    EXPECT_TRUE(style->GetDisplayParticipants());
    // The parts list of the style follows it.
    EXPECT_TRUE(Shows(d.Drawn(), "MOUNTING KIT"));

    const Bytes after = d.Save();
    ASSERT_EQ(FWxUtil::GetTranscriptMgr().GetLines().size(), 2u);
    EXPECT_EQ(Replayed(), after);
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Save(), before);
}

TEST_F(TableStylePartsListRequest, RefusedOrInvalidUpdatesChangeAndJournalNothing) {
    struct Case {
        const char* name;
        std::function<RSeRef<DUxTableStylePartsList>(StyledDoc&)> style;
        bool veto;
        UTxResultCode code;
    };
    const std::vector<Case> cases = {
        {"a listener refuses the change",
         [](StyledDoc& d) { return RSeRef<DUxTableStylePartsList>(d.TableStyle()); }, true,
         0xE00E033D},
        {"no style", [](StyledDoc&) { return RSeRef<DUxTableStylePartsList>(); }, false,
         0xE00E035A},
        // A copy that a dialog edits is not the document's style.
        {"a transient copy",
         [](StyledDoc&) {
             return RSeRef<DUxTableStylePartsList>(
                 DUxTableStylePartsList::CreateStyle(nullptr, u"copy"));
         },
         false, 0xE00E035A},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FWxUtil::GetTranscriptMgr().ClearLines();
        StyledDoc d;
        FWxUtil::GetTranscriptMgr().ClearLines();
        const Bytes before = d.Save();
        RSeRef<DUxTableStylePartsList> style = c.style(d);
        std::unique_ptr<StyleChangeVeto> veto;
        if (c.veto) veto = std::make_unique<StyleChangeVeto>(style);
        DLxTableStylePartsListRequestData data;
        data.InitFromStyle(style);
        data.SetTitle(u"CHANGED");
        data.SetStyleName(u"Renamed");
        SmartPtr<DLxUpdateTableStylePartsListRequest> req(
            new DLxUpdateTableStylePartsListRequest(nullptr, style, data, true));
        const UTxResult r = d.doc->ProcessChangeRequest(req);
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(r.GetCode(), c.code);
        EXPECT_TRUE(FWxUtil::GetTranscriptMgr().GetLines().empty());
        EXPECT_EQ(d.Save(), before);
        if (DUxTableStylePartsList* s = style.get(); s && !s->IsCached()) RSe::DeleteObject(s);
    }
}

TEST_F(TableStylePartsListRequest, OnlyARecordThatHoldsRowFiltersChangesTheStyles) {
    for (const bool holds : {false, true}) {
        SCOPED_TRACE(holds ? "a record holding no filters" : "a record without a filter list");
        FWxUtil::GetTranscriptMgr().ClearLines();
        StyledDoc d(true);
        DUxTableStylePartsList* style = d.TableStyle();
        ASSERT_EQ(style->FilterList()->GetCount(), 1);
        DLxTableStylePartsListRequestData data;
        if (holds) {
            data.InitFromStyle(RSeRef<DUxTableStylePartsList>(style));
            DUxTableRowFilterList* none = DUxTableRowFilterList::New(RSe::TransientSegment(true));
            data.SetRowFilterList(none);
            RSe::DeleteObject(none);
        }
        SmartPtr<DLxUpdateTableStylePartsListRequest> req(new DLxUpdateTableStylePartsListRequest(
            nullptr, RSeRef<DUxTableStylePartsList>(style), data, false));
        ASSERT_FALSE(d.doc->ProcessChangeRequest(req).Failed());
        EXPECT_EQ(style->FilterList()->GetCount(), holds ? 0 : 1);
        EXPECT_EQ(Replayed(true), d.Save());
    }
}

// Lines as the module writes them, with keys taken out or added, read back into requests.
TEST_F(TableStylePartsListRequest, RecordsReadFromLinesThatLackKeysOrHoldMore) {
    StyledDoc d;
    DUxTableStylePartsList* style = d.TableStyle();
    DLxTableStylePartsListRequestData data;
    data.InitFromStyle(RSeRef<DUxTableStylePartsList>(style));
    data.SetGroupingEnabled(true);
    data.SetShowItemNumbers(true);
    data.SetDisplayGroupParticipants(true);
    data.GetCustomColumns().emplace_back(data.MakeColumn(nullptr));
    data.SetMergeKeys(
        {Property(u"s", u"a", u""), Property(u"s", u"b", u""), Property(u"s", u"c", u"")});
    SmartPtr<DLxUpdateTableStylePartsListRequest> written(new DLxUpdateTableStylePartsListRequest(
        nullptr, RSeRef<DUxTableStylePartsList>(style), data, false));
    ASSERT_FALSE(d.doc->ProcessChangeRequest(written).Failed());
    const UTxString16 line = FWxUtil::GetTranscriptMgr().GetLines().back();
    ASSERT_NE(line.find(u" CustomColumns_Count=1"), UTxString16::npos) << UTx::ToUtf8(line);

    const auto read = [&](const UTxString16& text, UTxResult& r) {
        SmartPtr<DLxUpdateTableStylePartsListRequest> req(new DLxUpdateTableStylePartsListRequest);
        r = req->InitFromTranscript(d.doc.get(), text);
        return req;
    };
    {
        SCOPED_TRACE("without the three switches: each is off");
        UTxString16 text = line;
        for (const char16_t* key :
             {u"GroupingEnabled", u"ShowItemNumbers", u"DisplayGroupParticipants"})
            text = Without(text, key);
        UTxResult r;
        auto req = read(text, r);
        ASSERT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetMessage());
        EXPECT_FALSE(req->GetData().GetGroupingEnabled());
        EXPECT_FALSE(req->GetData().GetShowItemNumbers());
        EXPECT_FALSE(req->GetData().GetDisplayGroupParticipants());
    }
    {
        SCOPED_TRACE("without custom columns: none are read, and the line is no error");
        UTxString16 text = Without(line, u"CustomColumns_Count");
        ASSERT_EQ(text.find(u"CustomColumns_Count"), UTxString16::npos);
        UTxResult r;
        auto req = read(text, r);
        ASSERT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetMessage());
        EXPECT_TRUE(req->GetData().GetCustomColumns().empty());
        EXPECT_EQ(req->GetData().GetColumns().size(), style->GetColumns().size());
    }
    {
        SCOPED_TRACE("five merge keys: the first three count");
        const size_t at = line.find(u" MergeKeys_Count=3");
        ASSERT_NE(at, UTxString16::npos) << UTx::ToUtf8(line);
        UTxString16 text = line;
        text.replace(at, 18,
                     u" MergeKeys_Count=5 MergeKeys_3=[\"s\",\"x3\",\"\",\"\"] "
                     u"MergeKeys_4=[\"s\",\"x4\",\"\",\"\"]");
        const size_t key0 = text.find(u" MergeKeys_0=");
        const size_t end0 = text.find(u']', key0);
        text.replace(key0, end0 + 1 - key0, u" MergeKeys_0=[\"s\",\"first\",\"First\",\"\"]");
        UTxResult r;
        auto req = read(text, r);
        ASSERT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetMessage());
        const auto& keys = req->GetData().GetMergeKeys();
        ASSERT_EQ(keys.size(), 3u);
        EXPECT_EQ(*keys[0]->GetPropertyID(), Property(u"s", u"first", u"First"));
    }
    {
        SCOPED_TRACE("a reference to a style of another kind fails the line");
        FWxStyle* frame = d.doc->FindStyle(
            RSe::_GetMeta(static_cast<const DUxFeatureControlFrameStyle*>(nullptr)), u"ISO");
        ASSERT_NE(frame, nullptr);
        const size_t at = line.find(u"StyleReference=\"");
        const size_t end = line.find(u'"', at + 16);
        UTxString16 text = line;
        text.replace(at, end + 1 - at,
                     u"StyleReference=\"" + FWxStyle::GetStyleReference(RSeRef<FWxStyle>(frame)) +
                         u"\"");
        UTxResult r;
        read(text, r);
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(r.GetCode(), 0xE00E033DU);
    }
}

TEST_F(TableStylePartsListRequest,
       ANewRequestReadBackTakesTheDocumentsPartsListStyleForItsColumns) {
    StyledDoc d;
    DLxTableStylePartsListRequestData data;
    data.InitFromStyle(RSeRef<DUxTableStylePartsList>(d.TableStyle()));
    data.SetStyleName(u"Second");
    SmartPtr<DLxNewTableStylePartsListRequest> req(
        new DLxNewTableStylePartsListRequest(nullptr, data, RSeRef<FWxStyle>()));
    ASSERT_FALSE(d.doc->ProcessChangeRequest(req).Failed());
    // No standard named: the style joins no standard's list.
    EXPECT_TRUE(
        d.standard->GetStyleList(RSeRef<FWxStyle>(req->GetStyle().get())).GetStyles().empty());

    SmartPtr<DLxNewTableStylePartsListRequest> back(new DLxNewTableStylePartsListRequest);
    const UTxResult r =
        back->InitFromTranscript(d.doc.get(), FWxUtil::GetTranscriptMgr().GetLines().back());
    ASSERT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetMessage());
    EXPECT_EQ(back->GetData().GetTableStyle().get(), static_cast<DUxTableStyle*>(d.TableStyle()));
    EXPECT_EQ(back->GetData().GetStyleName(), u"Second");
    EXPECT_FALSE(back->GetStyle().HasTarget());
}

TEST(TableStylePartsListRequestData, ADefaultRecordKeysItsMergeKeysAndAnswersNoColumnOutOfRange) {
    DLxTableStylePartsListRequestData data;
    ASSERT_EQ(data.GetMergeKeys().size(), 3u);
    const char16_t* prefixes[] = {u"Key1", u"Key2", u"Key3"};
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(data.GetMergeKeys()[i]->GetPropertyID()->GetPropertyID(), prefixes[i]);
    data.GetColumns().emplace_back(DUxTableStylePartsListColumn::New(RSe::TransientSegment(true)));
    EXPECT_TRUE(data.GetColumn(0).HasTarget());
    EXPECT_FALSE(data.GetColumn(-1).HasTarget());
    EXPECT_FALSE(data.GetColumn(1).HasTarget());
    // A copy has columns of its own, which outlive the original.
    auto copy = std::make_unique<DLxTableStylePartsListRequestData>(data);
    EXPECT_NE(copy->GetColumn(0).get(), data.GetColumn(0).get());
    EXPECT_NE(copy->GetMergeKeys()[0].get(), data.GetMergeKeys()[0].get());
}

} // namespace
