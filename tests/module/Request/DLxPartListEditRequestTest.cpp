// The edit request of a placed parts list: what a failed edit leaves, the request of the
// finishing steps and the move, the questions it answers the host, and the records of rows,
// cells, columns and headers, each journalled and replayed on a fresh drawing.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableRowPartlist.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuBOMFixture.h"
#include "KorvuPartListFixture.h"
#include "Request/DLxPartListEditReplay.h"
#include "Request/DLxPartListEditRequest.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"
#include "utx/UTxUtil.h"

namespace {

using KorvuPartList::Bytes;
using KorvuPartList::Drawing;
using KorvuPartList::Options;
using Record = FBxObjectEditRecord;
using Value = FWxTranscriptValue;

Record Rec(const char16_t* name, std::vector<std::pair<const char16_t*, Value>> attributes = {}) {
    Record r(name);
    for (auto& [key, value] : attributes)
        r.SetAttribute(key, value);
    return r;
}
Value Int(int32_t v) {
    return Value::MakeInt(v);
}
Value Bool(bool v) {
    return Value::MakeBool(v);
}

// The index of the first column showing the item number (or, with `item` false, the first
// column that shows neither the item number nor the quantity); -1 when there is none.
int32_t ColumnIndex(const DLxTableStatePartlist& state, bool item) {
    for (int32_t i = 0; i < state.GetColumnCount(); ++i) {
        const DUxStyleFormatColumnPropertyID* id = state.GetColumn(i)->GetPropertyID();
        if (item ? id->IsItem() : !id->IsItem() && !id->IsQuantity()) return i;
    }
    return -1;
}

// A model whose root is a lone part: its bill lists no assembly.
DLxAssemblyData PartModel() {
    DLxAssemblyData a;
    a.root = 1;
    DLxAssemblyComponent part;
    part.id = 1;
    part.kind = DLxAssemblyComponent::Kind::Part;
    part.name = u"plate";
    part.path = u"parts/plate.part";
    part.partNumber = u"PL-1";
    part.representations = {u"Default"};
    a.components.push_back(part);
    a.scheme.structuredEnabled = false;
    a.scheme.partsOnlyEnabled = true;
    return a;
}

class EditPartListRequest : public KorvuPartList::ModuleTest {};

// ---- the request ---------------------------------------------------------------------------

TEST_F(EditPartListRequest, AFailedEditLeavesTheDrawingAsItWasAndJournalsNothing) {
    struct Case {
        const char* name;
        FBxObjectEditRecordList records;
    };
    const std::vector<Case> cases = {
        {"no records", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Drawing d;
        ASSERT_NE(d.State(), nullptr);
        const Bytes before = d.Save();
        const size_t depth = d.Doc()->GetUndoDepth();
        const UTxResult r = d.Edit(c.records);
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(r.GetCode(), DLxPartListEditRequest::kReplayFailed);
        EXPECT_TRUE(FWxUtil::GetTranscriptMgr().GetLines().empty());
        EXPECT_EQ(d.Doc()->GetUndoDepth(), depth);
        EXPECT_EQ(d.Save(), before);
    }
}

// Built with the table alone, the request only tells the bill's annotations and recomputes the
// sheet; its line carries no records and replays the same way.
TEST_F(EditPartListRequest, ATableOnlyRequestRunsTheFinishingStepsAndItsLineReplays) {
    SmartPtr<DLxPartListEditRequest> request;
    KorvuPartList::ExpectJournalled(
        Options(),
        [&](Drawing& d) {
            request = new DLxPartListEditRequest(d.TableRef());
            return request;
        },
        [&](Drawing&, Drawing&) {
            EXPECT_TRUE(request->GetRecords().empty());
            const UTxString16 line = FWxUtil::GetTranscriptMgr().GetLines()[0];
            EXPECT_NE(line.find(u"Records=[]"), UTxString16::npos) << UTx::ToUtf8(line);
        });
}

TEST_F(EditPartListRequest, AMoveJournalsReplaysAndUndoes) {
    const WqGePoint3d to(120.5, 80.25, 0);
    KorvuPartList::ExpectJournalled(
        Options(),
        [&](Drawing& d) {
            return SmartPtr<DLxPartListEditRequest>(new DLxPartListEditRequest(d.TableRef(), to));
        },
        [&](Drawing& edited, Drawing& unedited) {
            EXPECT_EQ(edited.State()->GetOrigin(), to);
            EXPECT_NE(unedited.State()->GetOrigin(), to);
        });
}

TEST_F(EditPartListRequest, ContainsRecordComparesWholeNamesWithCase) {
    struct Case {
        FBxObjectEditRecordList records;
        bool found;
    };
    const std::vector<Case> cases = {
        {{Rec(u"UpdateAll"), Rec(u"PushbackItemNumbers")}, true},
        {{Rec(u"PushBackItemNumbers")}, false},
        {{Rec(u"pushbackItemNumbers")}, false},
        {{Rec(u"PushbackItemNumbers2"), Rec(u"Pushback")}, false},
        {{}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.records.empty() ? std::string("none") : UTx::ToUtf8(c.records[0].GetKey()));
        const DLxPartListEditRequest request(RSeRef<DLxPartListTable>(), c.records);
        EXPECT_EQ(request.ContainsRecord(u"PushbackItemNumbers"), c.found);
    }
}

// The source model here is the drawing's own assembly: it is reported when the host asks on
// behalf of another document, once however many records change it, and never as the
// request's own document.
TEST_F(EditPartListRequest, OtherChangedDocumentsNameTheSourceModelOnceAndNeverTheOwnDocument) {
    Drawing d;
    Drawing other;
    ASSERT_NE(d.State(), nullptr);
    const int32_t item = ColumnIndex(*d.State(), true);
    const int32_t plain = ColumnIndex(*d.State(), false);
    ASSERT_GE(item, 0);
    ASSERT_GE(plain, 0);
    auto staticValue = [](int32_t col) {
        return Rec(u"StaticValue", {{u"row", Int(0)}, {u"col", Int(col)}, {u"value", Bool(false)}});
    };
    struct Case {
        const char* name;
        FBxObjectEditRecordList records;
        bool changesModel;
    };
    const std::vector<Case> cases = {
        {"static values of other columns", {staticValue(plain), staticValue(plain)}, false},
        {"two push-backs", {Rec(u"PushbackItemNumbers"), Rec(u"PushbackItemNumbers")}, true},
        {"a static value of the item number", {staticValue(plain), staticValue(item)}, true},
        {"no records", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DLxPartListEditRequest request(d.TableRef(), c.records);
        const std::vector<FWxSceneDoc*> expected =
            c.changesModel ? std::vector<FWxSceneDoc*>{d.Doc()} : std::vector<FWxSceneDoc*>{};
        EXPECT_EQ(request.GetOtherChangedDocuments(other.Doc()), expected);
        EXPECT_TRUE(request.GetOtherChangedDocuments(d.Doc()).empty());
    }
}

// Numbering a cell anew needs the model's structured scheme on all levels: only an assembly
// model whose structured scheme is enabled can be switched over.
TEST_F(EditPartListRequest, OnlyAnEnabledStructuredSchemeOfAnAssemblyIsMadeAllLevels) {
    DLxAssemblyData noStructured = KorvuBOM::BracketAssembly();
    noStructured.scheme.structuredEnabled = false;
    noStructured.scheme.partsOnlyEnabled = true;
    struct Case {
        const char* name;
        Options options;
        bool changes;
    };
    std::vector<Case> cases(3);
    cases[0].name = "structured assembly";
    cases[0].changes = true;
    cases[1].name = "a lone part";
    cases[1].options.model = PartModel();
    cases[1].options.scheme = 2;
    cases[2].name = "structured scheme off";
    cases[2].options.model = noStructured;
    cases[2].options.scheme = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Drawing d(c.options);
        DLxTableStatePartlist* state = d.State();
        ASSERT_NE(state, nullptr);
        const FBxObjectEditRecordList records = {Rec(u"UpdateAll")};
        DLxPartListEditRequest request(d.TableRef(), records);
        DLxPartListEditReplay replay(request, *d.Table(), *state, records);
        EXPECT_EQ(replay.CheckAndUpdateToSchemaStructuredAllLevels(-1, true), c.changes);
        EXPECT_FALSE(d.Doc()->GetAssembly()->scheme.structuredAllLevels);
        RSeDatabase* db = d.Doc()->GetRSeDb();
        db->BeginTxn();
        EXPECT_EQ(replay.CheckAndUpdateToSchemaStructuredAllLevels(-1, false), c.changes);
        EXPECT_EQ(d.Doc()->GetAssembly()->scheme.structuredAllLevels, c.changes);
        EXPECT_EQ(request.MasterRepEdited(), c.changes);
        db->AbortTxn();
    }
}

} // namespace
