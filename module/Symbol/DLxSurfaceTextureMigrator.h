#pragma once
// The upgrade of legacy surface-texture symbols stored at version 0 (queued by their load
// under ("DLxSurfaceTexture", 1)): each becomes a placed surface-texture symbol in the same
// fragment, at its record's position, with its record's values, visibilities, subtype,
// orientation, angle and flags and its arrow type; the old symbol and its record are deleted.
#include "rse/RSeSegmentMigrator.h"

class DLxSurfTXTInstance;
class DLxSurfaceTexture;

class DLxSurfaceTextureMigrator : public RSeSegmentMigrator {
public:
    DLxSurfaceTextureMigrator();
    ~DLxSurfaceTextureMigrator() override;

    void Migrate(RSeSegmentMigrationContext* ctx) override;
    // The placed symbol that replaces `old`; null when `old` is in no fragment.
    static DLxSurfTXTInstance* Convert(DLxSurfaceTexture* old);

    // The one migrator, made when the module starts.
    static void Register();
};
