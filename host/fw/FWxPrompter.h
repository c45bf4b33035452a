#pragma once
// Prompters: named objects through which commands show a prompt or a status text while they
// run. Libraries keep them as static objects; each registers under its name for as long as it
// exists. Headless, a prompter keeps the text it was last given.
#include <string_view>

#include "utx/UTxString16.h"

class FWxPrompter {
public:
    // A name taken already leaves this prompter unregistered (the first one keeps the name).
    explicit FWxPrompter(const char16_t* name);
    FWxPrompter(const FWxPrompter&) = delete;
    FWxPrompter& operator=(const FWxPrompter&) = delete;
    ~FWxPrompter();

    const UTxString16& GetName() const { return m_name; }
    bool IsRegistered() const { return m_registered; }

    void SetPrompt(UTxString16 text) { m_prompt = std::move(text); }
    // Empty when nothing is shown.
    const UTxString16& GetPrompt() const { return m_prompt; }
    void Clear() { m_prompt.clear(); }

    // Null when no prompter has the name.
    static FWxPrompter* Find(std::u16string_view name);

private:
    UTxString16 m_name;
    UTxString16 m_prompt;
    bool m_registered = false;
};
