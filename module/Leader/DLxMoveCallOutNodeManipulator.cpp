#include "Leader/DLxMoveCallOutNodeManipulator.h"

#include <cmath>

#include "Request/DLxCallOutRequest.h"
#include "Symbol/DLxCallOutInstance.h"
#include "Symbol/DLxCallOutState.h"
#include "dl/DLxIntent.h"
#include "dl/DLxSheet.h"
#include "dl/DLxSketch.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSeTransaction.h"

namespace {
// Commands that change the document.
constexpr int32_t kChangeClassification = 1;

WqGePoint3d Flat(const WqGePoint3d& p) {
    return {p.x, p.y, 0};
}

WqGeVector3d Turned(const WqGeVector3d& v, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return {v.x * c - v.y * s, v.x * s + v.y * c, 0};
}

// Where the symbol's reference point sits on the sheet: the root of its first leader (shown or
// not), or its origin when it has no leader.
WqGePoint3d PlacedPoint(const DLxSymInstance* sym) {
    if (DUxLeaderNodeTree* tree = sym->GetLeader(0))
        if (DUxLeaderNode* root = tree->GetRoot()) return Flat(root->GetPoint());
    return Flat(sym->GetSymbolOrigin());
}

// The sketch's connection points of a placed symbol, each from where its reference point sits
// (the insertion point, or the middle of the sketch for a symbol placed by its middle): scaled
// and turned as the symbol is.
std::vector<WqGeVector3d> ConnectionOffsets(const DLxCallOutInstance* sym) {
    std::vector<WqGeVector3d> out;
    const DLxCallOutState* state = sym->GetCallOutState();
    const DLxSketchInstance* placement = sym->GetSketchInstance();
    const DLxSketch* sketch = placement ? placement->GetSketch() : nullptr;
    if (!state || !sketch) return out;
    const WqGePoint3d reference =
        state->GetUseGeomCenter() ? sketch->GetGeomCenterPoint() : sketch->GetInsertPoint();
    for (const WqGePoint3d& c : sketch->GetConnectionPoints())
        out.push_back(Turned((c - reference) * state->GetScale(), state->GetRotation()));
    return out;
}
} // namespace

DLxMoveCallOutNodeManipulator::DLxMoveCallOutNodeManipulator(
    const RSeRef<DLxSymInstance>& symbol, int32_t kind, int32_t leader, int32_t, int32_t node,
    FWxSelection* selection, FWxSceneDoc* doc)
    : DLxMoveSymLeaderNodeManipulator(symbol, kind, leader, node, selection, doc) {}

int32_t DLxMoveCallOutNodeManipulator::GetHotPoint() const {
    if (GetItemKind() != DUxLeaderNodeTree::kSymbolBoxItem) return -1;
    return IsMultipleSelections() ? int32_t(kMoveByInsertPoint) : GetNodeId();
}

bool DLxMoveCallOutNodeManipulator::IsBoxDrag() const {
    const int32_t hot = GetHotPoint();
    return hot >= kScaleFirst && hot <= kMoveByConnection;
}

DLxCallOutInstance* DLxMoveCallOutNodeManipulator::StoredCallOut() const {
    return dynamic_cast<DLxCallOutInstance*>(GetStoredSymbol());
}

DLxCallOutState* DLxMoveCallOutNodeManipulator::WorkingState() const {
    auto* sym = dynamic_cast<DLxCallOutInstance*>(GetSymbol());
    return sym ? sym->GetCallOutState() : nullptr;
}

int32_t DLxMoveCallOutNodeManipulator::GetPromptText() const {
    if (GetItemKind() != DUxLeaderNodeTree::kSymbolBoxItem)
        return DLxMoveSymLeaderNodeManipulator::GetPromptText();
    const int32_t hot = GetHotPoint();
    if (hot < 0) return 0;
    if (hot <= kScaleLast) return kScalePrompt;
    if (hot == kRotate) return kRotatePrompt;
    if (hot == kMoveByConnection) return kConnectionPrompt;
    return kMovePrompt;
}

int32_t DLxMoveCallOutNodeManipulator::GetPromptCursor() const {
    if (GetItemKind() != DUxLeaderNodeTree::kSymbolBoxItem)
        return DLxMoveSymLeaderNodeManipulator::GetPromptCursor();
    const int32_t hot = GetHotPoint();
    if (hot < 0 || hot > kMoveByConnection) return 0;
    if (hot >= kMoveByInsertPoint) return DLxMoveSymLeaderNodeManipulator::GetPromptCursor();
    if (hot == kRotate) return kRotateCursor;
    return hot <= 1 ? kScaleCursorA : kScaleCursorB;
}

bool DLxMoveCallOutNodeManipulator::StartDrag(const WqGePoint3d& point) {
    if (!IsBoxDrag()) return DLxMoveSymLeaderNodeManipulator::StartDrag(point);
    const int32_t hot = GetHotPoint();
    DLxCallOutInstance* stored = StoredCallOut();
    FWxSceneDoc* doc = GetDocument();
    if (doc && !doc->PermittedCommand(kChangeClassification)) return false;
    m_anchor = nullptr;
    m_intent = DLxIntent::Free(WqGePoint3d());
    const WqGePoint3d pick = Flat(point);
    SetStartSelectionPoint(pick);
    SetPoint(pick);
    m_last = point;
    m_views.clear();
    m_connections.clear();
    m_centre = false;
    m_centreOffset = WqGeVector3d();
    if (stored) {
        RSeReadOnlyScope reading;
        if (auto* sheet = dynamic_cast<DLxSheet*>(stored->GetFragment().get()))
            m_views = sheet->GetViews();
        const WqGePoint3d placed = PlacedPoint(stored);
        SetPoint(placed);
        SetStartSymbolPoint(placed);
        m_connections = ConnectionOffsets(stored);
        if (!IsMultipleSelections()) {
            if (hot == kMoveByInsertPoint) {
                SetStartSelectionPoint(placed);
            } else if (hot == kMoveByConnection && !m_connections.empty()) {
                // The connection point nearest the pick is the one that follows the cursor.
                WqGePoint3d nearest = placed + m_connections.front();
                for (const WqGeVector3d& c : m_connections)
                    if ((placed + c).distanceTo(pick) < nearest.distanceTo(pick))
                        nearest = placed + c;
                SetStartSelectionPoint(nearest);
            }
        }
        const DLxCallOutState* state = stored->GetCallOutState();
        m_startRotation = state ? state->GetRotation() : 0.0;
        const double scale = state ? state->GetScale() : 1.0;
        m_newRotation = m_startRotation;
        m_newScale = scale;
        if (hot >= kMoveByInsertPoint && state) m_centre = state->GetUseGeomCenter();
        const DLxSketchInstance* placement = stored->GetSketchInstance();
        if (hot == kMoveByCentre && m_centre && placement && placement->GetSketch()) {
            const DLxSketch* sketch = placement->GetSketch();
            const WqGeVector3d fromInsert = sketch->GetGeomCenterPoint() - sketch->GetInsertPoint();
            m_centreOffset = Turned(fromInsert * scale, m_startRotation);
        }
        m_pivot = placed;
        m_referenceLength = scale != 0 ? m_pivot.distanceTo(pick) / scale : 0.0;
    }
    m_start = pick;
    if (!DLxInstanceManipulator::StartDrag(point)) return false;
    if (stored) stored->SetBeingDragged(true);
    m_dragging = true;
    m_boxDragging = true;
    return true;
}

void DLxMoveCallOutNodeManipulator::SnapMove(WqGePoint3d& target) {
    DLxCallOutInstance* stored = StoredCallOut();
    m_context.Clear();
    auto* sheet = stored ? dynamic_cast<DLxSheet*>(stored->GetFragment().get()) : nullptr;
    if (sheet) {
        RSeReadOnlyScope reading;
        DLxInferUtil::ExtendContextWithDLBorderTitleBlock(m_context, sheet);
        for (const RSeRef<RDxNode>& r : sheet->GetNodes()) {
            auto* other = dynamic_cast<DLxCallOutInstance*>(r.GetTarget());
            if (!other || other == stored) continue;
            const WqGePoint3d placed = PlacedPoint(other);
            for (const WqGeVector3d& c : ConnectionOffsets(other))
                m_context.AddPoint(placed + c);
        }
    }
    const DLxRecognizer recognizer(m_context);
    // The other symbols' connection points first, then the views' edges and the sheet's lines.
    const std::vector<int32_t> connection = {DLxInferUtil::kInferConnectionPoint};
    DLxIntent atTarget(target, kInferTolerance, &connection);
    recognizer.Recognize(atTarget);
    if (const DLxInference* found = atTarget.GetInference(DLxInferUtil::kInferConnectionPoint)) {
        target = found->point;
        m_intent = atTarget;
        m_intent.SetPoint(target);
        return;
    }
    if (DLxInferUtil::InferOnViewEdges(m_views, target, kInferTolerance, m_intent)) {
        target = Flat(m_intent.GetPoint());
        return;
    }
    DLxIntent onLines(target, kInferTolerance, nullptr);
    recognizer.Recognize(onLines);
    for (int32_t type : {DLxInferUtil::kInferEndPoint, DLxInferUtil::kInferOnCurve})
        if (const DLxInference* found = onLines.GetInference(type)) {
            target = found->point;
            m_intent = onLines;
            m_intent.SetPoint(target);
            return;
        }
    // Nothing near the target: one of the symbol's own connection points may land on another's.
    m_intent = DLxIntent::Free(target);
    for (const WqGeVector3d& c : m_connections) {
        DLxIntent own(target + c, kInferTolerance, &connection);
        recognizer.Recognize(own);
        if (const DLxInference* found = own.GetInference(DLxInferUtil::kInferConnectionPoint)) {
            target = found->point - c;
            m_intent = own;
            m_intent.SetPoint(target);
            return;
        }
    }
}

bool DLxMoveCallOutNodeManipulator::Drag(const WqGePoint3d& point) {
    if (!m_boxDragging) return DLxMoveSymLeaderNodeManipulator::Drag(point);
    const int32_t hot = GetHotPoint();
    const WqGePoint3d cursor = Flat(point);
    if (hot <= kScaleLast) {
        m_last = point;
        if (m_referenceLength > 0) m_newScale = m_pivot.distanceTo(cursor) / m_referenceLength;
        if (DLxCallOutState* state = WorkingState()) state->SetScale(m_newScale);
        return DLxInstanceManipulator::Drag(point);
    }
    if (hot == kRotate) {
        m_last = point;
        const WqGeVector3d from = m_start - m_pivot, to = cursor - m_pivot;
        double angle = from.angleTo(to);
        if (to.crossProduct(from).z > 0) angle = -angle;
        m_newRotation = m_startRotation + angle;
        if (DLxCallOutState* state = WorkingState()) state->SetRotation(m_newRotation);
        return DLxInstanceManipulator::Drag(point);
    }
    WqGePoint3d target = cursor;
    if (hot == kMoveByCentre && m_centre) target = target + m_centreOffset;
    if (hot != kMoveByInsertPoint || !m_centre) SnapMove(target);
    return DLxMoveSymLeaderNodeManipulator::Drag(target);
}

bool DLxMoveCallOutNodeManipulator::EndDrag(const WqGePoint3d& point) {
    if (!m_boxDragging) return DLxMoveSymLeaderNodeManipulator::EndDrag(point);
    const int32_t hot = GetHotPoint();
    m_boxDragging = false;
    if (DLxCallOutInstance* stored = StoredCallOut()) stored->SetBeingDragged(false);
    if (hot >= kMoveByInsertPoint) {
        // Drag once more to where the button came up, then the move of the whole symbol.
        m_boxDragging = true;
        if (!(point == m_last)) Drag(point);
        m_boxDragging = false;
        const bool done = DLxMoveSymLeaderNodeManipulator::EndDrag(m_last);
        m_context.Clear();
        return done;
    }
    if (!(point == m_last)) {
        m_boxDragging = true;
        Drag(point);
        m_boxDragging = false;
    }
    m_dragging = false;
    SetRequest(nullptr);
    DLxCallOutInstance* stored = StoredCallOut();
    if (!GetDocument() || !stored) return true;
    const RSeRef<DLxCallOutInstance> ref(stored);
    if (hot <= kScaleLast)
        SetRequest(new DLxCallOutSymEditRequest(ref, m_newScale,
                                                DLxCallOutSymEditRequest::kChangeScale));
    else
        SetRequest(new DLxCallOutSymEditRequest(ref, m_newRotation,
                                                DLxCallOutSymEditRequest::kChangeRotation));
    m_context.Clear();
    return true;
}

void DLxMoveCallOutNodeManipulator::CancelDrag() {
    if (DLxCallOutInstance* stored = StoredCallOut()) stored->SetBeingDragged(false);
    m_boxDragging = false;
    m_context.Clear();
    DLxMoveSymLeaderNodeManipulator::CancelDrag();
}
