#include "fw/FWxChangeRequest.h"

IMPLEMENT_DYNAMIC(FWxChangeRequest, CountedCObj)

FWxChangeRequest::FWxChangeRequest(int32_t classification) : m_classification(classification) {}

FWxChangeRequest::~FWxChangeRequest() = default;

UTxStringResource FWxChangeRequest::GetRequestIdentity() const {
    return {};
}

UTxString16 FWxChangeRequest::GetRequestIdentityString() const {
    const UTxStringResource id = GetRequestIdentity();
    UTxString16 text = id.id ? UTxResult::GetStringFromId(id.id) : UTxString16();
    return text.empty() ? UTx::MakeWideString(GetRuntimeClass()->m_lpszClassName) : text;
}

UTxResult FWxChangeRequest::Script(FWxSceneDoc*) {
    return {};
}
UTxResult FWxChangeRequest::InitFromTranscript(FWxSceneDoc*, const UTxString16&) {
    return {};
}
UTxResult FWxChangeRequest::ValidateInputs(FWxSceneDoc*) {
    return {};
}
UTxResult FWxChangeRequest::_PreExecute(FWxSceneDoc*) {
    return {};
}
UTxResult FWxChangeRequest::_PostExecute(FWxSceneDoc*) {
    return {};
}

UTxResult FWxChangeRequest::Execute(FWxSceneDoc* doc) {
    UTxResult r = _PreExecute(doc);
    if (!r.Failed()) r = _Execute(doc);
    if (!r.Failed()) r = _PostExecute(doc);
    return r;
}
