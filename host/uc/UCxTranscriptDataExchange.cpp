#include "uc/UCxTranscriptDataExchange.h"

#include "fw/FWxTranscriptMgr.h"

UCxTranscriptDataExchange::UCxTranscriptDataExchange(UTxString16& line, UTxResult& result,
                                                     FWxSceneDoc* doc, bool writing)
    : m_mgr(FWxTranscriptMgr::Get()), m_line(line), m_result(result), m_doc(doc),
      m_writing(writing) {}

UCxTranscriptDataExchange::~UCxTranscriptDataExchange() = default;

bool UCxTranscriptDataExchange::Put(const char16_t* key, const FWxTranscriptValue& value) {
    if (HasFailed()) return false;
    UTxResult r = m_mgr.PutValue(m_line, key, value);
    Fail(r);
    return r.Succeeded();
}

const FWxTranscriptValue* UCxTranscriptDataExchange::Find(const char16_t* key, bool required) {
    if (HasFailed()) return nullptr;
    // A request reads many keys from one line: take it apart once, again only if it changed.
    if (!m_parsed || m_parsedText != m_line) {
        auto parsed = std::make_unique<FWxTranscriptLine>();
        UTxResult r = FWxTranscriptMgr::ParseLine(m_line, *parsed);
        if (r.Failed()) {
            Fail(FWxTranscriptMgr::MakeLineError(key, r));
            return nullptr;
        }
        m_parsed = std::move(parsed);
        m_parsedText = m_line;
    }
    const FWxTranscriptValue* v = m_parsed->Find(key);
    if (!v && required) Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptMissing, key));
    return v;
}

void UCxTranscriptDataExchange::Fail(const UTxResult& error) {
    if (error.Failed() && !HasFailed()) m_result = error;
}
