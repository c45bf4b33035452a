// Registration of request names and the replay of transcripts.
#include <fstream>
#include <string>

#include "Afx.h"
#include "fw/FWxChangeRequest.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxTranscriptMgr.h"

namespace {
UTxString16 Num(int64_t v) {
    return UTx::MakeWideString(std::to_string(v));
}
} // namespace

bool FWxTranscriptMgr::RegisterRequest(CRuntimeClass* requestClass, const UTxString16& name) {
    if (!requestClass || !IsValidKey(name)) return false;
    return m_requests.emplace(name, requestClass).second;
}

CRuntimeClass* FWxTranscriptMgr::FindRequestClass(const UTxString16& name) const {
    auto it = m_requests.find(name);
    return it == m_requests.end() ? nullptr : it->second;
}

UTxResult FWxTranscriptMgr::WriteNameLine(FWxSceneDoc* doc, const UTxString16& name) {
    UTxString16 line;
    UTxResult r = BeginDocRequest(line, doc);
    if (!r.Failed()) r = PutDocRequestName(line, name);
    if (!r.Failed()) r = EndDocRequest(line);
    if (!r.Failed()) r = WriteLine(line);
    return r;
}

UTxResult FWxTranscriptMgr::ReplayLine(FWxSceneDoc* doc, const UTxString16& line) {
    UTxString16 name;
    UTxResult r = GetRequestName(line, name);
    if (r.Failed()) return r;
    if (name == u"Undo") return doc->Undo();
    if (name == u"Redo") return doc->Redo();
    CRuntimeClass* cls = FindRequestClass(name);
    if (!cls) return MakeError(kFWxErrTranscriptMalformed, name, u"no request has this name");
    CObject* made = cls->CreateObject();
    auto* request = dynamic_cast<FWxChangeRequest*>(made);
    if (!request) {
        delete made;
        return MakeError(kFWxErrTranscriptMalformed, name, u"not a change request");
    }
    SmartPtr<FWxChangeRequest> held(request);
    r = request->InitFromTranscript(doc, line);
    if (r.Failed()) return r;
    return doc->ProcessChangeRequest(held);
}

UTxResult FWxTranscriptMgr::ReplayFile(FWxSceneDoc* doc, const std::string& path,
                                       int32_t* linesDone) {
    if (linesDone) *linesDone = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) return MakeError(kFWxErrTranscriptFile, UTx::MakeWideString(path), u"cannot be read");
    std::string text;
    int64_t number = 0;
    while (std::getline(in, text)) {
        ++number;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        const size_t first = text.find_first_not_of(" \t");
        if (first == std::string::npos || text[first] == '#') continue;
        UTxResult r = ReplayLine(doc, UTx::MakeWideString(text));
        if (r.Failed()) {
            UTxString16 detail = u"line " + Num(number);
            if (!r.GetDetail().empty()) detail += u": " + r.GetDetail();
            return r.SetDetail(detail);
        }
        if (linesDone) ++*linesDone;
    }
    return {};
}
