#include "Symbol/DLxLeaderTextInstance.h"

#include <cmath>
#include <numbers>

#include "Leader/DLxLeaderUtils.h"
#include "Leader/DLxTerminalNodeGenerator.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxArrowHead.h"
#include "du/DUxDimensionStyle.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderTextState.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "du/DUxTextStyle.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxSceneDoc.h"
#include "ge/WqGeMatrix3d.h"
#include "rd/RDxString.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxStringUtil.h"

namespace {
constexpr double kZero = 1e-10;
constexpr char16_t kSheetChangeAttr[] = u"DLxSheetChangeTypeAttr";
// The part of an item id that tells a text's justification alternatives apart.
constexpr int32_t kAlternativeMask = int32_t(0xFF000FFF);
using Pos = DUxLeaderNodeTree::ELandingPos;

bool IsUnderline(const SMxDisplayItem& item) {
    return item.GetKind() == SMxItemKind::Line &&
           DUxLeaderTextState::IsUnderlineItemId(item.GetId());
}

// The leader's first segment from its root: root minus the root's first child; zero without.
WqGeVector3d FirstSegment(DUxLeaderNodeTree* tree) {
    DUxLeaderNode* root = tree ? tree->GetRoot() : nullptr;
    if (!root || root->GetChildren().empty()) return {};
    DUxLeaderNode* child = root->GetChildren().front().get();
    return child ? root->GetPoint() - child->GetPoint() : WqGeVector3d();
}

// The side of the landing a text goes when the leader has none: to the right of a leader that
// comes from the left (or straight from below or above), else to the left.
Pos SideOfLeader(DUxLeaderNodeTree* tree) {
    return FirstSegment(tree).x >= 0 ? DUxLeaderNodeTree::kPosX : DUxLeaderNodeTree::kNegX;
}

// Moves the underlines of `from` into `to`, placed by `m`. Answers the last one moved (null
// for none).
SMxLineItem* MoveUnderlines(SMxDisplayList& from, SMxDisplayList& to, const WqGeMatrix3d& m) {
    SMxLineItem* last = nullptr;
    for (int32_t i = 0; i < from.Count();) {
        if (!IsUnderline(from.GetAt(i))) {
            ++i;
            continue;
        }
        SMxDisplayItem& moved = to.Append(from.GetAt(i));
        moved.TransformBy(m);
        last = moved.As<SMxLineItem>();
        from.RemoveAt(i);
    }
    return last;
}
} // namespace

DLxLeaderTextInstance::DLxLeaderTextInstance(RDxFragment* fragment, DUxLeaderTextState* state)
    : DLxSymInstance(fragment, state) {
    SetBirthday(2);
    SetSymFlag(kCurrentLayoutFlag);
}

DLxLeaderTextInstance::DLxLeaderTextInstance(const RSeStream* s) : DLxSymInstance(s) {}

DLxLeaderTextInstance::~DLxLeaderTextInstance() = default;

DLxLeaderTextInstance* DLxLeaderTextInstance::CreateInstance(RDxFragment* fragment, RDxString* text,
                                                             const std::vector<WqGePoint3d>& points,
                                                             const WqGePoint3d&, uint32_t arrowId,
                                                             const RSeRef<DUxStandardStyle>&,
                                                             const RSeRef<DUxDimensionStyle>& style,
                                                             const RSeRef<FBxLayerStyle>& layer) {
    if (!fragment || !fragment->GetSegment() || !text ||
        text->GetSegment() != fragment->GetSegment())
        return nullptr;
    // The styles are read, so that the transaction keeps no image of them with every text.
    DUxLeaderTextState* state = DUxLeaderTextState::Create(fragment, text, style.Read());
    if (layer.HasTarget()) DUxStyleUtil::SetLayerStyle(state, layer.Read());
    auto* inst = new (RSe::_GetMeta(static_cast<const DLxLeaderTextInstance*>(nullptr)),
                      fragment->GetSegment()) DLxLeaderTextInstance(fragment, state);

    auto* generator = DLxTerminalNodeGenerator::Create(fragment);
    DUxArrowHeadState* arrow = DUxLeaderNodeTree::CreateArrowHeadState(fragment, arrowId);
    const WqGePoint3d end = points.empty() ? WqGePoint3d() : points.front();
    DUxLeaderNodeTree* tree = DUxLeaderNodeTree::Create(fragment, generator, end, arrow, arrowId);
    DUxLeaderNode* node = tree ? tree->GetRoot() : nullptr;
    for (size_t i = 1; node && i < points.size(); ++i)
        node = tree->InsertNode(node, points[i]);
    inst->SetAlwaysHorizontal(true);
    if (tree) {
        tree->SetReferenceLandingLength(kDefaultLandingLength);
        inst->AppendLeader(tree);
    }
    return inst;
}

void DLxLeaderTextInstance::ApplyDimStyleToString(FWxSceneDoc* doc, RDxString* text,
                                                  const DUxDimensionStyle* style) {
    if (!doc || !text) return;
    if (!style) style = DUxDimensionStyleWrapper::GetDocumentStyle(doc);
    const DUxTextStyle* textStyle = style ? style->GetTextStyle() : nullptr;
    if (!textStyle)
        textStyle = dynamic_cast<DUxTextStyle*>(
            doc->FindStyle(RSe::_GetMeta(static_cast<const DUxTextStyle*>(nullptr)),
                           doc->GetStandardName().empty() ? u"ISO" : doc->GetStandardName()));
    if (textStyle) {
        text->SetFontId(textStyle->GetFontId());
        text->SetTextHeight(textStyle->GetHeight());
        // A text style gives font and height; the colour is the layer's.
        text->SetNoColor(true);
    }
    text->SetRotation(0.0);
    text->SetAttachment(kStringAttachment);
}

DUxLeaderTextState* DLxLeaderTextInstance::GetLeaderTextState() const {
    return dynamic_cast<DUxLeaderTextState*>(GetSymState());
}

const UTxString16& DLxLeaderTextInstance::GetBrowserLabel() {
    static const UTxString16 label = [] {
        HMODULE res = KorvuGetResourceHandle();
        auto text = res ? FindStringResource(res, kLabelStringId) : std::nullopt;
        return text ? UTxString16(*text) : UTxString16(u"Leader Text");
    }();
    return label;
}

WqGePoint3d DLxLeaderTextInstance::GetKeyPoint() const {
    BBox box;
    if (DUxSymState* state = GetSymState()) box = state->GetBoundingBox();
    if (box.isEmpty()) box = GetSymbolBoundingBoxFromGraphics();
    if (box.isEmpty()) return {};
    const WqGePoint3d c = box.center();
    return {c.x, c.y, 0};
}

RDxString* DLxLeaderTextInstance::GetTextItem(int32_t) const {
    DUxLeaderTextState* state = GetLeaderTextState();
    return state ? state->GetLeaderRDxString() : nullptr;
}

void DLxLeaderTextInstance::SetTextItem(int32_t, RDxString* text) {
    if (DUxLeaderTextState* state = GetLeaderTextState()) state->SetLeaderRDxString(text);
}

void DLxLeaderTextInstance::GetTextColor(bool& ownColor, SMxColor& color, bool& byLayerSet,
                                         bool& byLayer) const {
    DUxLeaderTextState* state = GetLeaderTextState();
    RDxString* text = state ? state->GetLeaderRDxString() : nullptr;
    if (!text) return;
    if (state->IsColorModified()) {
        ownColor = true;
        byLayerSet = false;
        byLayer = false;
        color = UCxStringUtil::ColorOf(*text);
    } else if (state->IsColorByLayerModified()) {
        byLayerSet = true;
        byLayer = text->GetNoColor();
    }
}

SmartPtr<DUxLeaderStyleWrapper> DLxLeaderTextInstance::GetLeaderStyleWrapper() const {
    DUxLeaderTextState* state = GetLeaderTextState();
    if (!state) return nullptr;
    return DUxDimensionStyleWrapper(state, nullptr).GetLeaderStyle();
}

const DUxTextStyleWrapper* DLxLeaderTextInstance::GetTextStyleWrapper() const {
    DUxLeaderTextState* state = GetLeaderTextState();
    DUxTextStyle* style = state ? state->GetTextStyle() : nullptr;
    if (!style) return nullptr;
    m_textStyle = DUxTextStyleWrapper(style->GetFontId(), style->GetFontId(), style->GetHeight());
    return &*m_textStyle;
}

SmartPtr<DUxLayerStyleAbstract> DLxLeaderTextInstance::ObjectStyleWrapper() {
    DUxSymState* state = GetSymState();
    return state ? DUxStyleUtil::LayerStyleWrapper(state) : nullptr;
}

// ---- compute

void DLxLeaderTextInstance::ApplyLanding() {
    DUxLeaderTextState* state = GetLeaderTextState();
    DUxLeaderNodeTree* leader0 = GetLeader(0);
    if (!state || !leader0 || state->GetFixedLayout()) return;
    if (DUxDimensionStyleWrapper(state, nullptr).GetHasLeaderLanding()) {
        // A landing taken away by an earlier style comes back at its default length.
        if (leader0->GetReferenceLandingLength() == 0)
            leader0->SetReferenceLandingLength(kDefaultLandingLength);
        if (leader0->GetLandingDirectionFlag(0) || !leader0->GetLandingDirectionFlag(1))
            leader0->SetLandingDirectionFlags(false, true);
    } else {
        if (leader0->GetLandingPosition() != DUxLeaderNodeTree::kNoLanding)
            leader0->SetLandingPosition(DUxLeaderNodeTree::kNoLanding);
        if (leader0->GetReferenceLandingLength() != 0) leader0->SetReferenceLandingLength(0);
        if (leader0->GetLandingLength() != 0) leader0->SetLandingLength(0);
        // Free both ways: the leader meets the text at its root.
        if (!leader0->GetLandingDirectionFlag(0) || !leader0->GetLandingDirectionFlag(1))
            leader0->SetLandingDirectionFlags(true, true);
    }
}

void DLxLeaderTextInstance::Restyle(RDxComputeContext& ctx) {
    int32_t type = 0;
    if (!ctx.GetInt(kSheetChangeAttr, type)) return;
    DUxLeaderTextState* state = GetLeaderTextState();
    RDxString* text = state ? state->GetLeaderRDxString() : nullptr;
    DUxTextStyle* style = state ? state->GetTextStyle() : nullptr;
    if (!text || !style) return;
    if (type == 9 || type == 13) {
        // The whole style again: the user's changes go.
        state->SetModificationFlags(state->GetModificationFlags() &
                                    DUxLeaderTextState::kKeptOnRestyle);
        text->SetFontId(style->GetFontId());
        text->SetTextHeight(style->GetHeight());
        text->SetNoColor(true);
        text->SetRotation(0.0);
    } else if (type == 10 || type == 12) {
        // What the user did not change follows the style.
        if (!state->IsColorModified()) text->SetNoColor(true);
        if (!state->IsLineSpacingModified()) text->SetLineSpacing(0, 1.0f);
        text->SetFontId(style->GetFontId());
    }
}

UTxResult DLxLeaderTextInstance::Compute(RDxComputeContext& ctx) {
    if (!FWxDocUtil::DocumentOf(this)) return {};
    ApplyLanding();
    Restyle(ctx);
    return DLxSymInstance::Compute(ctx);
}

WqGeVector3d DLxLeaderTextInstance::GetAttachPointOffset(const BBox& box) const {
    if (box.isEmpty()) return {};
    const double midX = (box.min.x + box.max.x) / 2, midY = (box.min.y + box.max.y) / 2;
    DUxLeaderNodeTree* leader0 = GetLeader(0);
    switch (leader0 ? leader0->GetLandingPosition() : DUxLeaderNodeTree::kNoLanding) {
    case DUxLeaderNodeTree::kPosX:
        return {box.min.x, midY, 0};
    case DUxLeaderNodeTree::kNegX:
        return {box.max.x, midY, 0};
    case DUxLeaderNodeTree::kPosY:
        return {midX, box.min.y, 0};
    case DUxLeaderNodeTree::kNegY:
        return {midX, box.max.y, 0};
    default:
        return {midX, midY, 0};
    }
}

void DLxLeaderTextInstance::TransformInstance(SMxChildItem* symbol, SMxChildItem* text,
                                              SMxChildItem* leader, void* sceneNode,
                                              const WqGeVector3d& centre,
                                              const WqGeVector3d& attach,
                                              const WqGeVector3d& offset, double angle) {
    DUxLeaderTextState* state = GetLeaderTextState();
    if (!state || !symbol || !text) {
        DLxSymInstance::TransformInstance(symbol, text, leader, sceneNode, centre, attach, offset,
                                          angle);
        return;
    }
    const DUxDimensionStyleWrapper style(state, nullptr);
    const bool landing = style.GetHasLeaderLanding();
    const int32_t underlining = style.GetLeaderUnderliningType();
    const bool justify = style.GetJustifyToLeader();
    const double gap = style.GetTextGap();
    const bool free = !state->GetFixedLayout();
    const bool current = IsSymFlagOn(kCurrentLayoutFlag);
    const RDxString* string = state->GetLeaderRDxString();
    const int32_t hJust = string ? string->GetHorizontalJustification() : 0;
    const int32_t vJust = string ? string->GetVerticalJustification() : 0;

    // 1. The text's box as drawn, and the side of the landing it goes.
    const BBox h = GetGraphicsBoundingBox(&symbol->list, &text->list);
    const double midY = h.isEmpty() ? 0 : (h.min.y + h.max.y) / 2;
    DUxLeaderNodeTree* leader0 = GetLeader(0);
    DUxLeaderNode* root = leader0 ? leader0->GetRoot() : nullptr;
    const bool rootHasChild = root && !root->GetChildren().empty();
    const WqGePoint3d p0 = root ? root->GetPoint() : WqGePoint3d();
    int32_t p = leader0 ? leader0->GetLandingPosition() : DUxLeaderNodeTree::kNoLanding;
    const bool shown = DisplayLeaders() && leader0 && leader0->GetNumNodes() >= 2;
    if (p == DUxLeaderNodeTree::kNoLanding && (current || justify)) p = SideOfLeader(leader0);

    // 2. Justified to the leader: the text's lines to the side the leader comes from.
    if (justify && free && leader0) {
        const int32_t kept = p == DUxLeaderNodeTree::kNegX ? DUxLeaderTextState::kRightTextItemId
                                                           : DUxLeaderTextState::kLeftTextItemId;
        for (int32_t i = text->list.Count() - 1; i >= 0; --i) {
            const SMxDisplayItem& item = text->list.GetAt(i);
            const int32_t code = item.GetId() & kAlternativeMask;
            if (item.GetKind() == SMxItemKind::Text && code != kept &&
                (code == DUxLeaderTextState::kLeftTextItemId ||
                 code == DUxLeaderTextState::kCentredTextItemId ||
                 code == DUxLeaderTextState::kRightTextItemId))
                text->list.RemoveAt(i);
        }
    }

    // 3. Reference heights: the underlines, else the middles of the text's runs.
    bool underlined = false;
    if (underlining != DUxDimensionStyle::kNoUnderline)
        for (const SMxDisplayItem& item : text->list)
            underlined = underlined || IsUnderline(item);
    double yMin = 0, yMax = 0;
    bool found = false;
    auto take = [&](double y) {
        yMin = found ? std::fmin(yMin, y) : y;
        yMax = found ? std::fmax(yMax, y) : y;
        found = true;
    };
    for (const SMxDisplayItem& item : text->list) {
        if (underlined) {
            const auto* line = item.As<SMxLineItem>();
            if (line && IsUnderline(item) && std::fabs(line->start.y - line->end.y) < kZero)
                take(line->start.y);
        } else if (item.GetKind() == SMxItemKind::Text) {
            const BBox b = item.GetBBox();
            if (!b.isEmpty()) take((b.min.y + b.max.y) / 2);
        }
    }

    // 4. The gap between landing and text; an underline runs on from the landing instead.
    WqGeVector3d off = offset;
    const bool plain = underlining == DUxDimensionStyle::kNoUnderline;
    if (current && shown && gap > 0) {
        if (p == DUxLeaderNodeTree::kPosX && plain) off.x += gap;
        if (p == DUxLeaderNodeTree::kPosY && plain) off.y += gap;
        if (p == DUxLeaderNodeTree::kNegX && plain) off.x -= gap;
        if (p == DUxLeaderNodeTree::kNegY) off.y -= gap;
    }

    // 5. The reference line level with the landing.
    const bool sideways = p == DUxLeaderNodeTree::kPosX || p == DUxLeaderNodeTree::kNegX;
    if (found && rootHasChild) {
        if (underlined) {
            const double ref =
                free && underlining == DUxDimensionStyle::kUnderlineLast ? yMin : yMax;
            // (A text to the left of its landing needs no line of its own along the
            // reference: its underline is stretched to the landing below.)
            if (sideways) off.y = midY + off.y - ref;
        } else if (sideways) {
            if (vJust == 0) off.y = midY + off.y - yMax;
            if (vJust == 2) off.y = midY + off.y - yMin;
        }
    }

    // 6. Without a landing the text follows the leader's first segment, upright.
    double turn = angle;
    WqGeVector3d d;
    if (!landing && free && rootHasChild) {
        d = FirstSegment(leader0);
        if (d.length() > kZero) {
            turn = std::atan2(d.y, d.x) + (d.x < 0 ? std::numbers::pi : 0.0);
            if (current && !h.isEmpty()) {
                const double half = (h.max.x - h.min.x) / 2;
                if (p == DUxLeaderNodeTree::kPosX) off.x += half;
                if (p == DUxLeaderNodeTree::kNegX) off.x -= half;
            }
        } else {
            d = {};
        }
    }

    // 7. Placed: moved so that the attach point meets the landing, then turned about it.
    if (current) {
        const WqGeMatrix3d t = WqGeMatrix3d::translation(attach - centre + off);
        const WqGeMatrix3d r = WqGeMatrix3d::rotation(turn, WqGeVector3d::kZAxis,
                                                      WqGePoint3d(attach.x, attach.y, attach.z));
        for (SMxChildItem* child : {symbol, text})
            child->SetTransform(r * t * child->GetTransform());
    } else {
        DLxSymInstance::TransformInstance(symbol, text, leader, sceneNode, centre, attach, off,
                                          turn);
    }

    // 8. Underlines become leader lines, the one on the landing stretched to the text's side
    // that faces the leader.
    if (underlining == DUxDimensionStyle::kNoUnderline || !leader) return;
    int32_t side = 0;
    if (!justify && free &&
        (underlining == DUxDimensionStyle::kUnderlineFirst ||
         underlining == DUxDimensionStyle::kUnderlineLast)) {
        if (p == DUxLeaderNodeTree::kPosX && hJust != 0)
            side = 3;
        else if (p == DUxLeaderNodeTree::kNegX && hJust != 2)
            side = 1;
        else if (!d.isZeroLength())
            side = d.x < -kZero ? 1 : 3;
    }
    SMxLineItem* stretched = nullptr;
    for (SMxDisplayItem& item : text->list)
        if (IsUnderline(item)) {
            stretched = item.As<SMxLineItem>();
            if (underlining == DUxDimensionStyle::kUnderlineFirst) break;
        }
    if (stretched && side == 1) stretched->end.x = h.max.x;
    if (stretched && side == 3) stretched->start.x = h.min.x;
    SMxLineItem* last = MoveUnderlines(text->list, leader->list, text->GetTransform());
    if (landing && underlining == DUxDimensionStyle::kUnderlineExtended && last && shown &&
        sideways && std::fabs(last->start.y - p0.y) > kZero) {
        // The extension runs from the leader's root up or down to the underline.
        auto line = std::make_unique<SMxLineItem>(p0, WqGePoint3d(p0.x, last->start.y, 0));
        line->SetId(last->GetId());
        leader->list.Append(std::move(line));
    }
    MoveUnderlines(symbol->list, leader->list, symbol->GetTransform());
}

void DLxLeaderTextInstance::Cleanup(std::vector<DUxArrowHeadBox>& boxes, SMxDisplayList& list,
                                    bool flag) {
    std::vector<DUxArrowHeadBox> others;
    for (const DUxArrowHeadBox& box : boxes)
        if (box.GetEmblem() != this) others.push_back(box);
    SMxDisplayList underlines;
    for (int32_t i = 0; i < list.Count();) {
        if (!IsUnderline(list.GetAt(i))) {
            ++i;
            continue;
        }
        underlines.Append(list.GetAt(i));
        list.RemoveAt(i);
    }
    DLxSymInstance::Cleanup(boxes, list, flag);
    DLxSymInstance::Cleanup(others, underlines, flag);
    for (const SMxDisplayItem& item : underlines)
        list.Append(item);
}

void DLxLeaderTextInstance::AdjustLeaderRoots(const BBox& box) {
    DUxLeaderNodeTree* leader0 = GetLeader(0);
    WqGePoint3d e;
    if (!leader0 || !GetLandingEndPoint(e, 0)) return;
    DUxLeaderNodeTree* leader1 = GetLeader(1);
    if (!leader1) return;
    Pos pos;
    WqGeVector3d dir;
    switch (leader0->GetLandingPosition()) {
    case DUxLeaderNodeTree::kPosX:
        pos = DUxLeaderNodeTree::kNegX;
        dir = -WqGeVector3d::kXAxis;
        break;
    case DUxLeaderNodeTree::kNegX:
        pos = DUxLeaderNodeTree::kPosX;
        dir = WqGeVector3d::kXAxis;
        break;
    default:
        return;
    }
    const WqGePoint3d m(box.min.x + box.max.x - e.x, e.y, 0);
    if (leader1->GetNumNodes() > 1 && leader1->GetRoot()) {
        leader1->AdjustRoot(pos, m, dir);
    } else if (DLxAnchorPoint* anchor = DLxLeaderUtils::GetAnchorPoint(leader1, 0)) {
        anchor->SetPoint(m);
    }
}

void DLxLeaderTextInstance::ReplaceSymTextDisplayListByDimText(RDxComputeContext*,
                                                               SMxDisplayList* text,
                                                               SMxDisplayList*) {
    SMxDisplayList* list = GetDisplayList();
    if (!text || !list || !GetSymState()) return;
    const SMxChildItem* child = nullptr;
    for (int32_t i = 0; i < list->ChildCount() && !child; ++i)
        if (&list->GetChild(i).list == text) child = &list->GetChild(i);
    if (!child) return;
    const BBox box = text->GetBBox();
    m_outline.clear();
    if (box.isEmpty()) return;
    const WqGeMatrix3d& m = child->GetTransform();
    for (WqGePoint3d corner :
         {WqGePoint3d(box.min.x, box.min.y, 0), WqGePoint3d(box.max.x, box.min.y, 0),
          WqGePoint3d(box.max.x, box.max.y, 0), WqGePoint3d(box.min.x, box.max.y, 0)}) {
        corner.transformBy(m);
        m_outline.push_back(corner);
    }
}

bool DLxLeaderTextInstance::GetEmblemBoundingBox(std::vector<WqGePoint3d>& points, int32_t) const {
    points.clear();
    if (m_outline.empty()) return false;
    points = m_outline;
    return true;
}
