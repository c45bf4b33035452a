#include "fw/FWxSceneDoc.h"

#include <algorithm>

#include "fw/FWxChangeRequest.h"
#include "fw/FWxDocCmd.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxErrors.h"
#include "fw/FWxState.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"

namespace {
struct Messages {
    Messages() {
        UTx::RegisterMessage(kFWxLibrary, UTxResult::IdOf(kFWxErrNotPermitted),
                             u"The document does not permit this change now");
        UTx::RegisterMessage(kFWxLibrary, UTxResult::IdOf(kFWxErrNothingToUndo),
                             u"There is nothing to undo");
        UTx::RegisterMessage(kFWxLibrary, UTxResult::IdOf(kFWxErrNothingToRedo),
                             u"There is nothing to redo");
        UTx::RegisterMessage(kFWxLibrary, UTxResult::IdOf(kFWxErrBusy),
                             u"Another change of the document is still running");
    }
} g_messages;

struct Flag {
    bool& f;
    explicit Flag(bool& flag) : f(flag) { f = true; }
    ~Flag() { f = false; }
};
} // namespace

namespace {
uint64_t NextSerial() {
    static uint64_t s_serial = 0;
    return ++s_serial;
}
} // namespace

FWxSceneDoc::FWxSceneDoc() : m_db(std::make_unique<RSeDatabase>()), m_serial(NextSerial()) {
    m_db->CreateSegment(u"Document");
    FWxDocUtil::RegisterDocument(m_db.get(), this);
}

FWxSceneDoc::FWxSceneDoc(std::unique_ptr<RSeDatabase> db)
    : m_db(std::move(db)), m_serial(NextSerial()) {
    if (!m_db->GetSegmentCount()) m_db->CreateSegment(u"Document");
    FWxDocUtil::RegisterDocument(m_db.get(), this);
}

FWxSceneDoc::~FWxSceneDoc() {
    FWxDocUtil::UnregisterDocument(m_db.get(), this);
    // Libraries' data may hold references into the database: it goes before the database.
    m_data.clear();
    // Requests and records may refer to objects of the database: they go first.
    m_undo.clear();
    m_redo.clear();
    m_commands.clear();
}

bool FWxSceneDoc::PermittedCommand(int32_t) const {
    return !m_processing;
}

UTxResult FWxSceneDoc::ProcessChangeRequest(const SmartPtr<FWxChangeRequest>& request) {
    if (!request) return UTxResult(kFWxErrNotPermitted, u"no request");
    if (m_processing || m_db->InTxn()) return UTxResult(kFWxErrBusy);
    if (!PermittedCommand(request->GetClassification())) return UTxResult(kFWxErrNotPermitted);
    UTxResult r = request->ValidateInputs(this);
    if (r.Failed()) return r;

    Flag busy(m_processing);
    m_db->BeginTxn();
    r = request->_PreExecute(this);
    if (!r.Failed()) r = request->_Execute(this);
    if (!r.Failed()) r = request->_PostExecute(this);
    if (!r.Failed()) r = request->CommitTxn(this);
    if (r.Failed()) {
        m_db->AbortTxn();
        request->AbortTxn(this);
        return r;
    }
    m_redo.clear();
    m_undo.push_back(m_db->CommitTxn());
    // The change stands; a journal that cannot be written is reported, not undone.
    UTxResult journal = request->Script(this);
    return journal.Failed() ? journal : r;
}

UTxResult FWxSceneDoc::ProcessNoTxnRequest(const SmartPtr<FWxChangeRequest>& request) {
    if (!request) return UTxResult(kFWxErrNotPermitted, u"no request");
    if (m_processing || m_db->InTxn()) return UTxResult(kFWxErrBusy);
    if (!PermittedCommand(request->GetClassification())) return UTxResult(kFWxErrNotPermitted);
    UTxResult r = request->ValidateInputs(this);
    if (r.Failed()) return r;
    Flag busy(m_processing);
    r = request->_PreExecute(this);
    if (!r.Failed()) r = request->_Execute(this);
    if (!r.Failed()) r = request->_PostExecute(this);
    return r;
}

UTxResult FWxSceneDoc::Undo() {
    if (m_processing || m_db->InTxn()) return UTxResult(kFWxErrBusy);
    if (m_undo.empty()) return UTxResult(kFWxErrNothingToUndo);
    Flag busy(m_processing);
    std::unique_ptr<RSeTxnRecord> step = std::move(m_undo.back());
    m_undo.pop_back();
    m_db->Undo(*step);
    m_redo.push_back(std::move(step));
    // The journal says so, so that a replay undoes too.
    return FWxUtil::GetTranscriptMgr().WriteNameLine(this, u"Undo");
}

UTxResult FWxSceneDoc::Redo() {
    if (m_processing || m_db->InTxn()) return UTxResult(kFWxErrBusy);
    if (m_redo.empty()) return UTxResult(kFWxErrNothingToRedo);
    Flag busy(m_processing);
    std::unique_ptr<RSeTxnRecord> step = std::move(m_redo.back());
    m_redo.pop_back();
    m_db->Redo(*step);
    m_undo.push_back(std::move(step));
    return FWxUtil::GetTranscriptMgr().WriteNameLine(this, u"Redo");
}

size_t FWxSceneDoc::GetHistoryByteSize() const {
    size_t n = 0;
    for (const auto* steps : {&m_undo, &m_redo})
        for (const auto& s : *steps)
            n += s->ByteSize();
    return n;
}

size_t FWxSceneDoc::GetHistoryByteSize(size_t steps) const {
    size_t n = 0;
    for (size_t i = m_undo.size() - std::min(steps, m_undo.size()); i < m_undo.size(); ++i)
        n += m_undo[i]->ByteSize();
    return n;
}

void FWxSceneDoc::AddCommand(FWxDocCmd* cmd) {
    if (cmd) m_commands.emplace_back(cmd);
}

FWxDocData& FWxSceneDoc::GetData(const void* key,
                                 std::unique_ptr<FWxDocData> (*make)(FWxSceneDoc*)) {
    if (FWxDocData* d = FindData(key)) return *d;
    m_data.emplace_back(key, make(this));
    return *m_data.back().second;
}

FWxDocData* FWxSceneDoc::FindData(const void* key) const {
    // A document holds the data of a few libraries: a walk is quicker than a lookup.
    for (const auto& [k, d] : m_data)
        if (k == key) return d.get();
    return nullptr;
}

bool FWxSceneDoc::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    for (const auto& cmd : m_commands)
        if (cmd->OnCmdMsg(id, code, extra)) return true;
    return false;
}

bool FWxSceneDoc::RunCommand(int32_t id) {
    return OnCmdMsg(id, FWxCmd::kCommand, nullptr);
}

bool FWxSceneDoc::IsCommandEnabled(int32_t id) {
    FWxCmdUI ui;
    ui.id = id;
    return OnCmdMsg(id, FWxCmd::kUpdateUI, &ui) && ui.enabled;
}

void FWxSceneDoc::TerminateActiveContext(int32_t code) {
    FWxDocStateCmd* cmd = m_activeCmd;
    if (!cmd) return;
    if (FWxTargetStateResolver* resolver = cmd->GetResolver(); resolver && resolver->IsRunning())
        resolver->Terminate(code);
    ClearActiveCommand(cmd);
}

std::vector<RSeIDed*> FWxSceneDoc::PickObjects(const WqGePoint3d&, double) const {
    return {};
}
