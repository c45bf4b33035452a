#include "dl/DLxManipulator.h"

#include "fw/FWxChangeRequest.h"
#include "fw/FWxSceneDoc.h"

DLxManipulator::~DLxManipulator() = default;

void DLxManipulator::SetRequest(const SmartPtr<FWxChangeRequest>& request) {
    m_request = request;
}

UTxResult DLxManipulator::ProcessRequest(FWxSceneDoc* doc) {
    SmartPtr<FWxChangeRequest> request = std::move(m_request);
    m_request = nullptr;
    UTxResult r;
    if (request && doc) r = doc->ProcessChangeRequest(request);
    PostRequest();
    return r;
}
