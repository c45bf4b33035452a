#include "dl/DLxInstanceManipulator.h"

#include "dc/RDxInstance.h"
#include "dl/DLxInstanceTransientObj.h"
#include "fw/FWxDocUtil.h"
#include "rse/RSeTransaction.h"

DLxInstanceManipulator::DLxInstanceManipulator(const RSeRefBase& instance, int32_t selectionClass,
                                               FWxSelection* selection, FWxSceneDoc* doc)
    : DLxManipulator(selectionClass, selection), m_instance(instance), m_doc(doc),
      m_preview(std::make_unique<DLxInstanceTransientObj>(instance)) {}

DLxInstanceManipulator::~DLxInstanceManipulator() {
    DiscardPreview();
}

RDxInstance* DLxInstanceManipulator::GetInstance() const {
    RSeReadOnlyScope reading;
    return dynamic_cast<RDxInstance*>(m_instance.GetTarget());
}

FWxSceneDoc* DLxInstanceManipulator::GetDocument() const {
    if (m_doc) return m_doc;
    RSeReadOnlyScope reading;
    return FWxDocUtil::DocumentOf(GetInstance());
}

RDxInstance* DLxInstanceManipulator::GetClonedInstance() const {
    return m_preview->GetClonedInstance();
}

const SMxDisplayList* DLxInstanceManipulator::GetPreviewDisplayList() const {
    return m_preview->GetPreviewDisplayList();
}

bool DLxInstanceManipulator::StartDrag(const WqGePoint3d&) {
    return m_preview->CloneInstance();
}

UTxResult DLxInstanceManipulator::RecomputePreview() {
    return m_preview->Recompute();
}

bool DLxInstanceManipulator::Drag(const WqGePoint3d&) {
    if (!GetClonedInstance()) return false;
    return !RecomputePreview().Failed();
}

void DLxInstanceManipulator::CancelDrag() {
    DiscardPreview();
}

bool DLxInstanceManipulator::PostRequest() {
    DiscardPreview();
    return true;
}

void DLxInstanceManipulator::DiscardPreview() {
    m_preview->EraseInstance();
}
