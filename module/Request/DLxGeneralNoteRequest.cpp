#include "Request/DLxGeneralNoteRequest.h"

#include <cmath>

#include "GeneralNote/DLxGeneralNote.h"
#include "Request/DLxRequestUtil.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxTDXUtil.h"
#include "dl/DLxUtil.h"
#include "du/DUxTextStyle.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "rd/RDxString.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTextFormatter.h"

IMPLEMENT_DYNCREATE(DLxGeneralNoteRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxGeneralNoteTextEditRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxGeneralNoteResizeRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxGeneralNoteRotateRequest, FWxChangeRequest)

namespace {
constexpr double kAngleTol = 0.0001;

// What a create and an edit keep of the text they were given: its font, justification and
// the text as typed.
void ReadTextLook(const RSeRef<RDxString>& text, int32_t& fontId, int32_t& hJust, int32_t& vJust,
                  UTxString16& source) {
    const RDxString* t = text.Read();
    if (!t) return;
    fontId = t->GetFontId();
    hJust = t->GetHorizontalJustification();
    vJust = t->GetVerticalJustification();
    source = t->GetOriginalValue();
}
constexpr double kQuarter = 1.5707963267946;
constexpr double kThreeQuarters = 4.7123889803838;
constexpr double kTurn = 6.2831853071784;
constexpr double kDegree = 0.01745329251994;
// The format the note's text is set with; kept by the string, not interpreted.
constexpr int32_t kNoteTextFormat = 0x131;
constexpr int32_t kNoteFontFlags = 4;
constexpr char16_t kPersistantAttr[] = u"DUxPersistantComputeContextAttr";

// The sheet a new note goes on: the active one, else the first.
RDxFragment* FragmentFor(FWxSceneDoc* doc) {
    // Finding the sheet changes nothing; placing the note records what it changes.
    RSeReadOnlyScope finding;
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc);
    if (!drawing) return nullptr;
    if (DLxSheet* active = drawing->GetActiveSheet()) return active;
    const std::vector<DLxSheet*> sheets = drawing->GetSheets();
    return sheets.empty() ? nullptr : sheets.front();
}

} // namespace

// Computes the note now, as its request left it; the first pass settles the box, which the
// next one follows.
UTxResult DLxRecomputeGeneralNote(DLxGeneralNote* note) {
    RDxComputeContext ctx;
    ctx.SetInt(RDxComputeContext::AttributeId(kPersistantAttr), 1);
    note->MarkEdited(true);
    RDxFragment* fragment = nullptr;
    {
        RSeReadOnlyScope finding;
        fragment = note->GetFragment().get();
    }
    if (!fragment) return {};
    UTxResult r;
    for (int pass = 0; pass < 4 && (pass == 0 || !fragment->IsUpToDate()); ++pass)
        r = fragment->Recompute(ctx);
    return r;
}

namespace {
UTxResult Recompute(DLxGeneralNote* note) {
    return DLxRecomputeGeneralNote(note);
}

// The text's natural box as the note's string places it, unturned.
BBox NaturalBox(const DLxGeneralNote& note) {
    RDxString* s = note.GetStringData();
    if (!s) return {};
    return UCxTextFormatter::GetBBox(UCxTextFormatter::Read(*s), *s);
}

UTxString16 NoteKey(const RSeRef<DLxGeneralNote>& note) {
    return FWxUtil::GetTranscriptMgr().StringFromRef(note);
}

UTxResult CheckNote(const RSeRef<DLxGeneralNote>& note, const UTxString16& text) {
    if (note.HasTarget()) return {};
    return UTxResult::Refusal(kDLxErrNoteInput, text.empty()
                                                    ? UTxString16(u"GeneralNote: no general note")
                                                    : u"GeneralNote: no general note at " + text);
}

// Attachment code of a justification: 9 10 11 top, 6 7 8 middle, 0 1 2 bottom.
int32_t AttachmentOf(int32_t h, int32_t v) {
    const int32_t column = h == 0 ? 0 : h == 2 ? 2 : 1;
    const int32_t row = v == 0 ? 9 : v == 2 ? 0 : 6;
    return row + column;
}

void CopyLook(RDxString& to, const RDxString& from) {
    to.SetFontId(from.GetFontId());
    if (from.GetTextHeight() > 0.0) to.SetTextHeight(from.GetTextHeight());
    to.SetLineSpacing(from.GetLineSpacingType(), from.GetLineSpacing());
    to.SetNoColor(from.GetNoColor());
    to.SetColor(from.GetColor());
    to.SetRotation(from.GetRotation());
}

// Far beyond any sheet; larger values would only lose the exactness of positions.
constexpr double kMaxCoordinate = 1.0e6;

bool Sane(double v) {
    return std::isfinite(v) && std::fabs(v) <= kMaxCoordinate;
}

bool Sane(const WqGePoint3d& p) {
    return Sane(p.x) && Sane(p.y) && Sane(p.z);
}

// A text whose height or turn no layout can place.
UTxResult CheckText(const RDxString& text) {
    const double h = text.GetTextHeight();
    if (!std::isfinite(h) || h > UCxTextFormatter::kMaxHeight)
        return UTxResult::Refusal(kDLxErrNoteInput, u"String_Height: not a text height");
    if (!Sane(text.GetRotation()))
        return UTxResult::Refusal(kDLxErrNoteInput, u"String_Rotation: not an angle");
    return {};
}

void DeleteOwned(RSeRef<RDxString>& text, bool owns) {
    if (owns)
        if (RDxString* s = text.get()) RSe::DeleteObject(s);
    text = {};
}
} // namespace

// ---- create

DLxGeneralNoteRequest::DLxGeneralNoteRequest() = default;

DLxGeneralNoteRequest::DLxGeneralNoteRequest(const RSeRef<RDxString>& text,
                                             const WqGePoint3d& upperLeft,
                                             const RSeRef<DUxTextStyle>& textStyle,
                                             const RSeRef<FBxLayerStyle>& layerStyle,
                                             double fixedWidth, const WqGePoint3d& lowerRight)
    : m_text(text), m_upperLeft(upperLeft), m_lowerRight(lowerRight), m_fixedWidth(fixedWidth),
      m_textStyle(textStyle), m_layerStyle(layerStyle) {
    TakeFromText();
}

DLxGeneralNoteRequest::~DLxGeneralNoteRequest() {
    DeleteOwned(m_text, m_ownsText);
}

void DLxGeneralNoteRequest::TakeFromText() {
    ReadTextLook(m_text, m_fontId, m_hJust, m_vJust, m_source);
}

UTxStringResource DLxGeneralNoteRequest::GetRequestIdentity() const {
    return {0x600B01B2, 11, 0};
}

UTxResult DLxGeneralNoteRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"CreateGeneralNote");
}

UTxResult DLxGeneralNoteRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxGeneralNoteRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (!doc || !DLxUtil::AllowRequestExecution(doc))
        return UTxResult::Refusal(kDLxErrNoteNotAllowed, u"the document takes no notes now");
    if (!m_text.HasTarget()) return UTxResult::Refusal(kDLxErrNoteInput, u"String: no text");
    if (UTxResult r = CheckText(*m_text.Read()); r.Failed()) return r;
    if (!Sane(m_upperLeft) || !Sane(m_lowerRight) || !Sane(m_fixedWidth))
        return UTxResult::Refusal(kDLxErrNoteInput, u"the note's box lies off any sheet");
    return {};
}

UTxResult DLxGeneralNoteRequest::_Execute(FWxSceneDoc* doc) {
    RDxFragment* fragment = FragmentFor(doc);
    if (!fragment) return UTxResult::Refusal(kDLxErrNoteInput, u"the document has no sheet");
    DLxGeneralNote* note = DLxGeneralNote::Create(fragment, m_textStyle, m_layerStyle);
    m_note = RSeRef<DLxGeneralNote>(note);
    RDxString* s = note->GetStringData();
    const RDxString* text = m_text.Read();

    CopyLook(*s, *text);
    s->SetFontId(m_fontId);
    if (s->GetTextHeight() <= 0.0)
        if (DUxTextStyle* style = note->GetTextStyle()) s->SetTextHeight(style->GetHeight());
    const double angle = s->GetRotation();
    s->SetRotation(0.0);

    const bool fixed = m_fixedWidth > 0.0;
    const double w = fixed ? m_lowerRight.x - m_upperLeft.x : 0.0;
    const double h = fixed ? m_upperLeft.y - m_lowerRight.y : 0.0;
    WqGePoint3d l = m_upperLeft;
    if (fixed) {
        l.x += m_hJust == 0 ? 0.0 : m_hJust == 2 ? w : w * 0.5;
        l.y -= m_vJust == 0 ? 0.0 : m_vJust == 2 ? h : h * 0.5;
    }
    s->SetAttachment(AttachmentOf(m_hJust, m_vJust));
    s->SetFontFlags(kNoteFontFlags);
    s->SetLocation(l);
    s->SetFormattedValue(m_source, kNoteTextFormat);
    s->SetHorizontalJustification(m_hJust);
    s->SetVerticalJustification(m_vJust);
    note->ResetStyleOverrides();
    note->SetStyleOverrides(note->GetStyleOverrides() |
                            DLxGeneralNote::StyleDifferences(*s, angle));

    if (fixed) {
        note->SetBBox(BBox(WqGePoint3d(m_upperLeft.x, m_lowerRight.y, 0),
                           WqGePoint3d(m_upperLeft.x + m_fixedWidth, m_upperLeft.y, 0)));
        note->SetStyleOverrides(note->GetStyleOverrides() | DLxGeneralNote::kFixedWidth);
        note->SetResizeState(true);
    } else {
        note->SetBBox(NaturalBox(*note));
        note->SetResizeState(false);
    }
    s->SetRotation(angle);
    return Recompute(note);
}

UTxResult DLxGeneralNoteRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    const bool hadText = m_text.HasTarget();
    DLxTDXUtil::Transcript(tdx, u"String", m_text, true);
    if (tdx.IsReading() && !tdx.HasFailed()) {
        if (!hadText) m_ownsText = m_text.HasTarget();
        TakeFromText();
    }
    DLxTDXUtil::Transcript(tdx, u"NoteUpperLeftPoint", m_upperLeft, true);
    DLxTDXUtil::Transcript(tdx, u"NoteFixedWidth", m_fixedWidth, true);
    DLxTDXUtil::Transcript(tdx, u"NoteLowerRightPoint", m_lowerRight, true);
    TranscriptRSeRefArgument(tdx, u"TextStyle", m_textStyle, tdx.IsWriting());
    TranscriptRSeRefArgument(tdx, u"LayerStyle", m_layerStyle, tdx.IsWriting());
    return tdx.GetResult();
}

// ---- edit

DLxGeneralNoteTextEditRequest::DLxGeneralNoteTextEditRequest() = default;

DLxGeneralNoteTextEditRequest::DLxGeneralNoteTextEditRequest(const RSeRef<DLxGeneralNote>& note,
                                                             const RSeRef<RDxString>& text)
    : m_note(note), m_text(text) {
    TakeFromText();
}

DLxGeneralNoteTextEditRequest::~DLxGeneralNoteTextEditRequest() {
    DeleteOwned(m_text, m_ownsText);
}

void DLxGeneralNoteTextEditRequest::TakeFromText() {
    ReadTextLook(m_text, m_fontId, m_hJust, m_vJust, m_source);
}

UTxStringResource DLxGeneralNoteTextEditRequest::GetRequestIdentity() const {
    return {0x600B01B4, 11, 0};
}

UTxResult DLxGeneralNoteTextEditRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"EditGeneralNote");
}

UTxResult DLxGeneralNoteTextEditRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                            const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxGeneralNoteTextEditRequest::ValidateInputs(FWxSceneDoc*) {
    if (UTxResult r = CheckNote(m_note, m_noteText); r.Failed()) return r;
    if (!m_note->GetStringData())
        return UTxResult::Refusal(kDLxErrNoteInput, u"the note has no text");
    if (!m_text.HasTarget()) return UTxResult::Refusal(kDLxErrNoteInput, u"String: no text");
    return CheckText(*m_text.Read());
}

UTxResult DLxGeneralNoteTextEditRequest::_Execute(FWxSceneDoc*) {
    m_noteText = NoteKey(m_note);
    DLxGeneralNote* note = m_note.get();
    RDxString* s = note->GetStringData();
    const RDxString* text = m_text.Read();
    s->SetFormattedValue(m_source, kNoteTextFormat);
    CopyLook(*s, *text);
    s->SetFontId(m_fontId);

    if (s->GetHorizontalJustification() != m_hJust || s->GetVerticalJustification() != m_vJust) {
        // The text keeps its box: its anchor moves to the box's point of the new justification.
        BBox box;
        note->GetBBox(box);
        const double w = box.max.x - box.min.x, h = box.max.y - box.min.y;
        WqGePoint3d l = box.min;
        l.x += m_hJust == 0 ? 0.0 : m_hJust == 2 ? w : w * 0.5;
        l.y += m_vJust == 0 ? h : m_vJust == 2 ? 0.0 : h * 0.5;
        s->SetAttachment(AttachmentOf(m_hJust, m_vJust));
        if (!note->IsFixedWidth()) {
            if (std::fabs(s->GetRotation()) > kAngleTol)
                l.transformBy(WqGeMatrix3d::rotation(s->GetRotation(), WqGeVector3d::kZAxis,
                                                     s->GetLocation()));
            s->SetLocation(l);
        }
    }
    s->SetHorizontalJustification(m_hJust);
    s->SetVerticalJustification(m_vJust);
    note->SetStyleOverrides(note->GetStyleOverrides() |
                            DLxGeneralNote::StyleDifferences(*s, s->GetRotation()));

    if (note->IsFixedWidth()) {
        note->SetResizeState(true);
    } else {
        note->SetBBox(NaturalBox(*note));
        note->SetResizeState(false);
    }
    return Recompute(note);
}

UTxResult DLxGeneralNoteTextEditRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    DLxTranscriptRefString(tdx, u"GeneralNoteInstance", m_noteText, m_note);
    if (tdx.IsReading()) {
        // The key names the note only until the request runs, which takes it anew.
        if (m_note.HasTarget()) m_noteText.clear();
        // A fresh text, so that a replay never writes into a text it does not own.
        DeleteOwned(m_text, m_ownsText);
        m_ownsText = false;
    }
    DLxTDXUtil::Transcript(tdx, u"String", m_text, true);
    if (tdx.IsReading() && !tdx.HasFailed()) {
        m_ownsText = m_text.HasTarget();
        TakeFromText();
    }
    return tdx.GetResult();
}

// ---- resize

DLxGeneralNoteResizeRequest::DLxGeneralNoteResizeRequest() = default;

DLxGeneralNoteResizeRequest::DLxGeneralNoteResizeRequest(const RSeRef<DLxGeneralNote>& note,
                                                         const WqGePoint3d& upperLeft, double width,
                                                         double height)
    : m_note(note), m_upperLeft(upperLeft), m_width(width), m_height(height) {}

UTxStringResource DLxGeneralNoteResizeRequest::GetRequestIdentity() const {
    return {0x600B01B5, 11, 0};
}

UTxResult DLxGeneralNoteResizeRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"ResizeGeneralNote");
}

UTxResult DLxGeneralNoteResizeRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                          const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxGeneralNoteResizeRequest::ValidateInputs(FWxSceneDoc*) {
    if (UTxResult r = CheckNote(m_note, m_noteText); r.Failed()) return r;
    if (!m_note->GetStringData())
        return UTxResult::Refusal(kDLxErrNoteInput, u"the note has no text");
    if (!Sane(m_width) || !Sane(m_height) || m_width < 0 || m_height < 0)
        return UTxResult::Refusal(kDLxErrNoteInput, u"ResizeWidth, ResizeHeight: not a size");
    if (!Sane(m_upperLeft))
        return UTxResult::Refusal(kDLxErrNoteInput, u"NewUpperLeftPoint: off any sheet");
    return {};
}

UTxResult DLxGeneralNoteResizeRequest::_Execute(FWxSceneDoc*) {
    m_noteText = NoteKey(m_note);
    DLxGeneralNote* note = m_note.get();
    RDxString* s = note->GetStringData();
    BBox old;
    note->GetBBox(old);
    const double x = m_upperLeft.x, y = m_upperLeft.y;
    note->SetBBox(BBox(WqGePoint3d(x, y - m_height, 0), WqGePoint3d(x + m_width, y, 0)));

    const BBox text = NaturalBox(*note);
    const double textWidth = text.isEmpty() ? 0.0 : text.max.x - text.min.x;
    const bool wrap = std::fabs(m_width - textWidth) > 0.01 && m_width < textWidth;
    const double oldWidth = old.isEmpty() ? 0.0 : old.max.x - old.min.x;
    const double oldHeight = old.isEmpty() ? 0.0 : old.max.y - old.min.y;
    const bool resized =
        std::fabs(oldWidth - m_width) >= 1e-6 || std::fabs(oldHeight - m_height) >= 1e-6;
    if (resized) note->SetStyleOverrides(note->GetStyleOverrides() | DLxGeneralNote::kFixedWidth);

    WqGePoint3d l = m_upperLeft;
    const int32_t h = s->GetHorizontalJustification(), v = s->GetVerticalJustification();
    if (h == 1) l.x += m_width * 0.5;
    if (h == 2) l.x += m_width;
    if (v == 1) l.y -= m_height * 0.5;
    if (v == 2) l.y -= m_height;
    s->SetLocation(l);
    if (resized) s->SetMarker(DLxGeneralNote::kLocationFixedMarker);
    note->SetResizeState(resized || wrap);
    const UTxResult r = Recompute(note);
    s->SetMarker(0);
    return r;
}

UTxResult DLxGeneralNoteResizeRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    DLxTranscriptRefString(tdx, u"GeneralNote", m_noteText, m_note);
    if (tdx.IsReading() && m_note.HasTarget()) m_noteText.clear();
    DLxTDXUtil::Transcript(tdx, u"NewUpperLeftPoint", m_upperLeft, true);
    DLxTDXUtil::Transcript(tdx, u"ResizeWidth", m_width, true);
    DLxTDXUtil::Transcript(tdx, u"ResizeHeight", m_height, true);
    return tdx.GetResult();
}

// ---- rotate

DLxGeneralNoteRotateRequest::DLxGeneralNoteRotateRequest() = default;

DLxGeneralNoteRotateRequest::DLxGeneralNoteRotateRequest(const RSeRef<DLxGeneralNote>& note,
                                                         bool clockwise)
    : m_note(note), m_clockwise(clockwise ? 1 : 0) {}

double DLxGeneralNoteRotateRequest::NextAngle(double a, bool clockwise) {
    if (clockwise)
        a = std::fabs(a) < kAngleTol ? kThreeQuarters : a - kQuarter;
    else
        a = std::fabs(a / kDegree - 270.0) < kAngleTol ? 0.0 : a + kQuarter;
    while (a <= -kTurn)
        a += kTurn;
    while (a >= kTurn)
        a -= kTurn;
    if (std::fabs(a) < kAngleTol || std::fabs(a - kTurn) < kAngleTol ||
        std::fabs(a + kTurn) < kAngleTol)
        a = 0.0;
    return a;
}

UTxStringResource DLxGeneralNoteRotateRequest::GetRequestIdentity() const {
    return {0x600B01BF, 11, 0};
}

UTxResult DLxGeneralNoteRotateRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"RotateGeneralNote");
}

UTxResult DLxGeneralNoteRotateRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                          const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxGeneralNoteRotateRequest::ValidateInputs(FWxSceneDoc*) {
    if (UTxResult r = CheckNote(m_note, m_noteText); r.Failed()) return r;
    if (!m_note->GetStringData())
        return UTxResult::Refusal(kDLxErrNoteInput, u"the note has no text");
    return {};
}

UTxResult DLxGeneralNoteRotateRequest::_Execute(FWxSceneDoc*) {
    m_noteText = NoteKey(m_note);
    DLxGeneralNote* note = m_note.get();
    RDxString* s = note->GetStringData();
    const double a = NextAngle(s->GetRotation(), m_clockwise != 0);
    s->SetRotation(a);
    // A text style turns nothing: a turn is the note's own unless it is none.
    const uint32_t flags = note->GetStyleOverrides();
    note->SetStyleOverrides(std::fabs(a) < kAngleTol ? flags & ~DLxGeneralNote::kOwnRotation
                                                     : flags | DLxGeneralNote::kOwnRotation);
    s->SetParagraphStringInvalid();
    note->SetResizeState(true);
    return Recompute(note);
}

UTxResult DLxGeneralNoteRotateRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    DLxTranscriptRefString(tdx, u"GeneralNote", m_noteText, m_note);
    if (tdx.IsReading() && m_note.HasTarget()) m_noteText.clear();
    bool clockwise = m_clockwise != 0;
    DLxTDXUtil::Transcript(tdx, u"RotationDirection", clockwise, true);
    m_clockwise = clockwise ? 1 : 0;
    return tdx.GetResult();
}
