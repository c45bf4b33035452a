// The edit records of a parts list's layout, wrapping, order, grouping, members, bill of
// materials and filters, each applied through an "EditPartList" request on a placed parts list
// of the bracket assembly: what it changes, its journalled line replayed on a fresh drawing, and
// its undo.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BofM/DLxPartListData.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxPartlistFilter.h"
#include "BofM/DLxTableRowPartlist.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuBOMFixture.h"
#include "Request/DLxCreatePartListLocalBOMRequest.h"
#include "Request/DLxPartListEditRequest.h"
#include "Standard/DLxStdStyles.h"
#include "WinModule.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxSheet.h"
#include "du/DUxTableRowFilter.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "du/DUxTextStyle.h"
#include "fb/FBxObjectEditRecord.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxUtil.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Value = FBxObjectEditRecord::Value;
using Records = FBxObjectEditRecordList;

constexpr UTxResultCode kReplayFailed = 0x200104B3;

// A record with named attributes, in the order given.
struct Rec {
    FBxObjectEditRecord r;
    explicit Rec(const char16_t* name) : r(name) {}
    Rec& I(const char16_t* n, int32_t v) { return Set(n, Value::MakeInt(v)); }
    Rec& B(const char16_t* n, bool v) { return Set(n, Value::MakeBool(v)); }
    Rec& S(const char16_t* n, const UTxString16& v) { return Set(n, Value::MakeString(v)); }
    Rec& P(const char16_t* n, const WqGePoint3d& v) { return Set(n, Value::MakePoint(v)); }
    Rec& Set(const char16_t* n, Value v) {
        r.SetAttribute(n, std::move(v));
        return *this;
    }
    operator FBxObjectEditRecord() const { return r; }
};

// A drawing of the bracket assembly with a parts list placed by its creation request, whose
// journalled line makes the same parts list on a fresh drawing.
struct PartListDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    RSeRef<DLxPartListTable> table;
    UTxString16 creationLine;

    explicit PartListDoc(const DLxAssemblyData& model = KorvuBOM::BracketAssembly(),
                         const UTxString16& line = u"") {
        EXPECT_TRUE(doc->SetAssembly(model));
        DLxSheet* sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        sheet->CreateView(u"Front");
        DLxStdStyles::AddDocumentStyles(doc.get());
        AddTextStyle(u"Small", 1, 2.5);
        AddTextStyle(u"Large", 2, 5.0);
        doc->SetActiveSheet(sheet);
        FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
        if (line.empty()) {
            DLxPartListData data(doc.get());
            data.SetFilename(u"bracket-assembly.asm");
            data.SetOrigin(WqGePoint3d(300, 250, 0));
            SmartPtr<DLxCreatePartListLocalBOMRequest> req(
                new DLxCreatePartListLocalBOMRequest(data));
            const UTxResult r = doc->ProcessChangeRequest(req);
            EXPECT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetDetail());
            table = req->GetPartList();
            creationLine = mgr.GetLines().empty() ? UTxString16() : mgr.GetLines().back();
        } else {
            EXPECT_FALSE(mgr.ReplayLine(doc.get(), line).Failed());
            creationLine = line;
        }
        mgr.ClearLines();
    }
    void AddTextStyle(const UTxString16& name, int32_t font, double height) {
        DLxDrawing* drawing = doc->GetDrawing();
        DUxTextStyle* style = DUxTextStyle::CreateStyle(drawing->GetSegment(), name);
        style->SetFontId(font);
        style->SetHeight(height);
        EXPECT_TRUE(drawing->AddStyle(style));
    }
    DLxTableStatePartlist& State() const { return *table->GetPartListTableState(); }
    DLxLocalBOM& Bill() const { return *State().GetLocalBOM(); }
    DUxTableStylePartsListWrapper Wrapper() const {
        return DUxTableStylePartsListWrapper(RSeRef<DUxTableStateBase>(&State()), {});
    }
    Bytes Save() const {
        Bytes out;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(out).Failed());
        return out;
    }
    UTxResult Edit(const Records& records, SmartPtr<DLxPartListEditRequest>* out = nullptr) {
        SmartPtr<DLxPartListEditRequest> req(new DLxPartListEditRequest(table, records));
        const UTxResult r = doc->ProcessChangeRequest(req);
        if (out) *out = req;
        return r;
    }
    // The rows' cookies in table order.
    std::vector<DLxLocalBOMCookie> Cookies() const {
        std::vector<DLxLocalBOMCookie> out;
        for (DUxTableRowBase* row : State().GetRows())
            if (auto* id = dynamic_cast<const DLxTableRowIDLocalBOM*>(row->RowID()))
                out.push_back(id->Cookie());
        return out;
    }
};

class LayoutRecords : public ::testing::Test {
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

    // Applies the records, checks the change, the journal, the replay and the undo.
    void ApplyAndRoundTrip(const Records& records,
                           const std::function<void(PartListDoc&, DLxPartListEditRequest&)>& check,
                           const DLxAssemblyData& model = KorvuBOM::BracketAssembly()) {
        FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
        PartListDoc d(model);
        ASSERT_TRUE(d.table.get());
        ASSERT_EQ(d.State().GetRowCount(), 8);
        const Bytes before = d.Save();
        SmartPtr<DLxPartListEditRequest> req;
        const UTxResult r = d.Edit(records, &req);
        ASSERT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetDetail());
        check(d, *req);
        const Bytes after = d.Save();
        EXPECT_NE(after, before);

        ASSERT_EQ(mgr.GetLines().size(), 1u);
        const UTxString16 line = mgr.GetLines()[0];
        EXPECT_EQ(line.rfind(u"EditPartList ", 0), 0u) << UTx::ToUtf8(line);
        {
            PartListDoc fresh(model, d.creationLine);
            const UTxResult replayed = mgr.ReplayLine(fresh.doc.get(), line);
            ASSERT_FALSE(replayed.Failed()) << UTx::ToUtf8(replayed.GetDetail());
            EXPECT_EQ(fresh.Save(), after) << UTx::ToUtf8(line);
        }
        ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(d.Save(), before);
    }

    HMODULE m_module = nullptr;
};

DLxAssemblyData WithoutPartsOnly() {
    DLxAssemblyData model = KorvuBOM::BracketAssembly();
    model.scheme.partsOnlyEnabled = false;
    return model;
}

// The parts-list property of the components' material.
DUxStyleFormatColumnPropertyID MaterialProperty() {
    DUxStyleFormatColumnPropertyID id;
    id.SetPropertySet(DUxStyleFormatColumnPropertyID::PartsListPropertySet());
    id.SetPropertyID(u"5");
    id.SetPropertyExternalName(u"MATERIAL");
    return id;
}

Records FilterRecords() {
    DUxTableRowFilterList* list = DUxTableRowFilterList::New(RSe::TransientSegment());
    list->Add(DLxNewPartlistFilter(DUxTableRowFilter::ePurchasedFilter, RSe::TransientSegment(),
                                   nullptr));
    Records out;
    list->CreateFiltersRecords(out);
    list->RemoveAll();
    RSe::DeleteObject(list);
    return out;
}

TEST_F(LayoutRecords, EachRecordChangesTheTableJournalsReplaysAndUndoes) {
    struct Case {
        const char* name;
        std::function<Records(PartListDoc&)> records;
        std::function<void(PartListDoc&, DLxPartListEditRequest&)> check;
        DLxAssemblyData model = KorvuBOM::BracketAssembly();
    };
    using D = PartListDoc;
    using Q = DLxPartListEditRequest;
    // Rows A..H: the eight rows of every new parts list of the assembly, in table order.
    const std::vector<DLxLocalBOMCookie> was = PartListDoc().Cookies();
    ASSERT_EQ(was.size(), 8u);
    const std::vector<Case> cases = {
        {"ChangeTableSplits: the splits and one more sections",
         [](D&) { return Records{Rec(u"ChangeTableSplits").I(u"splits", 2)}; },
         [](D& d, Q&) {
             EXPECT_TRUE(d.State().AutomaticWrap());
             EXPECT_EQ(d.State().GetWrapCount(), 3);
             EXPECT_TRUE(d.State().GetRow(2)->IsFlagOn(0x2));
         }},
        {"ChangeSplitOrientation: only 2 wraps to the right",
         [](D&) {
             return Records{Rec(u"ChangeSplitOrientation").I(u"orientation", 1),
                            Rec(u"MoveOrigin").P(u"Origin", WqGePoint3d(1, 2, 0))};
         },
         [](D& d, Q&) { EXPECT_EQ(d.State().GetWrapDirection(), 0); }},
        {"ChangeColumnSplitters: automatic wrapping off, the listed rows inverted",
         [](D&) {
             return Records{Rec(u"WrapAtRow").I(u"row", 3).B(u"wrap", true),
                            Rec(u"ChangeColumnSplitters").S(u"splitters", u"2 3 5")};
         },
         [](D& d, Q&) {
             EXPECT_FALSE(d.State().GetRow(3)->IsFlagOn(0x2));
             EXPECT_TRUE(d.State().GetRow(5)->IsFlagOn(0x2));
         }},
        {"SetTableTitle",
         [](D&) { return Records{Rec(u"SetTableTitle").S(u"title", u"Bracket parts")}; },
         [](D& d, Q&) { EXPECT_EQ(d.Wrapper().GetTitle(), u"Bracket parts"); }},
        {"SetTableHeading",
         [](D&) { return Records{Rec(u"SetTableHeading").I(u"heading", 1)}; },
         [](D& d, Q&) { EXPECT_EQ(d.Wrapper().GetHeading(), DUxTableStyle::eHeadingBottom); }},
        {"SortRows: swaps along the permutation",
         [](D&) { return Records{Rec(u"SortRows").S(u"rowMapIds", u"8 1 2 3 0 5 6 7 4")}; },
         [was](D& d, Q&) {
             // (0 1) gives B A, (2 3) D C, (4 5) F E, (6 7) H G.
             const std::vector<DLxLocalBOMCookie> expected = {was[1], was[0], was[3], was[2],
                                                              was[5], was[4], was[7], was[6]};
             EXPECT_EQ(d.Cookies(), expected);
         }},
        {"RowMergeSettingChange: negative keys name key types",
         [](D&) {
             return Records{Rec(u"RowMergeSettingChange")
                                .I(u"MergeMode", 2)
                                .I(u"key1", -1)
                                .I(u"key2", 7)
                                .I(u"key3", -5)};
         },
         [](D& d, Q&) {
             EXPECT_EQ(d.Bill().RowKeyMode(), 2);
             const std::vector<DLxLocalBOM::RowKey> expected = {{3, -1, u""}, {1, 7, u""},
                                                                {7, -1, u""}};
             EXPECT_EQ(d.Bill().GetRowKeys(), expected);
         }},
        {"RowMergeSettingChange_Rev1: three keys as given",
         [](D&) {
             return Records{Rec(u"RowMergeSettingChange_Rev1")
                                .I(u"MergeMode", 1)
                                .I(u"key1type", 1)
                                .I(u"key1general", 5)
                                .S(u"key1custom", u"")
                                .I(u"key2type", 2)
                                .I(u"key2general", -1)
                                .S(u"key2custom", u"Finish")
                                .I(u"key3type", 2)
                                .I(u"key3general", -1)
                                .S(u"key3custom", u"Finish")};
         },
         [](D& d, Q&) {
             EXPECT_EQ(d.Bill().RowKeyMode(), 1);
             const std::vector<DLxLocalBOM::RowKey> expected = {
                 {1, 5, u""}, {2, -1, u"Finish"}, {2, -1, u"Finish"}};
             EXPECT_EQ(d.Bill().GetRowKeys(), expected);
         }},
        {"PushbackItemNumbers: the source model is edited",
         [](D&) {
             return Records{Rec(u"PushbackItemNumbers").B(u"PushbackAll", false).I(u"Size", 1),
                            Rec(u"Row").I(u"Idx", 0),
                            Rec(u"MoveOrigin").P(u"Origin", WqGePoint3d(5, 6, 0))};
         },
         [](D& d, Q& q) {
             EXPECT_TRUE(q.MasterRepEdited());
             EXPECT_EQ(d.State().GetOrigin(), WqGePoint3d(5, 6, 0));
         }},
        {"ChangeTableLayout: every setting of a current writer",
         [](D&) {
             return Records{Rec(u"ChangeTableLayout")
                                .S(u"TitleText", u"Parts")
                                .I(u"LineSpacing", 3)
                                .I(u"HeadingPlacement", 2)
                                .I(u"TableDirection", 1)
                                .I(u"HorizontalDirection", 0)
                                .I(u"Title", 0)
                                .I(u"IsOutsideLineColorByLayer", 1)
                                .S(u"TextStyleData", u"Small")
                                .S(u"TextStyleTitle", u"Large")
                                .S(u"TextStyleColHeading", u"No such style")};
         },
         [](D& d, Q&) {
             DUxTableStylePartsListWrapper w = d.Wrapper();
             EXPECT_EQ(w.GetTitle(), u"Parts");
             EXPECT_EQ(w.GetLineSpacing(), 3);
             EXPECT_EQ(w.GetHeading(), DUxTableStyle::eNoHeading);
             EXPECT_EQ(w.GetDirection(), DUxTableStyle::eBottomUp);
             EXPECT_FALSE(w.UseTitle());
             EXPECT_EQ(d.State().GetWrapDirection(), 0);
             EXPECT_TRUE((w.GetTextStyle() == DUxTableStyle::TextLook{1, 2.5}));
             EXPECT_TRUE((w.GetTitleTextStyle() == DUxTableStyle::TextLook{2, 5.0}));
             // A name the drawing lacks leaves the look.
             EXPECT_FALSE((w.GetHeadingTextStyle() == DUxTableStyle::TextLook{1, 2.5}));
             EXPECT_FALSE((w.GetHeadingTextStyle() == DUxTableStyle::TextLook{2, 5.0}));
         }},
        {"ChangeWrapSettings: the splits unchanged",
         [](D&) {
             return Records{Rec(u"ChangeWrapSettings")
                                .B(u"automatic", true)
                                .I(u"wrapmode", 1)
                                .I(u"orientation", 0)
                                .I(u"splits", 2)};
         },
         [](D& d, Q&) {
             EXPECT_TRUE(d.State().AutomaticWrap());
             EXPECT_EQ(d.State().GetWrapMode(), DUxTableStateBase::eWrapBySections);
             EXPECT_EQ(d.State().GetWrapDirection(), 0);
             EXPECT_EQ(d.State().GetWrapCount(), 2);
         }},
        {"WrapAtRow: the row's flag on and automatic wrapping off",
         [](D&) {
             return Records{Rec(u"ChangeTableSplits").I(u"splits", 1),
                            Rec(u"WrapAtRow").I(u"row", 1).B(u"wrap", true),
                            Rec(u"WrapAtRow").I(u"row", 3).B(u"wrap", false)};
         },
         [](D& d, Q&) {
             EXPECT_FALSE(d.State().AutomaticWrap());
             EXPECT_TRUE(d.State().GetRow(1)->IsFlagOn(0x2));
             EXPECT_FALSE(d.State().GetRow(3)->IsFlagOn(0x2));
         }},
        {"SortRows_Rev1: one key, descending",
         [](D&) {
             return Records{Rec(u"SortRows_Rev1")
                                .I(u"numberOfKeys", 1)
                                .I(u"key1", 0)
                                .I(u"descend1", 1)
                                // Beyond numberOfKeys: not read.
                                .S(u"key2", u"not a number")};
         },
         [was](D& d, Q&) {
             const DUxTableStateBase::SortDef expected = {{0, DUxTableStateBase::eDescending}};
             EXPECT_EQ(d.State().GetSortDef(), expected);
             EXPECT_EQ(d.Cookies(), std::vector<DLxLocalBOMCookie>(was.rbegin(), was.rend()));
         }},
        {"TableGroupSettings: the flags and the key columns",
         [](D&) {
             const DUxStyleFormatColumnPropertyID material = MaterialProperty();
             const DUxStyleFormatColumnPropertyID* id = &material;
             return Records{Rec(u"TableGroupSettings")
                                .B(u"groupingEnabled", true)
                                .B(u"displayItemNumbers", true)
                                .B(u"DisplayGroupParticipants", false)
                                .I(u"numberOfKeys", 1),
                            Rec(u"SetTableTitle")
                                .S(u"propertySet", id->GetPropertySet())
                                .S(u"propertyId", id->GetPropertyID())
                                .S(u"propertyName", id->GetPropertyExternalName())};
         },
         [](D& d, Q&) {
             EXPECT_EQ(d.State().GetFlags() & 0x7u, 0x5u);
             ASSERT_EQ(d.State().GetGroupKeys().size(), 1u);
             EXPECT_TRUE(*d.State().GetGroupKeys()[0]->GetPropertyID() == MaterialProperty());
             EXPECT_TRUE(d.State().IsGroupingEnabled());
         }},
        {"GroupSettingChange: key columns from their texts",
         [](D&) {
             const DUxStyleFormatColumnPropertyID material = MaterialProperty();
             const DUxStyleFormatColumnPropertyID* id = &material;
             return Records{Rec(u"GroupSettingChange")
                                .B(u"groupingEnabled", true)
                                .B(u"displayItemNumbers", false)
                                .B(u"DisplayGroupParticipants", true)
                                .I(u"numberOfKeys", 1)
                                .S(u"key1header", id->GetPropertyExternalName())
                                .S(u"key1type", id->GetPropertySet())
                                .S(u"key1generalId", id->GetPropertyID())};
         },
         [](D& d, Q&) {
             EXPECT_EQ(d.State().GetFlags() & 0x7u, 0x3u);
             ASSERT_EQ(d.State().GetGroupKeys().size(), 1u);
             EXPECT_TRUE(*d.State().GetGroupKeys()[0]->GetPropertyID() == MaterialProperty());
         }},
        {"MoveOrigin",
         [](D&) { return Records{Rec(u"MoveOrigin").P(u"Origin", WqGePoint3d(12.5, 40, 0))}; },
         [](D& d, Q&) { EXPECT_EQ(d.State().GetOrigin(), WqGePoint3d(12.5, 40, 0)); }},
        {"MemberSelect: the count as its writer keeps it, as text",
         [](D&) {
             return Records{Rec(u"MemberSelect")
                                .S(u"Members_Count", u"2")
                                .S(u"Members_0", u"A")
                                .S(u"Members_1", u"B")
                                .B(u"HideZeroQtyRows", true)};
         },
         [](D& d, Q&) {
             EXPECT_EQ(d.State().GetSelectedMembers(), (std::vector<UTxString16>{u"A", u"B"}));
             EXPECT_TRUE(d.State().GetFlags() & DLxTableStatePartlist::kHideZeroQuantityRows);
         }},
        {"EnableBOMView: the scheme enabled in the source model",
         [](D&) { return Records{Rec(u"EnableBOMView").I(u"SchemeID", 2)}; },
         [](D& d, Q& q) {
             EXPECT_TRUE(d.doc->GetAssembly()->scheme.partsOnlyEnabled);
             EXPECT_TRUE(q.MasterRepEdited());
         },
         WithoutPartsOnly()},
        {"RotateClockwise: 0 wraps to 3",
         [](D&) { return Records{Rec(u"RotateClockwise")}; },
         [](D& d, Q&) { EXPECT_EQ(d.Wrapper().GetRotation(), DUxTableStyle::eRot270); }},
        {"RotateCounterClockwise: a quarter turn, and 3 wraps to 0",
         [](D&) {
             return Records{Rec(u"RotateCounterClockwise"), Rec(u"RotateClockwise"),
                            Rec(u"RotateClockwise"), Rec(u"RotateCounterClockwise"),
                            Rec(u"RotateCounterClockwise")};
         },
         [](D& d, Q&) { EXPECT_EQ(d.Wrapper().GetRotation(), DUxTableStyle::eRot90); }},
        {"Filters: the filter records that follow, then the next record",
         [](D&) {
             Records r = FilterRecords();
             r.push_back(Rec(u"MoveOrigin").P(u"Origin", WqGePoint3d(7, 8, 0)));
             return r;
         },
         [](D& d, Q&) {
             const DUxTableRowFilterList* filters = d.State().FindFilterList();
             ASSERT_NE(filters, nullptr);
             ASSERT_EQ(filters->GetCount(), 1);
             EXPECT_EQ(filters->GetAt(0)->GetFilterType(), DUxTableRowFilter::ePurchasedFilter);
             EXPECT_EQ(d.State().GetOrigin(), WqGePoint3d(7, 8, 0));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PartListDoc probe(c.model);
        const Records records = c.records(probe);
        ApplyAndRoundTrip(records, c.check, c.model);
    }
}

// A record that cannot be applied fails the request: nothing applied before it stays, and
// nothing is journalled.
TEST_F(LayoutRecords, ARecordThatFailsRollsBackTheWholeEdit) {
    struct Case {
        const char* name;
        Records records;
    };
    const Rec move = Rec(u"MoveOrigin").P(u"Origin", WqGePoint3d(1, 1, 0));
    const std::vector<Case> cases = {
        {"a scheme that cannot be enabled",
         {move, Rec(u"EnableBOMView").I(u"SchemeID", 3), Rec(u"RotateClockwise")}},
        {"a heading placement marker of the wrong kind",
         {move, Rec(u"ChangeTableLayout")
                    .S(u"TitleText", u"T")
                    .I(u"LineSpacing", 1)
                    .I(u"HeadingPlacement", 0)
                    .I(u"TableDirection", 0)
                    .I(u"HorizontalDirection", 0)
                    .I(u"Title", 1)
                    .S(u"IsOutsideLineColorByLayer", u"yes")}},
        {"a push-back whose rows run past the list",
         {move, Rec(u"PushbackItemNumbers").B(u"PushbackAll", false).I(u"Size", 2),
          Rec(u"Row").I(u"Idx", 0)}},
        {"a filters record without its filters", {move, FilterRecords().front()}},
        {"a member list shorter than its count",
         {move, Rec(u"MemberSelect")
                    .S(u"Members_Count", u"2")
                    .S(u"Members_0", u"A")
                    .B(u"HideZeroQtyRows", false)}},
        {"a group key list that runs past the list",
         {move, Rec(u"TableGroupSettings")
                    .B(u"groupingEnabled", true)
                    .B(u"displayItemNumbers", true)
                    .B(u"DisplayGroupParticipants", true)
                    .I(u"numberOfKeys", 3)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PartListDoc d;
        const Bytes before = d.Save();
        const UTxResult r = d.Edit(c.records);
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(r.GetCode(), kReplayFailed);
        EXPECT_EQ(d.Save(), before);
        EXPECT_TRUE(FWxUtil::GetTranscriptMgr().GetLines().empty());
    }
}

// Edge cases of single records, each on a fresh parts list: what it leaves alone matters as
// much as what it changes.
TEST_F(LayoutRecords, RecordsLeaveAloneWhatTheyDoNotName) {
    {
        SCOPED_TRACE("ChangeTableLayout of an older writer renumbers the heading placement");
        struct Case {
            int32_t placement;
            bool marker;
            DUxTableStyle::eHeading heading;
        };
        for (const Case& c : std::vector<Case>{{2, false, DUxTableStyle::eHeadingTop},
                                               {2, true, DUxTableStyle::eNoHeading},
                                               {0, false, DUxTableStyle::eHeadingBottom},
                                               {1, false, DUxTableStyle::eNoHeading},
                                               {7, false, DUxTableStyle::eHeadingTop}}) {
            SCOPED_TRACE(c.placement);
            SCOPED_TRACE(c.marker);
            PartListDoc d;
            Rec layout = Rec(u"ChangeTableLayout")
                             .S(u"TitleText", u"T")
                             .I(u"LineSpacing", 1)
                             .I(u"HeadingPlacement", c.placement)
                             .I(u"TableDirection", 0)
                             .I(u"HorizontalDirection", 1)
                             .I(u"Title", 1);
            if (c.marker) layout.I(u"IsOutsideLineColorByLayer", 0);
            // No text-style names either: that step is skipped, not refused.
            ASSERT_FALSE(d.Edit({layout}).Failed());
            EXPECT_EQ(d.Wrapper().GetHeading(), c.heading);
            EXPECT_EQ(d.State().GetWrapDirection(), 1);
        }
    }
    {
        SCOPED_TRACE("ChangeColumnSplitters: a count of 0 changes nothing");
        PartListDoc d;
        ASSERT_FALSE(d.Edit({Rec(u"ChangeTableSplits").I(u"splits", 1)}).Failed());
        const Bytes before = d.Save();
        ASSERT_FALSE(d.Edit({Rec(u"ChangeColumnSplitters").S(u"splitters", u"0 3 5")}).Failed());
        EXPECT_TRUE(d.State().AutomaticWrap());
        EXPECT_EQ(d.Save(), before);
        ASSERT_FALSE(d.Edit({Rec(u"ChangeColumnSplitters").S(u"splitters", u"1 5")}).Failed());
        EXPECT_FALSE(d.State().AutomaticWrap());
    }
    {
        SCOPED_TRACE("ChangeColumnSplitters: entries the text lacks are row 0, at any count");
        PartListDoc d;
        // 4294967294 entries, one supplied: row 0 is inverted an odd number of times.
        ASSERT_FALSE(
            d.Edit({Rec(u"ChangeColumnSplitters").S(u"splitters", u"4294967294 4")}).Failed());
        EXPECT_TRUE(d.State().GetRow(4)->IsFlagOn(0x2));
        EXPECT_TRUE(d.State().GetRow(0)->IsFlagOn(0x2));
        ASSERT_FALSE(d.Edit({Rec(u"ChangeColumnSplitters").S(u"splitters", u"3 4")}).Failed());
        EXPECT_FALSE(d.State().GetRow(4)->IsFlagOn(0x2));
        EXPECT_TRUE(d.State().GetRow(0)->IsFlagOn(0x2));
    }
    {
        SCOPED_TRACE("WrapAtRow on a missing row keeps automatic wrapping");
        PartListDoc d;
        ASSERT_FALSE(d.Edit({Rec(u"ChangeTableSplits").I(u"splits", 1)}).Failed());
        const Bytes before = d.Save();
        ASSERT_FALSE(d.Edit({Rec(u"WrapAtRow").I(u"row", 8).B(u"wrap", true)}).Failed());
        EXPECT_TRUE(d.State().AutomaticWrap());
        EXPECT_EQ(d.Save(), before);
    }
    {
        SCOPED_TRACE("SortRows with a count other than the row count changes nothing");
        PartListDoc d;
        const std::vector<DLxLocalBOMCookie> was = d.Cookies();
        ASSERT_FALSE(d.Edit({Rec(u"SortRows").S(u"rowMapIds", u"3 1 2 0")}).Failed());
        EXPECT_EQ(d.Cookies(), was);
    }
    {
        SCOPED_TRACE("SortRows_Rev1 with no keys sorts by none");
        PartListDoc d;
        ASSERT_FALSE(d.Edit({Rec(u"SortRows_Rev1")
                                 .I(u"numberOfKeys", 1)
                                 .I(u"key1", 0)
                                 .I(u"descend1", 1)})
                         .Failed());
        ASSERT_FALSE(d.Edit({Rec(u"SortRows_Rev1").I(u"numberOfKeys", 0)}).Failed());
        EXPECT_TRUE(d.State().GetSortDef().empty());
    }
    {
        SCOPED_TRACE("PushbackItemNumbers of all rows takes no sub-records");
        PartListDoc d;
        SmartPtr<DLxPartListEditRequest> req;
        ASSERT_FALSE(d.Edit({Rec(u"PushbackItemNumbers").B(u"PushbackAll", true),
                             Rec(u"MoveOrigin").P(u"Origin", WqGePoint3d(3, 4, 0))},
                            &req)
                         .Failed());
        EXPECT_TRUE(req->MasterRepEdited());
        EXPECT_EQ(d.State().GetOrigin(), WqGePoint3d(3, 4, 0));
    }
}

} // namespace
