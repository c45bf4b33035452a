#pragma once
// The leader of a datum or feature identifier: a leader tree that also knows which of the two
// it serves. Its landing flags and extension-line overshoot are the tree's (the identifier sets
// them from its style); the feature flag is kept in step with the identifier's state.
#include "du/DUxLeaderNodeTree.h"

class DUxDatumIDLeader : public DUxLeaderNodeTree {
public:
    DUxDatumIDLeader() = default;
    explicit DUxDatumIDLeader(const RSeStream* s) : DUxLeaderNodeTree(s) {}
    RSeMetaType* GetMeta() const override;

    // As DUxLeaderNodeTree::Create, a datum identifier's leader. Null without a fragment.
    static DUxDatumIDLeader* Create(RDxFragment* fragment, DUxBaseTerminalNodeGenerator* generator,
                                    const WqGePoint3d& point, DUxArrowHeadState* arrowHead,
                                    uint32_t arrowId = kDefaultArrowHeadId);

    // True: the leader serves a feature identifier; false: a datum identifier.
    bool IsFeatureIdentifier() const { return m_feature; }
    // Setting the flag it has records nothing.
    void SetFeatureIdentifier(bool feature);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxDatumIDLeader* target, RSeCloneCommander* cc) const;

private:
    bool m_feature = false;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxDatumIDLeader*);
RSeMetaType* _GetMeta(const DUxDatumIDLeader*);
} // namespace RSe
