#include "Symbol/DLxAllAroundMigrator.h"

#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxSurfTXTInstance.h"
#include "Welding/DLxWeldInstance.h"
#include "dl/DLxDrawing.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxSurfTXTState.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "du/DUxWeldState.h"
#include "du/DUxWeldStyle.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"

namespace {
// While a drawing loads it has no document yet, and a symbol that names no style of its own
// finds none through its document. The drawing (its segment's root) holds the styles the
// document would give: the one named after its standard, ISO when it names none.
DLxDrawing* DrawingOf(const DLxSymInstance* symbol) {
    RSeDatabase* db = RSe::DatabaseOf(symbol);
    for (uint32_t i = 0; db && i < db->GetSegmentCount(); ++i)
        if (RSeSegment* segment = db->GetSegment(i))
            if (auto* drawing = dynamic_cast<DLxDrawing*>(segment->GetRootObject())) return drawing;
    return nullptr;
}

template <class S> const S* DrawingStyle(const DLxSymInstance* symbol) {
    DLxDrawing* drawing = DrawingOf(symbol);
    if (!drawing) return nullptr;
    UTxString16 name = drawing->GetStandardName();
    if (name.empty()) name = u"ISO";
    return dynamic_cast<const S*>(
        drawing->FindStyle(RSe::_GetMeta(static_cast<const S*>(nullptr)), name));
}

// The font size of the symbol's text style; 0 when it has none.
double FontSize(const DLxSymInstance* symbol) {
    if (const DUxTextStyleWrapper* text = symbol->GetTextStyleWrapper())
        return text->GetFontSize();
    if (const auto* frame = DrawingStyle<DUxFeatureControlFrameStyle>(symbol);
        frame && dynamic_cast<const DLxGDTInstance*>(symbol))
        return frame->GetTextStyle().GetFontSize();
    return 0.0;
}

// The leader style over the symbol's state, whether or not its kind finds its style now.
SmartPtr<DUxLeaderStyleWrapper> LeaderStyle(const DLxSymInstance* symbol) {
    if (SmartPtr<DUxLeaderStyleWrapper> leader = symbol->GetLeaderStyleWrapper()) return leader;
    const DUxSymState* state = symbol->GetSymState();
    return state ? new DUxLeaderStyleWrapper(state, {}) : nullptr;
}

// The weld style the symbol reads: its own, else the drawing's; null without either.
const DUxWeldStyle* WeldStyle(const DLxWeldInstance* weld, const DUxWeldState* state) {
    if (auto* own = dynamic_cast<const DUxWeldStyle*>(state->GetStyle())) return own;
    if (const auto wrapper = DUxSymStyleWrapUtils::GetWeldStyle(state); wrapper && wrapper->Style())
        return wrapper->Style();
    return DrawingStyle<DUxWeldStyle>(weld);
}
} // namespace

void DLxAllAroundMigrateContext::Run() {
    // Sizes are read again on every turn: nothing here adds to the lists, but a list is never
    // walked by a stale end.
    for (size_t i = 0; i < m_frames.size(); ++i) {
        DLxSymInstance* frame = m_frames[i].get();
        DUxLeaderNodeTree* leader = frame ? frame->GetLeader(0) : nullptr;
        if (leader && leader->GetAllAround()) SetAllAroundDiameter(frame, 0.9);
    }
    for (size_t i = 0; i < m_surfaces.size(); ++i) {
        auto* symbol = dynamic_cast<DLxSurfTXTInstance*>(m_surfaces[i].get());
        const DUxSurfTXTState* state = symbol ? symbol->GetSurfTXTState() : nullptr;
        if (state && state->IsAllAround()) SetAllAroundDiameter(symbol, 0.9);
    }
    for (size_t i = 0; i < m_welds.size(); ++i)
        if (DLxWeldInstance* weld = m_welds[i].get()) SetWeldAllAroundDiameter(weld);
}

void DLxAllAroundMigrateContext::SetAllAroundDiameter(DLxSymInstance* symbol, double factor) {
    if (!symbol) return;
    const SmartPtr<DUxLeaderStyleWrapper> leader = LeaderStyle(symbol);
    double font = FontSize(symbol);
    if (auto* weld = dynamic_cast<const DLxWeldInstance*>(symbol))
        if (const DUxWeldState* state = weld->GetWeldState())
            if (const DUxWeldStyle* style = WeldStyle(weld, state))
                font = style->GetTextStyle().GetFontSize();
    if (!leader || font <= 0.0) return;
    leader->SetAllAroundDiameter(font * factor);
}

void DLxAllAroundMigrateContext::SetWeldAllAroundDiameter(DLxWeldInstance* weld) {
    const DUxWeldState* state = weld ? weld->GetWeldState() : nullptr;
    if (!state) return;
    for (int32_t i = 0; i < state->numOfSubWeldings(); ++i) {
        const DUxCSubWelding* sub = state->subWelding(i);
        if (!sub) continue;
        switch (sub->areaDescType) {
        case 1:
            SetAllAroundDiameter(weld, 1.8);
            return;
        case 2:
            SetAllAroundDiameter(weld, 1.0);
            return;
        case 4: {
            const DUxWeldStyle* style = WeldStyle(weld, state);
            const double gap = style ? style->GetIdentLineGap() : DUxWeldState::kIdentLineGap;
            if (const SmartPtr<DUxLeaderStyleWrapper> leader = LeaderStyle(weld))
                leader->SetAllAroundDiameter(2 * gap);
            return;
        }
        default:
            break;
        }
    }
}

DLxAllAroundMigrateContext* DLxAllAroundMigrateContext::Find(const DLxSymInstance* symbol) {
    if (!symbol) return nullptr;
    return dynamic_cast<DLxAllAroundMigrateContext*>(
        RSe::SegmentMigrationContext(symbol->GetSegment(), symbol->GetMeta(), 2));
}

DLxAllAroundMigrator::DLxAllAroundMigrator() : RSeSegmentMigrator("DLxAllAroundMigrator") {
    Handles(u"DLxGDTInstance", 2);
    Handles(u"DLxSurfTXTInstance", 2);
    Handles(u"DLxWeldInstance", 2);
}

DLxAllAroundMigrator::~DLxAllAroundMigrator() = default;

void DLxAllAroundMigrator::Migrate(RSeSegmentMigrationContext* ctx) {
    if (auto* context = dynamic_cast<DLxAllAroundMigrateContext*>(ctx)) context->Run();
}

RSeSegmentMigrationContext* DLxAllAroundMigrator::AllocateContext(RSeSegment* segment) {
    return new (segment) DLxAllAroundMigrateContext(segment);
}

void DLxAllAroundMigrator::Register() {
    static DLxAllAroundMigrator s_migrator;
}
