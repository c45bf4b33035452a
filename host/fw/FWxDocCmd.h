#pragma once
// Commands of a document. A one-shot command runs and ends; a state command runs through
// states; a command group makes and owns a set of commands.
#include <memory>
#include <vector>

#include "Afx.h"

class FWxSceneDoc;

class FWxDocCmd : public CCmdTarget {
public:
    explicit FWxDocCmd(FWxSceneDoc* doc) : m_doc(doc) {}
    ~FWxDocCmd() override;
    FWxSceneDoc* GetDocument() const { return m_doc; }

private:
    FWxSceneDoc* m_doc;
};

class FWxDocStateCmd : public FWxDocCmd {
public:
    using FWxDocCmd::FWxDocCmd;
};

class FWxDocCommandGroup : public FWxDocCmd {
public:
    using FWxDocCmd::FWxDocCmd;
    // The group owns what it is given.
    void AddCommand(FWxDocCmd* cmd) { m_commands.emplace_back(cmd); }
    size_t GetCommandCount() const { return m_commands.size(); }
    FWxDocCmd* GetCommand(size_t i) const { return m_commands[i].get(); }

private:
    std::vector<std::unique_ptr<FWxDocCmd>> m_commands;
};
