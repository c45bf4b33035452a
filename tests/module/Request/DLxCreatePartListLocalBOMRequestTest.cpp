// The creation request of a parts list: what it refuses, what it makes from the settings, its
// journalled line replayed on a fresh drawing, and its undo.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "BofM/DLxPartListData.h"
#include "Clipboard.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuBOMFixture.h"
#include "Request/DLxCreatePartListLocalBOMRequest.h"
#include "Standard/DLxStdStyles.h"
#include "WinModule.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDragDropData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"
#include "utx/UTxUtil.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A drawing of the bracket assembly with two sheets, the parts-list styles and no bill yet.
struct BracketDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet1 = nullptr;
    DLxSheet* sheet2 = nullptr;

    explicit BracketDoc(const DLxAssemblyData& model = KorvuBOM::BracketAssembly()) {
        EXPECT_TRUE(doc->SetAssembly(model));
        sheet1 = doc->CreateSheet(u"Sheet 1", 420, 297);
        sheet2 = doc->CreateSheet(u"Sheet 2", 420, 297);
        sheet1->CreateView(u"Front");
        DLxStdStyles::AddDocumentStyles(doc.get());
        doc->SetActiveSheet(sheet1);
    }
    Bytes Save() const {
        Bytes out;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(out).Failed());
        return out;
    }
    DLxPartListData Data() const {
        DLxPartListData d(doc.get());
        d.SetFilename(u"bracket-assembly.asm");
        return d;
    }
    SmartPtr<DLxCreatePartListLocalBOMRequest> Create(const DLxPartListData& d, UTxResult& r) {
        SmartPtr<DLxCreatePartListLocalBOMRequest> req(new DLxCreatePartListLocalBOMRequest(d));
        r = doc->ProcessChangeRequest(req);
        return req;
    }
};

class CreatePartListRequest : public ::testing::Test {
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
    HMODULE m_module = nullptr;
};

TEST_F(CreatePartListRequest, AJournalledCreationReplaysToTheSameBytesAndUndoesToTheOldOnes) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    BracketDoc d;
    const Bytes before = d.Save();
    DLxPartListData data = d.Data();
    data.SetSheetInstance(RSeRef<DLxSheet>(d.sheet2));
    data.SetOrigin(WqGePoint3d(300, 250, 0));
    data.SetIsWrapEnabled(true);
    data.SetWrapMode(0);
    data.SetWrapRowCount(3);
    data.SetWrapDirection(1);
    UTxResult r;
    SmartPtr<DLxCreatePartListLocalBOMRequest> req = d.Create(data, r);
    ASSERT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetDetail());
    DLxPartListTable* table = req->GetPartList().get();
    ASSERT_NE(table, nullptr);
    DLxTableStatePartlist* state = table->GetPartListTableState().get();
    ASSERT_NE(state, nullptr);
    EXPECT_TRUE(state->AutomaticWrap());
    EXPECT_EQ(state->GetWrapMode(), DUxTableStateBase::eWrapByRows);
    EXPECT_EQ(state->GetWrapCount(), 3);
    EXPECT_EQ(state->GetWrapDirection(), DUxTableStateBase::eWrapRight);
    EXPECT_EQ(DLxLocalBOMMgr::GetLocalBOM(table), DLxLocalBOMMgr::GetAnyLocalBOM(d.doc->GetRSeDb()));
    const Bytes after = d.Save();

    ASSERT_EQ(mgr.GetLines().size(), 1u);
    const UTxString16 line = mgr.GetLines()[0];
    EXPECT_EQ(line.rfind(u"CreatePartListLocalBOM ", 0), 0u) << UTx::ToUtf8(line);

    BracketDoc replay;
    ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed()) << UTx::ToUtf8(line);
    EXPECT_EQ(replay.Save(), after);

    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Save(), before);
}

TEST_F(CreatePartListRequest, RefusalsAndFailuresChangeNothingAndJournalNothing) {
    struct Case {
        const char* name;
        std::function<void(DLxPartListData&)> edit;
        const char16_t* key; // the key the error names first
    };
    const std::vector<Case> cases = {
        {"no source file", [](DLxPartListData& d) { d.SetFilename(u""); }, u"Filename"},
        // Accepted, but no bill can be made for a model the drawing does not hold.
        {"a file the drawing does not document",
         [](DLxPartListData& d) { d.SetFilename(u"x.asm"); }, u"Filename"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BracketDoc d;
        const Bytes before = d.Save();
        DLxPartListData data = d.Data();
        c.edit(data);
        UTxResult r;
        SmartPtr<DLxCreatePartListLocalBOMRequest> req = d.Create(data, r);
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(r.GetDetail().rfind(c.key, 0), 0u) << UTx::ToUtf8(r.GetDetail());
        EXPECT_FALSE(req->GetPartList().HasTarget());
        EXPECT_TRUE(FWxUtil::GetTranscriptMgr().GetLines().empty());
        EXPECT_FALSE(d.doc->CanUndo());
        EXPECT_EQ(d.Save(), before);
    }
}

// The scheme enabled in the model for the new bill belongs to the creation: undo takes it back,
// and a replay on the same model enables it the same way. Without wrapping only the direction
// reaches the state.
TEST_F(CreatePartListRequest, ACreationThatEnablesTheSchemeUndoesAndReplaysIt) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    DLxAssemblyData model = KorvuBOM::BracketAssembly();
    model.scheme.partsOnlyEnabled = false;
    BracketDoc d(model);
    const Bytes before = d.Save();
    DLxPartListData data = d.Data();
    data.SetSchemeID(2);
    data.SetNumberingFormat(7);
    data.SetWrapDirection(1);
    data.SetWrapMode(0);
    data.SetWrapRowCount(3);
    UTxResult r;
    SmartPtr<DLxCreatePartListLocalBOMRequest> req = d.Create(data, r);
    ASSERT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetDetail());
    EXPECT_TRUE(d.doc->GetAssembly()->scheme.partsOnlyEnabled);
    EXPECT_EQ(d.doc->GetAssembly()->scheme.partsOnlyFormat, 7);
    DLxTableStatePartlist* state = req->GetPartList()->GetPartListTableState().get();
    ASSERT_NE(state, nullptr);
    EXPECT_FALSE(state->AutomaticWrap());
    EXPECT_EQ(state->GetWrapDirection(), DUxTableStateBase::eWrapRight);
    EXPECT_NE(state->GetWrapCount(), 3);
    const Bytes after = d.Save();

    ASSERT_EQ(mgr.GetLines().size(), 1u);
    BracketDoc replay(model);
    ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), mgr.GetLines()[0]).Failed());
    EXPECT_EQ(replay.Save(), after);

    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_FALSE(d.doc->GetAssembly()->scheme.partsOnlyEnabled);
    EXPECT_EQ(d.Save(), before);
}

TEST_F(CreatePartListRequest, AnEmptyMemberTakesTheFactorysActiveMember) {
    DLxAssemblyData model = KorvuBOM::BracketAssembly();
    for (DLxAssemblyComponent& c : model.components)
        if (c.id == model.root) {
            c.isFactory = true;
            c.factoryMembers = {u"A", u"B"};
            c.activeMember = u"B";
        }
    BracketDoc d(model);
    UTxResult r;
    SmartPtr<DLxCreatePartListLocalBOMRequest> req = d.Create(d.Data(), r);
    ASSERT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetDetail());
    DLxTableStatePartlist* state = req->GetPartList()->GetPartListTableState().get();
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->GetSelectedMembers(), std::vector<UTxString16>{u"B"});
}

// The sheet is checked before the rest: a deferred drawing takes no parts list, and a record
// whose sheet is another drawing's is refused.
TEST_F(CreatePartListRequest, ADeferredDrawingOrAnotherDrawingsSheetIsRefused) {
    for (const bool deferred : {true, false}) {
        SCOPED_TRACE(deferred ? "deferred drawing" : "another drawing's sheet");
        BracketDoc d, other;
        const Bytes before = d.Save();
        DLxPartListData data = d.Data();
        data.SetFilename(u""); // also refused, but later
        if (deferred) d.doc->SetDocDeferred(true);
        else data.SetSheetInstance(RSeRef<DLxSheet>(other.sheet1));
        UTxResult r;
        d.Create(data, r);
        EXPECT_EQ(r.GetCode(), UTxResultCode(0xE009033C));
        EXPECT_EQ(r.GetDetail().rfind(u"SheetInstance", 0), 0u) << UTx::ToUtf8(r.GetDetail());
        EXPECT_FALSE(d.doc->CanUndo());
        EXPECT_EQ(d.Save(), before);
    }
}

// Lines of the creation written before local bills of materials replay through today's
// creation, which is what the journal then holds.
TEST_F(CreatePartListRequest, AnOlderCreationLineReplaysAsTodaysCreation) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    const UTxString16 old =
        u"CreatePartList Origin=(300.0,250.0,0.0) View=@\"DLxViewInstance#Sheet 1/Front\" "
        u"itemIds=\"1-8\" IsComponent=false formatColumns=2 HorizDir=1";
    BracketDoc d;
    ASSERT_FALSE(mgr.ReplayLine(d.doc.get(), old).Failed());
    const std::vector<DLxLocalBOM*> boms = DLxLocalBOMMgr::GetLocalBOMs(d.doc->GetRSeDb());
    ASSERT_EQ(boms.size(), 1u);
    // Without a mode, a part list of parts only.
    EXPECT_EQ(boms[0]->GetSchemeID(), 2);
    ASSERT_EQ(mgr.GetLines().size(), 1u);
    const UTxString16 line = mgr.GetLines()[0];
    EXPECT_EQ(line.rfind(u"CreatePartListLocalBOM ", 0), 0u) << UTx::ToUtf8(line);
    EXPECT_NE(line.find(u"WrappingEnabled=true"), UTxString16::npos) << UTx::ToUtf8(line);
    EXPECT_NE(line.find(u"WrapSectionCount=2"), UTxString16::npos) << UTx::ToUtf8(line);
    EXPECT_NE(line.find(u"WrapDir=1"), UTxString16::npos) << UTx::ToUtf8(line);
    const Bytes after = d.Save();

    BracketDoc replay;
    ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed()) << UTx::ToUtf8(line);
    EXPECT_EQ(replay.Save(), after);

    // A mode given outright wins over IsComponent; a line without a view makes nothing.
    BracketDoc structured;
    ASSERT_FALSE(mgr.ReplayLine(structured.doc.get(), old + u" PartListMode=1").Failed());
    EXPECT_EQ(DLxLocalBOMMgr::GetAnyLocalBOM(structured.doc->GetRSeDb())->GetSchemeID(), 1);
    BracketDoc none;
    EXPECT_TRUE(mgr.ReplayLine(none.doc.get(),
                               u"CreatePartList Origin=(0.0,0.0,0.0) View=null itemIds=\"\" "
                               u"IsComponent=true formatColumns=0 HorizDir=0")
                    .Failed());
    EXPECT_FALSE(none.doc->CanUndo());
}

// The oldest lines give the mode as a second "HorizDir": the first is the direction, the second
// the mode, and a "PartListMode" of its own still wins.
TEST_F(CreatePartListRequest, AnOlderLineWithTwoHorizDirKeysTakesTheSecondAsTheMode) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    const UTxString16 head =
        u"CreatePartList Origin=(300.0,250.0,0.0) View=@\"DLxViewInstance#Sheet 1/Front\" "
        u"itemIds=\"HorizDir=2\" IsComponent=false formatColumns=2 HorizDir=1 HorizDir=";
    struct Case {
        const char* name;
        UTxString16 line;
        bool fails;
        int32_t scheme;
    };
    const Case cases[] = {
        {"second value is the mode", head + u"1", false, 1},
        {"mode key wins", head + u"1 PartListMode=2", false, 2},
        {"second value no integer", head + u"x", true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mgr.ClearLines();
        BracketDoc d;
        const UTxResult r = mgr.ReplayLine(d.doc.get(), c.line);
        ASSERT_EQ(r.Failed(), c.fails) << UTx::ToUtf8(r.GetDetail());
        if (c.fails) {
            EXPECT_FALSE(d.doc->CanUndo());
            continue;
        }
        EXPECT_EQ(DLxLocalBOMMgr::GetAnyLocalBOM(d.doc->GetRSeDb())->GetSchemeID(), c.scheme);
        ASSERT_EQ(mgr.GetLines().size(), 1u);
        // The first value stays the direction.
        EXPECT_NE(mgr.GetLines()[0].find(u"WrapDir=1"), UTxString16::npos);
    }
}

TEST_F(CreatePartListRequest, UndoEmptiesTheClipboardOnlyWhenItHoldsThisTableCopiedFromHere) {
    struct Case {
        const char* name;
        bool sameDocument;
        bool partListFormat;
        bool emptied;
    };
    const Case cases[] = {
        {"this table, copied from this drawing", true, true, true},
        {"this table's id, copied from another drawing", false, true, false},
        {"copied as symbols, not as a parts list", true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WinClipboardResetForTests();
        BracketDoc d, other;
        UTxResult r;
        SmartPtr<DLxCreatePartListLocalBOMRequest> req = d.Create(d.Data(), r);
        ASSERT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetDetail());
        const RSeRefBase table(req->GetPartList().get());
        const uint32_t format = RegisterClipboardFormatW(
            c.partListFormat ? kDLxPartListClipboardFormat : kDLxSymbolClipboardFormat);
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(format, DLxDragDropData::Create(
                                     c.sameDocument ? d.doc.get() : other.doc.get(), {table}));
        CloseClipboard();
        ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(IsClipboardFormatAvailable(format), !c.emptied);
    }
    WinClipboardResetForTests();
}

} // namespace
