#pragma once
// The upgrade of older datum identifiers (stored at version 1, queued by their load under
// ("DLxDatumIdSymbol", 1)): each becomes a placed datum identifier in the same fragment, with
// its record's text at its record's reference point and the old arrow type, and the old symbol
// is deleted. The old leader record is not carried over: the new identifier shows no leader.
#include "rse/RSeSegmentMigrator.h"

class DLxDatumIdInstance;
class DLxDatumIdSymbol;

class DLxDatumIdSymMigrator : public RSeSegmentMigrator {
public:
    DLxDatumIdSymMigrator();
    ~DLxDatumIdSymMigrator() override;

    void Migrate(RSeSegmentMigrationContext* ctx) override;
    // The placed identifier that replaces `old`; null when `old` is in no fragment.
    static DLxDatumIdInstance* Convert(DLxDatumIdSymbol* old);

    // What every upgraded identifier ends with: it stays horizontal, its frame goes to the root
    // of its first leader, and its state's origin is that leader's anchor (the root without an
    // anchor) at scale 1, old symbols knowing no view.
    static void Settle(DLxDatumIdInstance* identifier);

    // The one migrator, made when the module starts.
    static void Register();
};
