#include "Symbol/DLxUpdateLeaderStateMigrator.h"

#include <vector>

#include "Leader/DLxLeaderTree.h"
#include "Leader/DLxLeaderUtils.h"
#include "Symbol/DLxCallOutInstance.h"
#include "Symbol/DLxCallOutState.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxCast.h"

DLxUpdateLeaderStateMigrator::DLxUpdateLeaderStateMigrator()
    : RSeSegmentMigrator("DLxUpdateLeaderStateMigrator") {
    Handles(u"DLxCallOutInstance", 0);
}

DLxUpdateLeaderStateMigrator::~DLxUpdateLeaderStateMigrator() = default;

void DLxUpdateLeaderStateMigrator::Migrate(RSeSegmentMigrationContext* context) {
    auto* ctx = dynamic_cast<RSeSegmentMigrationContextRSeRef*>(context);
    if (!ctx) return;
    for (uint32_t i = 0; i < ctx->Objects(); ++i)
        if (ctx->UnmigratedVersion(i) == 0)
            if (auto* callout = dynamic_cast<DLxCallOutInstance*>(ctx->Object(i).GetTarget()))
                Convert(callout);
}

namespace {
// The place of leader 0 in a callout's state list.
constexpr uint32_t kFirstLeaderState = 2;
} // namespace

bool DLxUpdateLeaderStateMigrator::Convert(DLxCallOutInstance* callout) {
    const uint32_t place = kFirstLeaderState;
    auto* old = UTx::Cast<DLxLeaderTree>(callout->GetInputState(place));
    RDxFragment* fragment = callout->GetFragment().get();
    if (!old || !fragment || !fragment->GetSegment()) return false;
    RSeRef<DUxLeaderNodeTree> converted;
    if (!old->ConvertToLeaderNodeTree(converted)) {
        // Nothing to convert: the tree made for it goes, and a leader of one node at the
        // callout's origin keeps the first branch's attachment.
        if (DUxLeaderNodeTree* unused = converted.get()) {
            RDxNode* generator = dynamic_cast<RDxNode*>(unused->GetTerminalNodeGenerator());
            DUxLeaderNodeTree::Delete(unused);
            if (generator && !fragment->DeleteNode(generator)) RSe::DeleteObject(generator);
        }
        const DLxCallOutState* state = callout->GetCallOutState();
        const WqGePoint3d origin = state ? state->GetOrigin() : WqGePoint3d();
        DUxArrowHeadState* arrow = DUxLeaderNodeTree::CreateArrowHeadState(
            fragment, DUxLeaderNodeTree::kDefaultArrowHeadId);
        DUxLeaderNodeTree* tree = DLxLeaderUtils::MakeLeader(fragment, {origin}, arrow);
        if (DLxAnchorPoint* kept = old->GetBranchAnchorPoint(0))
            if (DLxAnchorPoint* anchor = DLxLeaderUtils::GetAnchorPoint(tree, 0))
                anchor->SetConstraint(kept->RelinquishConstraint());
        converted = tree;
    }
    // The new leader takes the old one's place, so that the leaders keep their order.
    callout->SetInputState(place, converted.get());
    // The branches' anchors and arrowheads have been copied: nothing holds them any more.
    std::vector<RDxNode*> held;
    for (int32_t b = 0; b < old->GetNumBranches(); ++b)
        if (const DLxLeaderBranch* branch = old->GetBranch(b)) {
            if (DLxAnchorPoint* anchor = branch->GetAnchorPoint()) held.push_back(anchor);
            if (DUxArrowHeadState* arrow = branch->GetArrowHead()) held.push_back(arrow);
        }
    DLxLeaderTree::Delete(old);
    for (RDxNode* node : held)
        if (!fragment->DeleteNode(node)) RSe::DeleteObject(node);
    return true;
}

void DLxUpdateLeaderStateMigrator::Register() {
    static DLxUpdateLeaderStateMigrator s_migrator;
}
