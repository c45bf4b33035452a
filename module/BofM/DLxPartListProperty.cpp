#include "BofM/DLxPartListProperty.h"

#include "BofM/DLxComponentProperty.h"
#include "BofM/DLxPartListPropertyId.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

DLxPartListProperty::DLxPartListProperty(const RSeRef<DLxComponentProperty>& value,
                                         const RSeRef<DLxPartListPropertyId>& id)
    : m_value(value), m_id(id) {
    if (DLxComponentProperty* v = m_value.get()) v->RefreshFromSource();
}

DLxPartListProperty::~DLxPartListProperty() {
    if (RSeIDed* t = m_value.GetTarget()) RSe::DeleteObject(t);
    if (RSeIDed* t = m_id.GetTarget()) RSe::DeleteObject(t);
}

DLxPartListProperty* DLxPartListProperty::New(RSeSegment* segment,
                                              const RSeRef<DLxComponentProperty>& value,
                                              const RSeRef<DLxPartListPropertyId>& id) {
    return new (RSe::_GetMeta(static_cast<const DLxPartListProperty*>(nullptr)),
                segment ? segment : RSe::TransientSegment()) DLxPartListProperty(value, id);
}

UTxString16 DLxPartListProperty::GetValue(const RSeRef<RDxComponent>& component,
                                          bool quantityMode, int32_t& type) {
    DLxComponentProperty* v = m_value.get();
    return v ? v->GetValue(component, quantityMode, type) : UTxString16();
}

UTxString16 DLxPartListProperty::GetValueString(bool quantityMode) {
    DLxComponentProperty* v = m_value.get();
    return v ? v->GetValueString(quantityMode) : UTxString16();
}

DLxPartListProperty::ResultWord DLxPartListProperty::SetValueString(const UTxString16& text) {
    DLxComponentProperty* v = m_detached ? nullptr : m_value.get();
    return v ? v->SetValueString(text) : 0;
}

UTxString16 DLxPartListProperty::GetCachedValue(int32_t unused, int32_t& type) {
    DLxComponentProperty* v = m_value.get();
    return v ? v->GetCachedValue(unused, type) : UTxString16();
}

UTxString16 DLxPartListProperty::GetCachedText() {
    DLxComponentProperty* v = m_value.get();
    return v ? v->GetCachedText() : UTxString16();
}

int32_t DLxPartListProperty::CompareWithSource() {
    DLxComponentProperty* v = m_detached ? nullptr : m_value.get();
    return v ? v->CompareWithSource() : 0;
}

DLxPartListProperty::ResultWord DLxPartListProperty::WriteToSource() {
    DLxComponentProperty* v = m_detached ? nullptr : m_value.get();
    return v ? v->WriteToSource() : 0;
}

DLxPartListProperty::ResultWord DLxPartListProperty::RefreshFromSource() {
    DLxComponentProperty* v = m_detached ? nullptr : m_value.get();
    return v ? v->RefreshFromSource() : 0;
}

void DLxPartListProperty::SetDetached(bool detached) {
    RSe::PrepareWrite(this);
    m_detached = detached;
}
