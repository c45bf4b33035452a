#include "Leader/DLxLeaderMove.h"

#include <cmath>
#include <vector>

#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderNode.h"
#include "Request/DLxLeaderRequests.h"
#include "Symbol/DLxSymbol.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayListBuilder.h"

namespace {
std::vector<DLxCLeaderNode*> PreOrder(const DLxCLeader* leader) {
    std::vector<DLxCLeaderNode*> nodes;
    if (const DLxCLeaderNode* root = leader ? leader->GetRootNode() : nullptr)
        root->CollectPreOrder(nodes);
    return nodes;
}

WqGePoint3d Flat(const WqGePoint3d& p) {
    return {p.x, p.y, 0.0};
}

bool UsesOffsetNumbering(const DLxSymbol* symbol) {
    const int32_t kind = symbol->GetSymbolType();
    return kind == 0 || kind == 2 || kind == 7;
}

// How near the piece `d` runs to the direction `a` (a unit vector): |d . a| / |d|.
double Alignment(const WqGeVector3d& d, const WqGeVector3d& a) {
    return std::fabs(d.dotProduct(a)) / d.length();
}
} // namespace

DLxLeaderMove::DLxLeaderMove(const RSeRef<DLxSymbol>& symbol, int32_t vertexIndex,
                             const WqGePoint3d& picked, FWxSelection* selection, FWxSceneDoc* doc)
    : DLxInstanceManipulator(symbol, kClassHotPoint, selection, doc), m_index(vertexIndex),
      m_picked(picked) {}

DLxLeaderMove::~DLxLeaderMove() {
    DropPreviewTrees();
}

namespace {
DLxCLeaderNode* CopyTree(const DLxCLeaderNode* node, DLxCLeader* record) {
    DLxCLeaderNode* copy = DLxCLeaderNode::New(RSe::TransientSegment(), record, node->GetPoint());
    for (const RSeRef<DLxCLeaderNode>& c : node->GetChildren())
        if (const DLxCLeaderNode* child = c.Read()) copy->AddChild(CopyTree(child, record));
    return copy;
}
} // namespace

void DLxLeaderMove::CopyPreviewTrees() {
    auto* clone = dynamic_cast<DLxSymbol*>(GetClonedInstance());
    for (int16_t i = 0; clone && i < clone->GetNumLeaders(); ++i) {
        auto* record = dynamic_cast<DLxCLeaderGeneral*>(clone->GetLeader(i));
        const DLxCLeaderNode* root = record ? record->GetRootNode() : nullptr;
        if (!root) continue;
        DLxCLeaderNode* copy = CopyTree(root, record);
        record->SetRootNode(copy);
        m_previewRoots.emplace_back(copy);
    }
}

void DLxLeaderMove::DropPreviewTrees() {
    for (const RSeRef<DLxCLeaderNode>& r : m_previewRoots)
        DLxCLeaderNode::DeleteTree(r.get());
    m_previewRoots.clear();
}

void DLxLeaderMove::CancelDrag() {
    m_preview.RemoveAll();
    DLxInstanceManipulator::CancelDrag();
    DropPreviewTrees();
}

bool DLxLeaderMove::PostRequest() {
    const bool r = DLxInstanceManipulator::PostRequest();
    DropPreviewTrees();
    return r;
}

DLxSymbol* DLxLeaderMove::GetStoredSymbol() const {
    return dynamic_cast<DLxSymbol*>(GetInstance());
}

bool DLxLeaderMove::IsArrowTip() const {
    const DLxSymbol* symbol = GetStoredSymbol();
    return symbol && symbol->IsArrowTip(m_picked);
}

int32_t DLxLeaderMove::GetPromptCursor() const {
    return IsArrowTip() && m_cursor == kDragCursor ? kTipCursor : m_cursor;
}

int32_t DLxLeaderMove::GetPromptText() const {
    return IsArrowTip() ? kTipPrompt : kVertexPrompt;
}

int32_t DLxLeaderMove::NodePosition() const {
    const DLxSymbol* symbol = GetStoredSymbol();
    if (!symbol) return -1;
    const int32_t pos = UsesOffsetNumbering(symbol) ? m_index - 2 : m_index;
    return pos >= 0 && size_t(pos) < PreOrder(symbol->GetLeader(0)).size() ? pos : -1;
}

bool DLxLeaderMove::StartDialog() {
    FWxSceneDoc* doc = GetDocument();
    if (!doc || !doc->PermittedCommand(1)) return false;
    if (DLxSymbol* symbol = GetStoredSymbol(); symbol && !IsArrowTip()) symbol->Edit();
    return true;
}

bool DLxLeaderMove::StartDrag(const WqGePoint3d& point) {
    FWxSceneDoc* doc = GetDocument();
    if (doc && !doc->PermittedCommand(1)) return false;
    const int32_t pos = NodePosition();
    if (pos < 0) return false;
    m_startVertex = Flat(PreOrder(GetStoredSymbol()->GetLeader(0))[size_t(pos)]->GetPoint());
    m_first = Flat(point);
    m_current = m_first;
    m_offset = WqGeVector3d();
    m_cursor = kDragCursor;
    DropPreviewTrees();
    if (!DLxInstanceManipulator::StartDrag(point)) return false;
    CopyPreviewTrees();
    return true;
}

bool DLxLeaderMove::Drag(const WqGePoint3d& point) {
    auto* clone = dynamic_cast<DLxSymbol*>(GetClonedInstance());
    const DLxSymbol* stored = GetStoredSymbol();
    if (!clone || !stored) return false;
    const WqGePoint3d p = Flat(point);
    m_current = p;
    auto* leader = dynamic_cast<DLxCLeaderGeneral*>(clone->GetLeader(0));
    const std::vector<DLxCLeaderNode*> nodes = PreOrder(leader);
    const int32_t k = NodePosition();
    if (!leader || k < 0 || size_t(k) >= nodes.size()) return true;
    const int32_t n = int32_t(stored->GetAllLeaderVertices().size());
    const WqGeVector3d xAxis(1, 0, 0), yAxis(0, 1, 0);
    DLxCLeaderNode* node = nodes[size_t(k)];
    if (k == 0) {
        // The root: the symbol comes along; the first piece snaps to an axis.
        const WqGeVector3d landing = leader->GetLandingVector();
        WqGePoint3d root = p + landing;
        if (n > 1 && nodes.size() > 1) {
            const WqGePoint3d v = nodes[1]->GetPoint();
            WqGeVector3d d = root - v;
            d.z = 0.0;
            if (d.length() > 0.0) {
                if (Alignment(d, xAxis) > kSnapCosine)
                    root = v + xAxis * d.dotProduct(xAxis);
                else if (Alignment(d, yAxis) > kSnapCosine)
                    root = v + yAxis * d.dotProduct(yAxis);
            }
        }
        clone->SetPosition(root - landing);
        node->SetPoint(root);
    } else {
        WqGePoint3d q = p;
        if (k < n - 1 && node->GetParent() && !node->GetChildren().empty()) {
            // An inner vertex: the best of six alignments with its neighbours wins (the first
            // on a tie) when it is nearer than 3 degrees.
            const WqGePoint3d before = node->GetParent()->GetPoint();
            const WqGePoint3d after = node->GetChildren().front().get()->GetPoint();
            WqGeVector3d u = p - before, w = p - after, c = before - after;
            u.z = w.z = c.z = 0.0;
            if (c.length() > 0.0 && u.length() > 0.0 && w.length() > 0.0) {
                c = c * (1.0 / c.length());
                const struct {
                    const WqGePoint3d& from;
                    const WqGeVector3d& piece;
                    const WqGeVector3d& axis;
                } options[] = {{before, u, xAxis}, {after, w, xAxis}, {before, u, c},
                               {after, w, c},      {before, u, yAxis}, {after, w, yAxis}};
                double best = 0.0;
                int chosen = -1;
                for (int i = 0; i < 6; ++i) {
                    const double r = Alignment(options[i].piece, options[i].axis);
                    if (r > best) {
                        best = r;
                        chosen = i;
                    }
                }
                if (chosen >= 0 && best > kSnapCosine) {
                    const auto& o = options[chosen];
                    q = o.from + o.axis * o.piece.dotProduct(o.axis);
                }
            }
        }
        node->SetPoint(q);
    }
    // The request moves the stored vertex by what the preview's vertex moved.
    m_offset = Flat(node->GetPoint()) - m_startVertex;
    DrawLeaders(clone);
    // Older symbols draw through their own kinds, which may not compute here: the drag goes on
    // whatever the copy's compute says, and the leaders show in the drag's own preview.
    (void)RecomputePreview();
    return true;
}

void DLxLeaderMove::DrawLeaders(const DLxSymbol* clone) {
    m_preview.RemoveAll();
    SMxDisplayListBuilder builder(m_preview.GetDisplayList());
    for (int16_t i = 0; i < clone->GetNumLeaders(); ++i)
        for (const DLxLeaderSegment& s : clone->CreateLeaderSegments(clone->GetLeader(i), true))
            builder.AddLine(s.a, s.b);
}

bool DLxLeaderMove::EndDrag(const WqGePoint3d&) {
    DLxSymbol* stored = GetStoredSymbol();
    const int32_t pos = NodePosition();
    if (!stored || pos < 0) return false;
    m_cursor = kDragCursor;
    // The request counts vertices as the records collect them: a landing leader's landing end
    // comes before its nodes.
    const int32_t index = pos + (dynamic_cast<const DLxCLeaderLand*>(stored->GetLeader(0)) ? 1 : 0);
    SetRequest(SmartPtr<FWxChangeRequest>(new DLxLeaderMoveRequest(
        RSeRef<DLxSymbol>(stored), index, m_offset, IsArrowTip(), m_intent)));
    return true;
}
