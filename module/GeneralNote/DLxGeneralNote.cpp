#include "GeneralNote/DLxGeneralNote.h"

#include <cmath>
#include <optional>
#include <vector>

#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dc/RDxTemplateFactory.h"
#include "dc/RSeTemplateMgr.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxSceneUtil.h"
#include "du/DUxSymState.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "du/DUxTextStyle.h"
#include "du/DUxWhoAmIState.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FWxDocUtil.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "rd/RDxBool.h"
#include "rd/RDxPoint3.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxTextFormatter.h"

namespace {
constexpr double kAngleTol = 0.0001;
// Narrower boxes are not wrapped to: the text is drawn at its natural size.
constexpr double kMinWrapWidth = 0.5;
constexpr double kDegree = 0.01745329251994;

DLxDrawing* DrawingOf(const RSeVMeta* obj) {
    auto* doc = obj ? dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(obj)) : nullptr;
    return doc ? doc->GetDrawing() : nullptr;
}

WqGePoint3d Turned(const WqGePoint3d& p, double angle, const WqGePoint3d& centre) {
    WqGePoint3d q = p;
    q.transformBy(WqGeMatrix3d::rotation(angle, WqGeVector3d::kZAxis, centre));
    return q;
}
} // namespace

const UTxGUID& DLxGeneralNote::TemplateGuid() {
    static const UTxGUID guid(0xE557BD9C, 0x6F8E11D2, 0x91F00060, 0xB0570379);
    return guid;
}

RDxTemplate* DLxGeneralNote::CreateTemplate(RSeSegment*) {
    HMODULE res = KorvuGetResourceHandle();
    auto text = res ? FindStringResource(res, kTemplateNameId) : std::nullopt;
    return new RDxPrimitiveTemplate(&ComputeGeneralNoteGraphics, TemplateGuid(),
                                    text ? UTxString16(*text) : UTxString16(u"General Note"), 16,
                                    nullptr);
}

RDxTemplate* DLxGeneralNote::GetTemplate() {
    if (RDxTemplate* registered = RSeTemplateMgr::GetTemplate(TemplateGuid(), 0)) return registered;
    const RDxTemplateFactory* factory = RDxTemplateFactory::Find(TemplateGuid());
    RDxTemplateCreateFn fn =
        factory && factory->GetFunction() ? factory->GetFunction() : &CreateTemplate;
    RDxTemplate* made = fn(nullptr);
    if (made && !RSeTemplateMgr::Register(made)) {
        delete made;
        return nullptr;
    }
    return made;
}

DLxGeneralNote::DLxGeneralNote(RDxFragment* fragment, const RDxTemplate* tmpl,
                               const RSeRef<DUxTextStyle>& style,
                               const RSeRef<FBxLayerStyle>& layer) {
    if (tmpl)
        SetTemplate(tmpl);
    else
        SetTemplateId(TemplateGuid(), 0);
    SetBirthday(0);
    if (fragment) fragment->AddNode(this);
    RSeSegment* segment = fragment ? fragment->GetSegment() : RSe::TransientSegment();
    auto make = [&](auto* state) {
        if (fragment) fragment->AddNode(state);
        AddInputState(state);
    };
    make(new (RSe::_GetMeta(static_cast<const DUxDisplayListState*>(nullptr)), segment)
             DUxDisplayListState());
    make(new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)), segment) RDxString());
    make(new (RSe::_GetMeta(static_cast<const RDxPoint3*>(nullptr)), segment) RDxPoint3());
    make(new (RSe::_GetMeta(static_cast<const RDxPoint3*>(nullptr)), segment) RDxPoint3());
    make(new (RSe::_GetMeta(static_cast<const RDxBool*>(nullptr)), segment) RDxBool());
    auto* who =
        new (RSe::_GetMeta(static_cast<const DUxWhoAmIState*>(nullptr)), segment) DUxWhoAmIState();
    who->SetWhoIAm(this);
    make(who);
    make(new (RSe::_GetMeta(static_cast<const DUxSymState*>(nullptr)), segment) DUxSymState());
    SetResizeState(false);
    SetBBox(BBox(WqGePoint3d(), WqGePoint3d()));
    if (style.HasTarget()) SetTextStyle(style);
    if (layer.HasTarget()) DUxStyleUtil::SetLayerStyle(GetSymState(), layer.Read());
}

DLxGeneralNote::DLxGeneralNote(const RSeStream* s) : DLxEmblem(s) {}

DLxGeneralNote::~DLxGeneralNote() {
    // Undo, redo and closing put every other object back from its image or end it themselves.
    if (!RSe::IsLiveDeletion(this)) return;
    std::vector<RDxState*> states;
    for (uint32_t i = 0; i < GetInputStateCount(); ++i)
        if (RDxState* state = GetInputState(i)) states.push_back(state);
    for (RDxState* state : states) {
        RDxFragment* fragment = state->GetFragment().get();
        if (!fragment || !fragment->DeleteNode(state)) RSe::DeleteObject(state);
    }
}

DLxGeneralNote* DLxGeneralNote::Create(RDxFragment* fragment, const RSeRef<DUxTextStyle>& style,
                                       const RSeRef<FBxLayerStyle>& layer) {
    RSeSegment* segment = fragment ? fragment->GetSegment() : nullptr;
    return new (RSe::_GetMeta(static_cast<const DLxGeneralNote*>(nullptr)),
                segment ? segment : RSe::TransientSegment())
        DLxGeneralNote(fragment, GetTemplate(), style, layer);
}

const UTxString16& DLxGeneralNote::GetBrowserLabel() {
    static const UTxString16 label = [] {
        HMODULE res = KorvuGetResourceHandle();
        auto text = res ? FindStringResource(res, kLabelStringId) : std::nullopt;
        return text ? UTxString16(*text) : UTxString16(u"General Note");
    }();
    return label;
}

template <class T> T* DLxGeneralNote::Input(EInput index) const {
    return index < GetInputStateCount() ? dynamic_cast<T*>(GetInputState(index)) : nullptr;
}

RDxString* DLxGeneralNote::GetStringData() const {
    return Input<RDxString>(kStringInput);
}

DUxSymState* DLxGeneralNote::GetSymState() const {
    return Input<DUxSymState>(kSymStateInput);
}

DUxDisplayListState* DLxGeneralNote::GetDisplayListState() const {
    return Input<DUxDisplayListState>(kDisplayListInput);
}

const SMxDisplayList* DLxGeneralNote::GetSheetDisplayList() const {
    DUxDisplayListState* s = GetDisplayListState();
    return s ? &s->GetDisplayList() : nullptr;
}

void DLxGeneralNote::GetBBox(BBox& box) const {
    RDxPoint3* a = Input<RDxPoint3>(kMinCornerInput);
    RDxPoint3* b = Input<RDxPoint3>(kMaxCornerInput);
    box = a && b ? BBox(a->GetPoint(), b->GetPoint()) : BBox();
}

void DLxGeneralNote::SetBBox(const BBox& box) {
    if (RDxPoint3* a = Input<RDxPoint3>(kMinCornerInput)) a->SetPoint(box.min);
    if (RDxPoint3* b = Input<RDxPoint3>(kMaxCornerInput)) b->SetPoint(box.max);
}

BBox DLxGeneralNote::GetShownBox() const {
    BBox box;
    GetBBox(box);
    const RDxString* s = GetStringData();
    if (box.isEmpty() || !s || std::fabs(s->GetRotation()) <= kAngleTol) return box;
    return BBox(Turned(box.min, s->GetRotation(), s->GetLocation()),
                Turned(box.max, s->GetRotation(), s->GetLocation()));
}

bool DLxGeneralNote::GetResizeState() const {
    RDxBool* b = Input<RDxBool>(kResizeInput);
    return b && b->GetValue();
}

void DLxGeneralNote::SetResizeState(bool on) {
    if (RDxBool* b = Input<RDxBool>(kResizeInput)) b->SetValue(on);
}

DUxTextStyle* DLxGeneralNote::GetTextStyle() const {
    if (DUxSymState* sym = GetSymState())
        if (auto* own = dynamic_cast<DUxTextStyle*>(sym->GetStyle())) return own;
    DLxDrawing* drawing = DrawingOf(this);
    if (!drawing) return nullptr;
    return dynamic_cast<DUxTextStyle*>(drawing->FindStyle(
        RSe::_GetMeta(static_cast<const DUxTextStyle*>(nullptr)), drawing->GetStandardName()));
}

void DLxGeneralNote::SetTextStyle(const RSeRef<DUxTextStyle>& style) {
    if (DUxSymState* sym = GetSymState()) sym->SetStyle(style.Read());
}

FBxLayerStyle* DLxGeneralNote::GetLayer() const {
    DUxSymState* sym = GetSymState();
    return sym ? DUxStyleUtil::GetLayerStyle(sym) : nullptr;
}

void DLxGeneralNote::SetStyleOverrides(uint32_t flags) {
    if (m_overrides == flags) return;
    RSe::PrepareWrite(this);
    m_overrides = flags;
}

void DLxGeneralNote::ResetStyleOverrides() {
    SetStyleOverrides(m_overrides & kFixedWidth);
}

uint32_t DLxGeneralNote::StyleDifferences(const RDxString& text, double angle) {
    uint32_t bits = 0;
    if (!text.GetNoColor()) bits |= kOwnColor;
    if (text.GetLineSpacingType() != 0 || text.GetLineSpacing() != 1.0f) bits |= kOwnLineSpacing;
    if (text.GetHorizontalJustification() != 0) bits |= kOwnHorizontalJustification;
    if (text.GetVerticalJustification() != 0) bits |= kOwnVerticalJustification;
    if (std::fabs(angle) >= kAngleTol) bits |= kOwnRotation;
    return bits;
}

void DLxGeneralNote::GetParsedStringData(RDxString* target, const RDxString* source) const {
    if (!target) return;
    if (!source) source = GetStringData();
    if (source) target->CopyValues(*source);
}

void DLxGeneralNote::GetHotPoints(const BBox& box, double angle, const WqGePoint3d& centre,
                                  WqGePoint3d out[8]) {
    const double x0 = box.min.x, y0 = box.min.y, x1 = box.max.x, y1 = box.max.y;
    const double xm = (x0 + x1) * 0.5, ym = (y0 + y1) * 0.5;
    out[0] = box.min;
    out[1] = {x0, ym, 0};
    out[2] = {x0, y1, 0};
    out[3] = {xm, y1, 0};
    out[4] = box.max;
    out[5] = {x1, ym, 0};
    out[6] = {x1, y0, 0};
    out[7] = {xm, y0, 0};
    if (std::fabs(angle) > kAngleTol)
        for (int i = 0; i < 8; ++i)
            out[i] = Turned(out[i], angle, centre);
}

WqGePoint3d DLxGeneralNote::GetKeyPoint() const {
    BBox box;
    GetBBox(box);
    if (box.isEmpty()) return {};
    RDxString* s = GetStringData();
    const double a = s ? s->GetRotation() : 0.0;
    const WqGePoint3d at = s ? s->GetLocation() : WqGePoint3d();
    const double degrees = a / kDegree;
    bool right = false;
    for (double q : {0.0, 90.0, 180.0, 270.0})
        right = right || std::fabs(degrees - q) < kAngleTol;
    const WqGePoint3d p = Turned(box.min, a, at);
    if (!right) return {p.x, p.y, 0};
    const WqGePoint3d q = Turned(box.max, a, at);
    return {p.x, q.y, 0};
}

UTxResult DLxGeneralNote::Compute(RDxComputeContext& ctx) {
    // A note loaded into a process that has made none yet finds its template registered.
    GetTemplate();
    return DLxEmblem::Compute(ctx);
}

SmartPtr<DUxLayerStyleAbstract> DLxGeneralNote::ObjectStyleWrapper() {
    return DUxStyleUtil::LayerStyleWrapper(GetSymState());
}

void DLxGeneralNote::AddToLayer(CleanUpDisposition disposition) {
    DUxDisplayListState* state = GetDisplayListState();
    SmartPtr<DUxLayerStyleAbstract> wrapper = ObjectStyleWrapper();
    if (!state || !wrapper) return;
    if (disposition == kCleanAttributes)
        DUxSceneUtil::CleanAttrStackForLayers(state->GetDisplayList());
    DUxSceneUtil::DLItemSetLayerStyle(state->GetDisplayList(), *wrapper);
}

UTxResult ComputeGeneralNoteGraphics(RDxInstance& instance, RDxComputeContext&) {
    auto* note = dynamic_cast<DLxGeneralNote*>(&instance);
    if (auto* who = note ? note->Input<DUxWhoAmIState>(DLxGeneralNote::kWhoAmIInput) : nullptr)
        note = dynamic_cast<DLxGeneralNote*>(who->GetWhoIAm());
    DUxDisplayListState* listState = note ? note->GetDisplayListState() : nullptr;
    RDxString* s = note ? note->GetStringData() : nullptr;
    if (!note || !s) return UTxResult(DLxGeneralNote::kNoStringError, u"the note has no text");
    SMxDisplayList scratch;
    SMxDisplayList& list = listState ? listState->GetDisplayList() : scratch;
    list.Clear();
    list.ClearAttributes();
    if (SmartPtr<DUxLayerStyleAbstract> layer = note->ObjectStyleWrapper())
        DUxSceneUtil::DLItemSetLayerStyle(list, *layer);

    const double angle = s->GetRotation();
    const bool rotated = std::fabs(angle - 0.0) > kAngleTol;
    BBox box;
    note->GetBBox(box);
    WqGePoint3d a = box.min, b = box.max;

    if (!note->GetResizeState()) {
        // Natural size: the text as typed, no wrapping.
        UCxTextFormatter::Draw(UCxTextFormatter::Read(*s), *s, list, DLxGeneralNote::kTextItemId);
        note->SetResizeState(true);
    } else {
        s->SetParagraphStringInvalid();
        const WqGePoint3d l = s->GetLocation();
        WqGePoint3d n = l;
        switch (s->GetHorizontalJustification()) {
        case 0:
            n.x = a.x;
            break;
        case 1:
            n.x = a.x + (b.x - a.x) * 0.5;
            break;
        case 2:
            n.x = b.x;
            break;
        default:
            break;
        }
        switch (s->GetVerticalJustification()) {
        case 0:
            n.y = b.y;
            break;
        case 1:
            n.y = a.y + (b.y - a.y) * 0.5;
            break;
        case 2:
            n.y = a.y;
            break;
        default:
            break;
        }
        n.z = 0;
        if (rotated && s->GetMarker() != DLxGeneralNote::kLocationFixedMarker) {
            // The box is kept unturned: move it with its anchor as the turn moves the anchor.
            const WqGePoint3d turned = Turned(n, angle, l);
            const WqGeVector3d d = turned - n;
            a += d;
            b += d;
            n = turned;
            box = BBox(a, b);
        }
        s->SetLocation(n);
        const UCxFormattedText natural = UCxTextFormatter::Read(*s);
        const bool wraps = b.x > a.x && b.x - a.x >= kMinWrapWidth;
        const UCxFormattedText wrapped =
            wraps ? UCxTextFormatter::Wrap(natural, b.x - a.x) : natural;
        // Measured unturned at the new anchor.
        const BBox textBox = UCxTextFormatter::GetBBox(wrapped, *s);
        s->SetParagraphValue(wrapped.PlainText(), true);
        const double growth =
            (textBox.isEmpty() ? 0.0 : textBox.max.y - textBox.min.y) - (b.y - a.y);
        if (growth > 0) {
            switch (s->GetVerticalJustification()) {
            case 0:
                a.y -= growth;
                break;
            case 2:
                b.y += growth;
                break;
            case 1:
                b.y += growth * 0.5;
                a.y -= growth * 0.5;
                break;
            default:
                break;
            }
            box = BBox(a, b);
        }
        UCxTextFormatter::Draw(wrapped, *s, list, DLxGeneralNote::kTextItemId);
    }
    note->SetBBox(box);

    WqGePoint3d hot[8];
    DLxGeneralNote::GetHotPoints(box, rotated ? angle : 0.0, s->GetLocation(), hot);
    for (int32_t i = 0; i < 8; ++i) {
        auto point = std::make_unique<SMxPointItem>(hot[i], 0);
        point->SetId(i);
        list.Append(std::move(point));
    }
    return {};
}
