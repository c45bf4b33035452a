#include "fw/FWxPrompter.h"

#include <functional>
#include <map>

namespace {
std::map<UTxString16, FWxPrompter*, std::less<>>& Registry() {
    static std::map<UTxString16, FWxPrompter*, std::less<>> prompters;
    return prompters;
}
} // namespace

FWxPrompter::FWxPrompter(const char16_t* name) : m_name(name ? name : u"") {
    m_registered = Registry().emplace(m_name, this).second;
}

FWxPrompter::~FWxPrompter() {
    if (m_registered) Registry().erase(m_name);
}

FWxPrompter* FWxPrompter::Find(std::u16string_view name) {
    auto& prompters = Registry();
    auto it = prompters.find(name);
    return it == prompters.end() ? nullptr : it->second;
}
