#include "KorvuPartListDoc.h"

#include "BofM/DLxPartListData.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuBOMFixture.h"
#include "Request/DLxCreatePartListLocalBOMRequest.h"
#include "Standard/DLxStdStyles.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxUtil.h"

namespace KorvuPartList {

DocSetup DefaultSetup() {
    DocSetup s;
    s.model = KorvuBOM::BracketAssembly();
    return s;
}

Doc::Doc(const DocSetup& setup) : doc(std::make_unique<DLxDrawingDoc>()) {
    EXPECT_TRUE(doc->SetAssembly(setup.model));
    sheet1 = doc->CreateSheet(u"Sheet 1", 420, 297);
    sheet2 = doc->CreateSheet(u"Sheet 2", 420, 297);
    sheet1->CreateView(u"Front");
    DLxStdStyles::AddDocumentStyles(doc.get());
    doc->SetActiveSheet(sheet1);
    DLxPartListData data(doc.get());
    data.SetFilename(u"bracket-assembly.asm");
    data.SetSchemeID(setup.scheme);
    data.SetSheetInstance(RSeRef<DLxSheet>(setup.onSecondSheet ? sheet2 : sheet1));
    data.SetOrigin(WqGePoint3d(300, 250, 0));
    SmartPtr<DLxCreatePartListLocalBOMRequest> create(new DLxCreatePartListLocalBOMRequest(data));
    const UTxResult r = doc->ProcessChangeRequest(create);
    EXPECT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetDetail());
    table = create->GetPartList();
    EXPECT_TRUE(table.HasTarget());
    if (setup.prepare) setup.prepare(*this);
    // The placing is the starting point, not the change under test.
    FWxUtil::GetTranscriptMgr().ClearLines();
}

void Doc::Change(const std::function<void()>& change) {
    doc->GetRSeDb()->BeginTxn();
    change();
    (void)doc->GetRSeDb()->CommitTxn();
}

Doc::~Doc() = default;

Bytes Doc::Save() const {
    Bytes out;
    EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(out).Failed());
    return out;
}

UTxResult Doc::Process(const SmartPtr<FWxChangeRequest>& request) {
    return doc->ProcessChangeRequest(request);
}

UTxString16 ExpectJournalledAndUndoable(const DocSetup& setup, Doc& d,
                                        const SmartPtr<FWxChangeRequest>& request,
                                        const char16_t* name,
                                        const std::function<void(Doc&)>& after) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();
    const Bytes before = d.Save();
    const UTxResult r = d.Process(request);
    EXPECT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetDetail());
    if (after) after(d);
    const Bytes changed = d.Save();
    EXPECT_EQ(mgr.GetLines().size(), 1u);
    if (mgr.GetLines().size() != 1u) return {};
    const UTxString16 line = mgr.GetLines()[0];
    EXPECT_EQ(line.rfind(UTxString16(name) + u" ", 0), 0u) << UTx::ToUtf8(line);

    Doc replay(setup);
    const UTxResult rr = mgr.ReplayLine(replay.doc.get(), line);
    EXPECT_FALSE(rr.Failed()) << UTx::ToUtf8(line) << ": " << UTx::ToUtf8(rr.GetDetail());
    EXPECT_EQ(replay.Save(), changed) << UTx::ToUtf8(line);

    EXPECT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Save(), before);
    return line;
}

UTxString16 CellText(const DLxPartListTable* table, int32_t row, const char16_t* property) {
    DLxTableStatePartlist* state = table ? table->GetPartListTableState().get() : nullptr;
    if (!state) return {};
    const DUxTableColumnList& columns = state->GetOriginalColumns();
    for (size_t i = 0; i < columns.size(); ++i) {
        const auto* c = dynamic_cast<const DUxTableStylePartsListColumn*>(columns[i].get());
        if (c &&
            c->GetPropertyID()->IsPropertySet(
                DUxStyleFormatColumnPropertyID::PartsListPropertySet()) &&
            c->GetPropertyID()->GetPropertyID() == property)
            return state->GetValue(row, int32_t(i));
    }
    return {};
}

void ClearJournal() {
    FWxUtil::GetTranscriptMgr().ClearLines();
}

} // namespace KorvuPartList
