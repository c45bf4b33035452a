#include "Command/DLxDatumTargetCmd.h"

#include <algorithm>
#include <cmath>

#include "Command/DLxDatumBl.h"
#include "Command/DLxDatumTargetEditCmd.h"
#include "DatumTarget/DLxDatumTarget.h"
#include "Request/DLxCreateSymbolRequest.h"
#include "Standard/DLxCTarget.h"
#include "dc/RDxComputeContext.h"
#include "du/DUxDatumTargetStyle.h"
#include "du/DUxSymState.h"
#include "fw/FWxSceneDoc.h"
#include "fw/SmartPtr.h"
#include "rse/RSeMetaType.h"

DLxDatumTargetCmd* DLxDatumTargetCmd::s_activeLeaderCmd = nullptr;
bool DLxDatumTargetCmd::s_bSymbolLeaderDoneEnabled = true;

namespace {
// A balloon leader within this angle of the sheet's axes is drawn along the axis (cos 3 deg).
constexpr double kSnapCosine = 0.998629;

// Points, leaders and areas hang on one pick; lines, circles and rectangles take a second.
size_t TargetPicks(int32_t type) {
    return type == 3 || type == 4 || type == 5 ? 2 : 1;
}
} // namespace

DLxDatumTargetCmd::DLxDatumTargetCmd(FWxSceneDoc* doc, int32_t targetType, int32_t commandId)
    : FWxDocCmd(doc), m_type(targetType), m_commandId(commandId),
      m_intent(DLxIntent::Free(WqGePoint3d())) {}

DLxDatumTargetCmd::~DLxDatumTargetCmd() {
    Discard();
    if (s_activeLeaderCmd == this) s_activeLeaderCmd = nullptr;
}

bool DLxDatumTargetCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (id == m_commandId && code == FWxCmd::kCommand) {
        OnCommand();
        return true;
    }
    if (code != FWxCmd::kNotify) return false;
    if (id == DLxDatumBl::kTextsChanged && m_edit && extra) {
        m_edit->OnBalloonTextsChanged(*static_cast<const DLxDatumBlTexts*>(extra));
        return true;
    }
    if (!IsActive()) return false;
    switch (id) {
    case kDoneNotification:
        Done();
        return true;
    case kCancelNotification:
        OnTerminate();
        return true;
    case kUndoNotification:
        UndoLastPoint();
        return true;
    default:
        return false;
    }
}

bool DLxDatumTargetCmd::OnInitialize() {
    Restart();
    return m_transient != nullptr;
}

void DLxDatumTargetCmd::OnTerminate() {
    Discard();
    m_targetPicks.clear();
    m_vertices.clear();
    // The leader menu's items act on the command whose menu is open: an ended command must not
    // stay behind as that command.
    if (s_activeLeaderCmd == this) s_activeLeaderCmd = nullptr;
}

void DLxDatumTargetCmd::Discard() {
    DLxDatumTargetRequestUtil::DeleteTransient(m_transient, m_fragment);
}

void DLxDatumTargetCmd::Restart() {
    Discard();
    m_targetPicks.clear();
    m_vertices.clear();
    m_intent = DLxIntent::Free(WqGePoint3d());
    m_transient = DLxDatumTargetRequestUtil::MakeTransient(m_fragment);
    if (!m_transient) return;
    m_transient->SetTargetType(m_type);
    // The preview draws in the style of the drawing's standard.
    FWxSceneDoc* doc = GetDocument();
    UTxString16 standard = doc ? doc->GetStandardName() : UTxString16();
    if (standard.empty()) standard = u"ISO";
    FWxStyle* style =
        doc ? doc->FindStyle(RSe::_GetMeta(static_cast<const DUxDatumTargetStyle*>(nullptr)),
                             standard)
            : nullptr;
    if (DUxSymState* state = m_transient->GetSymState(); state && style) state->SetStyle(style);
}

WqGePoint3d DLxDatumTargetCmd::LeaderStart() const {
    const WqGePoint3d& origin = m_targetPicks.front();
    if (m_targetPicks.size() < 2) return origin;
    const WqGePoint3d& second = m_targetPicks[1];
    // A line's leader starts at its middle; a circle's and a rectangle's at the second pick.
    if (m_type == 3) return origin + (second - origin) * 0.5;
    return second;
}

void DLxDatumTargetCmd::Rebuild(const std::vector<WqGePoint3d>& vertices) {
    if (!m_transient || m_targetPicks.empty()) return;
    m_transient->GetTargetShape()->SetOrigin(m_targetPicks.front());
    m_transient->SetSecondTargetPoint(m_targetPicks.size() > 1 ? m_targetPicks[1]
                                                               : m_targetPicks.front());
    m_transient->ApplySecondTargetPoint(DLxCTargetSubSym::GetScale());
    std::vector<WqGePoint3d> leader(vertices.rbegin(), vertices.rend());
    m_transient->AddLeaderFromPoints(leader);
    if (!leader.empty()) m_transient->SetSymbolOrigin(leader.front());
    if (m_type != 0) m_transient->AdjustLeaderEndPoint();
}

void DLxDatumTargetCmd::Pick(const WqGePoint3d& at, const DLxIntent& intent) {
    if (!m_transient) return;
    const WqGePoint3d p(at.x, at.y, 0);
    if (m_targetPicks.empty()) {
        m_targetPicks.push_back(p);
        m_intent = intent;
    } else if (m_targetPicks.size() < TargetPicks(m_type)) {
        m_targetPicks.push_back(p);
    } else {
        if (p == m_vertices.back()) return;
        // The first leader segment must leave room for the balloon.
        if (m_vertices.size() == 1 &&
            p.distanceTo(m_vertices.front()) <
                kMinLeaderSpacing * m_transient->GetBalloonSize() * DLxCTargetSubSym::GetScale())
            return;
        m_vertices.push_back(p);
    }
    if (m_targetPicks.size() == TargetPicks(m_type) && m_vertices.empty())
        m_vertices.push_back(LeaderStart());
    Rebuild(m_vertices);
}

void DLxDatumTargetCmd::MoveCursor(const WqGePoint3d& at) {
    if (!m_transient || m_targetPicks.empty()) return;
    WqGePoint3d p(at.x, at.y, 0);
    if (m_targetPicks.size() < TargetPicks(m_type)) {
        // The target's second point follows the cursor.
        m_targetPicks.push_back(p);
        Rebuild({});
        m_targetPicks.pop_back();
    } else {
        // The balloon follows the cursor, its last leader segment snapped to the sheet's axes
        // when it runs within three degrees of one.
        const WqGePoint3d& last = m_vertices.back();
        const WqGeVector3d d = p - last;
        if (!d.isZeroLength()) {
            const double len = d.length();
            if (std::fabs(d.x) / len > kSnapCosine)
                p = last + WqGeVector3d(d.x, 0, 0);
            else if (std::fabs(d.y) / len > kSnapCosine)
                p = last + WqGeVector3d(0, d.y, 0);
        }
        std::vector<WqGePoint3d> preview = m_vertices;
        preview.push_back(p);
        Rebuild(preview);
    }
    RDxComputeContext ctx;
    m_transient->Compute(ctx);
}

bool DLxDatumTargetCmd::CanFinish() const {
    return m_transient && m_targetPicks.size() == TargetPicks(m_type) && m_vertices.size() >= 2;
}

bool DLxDatumTargetCmd::Done() {
    if (!CanFinish()) return false;
    Rebuild(m_vertices);
    SmartPtr<DLxCreateSymbolRequest> request(
        new DLxCreateSymbolRequest(m_transient, m_intent, {}, {}));
    const UTxResult r = GetDocument()->ProcessChangeRequest(SmartPtr<FWxChangeRequest>(request));
    const bool placed = !r.Failed() && request->GetCreated().HasTarget();
    m_created = placed ? request->GetCreated() : RSeRef<DLxDatumTarget>();
    Restart();
    if (placed) {
        DLxDatumTargetBalloonEdit edit(GetDocument(), m_created, 0);
        m_edit = &edit;
        edit.Run(this, false);
        m_edit = nullptr;
    }
    return placed;
}

void DLxDatumTargetCmd::UndoLastPoint() {
    if (m_vertices.size() > 1) {
        m_vertices.pop_back();
    } else if (!m_targetPicks.empty()) {
        // Back to defining the target: its second point first, then the target itself.
        m_vertices.clear();
        m_targetPicks.pop_back();
    }
    if (m_targetPicks.empty()) {
        m_transient->AddLeaderFromPoints({});
        return;
    }
    Rebuild(m_vertices);
}

void DLxDatumTargetCmd::OnPrepareContextMenu(int32_t menuId) {
    if (menuId != kLeaderMenuId) return;
    s_activeLeaderCmd = this;
    if (!CanFinish()) s_bSymbolLeaderDoneEnabled = false;
}
