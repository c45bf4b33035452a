#include "Symbol/DLxGDTSymMigrator.h"

#include <vector>

#include "Symbol/DLxCFCF.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTState.h"
#include "Symbol/DLxGDTSymbol.h"
#include "dc/RDxFragment.h"

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
    std::vector<WqGePoint3d> points;
    DLxGDTInstance* frame = DLxGDTInstance::CreateInstance(
        fragment, points, DLxSymbol::ArrowTemplateOf(old->GetArrowType()), {}, {}, {});
    if (!frame) return nullptr;
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
    state->SetScale(1.0);
    state->SetOrigin(old->GetOrigin());
    return frame;
}

void DLxGDTSymMigrator::Register() {
    static DLxGDTSymMigrator s_migrator;
}
