#include "GeneralNote/DLxNoteLocationCmd.h"

#include "GeneralNote/DLxCopyPasteGeneralNoteCmd.h"
#include "GeneralNote/DLxGeneralNote.h"
#include "Request/DLxPasteGeneralNoteRequest.h"
#include "fw/FWxCommand.h"
#include "fw/FWxSceneDoc.h"
#include "ge/BBox.h"
#include "sm/SMxDisplayItem.h"

namespace {
void AddLine(SMxDisplayList& list, double x0, double y0, double x1, double y1) {
    list.Append(std::make_unique<SMxLineItem>(WqGePoint3d(x0, y0, 0), WqGePoint3d(x1, y1, 0)));
}
} // namespace

void DLxNoteLocationCmdTarget::OnActivate(FWxState* state) {
    m_state = state;
    m_preview.RemoveAll();
    m_widths.clear();
    m_heights.clear();
    m_offsets.clear();
    const SmartPtr<DLxPasteGeneralNoteRequest>& parked =
        DLxCopyPasteGeneralNoteCmd::GetParkedRequest();
    if (!parked) return;
    WqGePoint3d previous;
    for (const RSeRef<DLxGeneralNote>& ref : parked->GetSourceNotes()) {
        const DLxGeneralNote* note = ref.Read();
        if (!note) continue;
        const BBox box = note->GetShownBox();
        if (box.isEmpty()) continue;
        m_widths.push_back(box.max.x - box.min.x);
        m_heights.push_back(box.max.y - box.min.y);
        m_offsets.push_back(m_offsets.empty()
                                ? WqGePoint3d()
                                : WqGePoint3d(box.min.x - previous.x, box.min.y - previous.y, 0));
        previous = box.min;
    }
}

void DLxNoteLocationCmdTarget::OnTerminate(int32_t) {
    m_preview.RemoveAll();
    m_state = nullptr;
}

int32_t DLxNoteLocationCmdTarget::OnMouseMove(const FWxEvent& event) {
    m_preview.RemoveAll();
    SMxDisplayList& list = m_preview.GetDisplayList();
    double x = event.point.x, y = event.point.y;
    for (size_t i = 0; i < m_widths.size(); ++i) {
        // The offsets add up: each is from the note before.
        x += m_offsets[i].x;
        y += m_offsets[i].y;
        const double x2 = x + m_widths[i], y2 = y + m_heights[i];
        AddLine(list, x, y, x2, y);
        AddLine(list, x2, y, x2, y2);
        AddLine(list, x2, y2, x, y2);
        AddLine(list, x, y2, x, y);
    }
    return FWxStateCode::kGoOn;
}

int32_t DLxNoteLocationCmdTarget::OnLButtonDown(const FWxEvent& event) {
    m_press = WqGePoint3d(event.point.x, event.point.y, 0.0);
    return FWxStateCode::kGoOn;
}

int32_t DLxNoteLocationCmdTarget::OnLButtonUp(const FWxEvent&) {
    m_preview.RemoveAll();
    const SmartPtr<DLxPasteGeneralNoteRequest>& parked =
        DLxCopyPasteGeneralNoteCmd::GetParkedRequest();
    FWxSceneDoc* doc = m_state ? m_state->GetActiveDocument() : nullptr;
    // Started without a paste waiting, the command has nothing to place.
    if (parked && doc) {
        parked->SetAnchorPoint(m_press);
        doc->ProcessChangeRequest(parked);
    }
    return FWxStateCode::kFinished;
}

DLxNoteLocationCmd::DLxNoteLocationCmd(FWxSceneDoc* doc)
    : FWxDocStateCmd(doc, 1), m_resolver(std::make_unique<FWxTargetStateResolver>(&m_state)) {}

DLxNoteLocationCmd::~DLxNoteLocationCmd() {
    if (m_resolver && m_resolver->IsRunning()) m_resolver->Terminate(FWxStateCode::kEnd);
}

bool DLxNoteLocationCmd::OnCmdMsg(int32_t id, int32_t code, void*) {
    if (id == kCommandId && (code == FWxCmd::kCommand || code == FWxCmd::kNotify)) {
        OnCommand();
        return true;
    }
    if (id == kCancelCommand && code == FWxCmd::kCommand && IsActive()) {
        if (FWxSceneDoc* doc = GetDocument()) doc->TerminateActiveContext(FWxStateCode::kEnd);
        return true;
    }
    return false;
}
