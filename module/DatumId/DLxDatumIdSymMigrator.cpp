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
    RSe::ForEachQueued<DLxDatumIdSymbol>(
        context, [](uint16_t version) { return version < 2; },
        [](auto* old) {
            if (Convert(old)) old->DeleteAndVacuumClean();
        });
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
