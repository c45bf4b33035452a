#pragma once
// Base of the commands on the parts list the user selected. Each command answers its one
// context-menu id: kCommand runs OnInitialize and, when that agrees, OnExecute; kUpdateUI asks
// OnUpdateUI. Every entry point looks the selection up again (GetSelectedInstance), since the
// user may have picked something else between two messages. Base is the command class the
// command would derive from without this one: the plain document command, or the symbol edit
// command for the editor.
#include <cstdint>

#include "Command/DLxSymbolEditCmd.h"
#include "fw/FWxDocCmd.h"
#include "rse/RSeRef.h"

class DLxPartListTable;
struct FWxCmdUI;

template <class Base> class DLxPartListSelectionCmd : public Base {
public:
    DLxPartListSelectionCmd(FWxSceneDoc* doc, int32_t commandId)
        : Base(doc), m_commandId(commandId) {}

    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    void OnCommand() override;
    // Takes the selected parts list; 1 to go on to OnExecute.
    virtual int32_t OnInitialize();
    virtual int32_t OnExecute() = 0;
    virtual void OnUpdateUI(FWxCmdUI& ui) = 0;
    // The selected parts list, kept as the command's own; null when the selection holds none.
    RSeRef<DLxPartListTable> GetSelectedInstance();

protected:
    RSeRef<DLxPartListTable> m_partList;

private:
    int32_t m_commandId;
};

// Made once, in the module's own source, for the two bases in use.
extern template class DLxPartListSelectionCmd<FWxDocCmd>;
extern template class DLxPartListSelectionCmd<DLxSymbolEditCmd>;
