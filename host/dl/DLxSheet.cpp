#include "dl/DLxSheet.h"

#include "dl/DLxViewInstance.h"
#include "rse/RSeTransaction.h"

void DLxSheet::SetName(const UTxString16& name) {
    if (name == m_name) return;
    RSe::PrepareWrite(this);
    m_name = name;
}

void DLxSheet::SetSize(double width, double height) {
    if (width == m_width && height == m_height) return;
    RSe::PrepareWrite(this);
    m_width = width;
    m_height = height;
}

DLxViewInstance* DLxSheet::CreateView(const UTxString16& name) {
    if (name.empty() || FindView(name) || !GetSegment()) return nullptr;
    auto* view = new (RSe::_GetMeta(static_cast<const DLxViewInstance*>(nullptr)), GetSegment())
        DLxViewInstance();
    view->SetName(name);
    AddNode(view);
    return view;
}

std::vector<DLxViewInstance*> DLxSheet::GetViews() const {
    std::vector<DLxViewInstance*> out;
    for (const RSeRef<RDxNode>& node : GetNodes())
        if (auto* view = dynamic_cast<DLxViewInstance*>(node.GetTarget())) out.push_back(view);
    return out;
}

DLxViewInstance* DLxSheet::FindView(const UTxString16& name) const {
    for (DLxViewInstance* view : GetViews())
        if (view->GetName() == name) return view;
    return nullptr;
}
