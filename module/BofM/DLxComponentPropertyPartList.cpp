#include "BofM/DLxComponentPropertyPartList.h"

#include <string>

#include "dl/DLxComponentDocument.h"
#include "dl/DLxComponentProxy.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTagManager.h"
#include "rd/RDxComponent.h"
#include "rse/RSeTransaction.h"

namespace {
DLxComponentProxyCustom* CustomOf(const RSeRef<DLxComponentProxy>& proxy) {
    DLxComponentProxy* p = proxy.get();
    return p && p->isCustom() ? dynamic_cast<DLxComponentProxyCustom*>(p) : nullptr;
}

UTxString16 Decimal(int32_t v) {
    const std::string s = std::to_string(v);
    return UTxString16(s.begin(), s.end());
}
} // namespace

// ---- item number

UTxString16 DLxComponentPropertyPartListItem::GetValue(const RSeRef<RDxComponent>&,
                                                       bool quantityMode, ValueType& type) {
    type = 1;
    return GetValueString(quantityMode);
}

UTxString16 DLxComponentPropertyPartListItem::GetValueString(bool quantityMode) {
    DLxComponentProxy* p = m_proxy.get();
    return p ? p->getComponentTag(quantityMode) : UTxString16();
}

DLxComponentProperty::ResultWord
DLxComponentPropertyPartListItem::SetValueString(const UTxString16& text) {
    DLxComponentProxy* p = m_proxy.get();
    DLxTagManager* tm = p ? p->GetTagManager() : nullptr;
    if (tm) p->setComponentTag(text, tm->GetListMode() == 1, false);
    return 0;
}

// ---- quantity

UTxString16 DLxComponentPropertyPartListQuantity::GetValue(const RSeRef<RDxComponent>&,
                                                           bool quantityMode, ValueType& type) {
    type = 2;
    return GetValueString(quantityMode);
}

UTxString16 DLxComponentPropertyPartListQuantity::GetValueString(bool quantityMode) {
    DLxComponentProxy* p = m_proxy.get();
    return Decimal(p ? p->getInstanceCount(quantityMode) : 0);
}

// ---- part name

UTxString16 DLxComponentPropertyPartListPartName::GetValue(const RSeRef<RDxComponent>&,
                                                           bool quantityMode, ValueType& type) {
    type = 1;
    return GetValueString(quantityMode);
}

UTxString16 DLxComponentPropertyPartListPartName::GetValueString(bool quantityMode) {
    DLxComponentProxy* p = m_proxy.get();
    const UTxString16 path = p ? p->getDataSourcePathString(quantityMode) : UTxString16();
    const size_t slash = path.rfind(u'\\');
    return slash == UTxString16::npos ? path : path.substr(slash + 1);
}

DLxComponentProperty::ResultWord
DLxComponentPropertyPartListPartName::SetValueString(const UTxString16& text) {
    if (DLxComponentProxyCustom* custom = CustomOf(m_proxy))
        custom->setComponentDataSourcePathString(text);
    return 0;
}

// ---- mass

UTxString16 DLxComponentPropertyPartListPartMass::GetValue(const RSeRef<RDxComponent>& component,
                                                           bool, ValueType& type) {
    type = 3;
    DLxComponentProxy* p = m_proxy.get();
    DLxStructureNode* node = p ? p->GetStructureNode() : nullptr;
    const RDxComponent* c = component.Read();
    if (node && c && node->GetComponentId() == c->GetComponentId()) return m_mass;
    return DLxComponentDocument::Of(c).GetMassText();
}

DLxComponentProperty::ResultWord
DLxComponentPropertyPartListPartMass::SetValueString(const UTxString16& text) {
    if (DLxComponentProxyCustom* custom = CustomOf(m_proxy)) custom->setComponentMass(text);
    return 0;
}

UTxString16 DLxComponentPropertyPartListPartMass::GetCachedValue(int32_t, ValueType& type) {
    type = 3;
    return m_mass;
}

int32_t DLxComponentPropertyPartListPartMass::CompareWithSource() {
    DLxComponentProxy* p = m_proxy.get();
    return m_mass != (p ? p->getComponentMass() : UTxString16()) ? 1 : 0;
}

// ---- material

UTxString16 DLxComponentPropertyPartListPartMaterial::GetValue(const RSeRef<RDxComponent>&,
                                                               bool quantityMode, ValueType& type) {
    type = 1;
    return GetValueString(quantityMode);
}

UTxString16 DLxComponentPropertyPartListPartMaterial::GetValueString(bool) {
    return m_overridden ? m_override : m_value;
}

DLxComponentProperty::ResultWord
DLxComponentPropertyPartListPartMaterial::SetValueString(const UTxString16& text) {
    if (DLxComponentProxyCustom* custom = CustomOf(m_proxy)) {
        custom->setComponentMaterial(text);
        return 0;
    }
    const bool overridden = text != m_value;
    if (text == m_override && overridden == m_overridden) return 0;
    RSe::PrepareWrite(this);
    m_override = text;
    m_overridden = overridden;
    return 0;
}

int32_t DLxComponentPropertyPartListPartMaterial::CompareWithSource() {
    DLxComponentProxy* p = m_proxy.get();
    return (p ? p->getComponentMaterial() : UTxString16()) != GetValueString(false) ? 1 : 0;
}

DLxComponentProperty::ResultWord DLxComponentPropertyPartListPartMaterial::RefreshFromSource() {
    DLxComponentProxy* p = m_proxy.get();
    const UTxString16 value = p ? p->getComponentMaterial() : UTxString16();
    if (value == m_value && !m_overridden) return 0;
    RSe::PrepareWrite(this);
    m_value = value;
    m_overridden = false;
    return 0;
}
