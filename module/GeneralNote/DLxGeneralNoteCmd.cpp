#include "GeneralNote/DLxGeneralNoteCmd.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "GeneralNote/DLxGeneralNote.h"
#include "GeneralNote/DLxGeneralNoteSelection.h"
#include "Request/DLxGeneralNoteRequest.h"
#include "Standard/DLxStdStyles.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxUIUtil.h"
#include "du/DUxTextStyle.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FWxCommand.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"
#include "fw/FWxSketchPreferences.h"
#include "fw/FWxUIManager.h"
#include "ge/BBox.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "uc/UCxTextFormater.h"
#include "WinMessageBox.h"

namespace {
const FWxUIManager::CtxMenuCommandInitializer s_cancelCmd(44110, "DrawingGeneralNoteCancelCtxCmd",
                                                          1);
const FWxUIManager::CtxMenuCommandInitializer s_editCmd(44076, "DrawingGeneralNoteEditCtxCmd", 1);
const FWxUIManager::CtxMenuCommandInitializer
    s_rotateCwCmd(44090, "DrawingGeneralNoteRotate90ClockwiseCtxCmd", 1);
const FWxUIManager::CtxMenuCommandInitializer
    s_rotateCcwCmd(44089, "DrawingGeneralNoteRotate90CounterClockwiseCtxCmd", 1);

UTxString16 HeightText(double h) {
    std::ostringstream out;
    out << h;
    const std::string s = out.str();
    return UTxString16(s.begin(), s.end());
}

// The heights the drawing's standard and its text styles use, smallest first: what the dialog
// offers.
std::vector<UTxString16> HeightTexts(FWxSceneDoc* doc) {
    std::vector<double> heights;
    if (const double h = DLxStdStyles::GetStandardTextHeight(doc); h > 0) heights.push_back(h);
    for (FWxStyle* style : doc->GetStyles())
        if (auto* text = dynamic_cast<DUxTextStyle*>(style))
            if (text->GetHeight() > 0) heights.push_back(text->GetHeight());
    std::sort(heights.begin(), heights.end());
    heights.erase(std::unique(heights.begin(), heights.end()), heights.end());
    std::vector<UTxString16> out;
    for (double h : heights)
        out.push_back(HeightText(h));
    return out;
}

// The text style a new note follows unless the user picks another: the drawing's for its
// standard.
DUxTextStyle* DefaultTextStyle(DLxDrawingDoc* doc) {
    DLxDrawing* drawing = doc->GetDrawing();
    if (!drawing) return nullptr;
    return dynamic_cast<DUxTextStyle*>(drawing->FindStyle(
        RSe::_GetMeta(static_cast<const DUxTextStyle*>(nullptr)), drawing->GetStandardName()));
}

RDxString* NewTransientString() {
    return new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)), RSe::TransientSegment())
        RDxString();
}

struct TransientString {
    RDxString* s = NewTransientString();
    ~TransientString() { RSe::DeleteObject(s); }
};

void AddMarker(DLxTransientDrawObject& preview, const WqGePoint3d& p) {
    preview.GetDisplayList().Append(
        std::make_unique<SMxPointItem>(WqGePoint3d(p.x, p.y, 0.0), 0));
}

void AddLine(DLxTransientDrawObject& preview, double x0, double y0, double x1, double y1) {
    preview.GetDisplayList().Append(
        std::make_unique<SMxLineItem>(WqGePoint3d(x0, y0, 0), WqGePoint3d(x1, y1, 0)));
}

double SnapCoordinate(double v, double d) {
    if (!(d > 0) || !std::isfinite(v)) return v;
    const double step = v < 0 ? -d : d;
    double q = d * std::trunc(v / d);
    if (std::fabs(q + step - v) < std::fabs(q - v)) q += step;
    return q;
}
} // namespace

// ---- placement target

WqGePoint3d DLxTextCmdTarget::SnapToGrid(const WqGePoint3d& p, double dx, double dy) {
    return WqGePoint3d(SnapCoordinate(p.x, dx), SnapCoordinate(p.y, dy), 0.0);
}

WqGePoint3d DLxTextCmdTarget::SnapToSketchGrid(const WqGePoint3d& p) {
    const double dx = FWxSketchPreferences::GetXSnapDistDbl();
    const double dy = FWxSketchPreferences::GetYSnapDistDbl();
    if (!FWxSketchPreferences::IsGridSnapOn() || !(dx > 0) || !(dy > 0))
        return WqGePoint3d(p.x, p.y, 0.0);
    return SnapToGrid(p, dx, dy);
}

void DLxTextCmdTarget::OnActivate(FWxState* state) {
    m_state = state;
    m_preview.RemoveAll();
}

void DLxTextCmdTarget::OnTerminate(int32_t) {
    m_preview.RemoveAll();
    m_dialogRunning = false;
    m_state = nullptr;
}

int32_t DLxTextCmdTarget::OnMouseMove(const FWxEvent& event) {
    m_preview.RemoveAll();
    const WqGePoint3d at = SnapToSketchGrid(event.point);
    AddMarker(m_preview, at);
    if (!m_dialogRunning && event.buttons) {
        AddLine(m_preview, m_press.x, m_press.y, at.x, m_press.y);
        AddLine(m_preview, at.x, m_press.y, at.x, at.y);
        AddLine(m_preview, at.x, at.y, m_press.x, at.y);
        AddLine(m_preview, m_press.x, at.y, m_press.x, m_press.y);
    }
    return FWxStateCode::kGoOn;
}

int32_t DLxTextCmdTarget::OnLButtonDown(const FWxEvent& event) {
    m_press = SnapToSketchGrid(event.point);
    m_preview.RemoveAll();
    AddMarker(m_preview, m_press);
    return FWxStateCode::kGoOn;
}

int32_t DLxTextCmdTarget::OnLButtonUp(const FWxEvent& event) {
    m_preview.RemoveAll();
    if (m_dialogRunning) return FWxStateCode::kGoOn;
    const bool dragged = event.buttons != 0;
    if (dragged) m_release = SnapToSketchGrid(event.point);
    auto* doc = dynamic_cast<DLxDrawingDoc*>(m_state ? m_state->GetActiveDocument() : nullptr);
    if (!doc) return FWxStateCode::kGoOn;

    DUxTextStyle* style = DefaultTextStyle(doc);
    bool styleIsDefault = true;
    // Without a text style of its own the drawing writes in its standard's font and height.
    const int32_t fontId = style ? style->GetFontId() : DLxStdStyles::GetStandardFontId(doc);
    const double height = style ? style->GetHeight() : DLxStdStyles::GetStandardTextHeight(doc);
    TransientString text;
    text.s->SetFontId(fontId);
    text.s->SetTextHeight(height);
    text.s->SetNoColor(true);
    text.s->SetAttachment(9);
    text.s->SetLocation(m_press);
    text.s->SetSimpleValue(UTxString16());

    WqGePoint3d lowerRight;
    double fixedWidth = -1.0;
    if (dragged) {
        // The box is the same whichever corner the drag started from.
        const WqGePoint3d upperLeft(std::min(m_press.x, m_release.x),
                                    std::max(m_press.y, m_release.y), 0.0);
        lowerRight = WqGePoint3d(std::max(m_press.x, m_release.x),
                                 std::min(m_press.y, m_release.y), 0.0);
        text.s->SetLocation(upperLeft);
        const double width = std::fabs(m_release.x - m_press.x);
        if (width > kMinFixedWidth) fixedWidth = width;
    }

    UCxTextFormater dialog(text.s, doc, fontId, HeightTexts(doc),
                           height > 0 ? HeightText(height) : UTxString16());
    dialog.SetTextStyle(style);
    dialog.AllowAnyAngleRotation(true);
    dialog.SetFixedWidth(fixedWidth);
    m_dialogRunning = true;
    const int32_t answer = dialog.DoModal();
    if (answer == IDOK && !text.s->GetOriginalValue().empty()) {
        const WqGePoint3d location = text.s->GetLocation();
        if (dialog.GetTextStyle() != style) {
            style = dynamic_cast<DUxTextStyle*>(dialog.GetTextStyle());
            styleIsDefault = false;
        }
        doc->ProcessChangeRequest(new DLxGeneralNoteRequest(
            RSeRef<RDxString>(text.s), location,
            styleIsDefault ? RSeRef<DUxTextStyle>() : RSeRef<DUxTextStyle>(style),
            RSeRef<FBxLayerStyle>(), dialog.GetFixedWidth(), lowerRight));
    }
    // The interaction ends with the dialog, whatever it answered.
    return FWxStateCode::kFinished;
}

// ---- placement states and command

FWxEventTarget* DLxTextCmdState::OnActivate() {
    if (FWxSelectionSetMgr* sets = FWxSelectionSetMgr::Get(GetActiveDocument())) {
        m_set = sets->Add(kSelectionSetName);
        m_set->RemoveAll();
    }
    return DLxSingleChildState::OnActivate();
}

void DLxTextCmdState::OnTerminate(int32_t code) {
    if (FWxSelectionSetMgr* sets = FWxSelectionSetMgr::Get(GetActiveDocument()))
        sets->Remove(kSelectionSetName);
    m_set = nullptr;
    DLxSingleChildState::OnTerminate(code);
}

void DLxTextCmdState::OnChildFinished(FWxState* child, int32_t code) {
    if (m_set) m_set->RemoveAll();
    DLxSingleChildState::OnChildFinished(child, code);
}

DLxGeneralNoteCmd::DLxGeneralNoteCmd(FWxSceneDoc* doc)
    : FWxDocStateCmd(doc, 1), m_resolver(std::make_unique<FWxTargetStateResolver>(&m_state)) {}

DLxGeneralNoteCmd::~DLxGeneralNoteCmd() {
    if (m_resolver && m_resolver->IsRunning()) m_resolver->Terminate(FWxStateCode::kEnd);
}

bool DLxGeneralNoteCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (id == kCommandId && code == FWxCmd::kCommand) {
        OnCommand();
        return true;
    }
    if (id == kCommandId && code == FWxCmd::kUpdateUI && extra) {
        auto& ui = *static_cast<FWxCmdUI*>(extra);
        OnUpdateCommand(ui);
        if (DLxUIUtil::IsSketchActive(GetDocument())) ui.Enable(false);
        return true;
    }
    if (id == kCancelCommand && code == FWxCmd::kCommand && IsActive()) {
        GetDocument()->TerminateActiveContext(FWxStateCode::kEnd);
        return true;
    }
    return false;
}

// ---- text edit and quarter turns of a selected note

bool DLxGeneralNoteTextEditCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (id != kEditCommand && id != kRotateClockwiseCommand &&
        id != kRotateCounterClockwiseCommand)
        return false;
    if (code == FWxCmd::kUpdateUI && extra) {
        static_cast<FWxCmdUI*>(extra)->Enable(SelectedNote() != nullptr);
        return true;
    }
    if (code != FWxCmd::kCommand) return false;
    if (id == kEditCommand)
        EditGeneralNoteText();
    else
        RotateGeneralNote(id == kRotateClockwiseCommand);
    return true;
}

DLxGeneralNote* DLxGeneralNoteTextEditCmd::SelectedNote() const {
    FWxSelectionSetMgr* sets = FWxSelectionSetMgr::Get(GetDocument());
    FWxSelectionSet* draw = sets ? sets->GetDrawSelectionSet() : nullptr;
    if (!draw || draw->IsEmpty()) return nullptr;
    auto* sel = dynamic_cast<DLxGeneralNoteSelection*>(draw->GetAt(0).get());
    return sel ? sel->GetGeneralNote() : nullptr;
}

void DLxGeneralNoteTextEditCmd::EditGeneralNoteText() {
    DLxGeneralNote* note = SelectedNote();
    if (FWxSelectionSetMgr* sets = FWxSelectionSetMgr::Get(GetDocument()))
        if (FWxSelectionSet* pre = sets->GetPreSelectionSet()) pre->RemoveAll();
    if (!note || !note->GetStringData()) return;
    DUxTextStyle* style = note->GetTextStyle();
    FBxLayerStyle* layer = note->GetLayer();

    TransientString text;
    text.s->CopyValues(*note->GetStringData());
    const float* c = text.s->GetColor();
    if (layer && (text.s->GetNoColor() || (c[0] == -1.0f && c[1] == -1.0f && c[2] == -1.0f))) {
        // The dialog shows the colour the note is drawn in: its layer's.
        const SMxColor lc = layer->Color();
        const float rgba[4] = {lc.Red() / 255.0f, lc.Green() / 255.0f, lc.Blue() / 255.0f,
                               lc.Alpha() / 255.0f};
        text.s->SetColor(rgba);
    }

    FWxSceneDoc* doc = GetDocument();
    const double height = text.s->GetTextHeight();
    UCxTextFormater dialog(text.s, doc, text.s->GetFontId(), HeightTexts(doc),
                           height > 0 ? HeightText(height) : UTxString16());
    dialog.SetTextStyle(style);
    dialog.SetLayerStyle(layer);
    dialog.AllowAnyAngleRotation(true);
    if (note->IsFixedWidth()) {
        BBox box;
        note->GetBBox(box);
        if (!box.isEmpty()) dialog.SetFixedWidth(box.max.x - box.min.x);
    }
    if (dialog.DoModal() == IDOK && !text.s->GetOriginalValue().empty())
        doc->ProcessChangeRequest(
            new DLxGeneralNoteTextEditRequest(RSeRef<DLxGeneralNote>(note), RSeRef<RDxString>(text.s)));
}

void DLxGeneralNoteTextEditCmd::RotateGeneralNote(bool clockwise) {
    if (DLxGeneralNote* note = SelectedNote())
        GetDocument()->ProcessChangeRequest(
            new DLxGeneralNoteRotateRequest(RSeRef<DLxGeneralNote>(note), clockwise));
}
