#include "Request/DLxDeletePartListRequest.h"

#include "BofM/DLxPartListTable.h"
#include "Request/DLxRequestUtil.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxEntityEvent.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxSheet.h"
#include "du/DUxEmblem.h"
#include "rse/RSeTransaction.h"

IMPLEMENT_DYNCREATE(DLxDeletePartListRequest, FWxChangeRequest)

namespace {
// The entity event of an entity that goes, and the phase it is delivered in.
constexpr int32_t kEntityGoing = 2;
constexpr uint32_t kEventPhase = 0x15555555;
// The sheet change the sheet's other annotations are told of.
constexpr int32_t kSheetChanged = 5;

// Restores the lock of an event type as it was found.
class EventLock {
public:
    explicit EventLock(int32_t type)
        : m_type(type), m_was(RDxEntityEvent::SetEventLock(type, true)) {}
    ~EventLock() { RDxEntityEvent::SetEventLock(m_type, m_was); }
    EventLock(const EventLock&) = delete;
    EventLock& operator=(const EventLock&) = delete;

private:
    int32_t m_type;
    bool m_was;
};
} // namespace

DLxDeletePartListRequest::DLxDeletePartListRequest() = default;

DLxDeletePartListRequest::DLxDeletePartListRequest(const RSeRef<DUxAnnotationInstance>& annotation)
    : m_annotation(annotation) {}

UTxStringResource DLxDeletePartListRequest::GetRequestIdentity() const {
    return {0x600B01BA, 11, 0};
}

UTxResult DLxDeletePartListRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"DeletePartList");
}

// The name key resolves in the document it is read for.
UTxResult DLxDeletePartListRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxDeletePartListRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    DLxTranscriptRefString(tdx, u"PartList", m_partListRefString, m_annotation);
    return tdx.GetResult();
}

UTxResult DLxDeletePartListRequest::_Execute(FWxSceneDoc*) {
    // Named while it still exists: the journal line is written after it is gone.
    m_partListRefString.clear();
    UTxResult r = FWxTranscriptMgr::NameRef(m_annotation, m_partListRefString);
    if (r.Failed()) return r;
    if (RDxEntityEvent::ValidEntity(m_annotation))
        RDxEntityEvent(kEntityGoing, m_annotation).Send(kEventPhase);
    // What goes with the list does not tell its own going again.
    const EventLock lock(kEntityGoing);
    DUxAnnotationInstance* annotation = m_annotation.get();
    DLxSheet* sheet =
        annotation ? DLxAnnotationUtil::GetContainingSheetInstance(annotation->GetFragment().get())
                   : nullptr;
    if (sheet && dynamic_cast<DLxPartListTable*>(annotation)) sheet->RemoveNode(annotation);
    if (annotation) RSe::DeleteObject(annotation);
    if (sheet) {
        RDxComputeContext ctx;
        ctx.SetInt(RDxComputeContext::AttributeId(u"DLxSheetChangeTypeAttr"), kSheetChanged);
        (void)sheet->Recompute(ctx);
    }
    // This host draws a document's views on request: there are no open views to tell.
    return {};
}
