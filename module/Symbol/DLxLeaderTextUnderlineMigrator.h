#pragma once
// The underline upgrade of leader texts stored before version 4: those written on a dimension
// style of their own get the underline their leader wants, through a style that has it (one of
// the drawing's equal to the style with that underline, else such a copy added to the
// drawing). The underline is the first line's for a leader from above, the last line's for a
// leader from below. Texts of those versions are queued for it by their load (context
// ("DLxLeaderTextInstance", 3)).
#include "rse/RSeSegmentMigrator.h"

class DLxLeaderTextInstance;

class DLxLeaderTextUnderlineMigrator : public RSeSegmentMigrator {
public:
    DLxLeaderTextUnderlineMigrator();
    ~DLxLeaderTextUnderlineMigrator() override;

    void Migrate(RSeSegmentMigrationContext* ctx) override;
    void Upgrade(DLxLeaderTextInstance* text);

    // The one migrator, made when the module starts.
    static void Register();
};
