#include "uc/UCxTreatment.h"

#include "sm/SMxSceneView.h"
#include "utx/UTxResult.h"

UCxTreatment::~UCxTreatment() = default;

UTxString16 UCxTreatment::GetName() const {
    return UTxResult::GetStringFromId(m_name.id);
}

void UCxTreatment::Apply(RSeRef<RDxObject>, FWxSceneDoc*, UTxDiagnosis*) {
    if (!m_number) return;
    if (SMxSceneView* view = SMxSceneUtil::GetActiveView()) view->PostCommand(m_number);
}

void UCxTreatment_List::Add(RSeMetaType* meta) {
    if (meta) m_classes.push_back(meta);
}
