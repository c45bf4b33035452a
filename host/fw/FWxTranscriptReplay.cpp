// Registration of request names and the replay of transcripts.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "Afx.h"
#include "fw/FWxChangeRequest.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxTranscriptMgr.h"

namespace {
UTxString16 Num(int64_t v) {
    return UTx::MakeWideString(std::to_string(v));
}

// A file's lines one at a time, none read further than a transcript line may be long, so that a
// file without line breaks is refused without being held in memory.
class LineReader {
public:
    enum Status { kLine, kTooLong, kEnd, kError };

    explicit LineReader(std::FILE* file) : m_file(file) {}

    // The next line without its '\n' (nor a '\r' before it).
    Status Next(std::string& line) {
        line.clear();
        bool any = false;
        for (;;) {
            if (m_pos == m_end) {
                m_pos = 0;
                m_end = std::fread(m_buf.get(), 1, kBufSize, m_file);
                if (m_end == 0) {
                    if (std::ferror(m_file)) return kError;
                    return any ? Ended(line) : kEnd;
                }
            }
            any = true;
            const char* start = m_buf.get() + m_pos;
            const size_t avail = m_end - m_pos;
            const auto* nl = static_cast<const char*>(std::memchr(start, '\n', avail));
            const size_t n = nl ? size_t(nl - start) : avail;
            if (line.size() + n > kFWxTranscriptMaxLine + 1) return kTooLong; // room for '\r'
            line.append(start, n);
            m_pos += nl ? n + 1 : n;
            if (nl) return Ended(line);
        }
    }

private:
    static constexpr size_t kBufSize = 64 * 1024;

    static Status Ended(std::string& line) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line.size() > kFWxTranscriptMaxLine ? kTooLong : kLine;
    }

    std::FILE* m_file;
    std::unique_ptr<char[]> m_buf{new char[kBufSize]};
    size_t m_pos = 0;
    size_t m_end = 0;
};
} // namespace

bool FWxTranscriptMgr::RegisterRequest(CRuntimeClass* requestClass, const UTxString16& name) {
    if (!requestClass || !IsValidKey(name)) return false;
    return m_requests.emplace(name, requestClass).second;
}

CRuntimeClass* FWxTranscriptMgr::FindRequestClass(const UTxString16& name) const {
    auto it = m_requests.find(name);
    return it == m_requests.end() ? nullptr : it->second;
}

void FWxTranscriptMgr::SetLineUpgrade(const UTxString16& name, LineUpgrade upgrade) {
    if (upgrade) m_lineUpgrades[name] = upgrade;
    else m_lineUpgrades.erase(name);
}

UTxResult FWxTranscriptMgr::WriteNameLine(FWxSceneDoc* doc, const UTxString16& name) {
    UTxString16 line;
    UTxResult r = BeginDocRequest(line, doc);
    if (!r.Failed()) r = PutDocRequestName(line, name);
    if (!r.Failed()) r = EndDocRequest(line);
    if (!r.Failed()) r = WriteLine(line);
    return r;
}

UTxResult FWxTranscriptMgr::ReplayLine(FWxSceneDoc* doc, const UTxString16& given) {
    UTxString16 upgraded;
    const UTxString16* read = &given;
    if (!m_lineUpgrades.empty()) {
        UTxString16 requestName;
        if (!GetRequestName(given, requestName).Failed())
            if (auto it = m_lineUpgrades.find(requestName); it != m_lineUpgrades.end()) {
                upgraded = given;
                if (UTxResult r = it->second(upgraded); r.Failed()) return r;
                read = &upgraded;
            }
    }
    const UTxString16& line = *read;
    std::shared_ptr<const FWxTranscriptLine> parsed;
    UTxResult r = IndexLine(line, parsed);
    if (r.Failed()) return r;
    const UTxString16& name = parsed->name;
    if (name.empty()) return UTxResult(kFWxErrTranscriptMalformed, u"the line has no request name");
    const bool undo = name == u"Undo";
    if (undo || name == u"Redo") {
        if (!parsed->pairs.empty())
            return MakeError(kFWxErrTranscriptMalformed, parsed->pairs.front().key,
                             name + u" takes no keys");
        return undo ? doc->Undo() : doc->Redo();
    }
    CRuntimeClass* cls = FindRequestClass(name);
    if (!cls) return MakeError(kFWxErrTranscriptMalformed, name, u"no request has this name");
    CObject* made = cls->CreateObject();
    auto* request = dynamic_cast<FWxChangeRequest*>(made);
    if (!request) {
        delete made;
        return MakeError(kFWxErrTranscriptMalformed, name, u"not a change request");
    }
    SmartPtr<FWxChangeRequest> held(request);
    // Reads of the line, and of copies of it, go to this index: what was read is known after.
    parsed->ForgetReads();
    PinLine(&line, parsed);
    r = request->InitFromTranscript(doc, line);
    UnpinLine(&line);
    if (r.Failed()) return r;
    if (const FWxTranscriptPair* unread = parsed->FirstUnread())
        return MakeError(kFWxErrTranscriptMalformed, unread->key, u"not a key of " + name);
    return doc->ProcessChangeRequest(held);
}

UTxResult FWxTranscriptMgr::ReplayFile(FWxSceneDoc* doc, const std::string& path,
                                       int32_t* linesDone) {
    if (linesDone) *linesDone = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    const auto unreadable = [&] {
        return MakeError(kFWxErrTranscriptFile, UTx::MakeWideString(path), u"cannot be read");
    };
    if (!file) return unreadable();
    LineReader in(file.get());
    std::string text;
    int64_t number = 0;
    for (;;) {
        const LineReader::Status status = in.Next(text);
        if (status == LineReader::kEnd) break;
        if (status == LineReader::kError) return unreadable();
        ++number;
        UTxResult r;
        if (status == LineReader::kTooLong) {
            r = UTxResult(kFWxErrTranscriptMalformed, kFWxTranscriptTooLong);
        } else {
            const size_t first = text.find_first_not_of(" \t");
            if (first == std::string::npos || text[first] == '#') continue;
            r = ReplayLine(doc, UTx::MakeWideString(text));
        }
        if (r.Failed()) {
            UTxString16 detail = u"line " + Num(number);
            if (!r.GetDetail().empty()) detail += u": " + r.GetDetail();
            return r.SetDetail(detail);
        }
        if (linesDone) ++*linesDone;
    }
    return {};
}
