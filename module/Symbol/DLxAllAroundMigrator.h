#pragma once
// The all-around circle of older documents. Frames, surface-texture symbols and weld symbols
// stored before their classes' version 3 kept no diameter for the circle: their leader style
// now holds it. Their post-restore steps queue them in the context of (class, 2); after the
// load the migrator gives each the diameter its text implies:
// - a frame whose leader 0 is all-around, and an all-around surface-texture symbol: 0.9 font
//   sizes of its text style;
// - a weld symbol, by its first sub-welding whose area is described as all-around (type 1:
//   1.8 font sizes, 2: one font size, 4: twice the identification line's gap of its weld
//   style); a weld symbol without such a sub-welding keeps its diameter.
// A symbol lacking its leader style or text style keeps its diameter; nothing is reported.
#include <vector>

#include "rse/RSeRef.h"
#include "rse/RSeSegmentMigrator.h"

class DLxSymInstance;
class DLxWeldInstance;

class DLxAllAroundMigrateContext : public RSeSegmentMigrationContextRSeRef {
public:
    using RSeSegmentMigrationContextRSeRef::RSeSegmentMigrationContextRSeRef;

    void AddGDTInstance(const RSeRef<DLxSymInstance>& frame) { m_frames.push_back(frame); }
    void AddSurfTXTInstance(const RSeRef<DLxSymInstance>& symbol) { m_surfaces.push_back(symbol); }
    void AddWeldInstance(const RSeRef<DLxWeldInstance>& weld) { m_welds.push_back(weld); }
    bool IsEmpty() const { return m_frames.empty() && m_surfaces.empty() && m_welds.empty(); }

    // Frames first, then surface-texture symbols, then weld symbols, each in queue order.
    void Run();

    // The symbol's leader style takes `factor` font sizes of its text style as its diameter.
    static void SetAllAroundDiameter(DLxSymInstance* symbol, double factor);
    // The weld symbol's diameter by its first all-around sub-welding.
    static void SetWeldAllAroundDiameter(DLxWeldInstance* weld);

    // The context that `symbol`'s post-restore step queues it in; null when none is made.
    static DLxAllAroundMigrateContext* Find(const DLxSymInstance* symbol);

private:
    std::vector<RSeRef<DLxSymInstance>> m_frames;
    std::vector<RSeRef<DLxSymInstance>> m_surfaces;
    std::vector<RSeRef<DLxWeldInstance>> m_welds;
};

class DLxAllAroundMigrator : public RSeSegmentMigrator {
public:
    DLxAllAroundMigrator();
    ~DLxAllAroundMigrator() override;

    void Migrate(RSeSegmentMigrationContext* ctx) override;
    RSeSegmentMigrationContext* AllocateContext(RSeSegment* segment) override;

    // The one migrator, made when the module starts.
    static void Register();
};
