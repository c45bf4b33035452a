#pragma once
// The upgrade of legacy feature control frames (stored at versions 0 and 1, queued by their
// load under ("DLxGDTSymbol", 1)): each becomes a placed frame in the same fragment, with the
// texts and visibilities of its frame record and its arrow type, and the old symbol is deleted.
#include "rse/RSeSegmentMigrator.h"

class DLxGDTInstance;
class DLxGDTSymbol;

class DLxGDTSymMigrator : public RSeSegmentMigrator {
public:
    DLxGDTSymMigrator();
    ~DLxGDTSymMigrator() override;

    void Migrate(RSeSegmentMigrationContext* ctx) override;
    // The placed frame that replaces `old`; null when `old` is in no fragment.
    static DLxGDTInstance* Convert(DLxGDTSymbol* old);

    // The one migrator, made when the module starts.
    static void Register();
};
