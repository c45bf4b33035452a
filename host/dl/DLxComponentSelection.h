#pragma once
// The pick of a component of the drawing's assembly (on a view or in the browser): the
// structure node of the occurrence picked.
#include "fw/FWxSelection.h"
#include "rse/RSeRef.h"

class DLxStructureNode;

class DLxComponentSelection : public FWxSelection {
public:
    explicit DLxComponentSelection(DLxStructureNode* node);
    ~DLxComponentSelection() override;
    // Null once the node is gone.
    DLxStructureNode* StructureNode() const;

private:
    RSeRef<DLxStructureNode> m_node;
};
