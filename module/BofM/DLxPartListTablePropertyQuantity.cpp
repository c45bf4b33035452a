#include "BofM/DLxPartListTablePropertyQuantity.h"

#include <string>

#include "BofM/DLxPartListComponent.h"
#include "BofM/DLxTableComponentBinder.h"
#include "dl/DLxComponentProxy.h"
#include "dl/DLxTagManager.h"
#include "rse/RSeTransaction.h"

namespace {
DLxComponentProxyCustom* CustomProxyOf(const DLxTableComponentBinder* binder) {
    if (!binder || !binder->IsCustom()) return nullptr;
    const DLxPartListComponent* c = binder->GetComponent().Read();
    return c ? dynamic_cast<DLxComponentProxyCustom*>(c->GetProxy().get()) : nullptr;
}
} // namespace

DLxPartListTablePropertyQuantity::DLxPartListTablePropertyQuantity(
    DLxTableComponentBinder* binder, const RSeRef<DLxComponentProperty>& quantityValue)
    : m_binder(binder), m_quantityValue(quantityValue) {}

UTxString16 DLxPartListTablePropertyQuantity::ComputeQuantityString(bool quantityMode) const {
    const DLxTableComponentBinder* binder = m_binder.Read();
    if (!binder) return {};
    if (binder->IsCustom()) {
        const DLxComponentProxyCustom* custom = CustomProxyOf(binder);
        return custom ? custom->getQuantityString() : UTxString16();
    }
    if (!binder->GetComponent()) return {};
    const std::string text = std::to_string(binder->GetCachedQuantity(quantityMode));
    return UTxString16(text.begin(), text.end());
}

bool DLxPartListTablePropertyQuantity::GetQuantityMode() const {
    const DLxTableComponentBinder* binder = m_binder.Read();
    const DLxTagManager* tm = binder ? binder->GetTagManager().Read() : nullptr;
    return tm && tm->GetListMode() == 1;
}

UTxString16 DLxPartListTablePropertyQuantity::GetValue(const RSeRef<RDxComponent>&,
                                                       bool quantityMode, int32_t& type) {
    type = 2;
    return GetValueString(quantityMode);
}

UTxString16 DLxPartListTablePropertyQuantity::GetValueString(bool quantityMode) {
    return m_overridden ? m_override : ComputeQuantityString(quantityMode);
}

DLxPartListProperty::ResultWord
DLxPartListTablePropertyQuantity::SetValueString(const UTxString16& text) {
    if (DLxComponentProxyCustom* custom = CustomProxyOf(m_binder.Read())) {
        custom->setQuantityString(text);
        return 0;
    }
    const bool overridden = text != ComputeQuantityString(GetQuantityMode());
    if (text == m_override && overridden == m_overridden) return 0;
    RSe::PrepareWrite(this);
    m_override = text;
    m_overridden = overridden;
    return 0;
}

bool DLxPartListTablePropertyQuantity::IsOverridden() const {
    return m_overridden && m_override != ComputeQuantityString(GetQuantityMode());
}

void DLxPartListTablePropertyQuantity::ClearOverride() {
    if (!m_overridden) return;
    RSe::PrepareWrite(this);
    m_overridden = false;
}
