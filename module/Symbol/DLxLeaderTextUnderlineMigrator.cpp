#include "Symbol/DLxLeaderTextUnderlineMigrator.h"

#include <string>

#include "Symbol/DLxLeaderTextInstance.h"
#include "dl/DLxDrawing.h"
#include "du/DUxDimensionStyle.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxLeaderTextState.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxString16.h"

namespace {
constexpr double kZero = 1e-10;

bool SameLook(const DUxDimensionStyle& a, const DUxDimensionStyle& b) {
    return a.GetTextStyle() == b.GetTextStyle() &&
           a.GetHasLeaderLanding() == b.GetHasLeaderLanding() && a.GetTextGap() == b.GetTextGap() &&
           a.GetLeaderUnderliningType() == b.GetLeaderUnderliningType() &&
           a.GetJustifyToLeader() == b.GetJustifyToLeader();
}

// The drawing whose styles these are: the first object of their segment.
DLxDrawing* DrawingOf(const DUxDimensionStyle& style) {
    RSeSegment* segment = style.GetSegment();
    return segment ? dynamic_cast<DLxDrawing*>(segment->GetRootObject()) : nullptr;
}
} // namespace

DLxLeaderTextUnderlineMigrator::DLxLeaderTextUnderlineMigrator()
    : RSeSegmentMigrator("DLxLeaderTextUnderlineMigrator") {
    Handles(u"DLxLeaderTextInstance", 3);
}

DLxLeaderTextUnderlineMigrator::~DLxLeaderTextUnderlineMigrator() = default;

void DLxLeaderTextUnderlineMigrator::Migrate(RSeSegmentMigrationContext* context) {
    auto* ctx = dynamic_cast<RSeSegmentMigrationContextRSeRef*>(context);
    if (!ctx) return;
    for (uint32_t i = 0; i < ctx->Objects(); ++i)
        if (auto* text = dynamic_cast<DLxLeaderTextInstance*>(ctx->Object(i).GetTarget()))
            Upgrade(text);
}

void DLxLeaderTextUnderlineMigrator::Upgrade(DLxLeaderTextInstance* text) {
    DUxLeaderTextState* state = text->GetLeaderTextState();
    auto* style = state ? dynamic_cast<DUxDimensionStyle*>(state->GetStyle()) : nullptr;
    DUxLeaderNodeTree* leader = text->GetLeader(0);
    DUxLeaderNode* root = leader ? leader->GetRoot() : nullptr;
    if (!style || !root || root->GetChildren().empty()) return;
    DUxLeaderNode* first = root->GetChildren().front().get();
    if (!first) return;
    const int32_t wanted = first->GetPoint().y - root->GetPoint().y < -kZero
                               ? DUxDimensionStyle::kUnderlineLast
                               : DUxDimensionStyle::kUnderlineFirst;
    if (style->GetLeaderUnderliningType() == wanted) return;
    DLxDrawing* drawing = DrawingOf(*style);
    if (!drawing) return;

    DUxDimensionStyle* made = DUxDimensionStyle::CreateStyle(style->GetSegment(), {});
    made->SetTextStyle(style->GetTextStyle());
    made->SetHasLeaderLanding(style->GetHasLeaderLanding());
    made->SetTextGap(style->GetTextGap());
    made->SetJustifyToLeader(style->GetJustifyToLeader());
    made->SetLeaderUnderliningType(wanted);
    const RSeMetaType* kind = made->GetMeta();
    for (const RSeRef<FWxStyle>& r : drawing->GetStyles()) {
        auto* other = dynamic_cast<DUxDimensionStyle*>(r.GetTarget());
        if (other && other->GetMeta() == kind && SameLook(*other, *made)) {
            state->SetStyle(other);
            RSe::DeleteObject(made);
            return;
        }
    }
    // A name of its own: the style's, numbered.
    UTxString16 name = style->GetStyleName();
    for (int n = 2; drawing->FindStyle(kind, name); ++n)
        name = style->GetStyleName() + u" (" + UTx::MakeWideString(std::to_string(n)) + u")";
    made->SetStyleName(name);
    made->CleanStyleEdits();
    drawing->AddStyle(made);
    state->SetStyle(made);
}

void DLxLeaderTextUnderlineMigrator::Register() {
    static DLxLeaderTextUnderlineMigrator s_migrator;
}
