#include "Symbol/DLxUpdateLeaderStateMigrator.h"

#include "Leader/DLxLeaderTree.h"
#include "Leader/DLxLeaderUtils.h"
#include "Leader/DLxTerminalNodeGenerator.h"
#include "Symbol/DLxCallOutInstance.h"
#include "Symbol/DLxCallOutState.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "du/DUxLeaderNodeTree.h"

DLxUpdateLeaderStateMigrator::DLxUpdateLeaderStateMigrator()
    : RSeSegmentMigrator("DLxUpdateLeaderStateMigrator") {
    Handles(u"DLxCallOutInstance", 0);
}

DLxUpdateLeaderStateMigrator::~DLxUpdateLeaderStateMigrator() = default;

void DLxUpdateLeaderStateMigrator::Migrate(RSeSegmentMigrationContext* context) {
    RSe::ForEachQueued<DLxCallOutInstance>(
        context, [](uint16_t version) { return version == 0; },
        [](DLxCallOutInstance* symbol) { Convert(symbol); });
}

bool DLxUpdateLeaderStateMigrator::Convert(DLxCallOutInstance* symbol) {
    // Leader 0's place in the state list, after the symbol and display-list states.
    constexpr uint32_t at = 2;
    auto* old = dynamic_cast<DLxLeaderTree*>(symbol->GetInputState(at));
    RDxFragment* fragment = symbol->GetFragment().get();
    if (!old || !fragment) return false;
    RSeRef<DUxLeaderNodeTree> converted;
    DUxLeaderNodeTree* leader = nullptr;
    if (old->ConvertToLeaderNodeTree(converted)) {
        leader = converted.get();
    } else {
        // The conversion leaves a tree with nothing on it: it goes.
        if (DUxLeaderNodeTree* empty = converted.get()) DUxLeaderNodeTree::Delete(empty);
        const DLxCallOutState* state = symbol->GetCallOutState();
        const WqGePoint3d origin = state ? state->GetOrigin() : WqGePoint3d();
        leader = DUxLeaderNodeTree::Create(
            fragment, DLxTerminalNodeGenerator::Create(fragment), origin,
            DUxLeaderNodeTree::CreateArrowHeadState(fragment, kArrowHead), kArrowHead);
        // The new end stays where the first branch was attached.
        const DLxAnchorPoint* was = old->GetBranchAnchorPoint(0);
        DLxAnchorPoint* end = leader ? DLxLeaderUtils::GetAnchorPoint(leader, 0) : nullptr;
        if (was && end && was->IsOnEdge()) was->PassValue(end, 0);
    }
    if (!leader) return false;
    symbol->RemoveInputState(at);
    DLxLeaderTree::Delete(old);
    symbol->AppendLeader(leader);
    return true;
}

void DLxUpdateLeaderStateMigrator::Register() {
    static DLxUpdateLeaderStateMigrator s_migrator;
}
