#include "dl/GBxBOMEditDescriptor.h"

#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "fw/FWxDocUtil.h"

GBxBOMEditDescriptor::GBxBOMEditDescriptor(RSeDatabase* db, int32_t scheme, int32_t)
    : m_doc(dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(db))), m_scheme(scheme) {}

GBxBOMEditDescriptor::~GBxBOMEditDescriptor() {
    (void)Complete();
}

void GBxBOMEditDescriptor::SetItemNumber(int32_t component, const std::u16string& number) {
    m_numbers[component] = number;
}

const char16_t* GBxBOMEditDescriptor::ItemNumberProperty(int32_t scheme) {
    return scheme == 2 ? u"BOM Item (parts only)" : u"BOM Item";
}

std::u16string GBxBOMEditDescriptor::ModelItemNumber(const DLxAssemblyComponent& component,
                                                     int32_t scheme) {
    const std::u16string name = ItemNumberProperty(scheme);
    for (const DLxAssemblyProperty& p : component.userProperties)
        if (p.name == name) return p.value;
    return {};
}

bool GBxBOMEditDescriptor::Complete() {
    if (m_done) return true;
    m_done = true;
    const DLxAssemblyData* model = m_doc ? m_doc->GetAssembly() : nullptr;
    if (!model) return false;
    if (m_numbers.empty()) return true;
    DLxAssemblyData copy = *model;
    const std::u16string name = ItemNumberProperty(m_scheme);
    for (DLxAssemblyComponent& c : copy.components) {
        auto it = m_numbers.find(c.id);
        if (it == m_numbers.end()) continue;
        bool found = false;
        for (DLxAssemblyProperty& p : c.userProperties)
            if (p.name == name) p.value = it->second, found = true;
        if (!found) c.userProperties.push_back({name, it->second});
    }
    // An unchanged model is left alone, so that pushing the same numbers twice records nothing.
    return copy == *model || m_doc->SetAssembly(copy);
}
