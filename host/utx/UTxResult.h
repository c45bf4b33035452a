#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "utx/UTxString16.h"

class UTxDiagnosis;

// Result codes: bits 31-30 severity (0 success, 1 information, 2 warning, 3 error), bit 29 set
// on every code of ours, bits 27-16 the library number, bits 15-0 the message id.
using UTxResultCode = uint32_t;

enum UTxSeverity : uint32_t {
    UTxSeveritySuccess = 0,
    UTxSeverityInfo = 1,
    UTxSeverityWarning = 2,
    UTxSeverityError = 3,
};

// Outcome of an operation. Empty means success; anything else carries a code, where it arose,
// an optional detail text and the diagnoses attached to it. Copies share their data.
class UTxResult {
public:
    UTxResult() = default;
    explicit UTxResult(UTxResultCode code, const char* file = nullptr, int32_t line = 0);
    UTxResult(UTxResultCode code, UTxString16 detail);

    static constexpr UTxResultCode MakeCode(UTxSeverity sev, uint32_t library, uint32_t id) {
        return (uint32_t(sev) << 30) | 0x20000000u | ((library & 0xFFFu) << 16) | (id & 0xFFFFu);
    }
    static constexpr UTxSeverity SeverityOf(UTxResultCode c) { return UTxSeverity(c >> 30); }
    static constexpr uint32_t LibraryOf(UTxResultCode c) { return (c >> 16) & 0xFFFu; }
    static constexpr uint32_t IdOf(UTxResultCode c) { return c & 0xFFFFu; }

    // A refusal: an error whatever the severity bits of its code say. Libraries whose own
    // status codes carry success severity (a module's 0x200B03xx) refuse with them this way.
    static UTxResult Refusal(UTxResultCode code, UTxString16 detail);

    bool IsEmpty() const { return !m_d; }
    bool IsError() const {
        return m_d && (m_d->refused || SeverityOf(m_d->code) == UTxSeverityError);
    }
    bool IsWarning() const { return m_d && SeverityOf(m_d->code) == UTxSeverityWarning; }
    // Success unless an error is carried: warnings and information still succeed.
    bool Succeeded() const { return !IsError(); }
    bool Failed() const { return IsError(); }

    UTxResultCode GetCode() const { return m_d ? m_d->code : 0; }
    const std::string& GetFile() const;
    int32_t GetLine() const { return m_d ? m_d->line : 0; }

    const UTxString16& GetDetail() const;
    UTxResult& SetDetail(UTxString16 detail);
    // The library's message for the code, followed by the detail text when there is one.
    UTxString16 GetMessage() const;
    std::string GetMessageUtf8() const;

    void AttachDiagnosis(UTxDiagnosis* diag);
    const std::vector<UTxDiagnosis*>& GetDiagnoses() const;

    // The message text registered for an id (severity bits ignored); empty when none is.
    static UTxString16 GetStringFromId(uint32_t id);

private:
    struct Data {
        UTxResultCode code = 0;
        std::string file;
        int32_t line = 0;
        UTxString16 detail;
        std::vector<UTxDiagnosis*> diagnoses;
        bool refused = false;
    };
    Data& Own();
    std::shared_ptr<Data> m_d;
};

namespace UTx {
// Message texts by library and id. A library registers its table once; later registrations of
// the same id replace the text.
void RegisterMessage(uint32_t library, uint32_t id, UTxString16 text);
UTxString16 LoadUTxMessage(uint32_t code);
} // namespace UTx
