#pragma once
// The process's user-interface manager: for now, the context-menu commands that libraries
// register by id and name as they load.
#include <cstdint>
#include <string_view>
#include <vector>

#include "fw/FWxErrors.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

constexpr UTxResultCode kFWxErrCtxMenuDuplicateId =
    UTxResult::MakeCode(UTxSeverityError, kFWxLibrary, 0x0E20);
constexpr UTxResultCode kFWxErrCtxMenuDuplicateName =
    UTxResult::MakeCode(UTxSeverityError, kFWxLibrary, 0x0E21);

class FWxUIManager {
public:
    struct CtxMenuCommand {
        int32_t id = 0;
        UTxString16 name;
        int32_t classification = 0;
    };

    // A library's static registration of one context-menu command. A command whose id or name
    // is taken already is refused (the manager records why) and stays unregistered; a
    // registered one leaves again with its initializer, so that an unloaded library leaves
    // nothing behind.
    class CtxMenuCommandInitializer {
    public:
        CtxMenuCommandInitializer(int32_t id, const char* name, int32_t classification);
        CtxMenuCommandInitializer(int32_t id, const char16_t* name, int32_t classification);
        CtxMenuCommandInitializer(const CtxMenuCommandInitializer&) = delete;
        CtxMenuCommandInitializer& operator=(const CtxMenuCommandInitializer&) = delete;
        ~CtxMenuCommandInitializer();

        bool IsRegistered() const { return m_registered; }

    private:
        int32_t m_id;
        bool m_registered;
    };

    FWxUIManager() = default;
    FWxUIManager(const FWxUIManager&) = delete;
    FWxUIManager& operator=(const FWxUIManager&) = delete;

    static FWxUIManager& Get();

    // Refuses a taken id or name; every refusal is also kept in GetRefusals.
    UTxResult RegisterCtxMenuCommand(int32_t id, const UTxString16& name, int32_t classification);
    bool UnregisterCtxMenuCommand(int32_t id);

    // Null when unknown. Valid until the next registration or removal.
    const CtxMenuCommand* FindCtxMenuCommand(int32_t id) const;
    const CtxMenuCommand* FindCtxMenuCommand(std::u16string_view name) const;
    // In registration order.
    const std::vector<CtxMenuCommand>& GetCtxMenuCommands() const { return m_commands; }
    const std::vector<UTxResult>& GetRefusals() const { return m_refusals; }

private:
    std::vector<CtxMenuCommand> m_commands;
    std::vector<UTxResult> m_refusals;
};
