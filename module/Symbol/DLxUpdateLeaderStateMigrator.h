#pragma once
// The upgrade of sketched-symbol callouts stored at version 0 (queued by their load under
// ("DLxCallOutInstance", 0)), whose leader is still an intermediate leader tree: it becomes a
// leader node tree in the same place. A tree with no branch left to convert gives way to a
// leader of one node at the callout's origin that keeps the first branch's attachment.
#include "rse/RSeSegmentMigrator.h"

class DLxCallOutInstance;

class DLxUpdateLeaderStateMigrator : public RSeSegmentMigrator {
public:
    DLxUpdateLeaderStateMigrator();
    ~DLxUpdateLeaderStateMigrator() override;

    void Migrate(RSeSegmentMigrationContext* ctx) override;
    // False, changing nothing, when the callout's leader is not an intermediate tree.
    static bool Convert(DLxCallOutInstance* callout);

    // The one migrator, made when the module starts.
    static void Register();
};
