#pragma once
// The upgrade of older feature identifiers (stored at version 0, queued by their load under
// ("DLxFeatureIdSymbol", 0)): each becomes a placed identifier with the feature flag in the
// same fragment, with its record's text and a leader through its old leader's points, and the
// old symbol is deleted.
#include "rse/RSeSegmentMigrator.h"

class DLxDatumIdInstance;
class DLxFeatureIdSymbol;

class DLxFeatureIdSymMigrator : public RSeSegmentMigrator {
public:
    DLxFeatureIdSymMigrator();
    ~DLxFeatureIdSymMigrator() override;

    void Migrate(RSeSegmentMigrationContext* ctx) override;
    // The placed identifier that replaces `old`; null when `old` is in no fragment. The old
    // leader's root point is where the leader met the frame; the new leader runs through the
    // points after it and lands at its last point plus the old landing. A one-point leader
    // becomes a leader of that point alone, landing to the right; without leader points the
    // identifier stands at its record's reference point with its leader hidden.
    static DLxDatumIdInstance* Convert(DLxFeatureIdSymbol* old);

    // The one migrator, made when the module starts.
    static void Register();
};
