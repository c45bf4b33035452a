#include "du/DUxLeaderTextState.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "dc/RDxFragment.h"
#include "du/DUxDimensionStyle.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxTextFormatter.h"

namespace {
// Runs of one line share their baseline.
constexpr double kSameLine = 1e-9;

struct TextLine {
    double minX, maxX, baseY, height;
    SMxColor color; // the line's first run's
};

// The lines the text items of `list` from `first` on make, top line first.
std::vector<TextLine> LinesOf(const SMxDisplayList& list, int32_t first) {
    std::vector<TextLine> lines;
    for (int32_t i = first; i < list.Count(); ++i) {
        const auto* text = list.GetAt(i).As<SMxTextItem>();
        if (!text) continue;
        const BBox box = text->GetBBox();
        if (box.isEmpty()) continue;
        auto same = std::find_if(lines.begin(), lines.end(), [&](const TextLine& l) {
            return std::fabs(l.baseY - box.min.y) < kSameLine;
        });
        if (same == lines.end()) {
            lines.push_back({box.min.x, box.max.x, box.min.y, text->height, text->GetColor()});
        } else {
            same->minX = std::min(same->minX, box.min.x);
            same->maxX = std::max(same->maxX, box.max.x);
            same->height = std::max(same->height, text->height);
        }
    }
    std::sort(lines.begin(), lines.end(),
              [](const TextLine& a, const TextLine& b) { return a.baseY > b.baseY; });
    return lines;
}
} // namespace

DUxLeaderTextState::~DUxLeaderTextState() {
    // Undo, redo and closing put the text back from its image or end it themselves.
    if (!RSe::IsLiveDeletion(this)) return;
    if (RSeIDed* text = m_text.GetTarget()) RSe::DeleteObject(text);
}

DUxLeaderTextState* DUxLeaderTextState::Create(RDxFragment* fragment, RDxString* text,
                                               const DUxDimensionStyle* style) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* state = new (RSe::_GetMeta(static_cast<const DUxLeaderTextState*>(nullptr)),
                       fragment->GetSegment()) DUxLeaderTextState();
    fragment->AddNode(state);
    state->m_text = RSeRef<RDxString>(text);
    if (style) state->SetStyle(style);
    return state;
}

RDxString* DUxLeaderTextState::GetLeaderRDxString() const {
    return static_cast<RDxString*>(m_text.GetTarget());
}

void DUxLeaderTextState::SetLeaderRDxString(RDxString* text) {
    RDxString* old = GetLeaderRDxString();
    if (old == text) return;
    BeginValueChange();
    m_text = RSeRef<RDxString>(text);
    if (old) RSe::DeleteObject(old);
}

void DUxLeaderTextState::SetModificationFlags(uint32_t flags) {
    if (flags == m_modFlags) return;
    BeginValueChange();
    m_modFlags = flags;
}

void DUxLeaderTextState::SetFixedLayout(bool on) {
    if (on == m_fixedLayout) return;
    BeginValueChange();
    m_fixedLayout = on;
}

DUxTextStyle* DUxLeaderTextState::GetTextStyle() const {
    return DUxDimensionStyleWrapper(this, nullptr).GetTextStyle();
}

void DUxLeaderTextState::GenGraphics(SMxDisplayList&, SMxDisplayList& textList, int32_t,
                                     const UTxGUID&, bool, int32_t) {
    const RDxString* s = m_text.Read();
    if (!s) return;
    const int32_t first = textList.Count();
    UCxTextFormatter::Draw(UCxTextFormatter::Read(*s), *s, textList, kTextItemId);
    const std::vector<TextLine> lines = LinesOf(textList, first);
    const DUxDimensionStyleWrapper style(this, nullptr);
    const bool justify = style.GetJustifyToLeader();
    BBox box;
    for (int32_t i = first; i < textList.Count(); ++i)
        box.extend(textList.GetAt(i).GetBBox());

    if (justify && !box.isEmpty()) {
        // Each run moves with its line to the side (or the middle) of the whole text.
        const int32_t end = textList.Count();
        for (int32_t id : {kLeftTextItemId, kCentredTextItemId, kRightTextItemId})
            for (int32_t i = first; i < end; ++i) {
                const SMxDisplayItem& run = textList.GetAt(i);
                const BBox b = run.GetBBox();
                auto line = std::find_if(lines.begin(), lines.end(), [&](const TextLine& l) {
                    return std::fabs(l.baseY - b.min.y) < kSameLine;
                });
                if (line == lines.end()) continue;
                double dx = 0;
                if (id == kLeftTextItemId) dx = box.min.x - line->minX;
                if (id == kRightTextItemId) dx = box.max.x - line->maxX;
                if (id == kCentredTextItemId)
                    dx = (box.min.x + box.max.x) / 2 - (line->minX + line->maxX) / 2;
                SMxDisplayItem& moved = textList.Append(run);
                moved.TransformBy(WqGeMatrix3d::translation(WqGeVector3d(dx, 0, 0)));
                moved.SetId(id);
            }
        for (int32_t i = first; i < end; ++i)
            textList.RemoveAt(first);
    }

    const int32_t type = style.GetLeaderUnderliningType();
    if (type == DUxDimensionStyle::kNoUnderline) return;
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool wanted = type == DUxDimensionStyle::kUnderlineAll ||
                            (type == DUxDimensionStyle::kUnderlineLast && i + 1 == lines.size()) ||
                            (type != DUxDimensionStyle::kUnderlineLast && i == 0);
        if (!wanted) continue;
        const TextLine& l = lines[i];
        const double y = l.baseY - kUnderlineDrop * l.height;
        const double x0 = justify ? box.min.x : l.minX, x1 = justify ? box.max.x : l.maxX;
        auto line = std::make_unique<SMxLineItem>(WqGePoint3d(x0, y, 0), WqGePoint3d(x1, y, 0));
        line->SetId(kUnderlineItemId +
                    int32_t(std::min<size_t>(i, kUnderlineItemEnd - kUnderlineItemId - 1)));
        line->SetColor(l.color);
        textList.Append(std::move(line));
    }
}
