// The balloon style requests: a new style and an update made from a record, journalled,
// replayed on a fresh drawing to the same bytes and undone; edits counted only for changed
// values; refusals (a listener, a failed rename, a missing, deleted, foreign or transient style,
// values no style can take) that change and journal nothing; and lines that name no balloon style.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Request/DLxBalloonStyleRequestData.h"
#include "Request/DLxNewBalloonStyleRequest.h"
#include "Request/DLxUpdateBalloonStyleRequest.h"
#include "Standard/DLxStdStyles.h"
#include "WinModule.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "du/DUxBalloonStyle.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxLeaderStyle.h"
#include "du/DUxStandardStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "du/DUxTextStyle.h"
#include "fb/IFxStyles.h"
#include "fw/FWxChangeRequest.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTranscriptDataExchange.h"
#include "utx/UTxUtil.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A drawing with the standard frame styles, a standard style "ISO", the ISO balloon style, and
// a text style and two leader styles that balloon styles may name.
struct BalloonDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DUxStandardStyle* standard = nullptr;
    DUxBalloonStyle* iso = nullptr;
    DUxTextStyle* text = nullptr;
    DUxLeaderStyle* thin = nullptr;
    DUxLeaderStyle* thick = nullptr;

    BalloonDoc() {
        doc->CreateSheet(u"Sheet 1", 420, 297);
        DLxStdStyles::AddDocumentStyles(doc.get());
        RSeSegment* seg = doc->GetDrawing()->GetSegment();
        standard = DUxStandardStyle::CreateStyle(seg, u"ISO");
        EXPECT_TRUE(doc->AddStyle(standard));
        iso = DLxStdStyles::GetBalloonStyle(doc.get());
        text = DUxTextStyle::CreateStyle(seg, u"Large");
        text->SetHeight(5.0);
        EXPECT_TRUE(doc->AddStyle(text));
        thin = DUxLeaderStyle::CreateStyle(seg, u"Thin");
        thin->SetLineWeight(18);
        EXPECT_TRUE(doc->AddStyle(thin));
        thick = DUxLeaderStyle::CreateStyle(seg, u"Thick");
        thick->SetLineWeight(50);
        EXPECT_TRUE(doc->AddStyle(thick));
    }
    Bytes Save() const {
        Bytes out;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(out).Failed());
        return out;
    }
    FWxStylesCollection* Balloons() const {
        return GetIFxStyles(doc.get())->GetCollection(
            DUxBalloonStyle::GetInternalStylesCollectionNameStatic());
    }
    DUxBalloonStyle* Find(const UTxString16& name) const {
        return dynamic_cast<DUxBalloonStyle*>(Balloons()->Find(name).get());
    }
    FWxStyle* FrameStyle() const {
        return doc->FindStyle(
            RSe::_GetMeta(static_cast<const DUxFeatureControlFrameStyle*>(nullptr)), u"ISO");
    }
    UTxResult Run(FWxChangeRequest* request) const {
        return doc->ProcessChangeRequest(SmartPtr<FWxChangeRequest>(request));
    }
};

DUxTableStylePartsListColumn* Column(const char16_t* id, const char16_t* name, double width) {
    DUxTableStylePartsListColumn* c = DUxTableStylePartsListColumn::New(nullptr);
    c->GetPropertyID()->SetPropertySet(u"{BEB6B91C-AF44-4f9b-AD9E-1E0570A168F9}");
    c->GetPropertyID()->SetPropertyID(id);
    c->GetPropertyID()->SetPropertyExternalName(name);
    c->SetWidth(width);
    return c;
}

// A record of values unlike the ISO style's in every field.
DLxBalloonStyleRequestData ShopRecord(const BalloonDoc& d, const UTxString16& name) {
    DLxBalloonStyleRequestData data;
    data.SetStyleName(name);
    data.SetTextStyle(RSeRef<DUxTextStyle>(d.text));
    data.SetLeaderStyle(RSeRef<DUxLeaderStyle>(d.thin));
    data.SetAltLeaderStyle(RSeRef<DUxLeaderStyle>(d.thick));
    data.SetBalloonType(DUxBalloonStyle::eCircularSplit);
    data.SetOffsetSpacing(0.75);
    data.SetScaleToTextHeight(true);
    data.SetSize(2.5);
    data.SetStretchBalloonToText(true);
    data.SetComment(u"for the \"shop\"");
    DUxTableStylePartsListColumn* item = Column(u"1", u"ITEM", 10);
    DUxTableStylePartsListColumn* qty = Column(u"2", u"QTY", 12);
    data.SetItems({RSeRef<DUxTableStyleColumn>(item), RSeRef<DUxTableStyleColumn>(qty)});
    RSe::DeleteObject(item);
    RSe::DeleteObject(qty);
    return data;
}

void ExpectShop(const DUxBalloonStyle& s, const BalloonDoc& d) {
    EXPECT_EQ(s.GetTextStyle().Read(), d.text);
    EXPECT_EQ(s.GetLeaderStyle().Read(), d.thin);
    EXPECT_EQ(s.GetAltLeaderStyle().Read(), d.thick);
    EXPECT_EQ(s.GetDefaultType(), DUxBalloonStyle::eCircularSplit);
    EXPECT_EQ(s.GetOffsetSpacing(), 0.75);
    EXPECT_TRUE(s.GetScaleToTextHeight());
    EXPECT_EQ(s.GetSize(), 2.5);
    EXPECT_TRUE(s.GetStretchBalloonToText());
    EXPECT_EQ(s.GetStyleDescription(), u"for the \"shop\"");
    ASSERT_EQ(s.GetItems().size(), 2u);
    EXPECT_EQ(s.GetItems()[1].Read()->GetPropertyID()->GetPropertyExternalName(), u"QTY");
    EXPECT_EQ(s.GetItems()[1].Read()->GetWidth(), 12.0);
    EXPECT_EQ(RSe::SegmentOf(s.GetItems()[0].Read()), RSe::SegmentOf(&s));
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

class BalloonStyleRequest : public ::testing::Test {
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
    static const std::vector<UTxString16>& Lines() {
        return FWxUtil::GetTranscriptMgr().GetLines();
    }
    // Every line journalled so far, replayed on a fresh drawing; its bytes.
    static Bytes Replayed(std::function<void(BalloonDoc&)> check = nullptr) {
        FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
        const std::vector<UTxString16> lines = mgr.GetLines();
        mgr.SetKeepLines(false);
        BalloonDoc fresh;
        for (const UTxString16& line : lines) {
            const UTxResult r = mgr.ReplayLine(fresh.doc.get(), line);
            EXPECT_FALSE(r.Failed()) << UTx::ToUtf8(line) << ": " << UTx::ToUtf8(r.GetMessage());
        }
        mgr.SetKeepLines(true);
        if (check) check(fresh);
        return fresh.Save();
    }
    HMODULE m_module = nullptr;
};

TEST_F(BalloonStyleRequest, ANewStyleIsMadeFromTheRecordJournalledReplayedAndUndone) {
    BalloonDoc d;
    const Bytes before = d.Save();
    const DLxBalloonStyleRequestData data = ShopRecord(d, u"  Shop\tballoons ");
    auto* req = new DLxNewBalloonStyleRequest(nullptr, data, RSeRef<FWxStyle>(d.standard));
    SmartPtr<DLxNewBalloonStyleRequest> keep(req);
    const UTxResult r = d.Run(req);
    ASSERT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetMessage());

    DUxBalloonStyle* made = req->GetStyle().get();
    ASSERT_NE(made, nullptr);
    // Made under the repaired name, which the request's record then holds.
    EXPECT_EQ(made->GetStyleName(), u"Shopballoons");
    EXPECT_EQ(req->GetData().GetStyleName(), made->GetStyleName());
    EXPECT_EQ(data.GetStyleName(), u"  Shop\tballoons "); // the caller's record is a copy
    ExpectShop(*made, d);
    EXPECT_EQ(made->GetEditCount(), 0);
    EXPECT_EQ(d.Find(made->GetStyleName()), made);
    const auto listed = d.standard->GetStyleList(RSeRef<FWxStyle>(made)).GetStyles();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].get(), made);

    ASSERT_EQ(Lines().size(), 1u);
    const UTxString16& line = Lines()[0];
    EXPECT_EQ(line.rfind(u"New_Balloon_Style StyleName=", 0), 0u) << UTx::ToUtf8(line);
    for (const char16_t* key : {u" StandardStyle=\"", u" TextStyle=@\"DUxTextStyle#Large\"",
                                u" BalloonType=3", u" Items_Count=2", u" Items_1_Property="})
        EXPECT_NE(line.find(key), UTxString16::npos) << UTx::ToUtf8(key);
    const Bytes after = d.Save();
    EXPECT_EQ(Replayed([&](BalloonDoc& fresh) {
                  DUxBalloonStyle* again = fresh.Find(made->GetStyleName());
                  ASSERT_NE(again, nullptr);
                  ExpectShop(*again, fresh);
              }),
              after);

    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Save(), before);
    ASSERT_FALSE(d.doc->Redo().Failed());
    EXPECT_EQ(d.Save(), after);
}

TEST_F(BalloonStyleRequest, AStandardsListHoldingTheNameOrAStandardOfAnotherKindListsNothing) {
    struct Case {
        const char* name;
        bool frameAsStandard;
        bool nameTaken;
    } cases[] = {{"a frame style as standard", true, false},
                 {"the standard lists the name already", false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BalloonDoc d;
        if (c.nameTaken) {
            // A style of that name in another document's list: the standard list goes by name.
            DUxBalloonStyle* other =
                DUxBalloonStyle::CreateStyle(d.doc->GetDrawing()->GetSegment(), u"Shop");
            d.standard->GetStyleList(RSeRef<FWxStyle>(other)).Add(RSeRef<FWxStyle>(other));
        }
        FWxStyle* standard = c.frameAsStandard ? d.FrameStyle() : d.standard;
        auto* req = new DLxNewBalloonStyleRequest(nullptr, ShopRecord(d, u"Shop"),
                                                  RSeRef<FWxStyle>(standard));
        SmartPtr<DLxNewBalloonStyleRequest> keep(req);
        ASSERT_FALSE(d.Run(req).Failed());
        DUxBalloonStyle* made = d.Find(u"Shop");
        ASSERT_NE(made, nullptr);
        for (const RSeRef<FWxStyle>& s :
             d.standard->GetStyleList(RSeRef<FWxStyle>(made)).GetStyles())
            EXPECT_NE(s.get(), made);
    }
}

TEST_F(BalloonStyleRequest, AnUpdateWritesTheRecordRenamesJournalsReplaysAndUndoes) {
    BalloonDoc d;
    const Bytes before = d.Save();
    DLxBalloonStyleRequestData data = ShopRecord(d, u" ISO shop ");
    const UTxResult r = d.Run(
        new DLxUpdateBalloonStyleRequest(nullptr, RSeRef<DUxBalloonStyle>(d.iso), data, true));
    ASSERT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetMessage());
    EXPECT_EQ(d.iso->GetStyleName(), u"ISO shop");
    EXPECT_EQ(d.Find(u"ISO shop"), d.iso);
    ExpectShop(*d.iso, d);
    // Type, offset spacing, size and stretching all differed (both scale to the text height).
    EXPECT_EQ(d.iso->GetEditCount(), 4);

    // A replayed update never renames: the fresh drawing's ISO style keeps its name.
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0].rfind(u"Update_Balloon_Style StyleReference=\"DUxBalloonStyle#ISO\"", 0),
              0u)
        << UTx::ToUtf8(Lines()[0]);
    Replayed([&](BalloonDoc& fresh) {
        EXPECT_EQ(fresh.iso->GetStyleName(), u"ISO");
        ExpectShop(*fresh.iso, fresh);
    });

    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Save(), before);
}

TEST_F(BalloonStyleRequest, WritingTheSameValuesAgainCountsNoEditButSetsTheRest) {
    BalloonDoc d;
    ASSERT_FALSE(d.Run(new DLxUpdateBalloonStyleRequest(nullptr, RSeRef<DUxBalloonStyle>(d.iso),
                                                        ShopRecord(d, u"ISO"), false))
                     .Failed());
    const int32_t edits = d.iso->GetEditCount();
    const uint32_t firstItem = d.iso->GetItems()[0].Read()->GetId();
    // The record the style page fills from the style holds what the style holds.
    DLxBalloonStyleRequestData data;
    data.InitFromStyle(RSeRef<DUxBalloonStyle>(d.iso));
    EXPECT_EQ(data.GetStyleName(), u"ISO");
    EXPECT_EQ(data.GetComment(), u"for the \"shop\"");
    ASSERT_EQ(data.GetItems().size(), 2u);
    EXPECT_NE(data.GetItems()[0].Read(), d.iso->GetItems()[0].Read()); // a copy of its own
    data.SetComment(u"again");
    data.SetLeaderStyle({});
    ASSERT_FALSE(d.Run(new DLxUpdateBalloonStyleRequest(nullptr, RSeRef<DUxBalloonStyle>(d.iso),
                                                        data, false))
                     .Failed());
    EXPECT_EQ(d.iso->GetEditCount(), edits);
    EXPECT_EQ(d.iso->GetStyleDescription(), u"again");
    EXPECT_TRUE(d.iso->GetLeaderStyle().IsNull());
    // The items are written anew.
    ASSERT_EQ(d.iso->GetItems().size(), 2u);
    EXPECT_NE(d.iso->GetItems()[0].Read()->GetId(), firstItem);
    // Both lines replay to the same document.
    ASSERT_EQ(Lines().size(), 2u);
    EXPECT_EQ(Replayed(), d.Save());
}

TEST_F(BalloonStyleRequest, RefusedUpdatesChangeAndJournalNothing) {
    struct Case {
        const char* name;
        std::function<RSeRef<DUxBalloonStyle>(BalloonDoc&)> style;
        std::function<void(DLxBalloonStyleRequestData&)> change;
        bool veto;
        bool rename;
        UTxResultCode code;
    };
    const auto iso = [](BalloonDoc& d) { return RSeRef<DUxBalloonStyle>(d.iso); };
    const auto nothing = [](DLxBalloonStyleRequestData&) {};
    const std::vector<Case> cases = {
        {"a listener refuses the change", iso, nothing, true, false, 0xE00E033D},
        {"the new name is another style's",
         [](BalloonDoc& d) {
             DUxBalloonStyle* other =
                 DUxBalloonStyle::CreateStyle(d.doc->GetDrawing()->GetSegment(), u"Other");
             d.doc->AddStyle(other);
             return RSeRef<DUxBalloonStyle>(d.iso);
         },
         [](DLxBalloonStyleRequestData& data) { data.SetStyleName(u"Other"); }, false, true,
         0xE00E033D},
        {"no style", [](BalloonDoc&) { return RSeRef<DUxBalloonStyle>(); }, nothing, false, false,
         0xE009033C},
        // A copy that a dialog edits is not the document's style.
        {"a transient copy",
         [](BalloonDoc&) {
             return RSeRef<DUxBalloonStyle>(DUxBalloonStyle::CreateStyle(nullptr, u"copy"));
         },
         nothing, false, false, 0xE009033C},
        {"a balloon type no shape has", iso,
         [](DLxBalloonStyleRequestData& data) {
             data.SetBalloonType(DUxBalloonStyle::EBalloonType(12));
         },
         false, false, 0xE009033C},
        {"a negative size", iso, [](DLxBalloonStyleRequestData& data) { data.SetSize(-1.0); },
         false, false, 0xE009033C},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BalloonDoc d;
        RSeRef<DUxBalloonStyle> style = c.style(d);
        FWxUtil::GetTranscriptMgr().ClearLines();
        const Bytes before = d.Save();
        std::unique_ptr<StyleChangeVeto> veto;
        if (c.veto) veto = std::make_unique<StyleChangeVeto>(style);
        DLxBalloonStyleRequestData data = ShopRecord(d, u"Renamed");
        c.change(data);
        const UTxResult r = d.Run(new DLxUpdateBalloonStyleRequest(nullptr, style, data, c.rename));
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(r.GetCode(), c.code) << UTx::ToUtf8(r.GetMessage());
        EXPECT_TRUE(Lines().empty());
        EXPECT_EQ(d.Save(), before);
        if (DUxBalloonStyle* s = style.get(); s && !s->IsCached()) RSe::DeleteObject(s);
    }
}

TEST_F(BalloonStyleRequest, ANewStyleOfValuesNoStyleCanTakeIsRefused) {
    BalloonDoc d;
    const Bytes before = d.Save();
    DLxBalloonStyleRequestData data = ShopRecord(d, u"Bad");
    data.SetOffsetSpacing(-0.5);
    const UTxResult r = d.Run(new DLxNewBalloonStyleRequest(nullptr, data, {}));
    EXPECT_EQ(r.GetCode(), 0xE009033CU) << UTx::ToUtf8(r.GetMessage());
    EXPECT_EQ(d.Save(), before);
    EXPECT_EQ(d.Find(u"Bad"), nullptr);
}

// A request built against a style that an earlier request deleted finds nothing to write.
TEST_F(BalloonStyleRequest, AnUpdateOfAStyleDeletedSinceIsRefused) {
    BalloonDoc d;
    DUxBalloonStyle* gone = DUxBalloonStyle::CreateStyle(d.doc->GetDrawing()->GetSegment(), u"G");
    ASSERT_TRUE(d.doc->AddStyle(gone));
    const RSeRef<DUxBalloonStyle> ref(gone);
    SmartPtr<DLxUpdateBalloonStyleRequest> req(
        new DLxUpdateBalloonStyleRequest(nullptr, ref, ShopRecord(d, u"G"), false));
    class Delete : public FWxChangeRequest {
    public:
        explicit Delete(DUxBalloonStyle* s) : m_s(s) {}
        UTxResult Script(FWxSceneDoc*) override { return {}; }
        UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override {
            return tdx.GetResult();
        }
        UTxResult _Execute(FWxSceneDoc*) override {
            RSe::DeleteObject(m_s);
            return {};
        }

    private:
        DUxBalloonStyle* m_s;
    };
    ASSERT_FALSE(d.Run(new Delete(gone)).Failed());
    const Bytes before = d.Save();
    const UTxResult r = d.doc->ProcessChangeRequest(SmartPtr<FWxChangeRequest>(req.get()));
    EXPECT_EQ(r.GetCode(), 0xE009033CU) << UTx::ToUtf8(r.GetMessage());
    EXPECT_EQ(d.Save(), before);
}

TEST_F(BalloonStyleRequest, ReplayedLinesThatNameNoBalloonStyleOrBadValuesAreRefused) {
    BalloonDoc d;
    ASSERT_FALSE(d.Run(new DLxUpdateBalloonStyleRequest(nullptr, RSeRef<DUxBalloonStyle>(d.iso),
                                                        ShopRecord(d, u"ISO"), false))
                     .Failed());
    const UTxString16 good = Lines()[0];
    const auto replace = [&](const std::u16string& from, const std::u16string& to) {
        UTxString16 line = good;
        const size_t at = line.find(from);
        EXPECT_NE(at, UTxString16::npos) << UTx::ToUtf8(from);
        if (at != UTxString16::npos) line.replace(at, from.size(), to);
        return line;
    };
    struct Case {
        const char* name;
        UTxString16 line;
        UTxResultCode code;
    };
    const UTxString16 frameRef = FWxStyle::GetStyleReference(RSeRef<FWxStyle>(d.FrameStyle()));
    const std::vector<Case> cases = {
        {"a frame style", replace(u"DUxBalloonStyle#ISO", frameRef), 0xE00E033D},
        {"no style of that name", replace(u"DUxBalloonStyle#ISO", u"DUxBalloonStyle#None"),
         0xE00E033D},
        {"a balloon type of no shape", replace(u"BalloonType=3", u"BalloonType=0"),
         kFWxErrTranscriptOutOfRange},
        {"a negative size", replace(u"Size=2.5", u"Size=-2.5"), kFWxErrTranscriptOutOfRange},
        {"a text style that is a leader style",
         replace(u"DUxTextStyle#Large", u"DUxLeaderStyle#Thin"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FWxUtil::GetTranscriptMgr().ClearLines();
        const Bytes before = d.Save();
        const UTxResult r = FWxUtil::GetTranscriptMgr().ReplayLine(d.doc.get(), c.line);
        EXPECT_TRUE(r.Failed()) << UTx::ToUtf8(c.line);
        if (c.code) {
            EXPECT_EQ(r.GetCode(), c.code) << UTx::ToUtf8(r.GetMessage());
        }
        EXPECT_EQ(d.Save(), before);
        EXPECT_TRUE(Lines().empty());
    }
    // A line without the style keys (an older one) takes none.
    UTxString16 older = good;
    for (const char16_t* key : {u" TextStyle=", u" LeaderStyle=", u" AltLeaderStyle="}) {
        const size_t at = older.find(key);
        ASSERT_NE(at, UTxString16::npos);
        older.erase(at, older.find(u' ', at + 1) - at);
    }
    ASSERT_FALSE(FWxUtil::GetTranscriptMgr().ReplayLine(d.doc.get(), older).Failed())
        << UTx::ToUtf8(older);
    EXPECT_TRUE(d.iso->GetTextStyle().IsNull());
    EXPECT_TRUE(d.iso->GetAltLeaderStyle().IsNull());
}

} // namespace
