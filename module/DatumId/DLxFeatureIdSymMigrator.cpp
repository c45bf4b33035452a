#include "DatumId/DLxFeatureIdSymMigrator.h"

#include <vector>

#include "DatumId/DLxDatumIdInstance.h"
#include "DatumId/DLxDatumIdSymMigrator.h"
#include "DatumId/DLxFeatureIdSymbol.h"
#include "Leader/DLxCLeader.h"
#include "dc/RDxFragment.h"
#include "du/DUxLeaderNodeTree.h"

DLxFeatureIdSymMigrator::DLxFeatureIdSymMigrator()
    : RSeSegmentMigrator("DLxFeatureIdSymMigrator") {
    Handles(u"DLxFeatureIdSymbol", 0);
}

DLxFeatureIdSymMigrator::~DLxFeatureIdSymMigrator() = default;

void DLxFeatureIdSymMigrator::Migrate(RSeSegmentMigrationContext* context) {
    RSe::ForEachQueued<DLxFeatureIdSymbol>(
        context, [](uint16_t version) { return version == 0; },
        [](auto* old) {
            if (Convert(old)) old->DeleteAndVacuumClean();
        });
}

DLxDatumIdInstance* DLxFeatureIdSymMigrator::Convert(DLxFeatureIdSymbol* old) {
    RDxFragment* fragment = old->GetFragment().get();
    if (!fragment || !fragment->GetSegment()) return nullptr;
    const std::vector<WqGePoint3d> oldPoints = old->GetFirstLeaderPoints();
    std::vector<WqGePoint3d> points;
    WqGePoint3d landing = old->GetSymbolOrigin();
    if (oldPoints.size() == 1) {
        points = oldPoints;
        landing = oldPoints[0];
    } else if (oldPoints.size() >= 2) {
        points.assign(oldPoints.begin() + 1, oldPoints.end());
        landing = oldPoints.back() + old->GetLeader(0)->GetLandingVector();
    } else {
        // Nothing to run a leader through: the identifier stands at its reference point.
        points.push_back(landing);
    }
    DLxDatumIdInstance* identifier = DLxDatumIdInstance::CreateInstance(
        fragment, old->GetText(), points, landing,
        DLxSymbol::ArrowTemplateOf(old->GetArrowType()), true, nullptr, nullptr);
    if (!identifier) return nullptr;
    identifier->SetDisplayLeaders(!oldPoints.empty());
    DLxDatumIdSymMigrator::Settle(identifier);
    if (oldPoints.size() == 1)
        if (DUxLeaderNodeTree* leader = identifier->GetLeader(0))
            leader->SetLandingPosition(DUxLeaderNodeTree::kPosX);
    return identifier;
}

void DLxFeatureIdSymMigrator::Register() {
    static DLxFeatureIdSymMigrator s_migrator;
}
