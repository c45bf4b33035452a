#pragma once
// Commands of a document. A one-shot command runs and ends; a state command runs through
// states (fw/FWxState.h); a command group makes and owns a set of commands and passes messages
// on to them.
#include <cstdint>
#include <memory>
#include <vector>

#include "fw/FWxCommand.h"

class FWxSceneDoc;
class FWxSelectionFilter;
class FWxSelectionSet;
class FWxStateCmdExeCtx;
class FWxTargetStateResolver;

class FWxDocCmd : public FWxCommand {
public:
    explicit FWxDocCmd(FWxSceneDoc* doc) : m_doc(doc) {}
    // The host's option value is the host's business; the commands of this host have none.
    FWxDocCmd(FWxSceneDoc* doc, int32_t /*option*/) : m_doc(doc) {}
    ~FWxDocCmd() override;
    FWxSceneDoc* GetDocument() const { return m_doc; }

private:
    FWxSceneDoc* m_doc;
};

// A command that runs a root state through its resolver. OnCommand makes it the document's
// active command (ending the one before with code 4) and starts the root state; when the root
// state ends, OnTerminate runs and the document has no active command again.
class FWxDocStateCmd : public FWxDocCmd {
public:
    using FWxDocCmd::FWxDocCmd;
    ~FWxDocStateCmd() override;

    void OnCommand() override;
    // The resolver over the root state; a command without one does not run.
    virtual FWxTargetStateResolver* GetResolver() { return nullptr; }
    // The context of one run: made on first request, gone with OnTerminate.
    virtual FWxStateCmdExeCtx* GetExecutionContext();
    // The selections and filter of a pick in progress (an empty set and no filter here).
    virtual FWxSelectionSet* GetSelectionSet();
    virtual FWxSelectionFilter* GetSelectionFilter() { return nullptr; }
    // Before the root state starts, and after it ended.
    virtual void OnActivate() {}
    virtual void OnTerminate(int32_t code);
    bool IsActive() const;

private:
    // Owned; plain pointers keep the command's header free of the state framework's.
    FWxStateCmdExeCtx* m_exeCtx = nullptr;
    FWxSelectionSet* m_emptySet = nullptr;
};

class FWxDocCommandGroup : public FWxDocCmd {
public:
    using FWxDocCmd::FWxDocCmd;
    // The group owns what it is given.
    void AddCommand(FWxDocCmd* cmd) { m_commands.emplace_back(cmd); }
    void Add(FWxDocCmd* cmd) { AddCommand(cmd); }
    size_t GetCommandCount() const { return m_commands.size(); }
    FWxDocCmd* GetCommand(size_t i) const { return m_commands[i].get(); }
    // Its commands, in the order they were added.
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;

private:
    std::vector<std::unique_ptr<FWxDocCmd>> m_commands;
};
