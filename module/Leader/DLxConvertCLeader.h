#pragma once
// An older symbol's leader record rebuilt as the leader node tree of the placed symbol that
// replaces it: the nodes (the old root becomes the root, inner vertices inner nodes, ends
// DLxTerminalLeaderNode), the landing, an arrowhead of the old symbol's arrowhead on every end,
// and the old symbol's attachments (its attaching points on view edges or other geometry)
// handed to the anchors of the new ends, their parameters refitted to where the ends are.
#include "rse/RSeRef.h"

class DLxCLeaderNode;
class DLxSymbol;
class DUxLeaderNodeTree;

// `tree` is the new symbol's leader, made with a DLxTerminalNodeGenerator; its present nodes
// are replaced when the old leader has vertices of its own. A null `oldRoot` changes nothing.
void ConvertCLeaderToLeaderNodeTree(const RSeRef<DUxLeaderNodeTree>& tree,
                                    const RSeRef<DLxCLeaderNode>& oldRoot,
                                    const RSeRef<DLxSymbol>& oldSymbol);
