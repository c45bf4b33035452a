#pragma once
// The upgrade of legacy balloons: balloons stored with their own kind and item columns get them
// from balloon styles once the document has loaded. The migrator is registered with the named
// migrators so that its name and its place in the order are fixed now. Legacy balloon records
// load (DLxCBalloon) but nothing makes the context they would hand their kind and item columns
// to yet, so they read them past and no context ever reaches the migrator.
#include "rse/RSeSegmentMigrator.h"

class DLxCBalloonMigrator : public RSeSegmentMigrator {
public:
    DLxCBalloonMigrator();
    ~DLxCBalloonMigrator() override;

    // Nothing to do until legacy balloons are loaded: no context carries balloons to upgrade.
    void Migrate(RSeSegmentMigrationContext* ctx) override;

    // The one migrator, made when the module starts.
    static void Register();
};
