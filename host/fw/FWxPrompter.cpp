#include "fw/FWxPrompter.h"

#include <functional>
#include <map>
#include <string>

#include "WinMessageBox.h"
#include "WinModule.h"

namespace {
std::map<UTxString16, FWxPrompter*, std::less<>>& Registry() {
    static std::map<UTxString16, FWxPrompter*, std::less<>> prompters;
    return prompters;
}
} // namespace

FWxPrompter::FWxPrompter(const char16_t* name) : m_name(name ? name : u"") {
    m_registered = Registry().emplace(m_name, this).second;
}

FWxPrompter::FWxPrompter(uint32_t messageId, int32_t option1, int32_t option2, int32_t option3)
    : m_messageId(messageId), m_options{option1, option2, option3} {}

int32_t FWxPrompter::DoPrompt(WinModule* resources) {
    UTxString16 text;
    if (auto found = resources ? FindStringResource(resources, m_messageId) : std::nullopt)
        text = UTxString16(*found);
    else
        for (char c : std::to_string(m_messageId))
            text.push_back(char16_t(c));
    m_prompt = text;
    const int32_t answer = MessageBoxW(nullptr, text.c_str(), m_title.c_str(), uint32_t(m_options[0]));
    m_prompt.clear();
    return answer;
}

FWxPrompter::~FWxPrompter() {
    if (m_registered) Registry().erase(m_name);
}

FWxPrompter* FWxPrompter::Find(std::u16string_view name) {
    auto& prompters = Registry();
    auto it = prompters.find(name);
    return it == prompters.end() ? nullptr : it->second;
}
