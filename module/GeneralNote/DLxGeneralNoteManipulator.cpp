#include "GeneralNote/DLxGeneralNoteManipulator.h"

#include <cmath>
#include <memory>

#include "GeneralNote/DLxGeneralNote.h"
#include "Request/DLxGeneralNoteRequest.h"
#include "du/DUxWireFrameCalculator.h"
#include "fw/FWxCommand.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxSceneDoc.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "rd/RDxString.h"
#include "sm/SMxDisplayItem.h"

namespace {
constexpr double kAngleTol = 0.0001;
constexpr double kDegree = 0.01745329251994;
constexpr double kCornerTol = 1e-6;
// The classification of the commands a drag or its double-click runs.
constexpr int32_t kEditClassification = 1;

// Per handle: the frame point that holds each box corner, the orientation of the frame's first
// edge (0 along +x, 1 along +y, 2 along −x, 3 along −y) and the resize mode.
struct HandleRow {
    int32_t pointOfCorner[4];
    int32_t orientation;
    int32_t mode;
};
constexpr HandleRow kHandles[9] = {
    {{2, 3, 0, 1}, 2, 3}, // 0 minimum corner
    {{2, 3, 0, 1}, 2, 1}, // 1 left side
    {{3, 0, 1, 2}, 1, 3}, // 2 corner (x0, y1)
    {{0, 1, 2, 3}, 0, 2}, // 3 top side
    {{0, 1, 2, 3}, 0, 3}, // 4 maximum corner
    {{0, 1, 2, 3}, 0, 1}, // 5 right side
    {{1, 2, 3, 0}, 3, 3}, // 6 corner (x1, y0)
    {{2, 3, 0, 1}, 2, 2}, // 7 bottom side
    {{0, 1, 2, 3}, 0, 0}, // 8 move
};

// The two box corners whose midpoint anchors the text, by its attachment code.
void AnchorCorners(int32_t attachment, int32_t out[2]) {
    switch (attachment) {
    case 0: out[0] = 0, out[1] = 0; break;
    case 1: out[0] = 0, out[1] = 1; break;
    case 2: out[0] = 1, out[1] = 1; break;
    case 6: out[0] = 0, out[1] = 3; break;
    case 7: out[0] = 0, out[1] = 2; break;
    case 8: out[0] = 1, out[1] = 2; break;
    case 10: out[0] = 3, out[1] = 2; break;
    case 11: out[0] = 2, out[1] = 2; break;
    default: out[0] = 3, out[1] = 3; break; // 9 and anything unknown: top left
    }
}

WqGePoint3d Turned(const WqGePoint3d& p, double angle, const WqGePoint3d& centre) {
    WqGePoint3d q = p;
    q.transformBy(WqGeMatrix3d::rotation(angle, WqGeVector3d::kZAxis, centre));
    return q;
}

void Invert(const std::vector<int32_t>& map, std::vector<int32_t>& inverse) {
    inverse.assign(4, 0);
    for (int32_t i = 0; i < 4; ++i)
        inverse[map[i] & 3] = i;
}
} // namespace

DLxGeneralNoteManipulator::DLxGeneralNoteManipulator(const RSeRef<DLxGeneralNote>& note,
                                                     int32_t handle, int32_t selectionClass,
                                                     FWxSelection* selection)
    : DLxManipulator(selectionClass, selection), m_handle(handle < 0 || handle > 8 ? 8 : handle),
      m_note(note) {
    if (const DLxGeneralNote* n = m_note.Read())
        if (const RDxString* s = n->GetStringData()) {
            m_rotation = s->GetRotation();
            m_rotated = std::fabs(m_rotation) > kAngleTol;
            m_centre = s->GetLocation();
        }
}

DLxGeneralNoteManipulator::~DLxGeneralNoteManipulator() {
    delete m_frame;
}

int32_t DLxGeneralNoteManipulator::GetHandle() const {
    return IsMultipleSelections() ? kMoveHandle : m_handle;
}

void DLxGeneralNoteManipulator::BuildFrame() {
    BBox box;
    if (const DLxGeneralNote* n = m_note.Read()) n->GetBBox(box);
    if (box.isEmpty()) box = BBox(WqGePoint3d(), WqGePoint3d());
    const WqGePoint3d& m = box.min;
    const WqGePoint3d& M = box.max;
    m_corners = {m, WqGePoint3d(M.x, m.y, 0), M, WqGePoint3d(m.x, M.y, 0)};
    const HandleRow& row = kHandles[GetHandle()];
    m_pointOfCorner.assign(row.pointOfCorner, row.pointOfCorner + 4);
    Invert(m_pointOfCorner, m_cornerOfPoint);
    m_orientation = row.orientation;
    m_mode = row.mode;
    WqGePoint3d p[4];
    for (int32_t i = 0; i < 4; ++i) {
        p[i] = m_corners[m_cornerOfPoint[i]];
        if (m_rotated) p[i] = Turned(p[i], m_rotation, m_centre);
    }
    delete m_frame;
    m_frame = new DUxWireFrameCalculator(p[0], m_mode, p[1], p[3], p[2]);
}

WqGePoint3d DLxGeneralNoteManipulator::Corner(int32_t c) const {
    return m_frame ? m_frame->Point(m_pointOfCorner[c]) : WqGePoint3d();
}

void DLxGeneralNoteManipulator::DrawOutline() {
    SMxDisplayList& list = m_preview.GetDisplayList();
    const int32_t order[5] = {0, 3, 2, 1, 0};
    for (int32_t i = 0; i < 4; ++i)
        list.Append(std::make_unique<SMxLineItem>(Corner(order[i]), Corner(order[i + 1])));
}

bool DLxGeneralNoteManipulator::StartDrag(const WqGePoint3d& point) {
    DLxGeneralNote* note = m_note.get();
    if (!note) return false;
    FWxSceneDoc* doc = FWxDocUtil::DocumentOf(note);
    if (doc && !doc->PermittedCommand(kEditClassification)) return false;
    BuildFrame();
    const RDxString* s = note->GetStringData();
    AnchorCorners(s ? s->GetAttachment() : 9, m_anchor);
    m_preview.RemoveAll();
    DrawOutline();
    m_last = point;
    m_dragging = true;
    return true;
}

bool DLxGeneralNoteManipulator::Drag(const WqGePoint3d& point) {
    if (!m_dragging || !m_frame) return false;
    m_preview.RemoveAll();
    if (GetHandle() == kMoveHandle)
        m_frame->Move(m_last, point);
    else
        m_frame->ApplyResizePoint(point);
    m_last = point;
    DrawOutline();
    return true;
}

bool DLxGeneralNoteManipulator::EndDrag(const WqGePoint3d& point) {
    if (!m_dragging || !m_frame) return false;
    if (!(point == m_last)) Drag(point);
    m_dragging = false;

    // A frame pulled over its fixed point turns inside out: its corners trade places so that
    // corner 0 is the smallest again.
    if (m_frame->GetFirstExtent() < 0) {
        std::swap(m_cornerOfPoint[0], m_cornerOfPoint[1]);
        std::swap(m_cornerOfPoint[2], m_cornerOfPoint[3]);
    }
    if (m_frame->GetSecondExtent() < 0) {
        std::swap(m_cornerOfPoint[0], m_cornerOfPoint[3]);
        std::swap(m_cornerOfPoint[2], m_cornerOfPoint[1]);
    }
    Invert(m_cornerOfPoint, m_pointOfCorner);

    WqGePoint3d q[4];
    for (int32_t c = 0; c < 4; ++c)
        q[c] = Corner(c);
    const WqGePoint3d a((q[m_anchor[0]].x + q[m_anchor[1]].x) * 0.5,
                        (q[m_anchor[0]].y + q[m_anchor[1]].y) * 0.5, 0.0);
    m_centre = a;
    if (m_rotated)
        for (WqGePoint3d& c : q)
            c = Turned(c, -m_rotation, a);
    WqGePoint3d upperLeft = q[0];
    for (int32_t c = 1; c < 4; ++c)
        if (upperLeft.x - q[c].x > kCornerTol || q[c].y - upperLeft.y > kCornerTol)
            upperLeft = q[c];

    const double first = std::fabs(m_frame->GetFirstExtent());
    const double second = std::fabs(m_frame->GetSecondExtent());
    const bool alongX = m_orientation == 0 || m_orientation == 2;
    SetRequest(new DLxGeneralNoteResizeRequest(m_note, upperLeft, alongX ? first : second,
                                               alongX ? second : first));
    return true;
}

void DLxGeneralNoteManipulator::CancelDrag() {
    m_dragging = false;
    m_preview.RemoveAll();
}

bool DLxGeneralNoteManipulator::PostRequest() {
    m_preview.RemoveAll();
    return true;
}

bool DLxGeneralNoteManipulator::StartDialog() {
    FWxSceneDoc* doc = FWxDocUtil::DocumentOf(m_note.Read());
    if (doc && doc->PermittedCommand(kEditClassification))
        doc->OnCmdMsg(kEditTextCommand, FWxCmd::kCommand, nullptr);
    return true;
}

int32_t DLxGeneralNoteManipulator::GetPromptCursor() const {
    const int32_t handle = GetHandle();
    if (handle == kMoveHandle) return kMoveCursor;
    const double d = m_rotation / kDegree;
    // Half turns show the same cursors: fold the angle into one half turn (a remainder rather
    // than repeated subtraction, which a stored angle of any size could keep busy).
    double r = std::isfinite(d) ? std::fmod(std::fabs(d), 180.0) : 0.0;
    if (d < 0) r = 180.0 - r;
    const int32_t step = int32_t(std::trunc(r / 45.0 + 0.5)) % 4;
    int32_t offset = 0;
    switch (handle) {
    case 1: case 5: offset = 0; break;
    case 0: case 4: offset = 1; break;
    case 3: case 7: offset = 2; break;
    default: offset = 3; break; // 2 and 6
    }
    return kHandleCursors[(step + offset) % 4];
}

int32_t DLxGeneralNoteManipulator::GetPromptText() const {
    switch (GetHandle()) {
    case 0: case 2: case 4: case 6: return kCornerPrompt;
    case 1: case 5: return kSidePrompt;
    case 3: case 7: return kTopBottomPrompt;
    default: return kMovePrompt;
    }
}
