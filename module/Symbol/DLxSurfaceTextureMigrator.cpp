#include "Symbol/DLxSurfaceTextureMigrator.h"

#include <vector>

#include "Symbol/DLxAllAroundMigrator.h"
#include "Standard/DLxCSurfText.h"
#include "Symbol/DLxSurfTXTInstance.h"
#include "Symbol/DLxSurfaceTexture.h"
#include "dc/RDxFragment.h"
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
    // The old symbol's leaders were not carried over with it: the new one shows none.
    std::vector<WqGePoint3d> points;
    DLxSurfTXTInstance* symbol = DLxSurfTXTInstance::CreateInstance(
        fragment, points, DLxSymbol::ArrowTemplateOf(old->GetArrowType()), {}, {}, {});
    if (!symbol) return nullptr;
    DUxSurfTXTState* state = symbol->GetSurfTXTState();
    if (!state) return symbol;
    // A symbol that lost its record keeps the new symbol's own values.
    if (const auto* record = dynamic_cast<const DLxCSurfText*>(old->GetRecord().GetTarget())) record->ApplyTo(*state);
    state->SetScale(1.0);
    state->SetOrigin(old->GetSymbolOrigin());
    // The older symbol kept no circle size: its leader style takes that of its text.
    if (state->IsAllAround()) DLxAllAroundMigrateContext::SetAllAroundDiameter(symbol, 0.9);
    return symbol;
}

void DLxSurfaceTextureMigrator::Register() {
    static DLxSurfaceTextureMigrator s_migrator;
}
