#include "Symbol/DLxKorvuBug417175Migrator.h"

#include <vector>

#include "Leader/DLxLeaderUtils.h"
#include "Symbol/DLxSymInstance.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDiagEmblemInvalidAnchorPoint.h"
#include "dl/DLxDimGeometryProxy.h"
#include "dl/DLxSheet.h"
#include "dl/DLxZoneUtilSheet.h"
#include "rse/RSeSegment.h"
#include "rse/UTxDiagnosis.h"
#include "sm/SMxDisplayList.h"

namespace {
// An anchor of the symbol that is valid, not on a dimension, and lies in a removed part of its
// view: such a symbol draws nothing because its view is broken, not because it is broken.
bool HasAnchorInRemovedArea(DLxSymInstance* symbol) {
    for (int32_t i = 0; i < symbol->GetNumLeaders(); ++i) {
        DUxLeaderNodeTree* tree = symbol->GetLeader(i);
        if (!tree || (i > 0 && tree->GetNumNodes() <= 1)) continue;
        for (int32_t b = 0; b < tree->GetNumBranches(); ++b) {
            DLxAnchorPoint* anchor = DLxLeaderUtils::GetAnchorPoint(tree, b);
            if (!anchor || !anchor->IsValid() ||
                dynamic_cast<DLxDimGeometryProxy*>(anchor->GetGeometryProxy()))
                continue;
            if (DLxZoneUtilSheet::IsUnbrokenPointRemoved(anchor->GetViewInstance(),
                                                         anchor->GetPoint()))
                return true;
        }
    }
    return false;
}
} // namespace

DLxKorvuBug417175Migrator::DLxKorvuBug417175Migrator()
    : RSeSegmentMigrator("DLxKorvuBug417175Migrator") {
    Handles(u"DLxSymInstance", 4);
}

DLxKorvuBug417175Migrator::~DLxKorvuBug417175Migrator() = default;

void DLxKorvuBug417175Migrator::Migrate(RSeSegmentMigrationContext* context) {
    auto* ctx = dynamic_cast<RSeSegmentMigrationContextRSeRef*>(context);
    if (!ctx) return;
    RSeSegment* segment = nullptr;
    DLxSheet* sheet = nullptr;
    // Deleting a symbol does not touch the list: its reference just reads null afterwards.
    for (uint32_t i = 0; i < ctx->Objects(); ++i) {
        auto* symbol = dynamic_cast<DLxSymInstance*>(ctx->Object(i).GetTarget());
        if (!symbol) continue;
        const SMxDisplayList* list = symbol->GetDisplayList();
        if (!list || !list->IsEmpty()) continue;
        if (HasAnchorInRemovedArea(symbol)) continue;
        if (symbol->GetSegment() != segment) {
            segment = symbol->GetSegment();
            sheet = segment ? dynamic_cast<DLxSheet*>(segment->GetRootObject()) : nullptr;
        }
        if (symbol->IsValid() || symbol->IsSuppressed()) continue;
        Repair(sheet, symbol);
    }
}

void DLxKorvuBug417175Migrator::Repair(DLxSheet* sheet, DLxSymInstance* symbol) {
    if (sheet && symbol->IsSick()) {
        std::vector<UTxDiagnosis*> about;
        for (UTxDiagnosis* d : sheet->GetDiagnoses()) {
            auto* invalid = dynamic_cast<DLxDiagEmblemInvalidAnchorPoint*>(d);
            if (d->GetSubject().GetTarget() == symbol ||
                (invalid && invalid->GetEmblem() == symbol))
                about.push_back(d);
        }
        for (UTxDiagnosis* d : about)
            sheet->RemoveDiagnosis(d);
        symbol->SetHealthy();
    }
    symbol->DeleteAndVacuumClean();
}

void DLxKorvuBug417175Migrator::Register() {
    static DLxKorvuBug417175Migrator s_migrator;
}
