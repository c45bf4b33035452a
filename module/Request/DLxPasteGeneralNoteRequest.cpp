#include "Request/DLxPasteGeneralNoteRequest.h"

#include <cmath>

#include "GeneralNote/DLxGeneralNote.h"
#include "Request/DLxGeneralNoteRequest.h"
#include "Request/DLxRequestUtil.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxTDXUtil.h"
#include "du/DUxSymState.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "du/DUxTextStyle.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FWxDocUtil.h"
#include "ge/BBox.h"
#include "rd/RDxString.h"

IMPLEMENT_DYNCREATE(DLxPasteGeneralNoteRequest, FWxChangeRequest)

namespace {
// Far beyond any sheet, as the other note requests take it.
constexpr double kMaxCoordinate = 1.0e6;

bool Sane(const WqGePoint3d& p) {
    auto ok = [](double v) { return std::isfinite(v) && std::fabs(v) <= kMaxCoordinate; };
    return ok(p.x) && ok(p.y) && ok(p.z);
}

UTxResult Refuse(const char16_t* why) {
    return UTxResult::Refusal(kDLxErrPasteInput, UTxString16(u"PasteGeneralNote: ") + why);
}

// The style of `dest` that stands for `style` of another drawing: its own when it is the
// destination's already, else the destination's style of that kind and name (none when it has
// no such style).
template <class S> const S* StyleIn(FWxSceneDoc* dest, const S* style) {
    if (!style || !dest) return nullptr;
    if (FWxDocUtil::DocumentOf(style) == dest) return style;
    return dynamic_cast<const S*>(dest->FindStyle(style->GetMeta(), style->GetStyleName()));
}

WqGePoint3d Moved(const WqGePoint3d& p, const WqGeVector3d& d) {
    return WqGePoint3d(p.x + d.x, p.y + d.y, p.z + d.z);
}
} // namespace

DLxPasteGeneralNoteRequest::DLxPasteGeneralNoteRequest() = default;
DLxPasteGeneralNoteRequest::~DLxPasteGeneralNoteRequest() = default;

WqGePoint3d DLxPasteGeneralNoteRequest::ShownMinCorner(const DLxGeneralNote& note) {
    const BBox box = note.GetShownBox();
    return box.isEmpty() ? WqGePoint3d() : WqGePoint3d(box.min.x, box.min.y, 0.0);
}

UTxStringResource DLxPasteGeneralNoteRequest::GetRequestIdentity() const {
    return {0x600B01BD, 11, 0};
}

UTxResult DLxPasteGeneralNoteRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"PasteGeneralNote");
}

UTxResult DLxPasteGeneralNoteRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                         const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxPasteGeneralNoteRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (!dynamic_cast<DLxDrawingDoc*>(doc)) return Refuse(u"no drawing");
    if (!m_srcSheet.HasTarget()) return Refuse(u"SrcSheet: no sheet");
    const DLxSheet* dest = m_destSheet.Read();
    if (!dest) return Refuse(u"DestSheet: no sheet");
    if (FWxDocUtil::DocumentOf(dest) != doc) return Refuse(u"DestSheet: not of this drawing");
    if (m_notes.empty()) return Refuse(u"SrcNotes: no notes");
    if (m_acrossDoc == m_withinDoc)
        return Refuse(u"AcrossDoc, WithinDoc: a paste is one or the other");
    if (m_locationSpecified && !Sane(m_anchor)) return Refuse(u"AnchorPt: off any sheet");
    FWxSceneDoc* source = FWxDocUtil::DocumentOf(m_srcSheet.Read());
    if ((source != doc) != m_acrossDoc)
        return Refuse(m_acrossDoc ? u"SrcSheet: the drawing copied from is not open"
                                  : u"SrcSheet: not of this drawing");
    for (const RSeRef<DLxGeneralNote>& ref : m_notes) {
        const DLxGeneralNote* note = ref.Read();
        if (!note || !note->GetStringData()) return Refuse(u"SrcNotes: not a general note");
        if (FWxDocUtil::DocumentOf(note) != source)
            return Refuse(u"SrcNotes: not of the drawing copied from");
    }
    return {};
}

UTxResult DLxPasteGeneralNoteRequest::_Execute(FWxSceneDoc* doc) {
    m_pasted.clear();
    DLxSheet* dest = m_destSheet.get();
    WqGeVector3d d;
    if (m_locationSpecified) d = m_anchor - ShownMinCorner(*m_notes.front().Read());

    for (const RSeRef<DLxGeneralNote>& ref : m_notes) {
        const DLxGeneralNote* src = ref.Read();
        const RDxString* text = src->GetStringData();
        const DUxSymState* sym = src->GetSymState();
        const auto* style = StyleIn(doc, sym ? dynamic_cast<const DUxTextStyle*>(sym->GetStyle())
                                             : nullptr);
        const auto* layer = StyleIn(doc, sym ? DUxStyleUtil::GetLayerStyle(sym) : nullptr);
        DLxGeneralNote* copy = DLxGeneralNote::Create(dest, RSeRef<DUxTextStyle>(style),
                                                      RSeRef<FBxLayerStyle>(layer));
        m_pasted.emplace_back(copy);
        RDxString* s = copy->GetStringData();
        s->CopyValues(*text);
        s->SetLocation(Moved(text->GetLocation(), d));
        BBox box;
        src->GetBBox(box);
        copy->SetBBox(BBox(Moved(box.min, d), Moved(box.max, d)));
        copy->SetStyleOverrides(src->GetStyleOverrides());
        copy->SetResizeState(src->GetResizeState());
        // The box is where the paste put it: the layout must not move it by the turn again.
        s->SetMarker(DLxGeneralNote::kLocationFixedMarker);
        const UTxResult r = DLxRecomputeGeneralNote(copy);
        s->SetMarker(0);
        if (r.Failed()) return r;
    }
    return {};
}

UTxResult DLxPasteGeneralNoteRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    TranscriptRSeRefArgument(tdx, u"SrcSheet", m_srcSheet, true);
    TranscriptRSeRefArgument(tdx, u"DestSheet", m_destSheet, true);
    DLxTDXUtil::Transcript(tdx, u"AcrossDoc", m_acrossDoc, true);
    DLxTDXUtil::Transcript(tdx, u"WithinDoc", m_withinDoc, true);
    DLxTDXUtil::Transcript(tdx, u"LocationSpecified", m_locationSpecified, true);
    DLxTDXUtil::Transcript(tdx, u"AnchorPt", m_anchor, true);
    DLxTranscriptVector(tdx, u"SrcNotes", m_notes, true,
                        [](UCxTranscriptDataExchange& t, const char16_t* key,
                           RSeRef<DLxGeneralNote>& note, bool required) {
                            return TranscriptRSeRefArgument(t, key, note, required);
                        });
    return tdx.GetResult();
}
