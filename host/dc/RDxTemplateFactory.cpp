#include "dc/RDxTemplateFactory.h"

#include <algorithm>

RDxPrimitiveTemplate::RDxPrimitiveTemplate(RDxPrimitiveComputeFn compute, const UTxGUID& guid,
                                           const UTxString16& name, int32_t flags, const void*)
    : RDxTemplate(guid, 0, name), m_compute(compute), m_flags(flags) {}

UTxResult RDxPrimitiveTemplate::ComputeInstance(RDxInstance& instance,
                                                RDxComputeContext& ctx) const {
    return m_compute ? m_compute(instance, ctx) : UTxResult{};
}

namespace {
std::vector<const RDxTemplateFactory*>& Factories() {
    // Never destroyed: factories of other libraries withdraw themselves at exit.
    static auto* list = new std::vector<const RDxTemplateFactory*>;
    return *list;
}
} // namespace

RDxTemplateFactory::RDxTemplateFactory(const UTxGUID& guid, const UTxString16& name,
                                       RDxTemplateCreateFn fn, int32_t flags)
    : m_guid(guid), m_name(name), m_fn(fn), m_flags(flags) {
    Factories().push_back(this);
}

RDxTemplateFactory::~RDxTemplateFactory() {
    auto& l = Factories();
    l.erase(std::remove(l.begin(), l.end(), this), l.end());
}

const RDxTemplateFactory* RDxTemplateFactory::Find(const UTxGUID& guid) {
    const auto& l = Factories();
    for (auto it = l.rbegin(); it != l.rend(); ++it)
        if ((*it)->m_guid == guid) return *it;
    return nullptr;
}
