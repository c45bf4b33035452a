#include "KorvuPartListFixture.h"

#include "BofM/DLxPartListData.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuBOMFixture.h"
#include "Request/DLxCreatePartListLocalBOMRequest.h"
#include "Request/DLxPartListEditRequest.h"
#include "Standard/DLxStdStyles.h"
#include "WinModule.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxUtil.h"

namespace KorvuPartList {

Options::Options() : model(KorvuBOM::BracketAssembly()) {}

Drawing::Drawing(const Options& options) : m_doc(std::make_unique<DLxDrawingDoc>()) {
    EXPECT_TRUE(m_doc->SetAssembly(options.model));
    m_sheet = m_doc->CreateSheet(u"Sheet 1", 420, 297);
    m_sheet->CreateView(u"Front");
    DLxStdStyles::AddDocumentStyles(m_doc.get());
    m_doc->SetActiveSheet(m_sheet);

    DLxPartListData data(m_doc.get());
    data.SetFilename(options.model.components.empty() ? u"" : options.model.components[0].path);
    data.SetSchemeID(options.scheme);
    data.SetSheetInstance(RSeRef<DLxSheet>(m_sheet));
    data.SetOrigin(WqGePoint3d(300, 250, 0));
    SmartPtr<DLxCreatePartListLocalBOMRequest> create(new DLxCreatePartListLocalBOMRequest(data));
    const UTxResult r = m_doc->ProcessChangeRequest(create);
    EXPECT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetDetail());
    m_table = create->GetPartList();
    FWxUtil::GetTranscriptMgr().ClearLines();

    DLxTableStatePartlist* state = State();
    if (options.groupByMaterial && state) {
        RSeDatabase* db = m_doc->GetRSeDb();
        db->BeginTxn();
        DUxTableStylePartsListColumn* key = DUxTableStylePartsListColumn::New(nullptr);
        key->GetPropertyID()->SetPropertySet(
            DUxStyleFormatColumnPropertyID::PartsListPropertySet());
        key->GetPropertyID()->SetPropertyID(u"5");
        state->SetGroupKeys({RSeRef<DUxTableStylePartsListColumn>(key)});
        state->SetGroupingEnabled(true);
        state->RebuildRows(RSeRefBase());
        RSe::DeleteObject(key);
        db->CommitTxn();
    }
}

Drawing::~Drawing() = default;

DLxPartListTable* Drawing::Table() const {
    return m_table.get();
}

DLxTableStatePartlist* Drawing::State() const {
    DLxPartListTable* table = Table();
    return table ? table->GetPartListTableState().get() : nullptr;
}

Bytes Drawing::Save() const {
    Bytes out;
    EXPECT_FALSE(m_doc->GetRSeDb()->SaveToBuffer(out).Failed());
    return out;
}

UTxResult Drawing::Edit(const FBxObjectEditRecordList& records,
                        SmartPtr<DLxPartListEditRequest>* request) {
    SmartPtr<DLxPartListEditRequest> req(new DLxPartListEditRequest(m_table, records));
    if (request) *request = req;
    return Process(req);
}

UTxResult Drawing::Process(const SmartPtr<DLxPartListEditRequest>& request) {
    return m_doc->ProcessChangeRequest(request);
}

void ClearJournal() {
    FWxUtil::GetTranscriptMgr().ClearLines();
}

void ExpectJournalled(const Options& options, const MakeRequest& make, const Check& check) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    Drawing edited(options);
    ASSERT_NE(edited.State(), nullptr);
    // Made first: making a drawing empties the journal.
    Drawing fresh(options);
    const Bytes before = edited.Save();
    const UTxResult r = edited.Process(make(edited));
    ASSERT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetDetail());
    const Bytes after = edited.Save();
    ASSERT_EQ(mgr.GetLines().size(), 1u);
    const UTxString16 line = mgr.GetLines()[0];
    EXPECT_EQ(line.rfind(u"EditPartList ", 0), 0u) << UTx::ToUtf8(line);

    if (check) check(edited, fresh);
    const UTxResult replayed = mgr.ReplayLine(fresh.Doc(), line);
    EXPECT_FALSE(replayed.Failed()) << UTx::ToUtf8(replayed.GetDetail()) << "\n"
                                    << UTx::ToUtf8(line);
    EXPECT_EQ(fresh.Save(), after) << UTx::ToUtf8(line);

    ASSERT_FALSE(edited.Doc()->Undo().Failed());
    EXPECT_EQ(edited.Save(), before);
    mgr.ClearLines();
}

void ExpectJournalledEdit(const Options& options, const FBxObjectEditRecordList& records,
                          const Check& check) {
    ExpectJournalled(
        options,
        [&](Drawing& d) {
            return SmartPtr<DLxPartListEditRequest>(
                new DLxPartListEditRequest(d.TableRef(), records));
        },
        check);
}

} // namespace KorvuPartList
