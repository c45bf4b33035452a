#include "DatumId/DLxDatumIdSymMigrator.h"

#include <vector>

#include "DatumId/DLxDatumIdInstance.h"
#include "DatumId/DLxDatumIdSymbol.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "du/DUxDatumIdState.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"

DLxDatumIdSymMigrator::DLxDatumIdSymMigrator() : RSeSegmentMigrator("DLxDatumIdSymMigrator") {
    Handles(u"DLxDatumIdSymbol", 1);
}

DLxDatumIdSymMigrator::~DLxDatumIdSymMigrator() = default;

void DLxDatumIdSymMigrator::Migrate(RSeSegmentMigrationContext* context) {
    auto* ctx = dynamic_cast<RSeSegmentMigrationContextRSeRef*>(context);
    if (!ctx) return;
    for (uint32_t i = 0; i < ctx->Objects(); ++i) {
        if (ctx->UnmigratedVersion(i) >= 2) continue;
        auto* old = dynamic_cast<DLxDatumIdSymbol*>(ctx->Object(i).GetTarget());
        if (!old || !Convert(old)) continue;
        old->DeleteAndVacuumClean();
    }
}

DLxDatumIdInstance* DLxDatumIdSymMigrator::Convert(DLxDatumIdSymbol* old) {
    RDxFragment* fragment = old->GetFragment().get();
    if (!fragment || !fragment->GetSegment()) return nullptr;
    // The leader starts and ends at the record's reference point: the old leader record is
    // not carried over, so the identifier shows none.
    const WqGePoint3d origin = old->GetSymbolOrigin();
    std::vector<WqGePoint3d> points{origin};
    DLxDatumIdInstance* identifier = DLxDatumIdInstance::CreateInstance(
        fragment, old->GetText(), points, origin, DLxSymbol::ArrowTemplateOf(old->GetArrowType()),
        false, nullptr, nullptr);
    if (!identifier) return nullptr;
    identifier->SetDisplayLeaders(false);
    Settle(identifier);
    return identifier;
}

void DLxDatumIdSymMigrator::Settle(DLxDatumIdInstance* identifier) {
    identifier->SetAlwaysHorizontal(true);
    DUxLeaderNodeTree* leader = identifier->GetLeader(0);
    DUxLeaderNode* root = leader ? leader->GetRoot() : nullptr;
    if (!root) return;
    const WqGePoint3d at = root->GetPoint();
    identifier->MoveSymbolBox(at, 0);
    if (DUxDatumIdState* state = identifier->GetDatumIdState()) {
        const DLxAnchorPoint* anchor = identifier->GetFirstAnchor();
        state->SetOrigin(anchor ? anchor->GetPoint() : at);
        state->SetScale(1.0);
    }
}

void DLxDatumIdSymMigrator::Register() {
    static DLxDatumIdSymMigrator s_migrator;
}
