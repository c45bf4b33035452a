#include "fw/FWxUIManager.h"

#include <algorithm>
#include <string>

namespace {
struct Messages {
    Messages() {
        UTx::RegisterMessage(kFWxLibrary, UTxResult::IdOf(kFWxErrCtxMenuDuplicateId),
                             u"A context-menu command with this id is registered already");
        UTx::RegisterMessage(kFWxLibrary, UTxResult::IdOf(kFWxErrCtxMenuDuplicateName),
                             u"A context-menu command with this name is registered already");
    }
} g_messages;

// "<id> <name>" as the detail of a refusal.
UTxString16 Describe(int32_t id, const UTxString16& name) {
    return UTx::MakeWideString(std::to_string(id)) + u" \"" + name + u"\"";
}
} // namespace

FWxUIManager& FWxUIManager::Get() {
    static FWxUIManager mgr;
    return mgr;
}

UTxResult FWxUIManager::RegisterCtxMenuCommand(int32_t id, const UTxString16& name,
                                               int32_t classification) {
    UTxResult r;
    if (const CtxMenuCommand* taken = FindCtxMenuCommand(id))
        r = UTxResult(kFWxErrCtxMenuDuplicateId,
                      Describe(id, name) + u" (taken by \"" + taken->name + u"\")");
    else if (FindCtxMenuCommand(name))
        r = UTxResult(kFWxErrCtxMenuDuplicateName, Describe(id, name));
    if (r.Failed()) {
        m_refusals.push_back(r);
        return r;
    }
    m_commands.push_back({id, name, classification});
    return r;
}

bool FWxUIManager::UnregisterCtxMenuCommand(int32_t id) {
    auto it = std::find_if(m_commands.begin(), m_commands.end(),
                           [id](const CtxMenuCommand& c) { return c.id == id; });
    if (it == m_commands.end()) return false;
    m_commands.erase(it);
    return true;
}

const FWxUIManager::CtxMenuCommand* FWxUIManager::FindCtxMenuCommand(int32_t id) const {
    for (const CtxMenuCommand& c : m_commands)
        if (c.id == id) return &c;
    return nullptr;
}

const FWxUIManager::CtxMenuCommand*
FWxUIManager::FindCtxMenuCommand(std::u16string_view name) const {
    for (const CtxMenuCommand& c : m_commands)
        if (c.name == name) return &c;
    return nullptr;
}

FWxUIManager::CtxMenuCommandInitializer::CtxMenuCommandInitializer(int32_t id, const char* name,
                                                                   int32_t classification)
    : m_id(id), m_registered(FWxUIManager::Get()
                                 .RegisterCtxMenuCommand(id, UTx::MakeWideString(name ? name : ""),
                                                         classification)
                                 .IsEmpty()) {}

FWxUIManager::CtxMenuCommandInitializer::CtxMenuCommandInitializer(int32_t id, const char16_t* name,
                                                                   int32_t classification)
    : m_id(id), m_registered(FWxUIManager::Get()
                                 .RegisterCtxMenuCommand(id, name ? name : u"", classification)
                                 .IsEmpty()) {}

FWxUIManager::CtxMenuCommandInitializer::~CtxMenuCommandInitializer() {
    if (m_registered) FWxUIManager::Get().UnregisterCtxMenuCommand(m_id);
}
