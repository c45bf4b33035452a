#include "Symbol/DLxSurfaceTextureMigrator.h"

#include <vector>

#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderNode.h"
#include "Leader/DLxConvertCLeader.h"
#include "Leader/DLxLeaderUtils.h"
#include "Symbol/DLxAllAroundMigrator.h"
#include "Standard/DLxCSurfText.h"
#include "Symbol/DLxSurfTXTInstance.h"
#include "Symbol/DLxSurfaceTexture.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxSymAttachingPoint.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxGeometryProxy.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxSurfTXTState.h"
#include "du/DUxSurfaceTextureStyle.h"

DLxSurfaceTextureMigrator::DLxSurfaceTextureMigrator()
    : RSeSegmentMigrator("DLxSurfaceTextureMigrator") {
    Handles(u"DLxSurfaceTexture", 1);
}

DLxSurfaceTextureMigrator::~DLxSurfaceTextureMigrator() = default;

void DLxSurfaceTextureMigrator::Migrate(RSeSegmentMigrationContext* context) {
    auto* ctx = dynamic_cast<RSeSegmentMigrationContextRSeRef*>(context);
    if (!ctx) return;
    for (uint32_t i = 0; i < ctx->Objects(); ++i) {
        if (ctx->UnmigratedVersion(i) != 0) continue;
        auto* old = dynamic_cast<DLxSurfaceTexture*>(ctx->Object(i).GetTarget());
        if (!old || !Convert(old)) continue;
        old->DeleteAndVacuumClean();
    }
}

DLxSurfTXTInstance* DLxSurfaceTextureMigrator::Convert(DLxSurfaceTexture* old) {
    RDxFragment* fragment = old->GetFragment().get();
    if (!fragment || !fragment->GetSegment()) return nullptr;
    const DLxSymAttachingPoint* attached = old->GetFirstAttachingPoint();
    const WqGePoint3d p0 = attached ? attached->GetPoint() : WqGePoint3d();
    const DLxCLeader* oldLeader = old->GetLeader(0);
    const bool singlePoint = oldLeader && old->GetFirstLeaderPoints().size() == 1;

    std::vector<WqGePoint3d> points;
    DLxSurfTXTInstance* symbol = DLxSurfTXTInstance::CreateInstance(
        fragment, points, DLxSymbol::ArrowTemplateOf(old->GetArrowType()), {}, {}, {});
    if (!symbol) return nullptr;
    symbol->SetDisplayLeaders(!points.empty());

    DUxLeaderNodeTree* leader = symbol->GetLeader(0);
    DLxCLeaderNode* oldRoot = oldLeader ? oldLeader->GetRootNode() : nullptr;
    ConvertCLeaderToLeaderNodeTree(leader, oldRoot, old);
    DLxAnchorPoint* anchor = DLxLeaderUtils::GetAnchorPoint(leader, 0);
    if (anchor && !oldRoot) {
        // Without a leader the symbol stands at its symbol point, its anchor with it.
        anchor->SetPoint(old->GetSymbolOrigin());
    } else if (anchor && leader && leader->GetRoot()) {
        // Off its geometry, on the side the old symbol was aligned to, and only a little way
        // off when its leader had no length.
        WqGeVector3d dir;
        if (const DUxGeometryProxy* proxy = anchor->GetGeometryProxy())
            if (!proxy->GetNormalAtPointOnEntity(p0, dir)) dir = WqGeVector3d();
        const WqGeVector3d align = old->GetAttachDirection();
        if (align.isZeroLength()) {
            if (!dir.isZeroLength() && dir.isParallelTo(WqGeVector3d::kYAxis))
                dir = WqGeVector3d::kYAxis;
        } else if (align.dotProduct(dir) < 0) {
            dir = -dir;
        }
        const WqGePoint3d root = leader->GetRoot()->GetPoint();
        if (singlePoint || p0.distanceTo(root) < 0.1) dir = dir * 0.1;
        symbol->MoveSymbolBox(root, 0, p0 + dir);
        if (singlePoint) leader->SetLandingPosition(DUxLeaderNodeTree::kNoLanding);
    }
    DUxSurfTXTState* state = symbol->GetSurfTXTState();
    if (!state) return symbol;
    // A symbol that lost its record keeps the new symbol's own values.
    if (const auto* record = dynamic_cast<const DLxCSurfText*>(old->GetRecord().GetTarget())) record->ApplyTo(*state);
    const DLxViewInstance* view = attached ? attached->GetViewInstance() : nullptr;
    state->SetScale(view ? view->GetViewScale() : 1.0);
    state->SetOrigin(anchor ? anchor->GetPoint() : old->GetSymbolOrigin());
    // The older symbol kept no circle size: its leader style takes that of its text.
    if (state->IsAllAround()) DLxAllAroundMigrateContext::SetAllAroundDiameter(symbol, 0.9);
    return symbol;
}

void DLxSurfaceTextureMigrator::Register() {
    static DLxSurfaceTextureMigrator s_migrator;
}
