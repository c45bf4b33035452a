#include "dl/DLxViewBodySet.h"

#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxViewInstance.h"
#include "fw/FWxDocUtil.h"

DLxViewBodySet::DLxViewBodySet(DLxViewInstance* view) : m_view(view) {}

DLxViewInstance* DLxViewBodySet::GetView() const {
    return m_view.get();
}

UFRxComponent DLxViewBodySet::GetRootComponent() const {
    DLxViewInstance* view = m_view.get();
    auto* doc = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(view));
    const DLxAssemblyData* model = doc ? DLxLocalBOMMgr::GetAssemblyRepFromView(doc, view) : nullptr;
    return model ? UFRxComponent(doc, model->root) : UFRxComponent();
}
