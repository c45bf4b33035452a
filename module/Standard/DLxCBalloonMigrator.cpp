#include "Standard/DLxCBalloonMigrator.h"

DLxCBalloonMigrator::DLxCBalloonMigrator() : RSeSegmentMigrator("DLxCBalloonMigrator") {}

DLxCBalloonMigrator::~DLxCBalloonMigrator() = default;

void DLxCBalloonMigrator::Migrate(RSeSegmentMigrationContext*) {}

void DLxCBalloonMigrator::Register() {
    static DLxCBalloonMigrator s_migrator;
}
