#pragma once
// Makes the ends of every leader the module builds: DLxTerminalLeaderNode with a free anchor
// point in the tree's view and an arrowhead state.
#include "du/DUxLeaderNode.h"

class DLxTerminalNodeGenerator : public DUxBaseTerminalNodeGenerator {
public:
    DLxTerminalNodeGenerator() = default;
    explicit DLxTerminalNodeGenerator(RDxFragment* fragment)
        : DUxBaseTerminalNodeGenerator(fragment) {}
    explicit DLxTerminalNodeGenerator(const RSeStream* s) : DUxBaseTerminalNodeGenerator(s) {}
    RSeMetaType* GetMeta() const override;

    // Made in the fragment's segment and added to it; null without a fragment.
    static DLxTerminalNodeGenerator* Create(RDxFragment* fragment);

    DUxBaseTerminalLeaderNode* CreateTerminalNode(DUxLeaderNodeTree* tree, DUxLeaderNode* parent,
                                                  WqGePoint3d& point, DUxArrowHeadState* arrowHead,
                                                  uint32_t arrowId) override;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxTerminalNodeGenerator*);
RSeMetaType* _GetMeta(const DLxTerminalNodeGenerator*);
} // namespace RSe
