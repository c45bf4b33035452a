#pragma once
// What the first generation of parts lists (table versions 0 to 5) stored in the table itself.
// Loading such a table parks it here, under the table's address, for the upgrade of legacy
// parts lists to the local bill of materials; it is never stored again. Fields a version did
// not store stay cleared.
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSeRef.h"
#include "rse/RSeSegmentMigrator.h"

struct DLxPartListTableLegacyRecord : RSeMigrationPacket {
    explicit DLxPartListTableLegacyRecord(const void* table) : RSeMigrationPacket(table) {}
    RSeRefBase a, b;
    WqGePoint3d p0;
    WqGeVector3d v1, v2, v3;
    RSeRefBase c;
    bool f = false;
    RSeRefBase d;
    WqGePoint3d p1, p2;
    // Versions 0 and 1 also kept the table's data-source observer, which the load hands with
    // the table to the migrator that deletes it once the reference is fixed.
    RSeRefBase observer;
};
