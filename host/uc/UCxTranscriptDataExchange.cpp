#include "uc/UCxTranscriptDataExchange.h"

#include "fw/FWxTranscriptMgr.h"

UCxTranscriptDataExchange::UCxTranscriptDataExchange(UTxString16& line, UTxResult& result,
                                                     FWxSceneDoc* doc, bool writing)
    : m_mgr(FWxTranscriptMgr::Get()), m_line(line), m_result(result), m_doc(doc),
      m_writing(writing) {}

UCxTranscriptDataExchange::~UCxTranscriptDataExchange() {
    if (m_pinned) m_mgr.UnpinLine(&m_line);
}

bool UCxTranscriptDataExchange::Put(const char16_t* key, const FWxTranscriptValue& value) {
    if (HasFailed()) return false;
    UTxResult r = m_mgr.PutValue(m_line, key, value);
    Fail(r);
    return r.Succeeded();
}

const FWxTranscriptValue* UCxTranscriptDataExchange::Find(const char16_t* key, bool required) {
    if (HasFailed()) return nullptr;
    // A request reads many keys from one line: reading takes it apart once. (Writing exchanges
    // only put.)
    if (!m_parsed) {
        UTxResult r = m_mgr.IndexLine(m_line, m_parsed);
        if (r.Failed()) {
            Fail(r); // names the faulty key
            return nullptr;
        }
        if (!m_pinned) {
            m_mgr.PinLine(&m_line, m_parsed);
            m_pinned = true;
        }
    }
    const FWxTranscriptValue* v = m_parsed->Find(key);
    if (!v && required) Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptMissing, key));
    return v;
}

void UCxTranscriptDataExchange::Fail(const UTxResult& error) {
    if (error.Failed() && !HasFailed()) m_result = error;
}
