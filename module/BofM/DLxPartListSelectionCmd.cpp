#include "BofM/DLxPartListSelectionCmd.h"

#include "BofM/DLxPartListCmdUtil.h"
#include "BofM/DLxPartListTable.h"
#include "fw/FWxCommand.h"

template <class Base>
bool DLxPartListSelectionCmd<Base>::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (id != m_commandId) return false;
    if (code == FWxCmd::kCommand) {
        OnCommand();
        return true;
    }
    if (code == FWxCmd::kUpdateUI && extra) {
        OnUpdateUI(*static_cast<FWxCmdUI*>(extra));
        return true;
    }
    return false;
}

template <class Base> void DLxPartListSelectionCmd<Base>::OnCommand() {
    if (OnInitialize()) OnExecute();
}

template <class Base> int32_t DLxPartListSelectionCmd<Base>::OnInitialize() {
    GetSelectedInstance();
    return 1;
}

template <class Base>
RSeRef<DLxPartListTable> DLxPartListSelectionCmd<Base>::GetSelectedInstance() {
    m_partList = GetSelectedPartList(this->GetDocument());
    return m_partList;
}

template class DLxPartListSelectionCmd<FWxDocCmd>;
template class DLxPartListSelectionCmd<DLxSymbolEditCmd>;
