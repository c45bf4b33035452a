#include "dl/DLxComponentSelection.h"

#include "dl/DLxStructureNode.h"

DLxComponentSelection::DLxComponentSelection(DLxStructureNode* node) : m_node(node) {}

DLxComponentSelection::~DLxComponentSelection() = default;

DLxStructureNode* DLxComponentSelection::StructureNode() const {
    return m_node.get();
}
