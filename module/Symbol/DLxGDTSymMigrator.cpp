#include "Symbol/DLxGDTSymMigrator.h"

#include <vector>

#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderNode.h"
#include "Leader/DLxConvertCLeader.h"
#include "Leader/DLxLeaderUtils.h"
#include "Symbol/DLxCFCF.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTState.h"
#include "Symbol/DLxGDTSymbol.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxSymAttachingPoint.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "ge/BBox.h"
#include "sm/SMxDisplayList.h"

namespace {
// The frame record's values in the order they are carried over: the six line variables on
// both lines, then the frame's datum identifier.
struct Carried {
    DLxSym::Variable variable;
    int32_t line;
};
constexpr Carried kCarried[] = {
    {DLxSym::kSymbolValue, 0},     {DLxSym::kSymbolValue, 1}, {DLxSym::kToleranceA, 0},
    {DLxSym::kToleranceA, 1},      {DLxSym::kToleranceB, 0},  {DLxSym::kToleranceB, 1},
    {DLxSym::kDatumA, 0},          {DLxSym::kDatumA, 1},      {DLxSym::kDatumB, 0},
    {DLxSym::kDatumB, 1},          {DLxSym::kDatumC, 0},      {DLxSym::kDatumC, 1},
    {DLxSym::kDatumIdentifier, 0},
};
} // namespace

DLxGDTSymMigrator::DLxGDTSymMigrator() : RSeSegmentMigrator("DLxGDTSymMigrator") {
    Handles(u"DLxGDTSymbol", 1);
}

DLxGDTSymMigrator::~DLxGDTSymMigrator() = default;

void DLxGDTSymMigrator::Migrate(RSeSegmentMigrationContext* context) {
    auto* ctx = dynamic_cast<RSeSegmentMigrationContextRSeRef*>(context);
    if (!ctx) return;
    for (uint32_t i = 0; i < ctx->Objects(); ++i) {
        if (ctx->UnmigratedVersion(i) > 1) continue;
        auto* old = dynamic_cast<DLxGDTSymbol*>(ctx->Object(i).GetTarget());
        if (!old || !Convert(old)) continue;
        old->DeleteAndVacuumClean();
    }
}

DLxGDTInstance* DLxGDTSymMigrator::Convert(DLxGDTSymbol* old) {
    RDxFragment* fragment = old->GetFragment().get();
    if (!fragment || !fragment->GetSegment()) return nullptr;
    const DLxSymAttachingPoint* attached = old->GetFirstAttachingPoint();
    const DLxCLeader* oldLeader = old->GetLeader(0);
    const std::vector<WqGePoint3d> oldPoints = old->GetFirstLeaderPoints();
    const bool oneVertex = oldLeader && oldPoints.size() == 1;
    const bool landingOnly =
        oldLeader && oldPoints.size() == 2 &&
        oldPoints[0].isEqualTo(oldPoints[1] + oldLeader->GetLandingVector(), WqGeTol(1e-5, 1e-5));

    std::vector<WqGePoint3d> points;
    DLxGDTInstance* frame = DLxGDTInstance::CreateInstance(
        fragment, points, DLxSymbol::ArrowTemplateOf(old->GetArrowType()), {}, {}, {});
    if (!frame) return nullptr;
    frame->SetDisplayLeaders(!oneVertex);

    DUxLeaderNodeTree* leader = frame->GetLeader(0);
    DLxCLeaderNode* oldRoot = oldLeader ? oldLeader->GetRootNode() : nullptr;
    ConvertCLeaderToLeaderNodeTree(leader, oldRoot, old);
    DLxAnchorPoint* anchor = DLxLeaderUtils::GetAnchorPoint(leader, 0);
    // A frame without a leader stays where it stood: its anchor takes the old origin.
    if (anchor && !oldRoot) anchor->SetPoint(old->GetOrigin());
    // What the old frame last drew places it when its leader had no length of its own.
    const BBox box = old->GetDisplayList().GetBBox();
    if (leader && anchor) {
        const WqGePoint3d q = anchor->GetPoint();
        if (oneVertex) {
            leader->SetLandingPosition(DUxLeaderNodeTree::kNoLanding);
            if (!box.isEmpty()) anchor->SetPoint(q + (box.center() - box.min));
        }
        if (landingOnly && !box.isEmpty() && leader->GetRoot()) {
            WqGeVector3d v(box.min.x - q.x, box.center().y - q.y, -q.z);
            if (!v.isZeroLength()) v = v.normal();
            leader->GetRoot()->SetPoint(anchor->GetPoint() + v * 0.001);
        }
    }
    if (leader && leader->GetRoot()) frame->MoveSymbolBox(leader->GetRoot()->GetPoint(), 0);
    if (oneVertex && leader) leader->SetLandingPosition(DUxLeaderNodeTree::kPosX);

    DLxGDTState* state = frame->GetGDTState();
    // A frame record that lost a value leaves the new frame's own value in its place.
    if (const auto* record = static_cast<const DLxCFCF*>(old->GetFrame().GetTarget())) {
        for (const Carried& c : kCarried)
            if (const DUxValue* value = record->GetValue(c.variable, c.line == 1))
                state->SetValue(c.variable, c.line, value->GetText().c_str());
        for (const Carried& c : kCarried)
            if (record->GetValue(c.variable, c.line == 1))
                state->SetVariableStatus(c.variable, c.line,
                                         record->ValueVisibility(c.variable, c.line == 1));
    }
    DLxViewInstance* view = attached ? attached->GetViewInstance() : nullptr;
    if (anchor) anchor->SetViewInstance(view);
    state->SetScale(view ? view->GetViewScale() : 1.0);
    state->SetOrigin(anchor ? anchor->GetPoint() : old->GetOrigin());
    return frame;
}

void DLxGDTSymMigrator::Register() {
    static DLxGDTSymMigrator s_migrator;
}
