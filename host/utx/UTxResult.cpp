#include "utx/UTxResult.h"

#include <unordered_map>

namespace {
std::unordered_map<uint32_t, UTxString16>& Messages() {
    static std::unordered_map<uint32_t, UTxString16> table;
    return table;
}
uint32_t MessageKey(uint32_t code) {
    return code & 0x0FFFFFFFu;
}
const std::string kNoFile;
const UTxString16 kNoText;
const std::vector<UTxDiagnosis*> kNoDiagnoses;
} // namespace

namespace UTx {
void RegisterMessage(uint32_t library, uint32_t id, UTxString16 text) {
    Messages()[MessageKey(((library & 0xFFFu) << 16) | (id & 0xFFFFu))] = std::move(text);
}
UTxString16 LoadUTxMessage(uint32_t code) {
    return UTxResult::GetStringFromId(code);
}
} // namespace UTx

UTxResult::UTxResult(UTxResultCode code, const char* file, int32_t line)
    : m_d(std::make_shared<Data>()) {
    m_d->code = code;
    if (file) m_d->file = file;
    m_d->line = line;
}

UTxResult::UTxResult(UTxResultCode code, UTxString16 detail) : UTxResult(code) {
    m_d->detail = std::move(detail);
}

UTxResult UTxResult::Refusal(UTxResultCode code, UTxString16 detail) {
    UTxResult r(code, std::move(detail));
    r.m_d->refused = true;
    return r;
}

UTxResult::Data& UTxResult::Own() {
    if (!m_d)
        m_d = std::make_shared<Data>();
    else if (m_d.use_count() > 1)
        m_d = std::make_shared<Data>(*m_d);
    return *m_d;
}

const std::string& UTxResult::GetFile() const {
    return m_d ? m_d->file : kNoFile;
}
const UTxString16& UTxResult::GetDetail() const {
    return m_d ? m_d->detail : kNoText;
}

UTxResult& UTxResult::SetDetail(UTxString16 detail) {
    Own().detail = std::move(detail);
    return *this;
}

UTxString16 UTxResult::GetMessage() const {
    if (!m_d) return {};
    UTxString16 text = GetStringFromId(m_d->code);
    if (!m_d->detail.empty()) {
        if (!text.empty()) text += u": ";
        text += m_d->detail;
    }
    if (text.empty()) {
        static const char hex[] = "0123456789ABCDEF";
        text = u"Error 0x";
        for (int i = 7; i >= 0; --i)
            text.push_back(char16_t(hex[(m_d->code >> (4 * i)) & 0xF]));
    }
    return text;
}

std::string UTxResult::GetMessageUtf8() const {
    return UTx::ToUtf8(GetMessage());
}

void UTxResult::AttachDiagnosis(UTxDiagnosis* diag) {
    if (diag) Own().diagnoses.push_back(diag);
}

const std::vector<UTxDiagnosis*>& UTxResult::GetDiagnoses() const {
    return m_d ? m_d->diagnoses : kNoDiagnoses;
}

UTxString16 UTxResult::GetStringFromId(uint32_t id) {
    auto& t = Messages();
    auto it = t.find(MessageKey(id));
    return it == t.end() ? UTxString16() : it->second;
}
