#pragma once
// The repair of old documents: placed symbols stored before version 5 that load with nothing to
// draw, are not valid, are not suppressed and have no anchor in a removed part of a broken view
// are deleted once the document has loaded. Symbols of such versions are queued for it by their
// load (context ("DLxSymInstance", 4)).
#include "rse/RSeSegmentMigrator.h"

class DLxSheet;
class DLxSymInstance;

class DLxKorvuBug417175Migrator : public RSeSegmentMigrator {
public:
    DLxKorvuBug417175Migrator();
    ~DLxKorvuBug417175Migrator() override;

    void Migrate(RSeSegmentMigrationContext* ctx) override;
    // A sick symbol leaves its sheet's health record and is healthy again; then it is deleted
    // with its states and leaders.
    virtual void Repair(DLxSheet* sheet, DLxSymInstance* symbol);

    // The one migrator, made when the module starts.
    static void Register();
};
