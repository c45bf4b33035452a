#pragma once
// The upgrade of sketched symbols stored at version 0, whose leader is still the intermediate
// leader tree (DLxLeaderTree) in the place of leader 0: the tree becomes a leader node tree
// with the same ends. A tree with nothing to convert gives way to a one-node leader at the
// symbol's origin (arrowhead 28029) whose end takes over where the old first branch was
// attached. A symbol whose leader 0 is not such a tree is left as it is.
#include "rse/RSeSegmentMigrator.h"

class DLxCallOutInstance;

class DLxUpdateLeaderStateMigrator : public RSeSegmentMigrator {
public:
    static constexpr uint32_t kArrowHead = 28029;

    DLxUpdateLeaderStateMigrator();
    ~DLxUpdateLeaderStateMigrator() override;

    void Migrate(RSeSegmentMigrationContext* ctx) override;
    // False, changing nothing, when the symbol's leader 0 is no intermediate tree.
    static bool Convert(DLxCallOutInstance* symbol);

    // The one migrator, made when the module starts.
    static void Register();
};
