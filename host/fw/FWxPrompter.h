#pragma once
// Prompters: named objects through which commands show a prompt or a status text while they
// run. Libraries keep them as static objects; each registers under its name for as long as it
// exists. Headless, a prompter keeps the text it was last given.
//
// A prompter made from a message id instead asks the user: DoPrompt shows the message (a string
// of the caller's resource module) as a message box whose buttons the first option gives (the
// message-box type: 1 OK and Cancel, 4 Yes and No) and answers the button chosen.
#include <cstdint>
#include <string_view>

#include "utx/UTxString16.h"

struct WinModule;

class FWxPrompter {
public:
    // A name taken already leaves this prompter unregistered (the first one keeps the name).
    explicit FWxPrompter(const char16_t* name);
    // Never registered: it has no name.
    FWxPrompter(uint32_t messageId, int32_t option1, int32_t option2, int32_t option3);
    FWxPrompter(const FWxPrompter&) = delete;
    FWxPrompter& operator=(const FWxPrompter&) = delete;
    ~FWxPrompter();

    const UTxString16& GetName() const { return m_name; }
    bool IsRegistered() const { return m_registered; }

    void SetPrompt(UTxString16 text) { m_prompt = std::move(text); }
    // Empty when nothing is shown.
    const UTxString16& GetPrompt() const { return m_prompt; }
    void Clear() { m_prompt.clear(); }

    uint32_t GetMessageId() const { return m_messageId; }
    void SetPrompterTitle(UTxString16 title) { m_title = std::move(title); }
    const UTxString16& GetPrompterTitle() const { return m_title; }
    // The answer (IDOK, IDCANCEL, IDYES, IDNO); a message the module lacks is shown as its id.
    int32_t DoPrompt(WinModule* resources);

    // Null when no prompter has the name.
    static FWxPrompter* Find(std::u16string_view name);

private:
    UTxString16 m_name;
    UTxString16 m_prompt;
    bool m_registered = false;
    uint32_t m_messageId = 0;
    int32_t m_options[3] = {0, 0, 0};
    UTxString16 m_title;
};
