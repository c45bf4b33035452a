#include "dl/DLxConfiguration.h"

#include "dl/DLxLocalBOM.h"
#include "dl/DLxTagManager.h"
#include "rse/RSeTransaction.h"

DLxConfiguration* DLxConfiguration::Create(DLxLocalBOM* bom, const std::u16string& memberName) {
    if (!bom) return nullptr;
    auto* c = new (RSe::_GetMeta(static_cast<const DLxConfiguration*>(nullptr)), bom->GetSegment())
        DLxConfiguration();
    c->m_bom = bom;
    c->m_member = memberName;
    return c;
}

DLxLocalBOM* DLxConfiguration::GetLocalBOM() const {
    return m_bom.get();
}

const DLxAssemblyData* DLxConfiguration::GetUFRxInstance() const {
    DLxLocalBOM* bom = m_bom.get();
    return bom ? bom->GetAssembly() : nullptr;
}

DLxTagManager* DLxConfiguration::GetTagManager(bool create) {
    DLxTagManager* tm = m_tagManager.get();
    if (tm || !create || !m_bom.get()) return tm;
    RSe::PrepareWrite(this);
    tm = DLxTagManager::Create(m_bom.get());
    tm->SetConfiguration(this);
    m_tagManager = tm;
    return tm;
}

DLxStructureNode* DLxConfiguration::GetRootStructureNode() {
    DLxTagManager* tm = GetTagManager(true);
    return tm ? tm->GetRootNode() : nullptr;
}

RDxComponent* DLxConfiguration::GetRootComponent() {
    DLxLocalBOM* bom = m_bom.get();
    return bom ? bom->GetMasterRDxComp() : nullptr;
}

void DLxConfiguration::SetStatus(uint32_t status) {
    if (status == m_status) return;
    RSe::PrepareWrite(this);
    m_status = status;
}

std::vector<DLxAnnotationUpdateState*> DLxConfiguration::GetAllAnnotations() const {
    DLxLocalBOM* bom = m_bom.get();
    return bom ? bom->GetAnnotationStates() : std::vector<DLxAnnotationUpdateState*>();
}

bool DLxConfiguration::PurgeAnnotation(const RSeIDed* annotation) {
    DLxLocalBOM* bom = m_bom.get();
    return bom && bom->PurgeAnnotation(annotation);
}
