#pragma once
// The developer tools of a drawing document, offered only when the host allows its test
// toolbar: the parts-list test command and the structure dump.
#include <cstdint>
#include <memory>

#include "fw/FWxDocCmd.h"

class DLxBomTestCmdState;

class DLxSymTestCmdGroup : public FWxDocCommandGroup {
public:
    DLxSymTestCmdGroup(FWxSceneDoc* doc, int32_t option);
};

// Places a structured parts list for a picked view (command 49950).
class DLxBomTestCmd : public FWxDocStateCmd {
public:
    static constexpr int32_t kCommandId = 49950;
    DLxBomTestCmd(FWxSceneDoc* doc, int32_t option);
    ~DLxBomTestCmd() override;
    int32_t GetOption() const { return m_option; }
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    // The run keeps its context: nothing to end (BofM/DLxBomTestCmd.h has the states).
    void OnTerminate(int32_t) override {}
    FWxTargetStateResolver* GetResolver() override { return m_resolver.get(); }
    DLxBomTestCmdState& GetRootState() { return *m_root; }

private:
    int32_t m_option;
    std::unique_ptr<DLxBomTestCmdState> m_root;
    std::unique_ptr<FWxTargetStateResolver> m_resolver;
};

// Shows the drawing's structure data (command 49951).
class DLxDbgStructMgrCmd : public FWxDocCmd {
public:
    static constexpr int32_t kCommandId = 49951;
    DLxDbgStructMgrCmd(FWxSceneDoc* doc, int32_t option) : FWxDocCmd(doc), m_option(option) {}
    int32_t GetOption() const { return m_option; }
    // Command 49951 opens the dump; its entry is enabled as the host enables it.
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    // Runs the dump dialog modally over the document.
    void OnStructureDump();

private:
    int32_t m_option;
};
