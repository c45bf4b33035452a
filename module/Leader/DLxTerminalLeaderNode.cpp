#include "Leader/DLxTerminalLeaderNode.h"

#include <algorithm>

#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxPrefUtil.h"
#include "du/DUxArrowHead.h"
#include "du/DUxGeometryProxy.h"
#include "rse/RSeTransaction.h"

DLxTerminalLeaderNode::DLxTerminalLeaderNode(DUxLeaderNode* parent, const WqGePoint3d& point,
                                             int32_t nodeId, DLxAnchorPoint* anchor,
                                             DUxArrowHeadState* arrowHead)
    : DUxBaseTerminalLeaderNode(parent, point, nodeId), m_anchor(anchor), m_arrowHead(arrowHead) {}

DLxAnchorPoint* DLxTerminalLeaderNode::GetAnchorPoint() const {
    return m_anchor.get();
}

WqGePoint3d DLxTerminalLeaderNode::GetPoint() {
    DLxAnchorPoint* anchor = m_anchor.get();
    if (!anchor) return {};
    const WqGePoint3d p = anchor->GetBrokenPoint();
    CachePoint(p);
    return p;
}

WqGePoint3d DLxTerminalLeaderNode::GetUnbrokenPoint() {
    DLxAnchorPoint* anchor = m_anchor.get();
    if (!anchor) return {};
    const WqGePoint3d p = anchor->GetPoint();
    CachePoint(p);
    return p;
}

void DLxTerminalLeaderNode::PassValue(DUxLeaderNode* target) {
    DUxBaseTerminalLeaderNode::PassValue(target);
    auto* other = dynamic_cast<DLxTerminalLeaderNode*>(target);
    if (!other || other == this) return;
    RDxFragment* fragment = GetFragment().get();
    if (DLxAnchorPoint* anchor = m_anchor.get()) {
        if (!other->m_anchor) {
            RSe::PrepareWrite(other);
            other->m_anchor = DLxAnchorPoint::Create(fragment);
        }
        anchor->PassValue(other->m_anchor.get(), 0);
    } else if (DLxAnchorPoint* gone = other->m_anchor.get()) {
        RSe::PrepareWrite(other);
        other->m_anchor.Clear();
        RDxFragment* f = gone->GetFragment().get();
        if (!f || !f->DeleteNode(gone)) RSe::DeleteObject(gone);
    }
    if (DUxArrowHeadState* state = m_arrowHead.get()) {
        if (!other->m_arrowHead) {
            RSe::PrepareWrite(other);
            other->m_arrowHead = DUxArrowHeadState::Create(fragment, state->GetTemplateId());
        }
        state->PassValue(other->m_arrowHead.get(), 0);
    } else if (other->m_arrowHead) {
        other->SetArrowHeadState(nullptr);
    }
}

DUxArrowHeadState* DLxTerminalLeaderNode::GetArrowHeadState() const {
    return m_arrowHead.get();
}

void DLxTerminalLeaderNode::SetArrowHeadState(DUxArrowHeadState* state) {
    if (m_arrowHead.GetTarget() == state && !m_arrowHead.IsTargetDeleted()) return;
    RSe::PrepareWrite(this);
    if (DUxArrowHeadState* old = m_arrowHead.get()) {
        RDxFragment* f = old->GetFragment().get();
        if (!f || !f->DeleteNode(old)) RSe::DeleteObject(old);
    }
    m_arrowHead = state;
}

void DLxTerminalLeaderNode::SetTerminalPoint(const WqGePoint3d& point) {
    DLxAnchorPoint* anchor = m_anchor.get();
    if (!anchor) return;
    CachePoint(point);
    anchor->SetPoint(point);
}

bool DLxTerminalLeaderNode::IsAttachedToAnnotation() const {
    DLxAnchorPoint* anchor = m_anchor.get();
    DUxGeometryProxy* proxy = anchor ? anchor->GetGeometryProxy() : nullptr;
    return proxy && proxy->GetAnnotationInstance();
}

bool DLxTerminalLeaderNode::IsUnbrokenPointRemoved() const {
    DLxAnchorPoint* anchor = m_anchor.get();
    return anchor && anchor->IsUnbrokenPointRemoved();
}

bool DLxTerminalLeaderNode::IsAnchorSuppressed() const {
    DLxAnchorPoint* anchor = m_anchor.get();
    return anchor && DLxPrefUtil::GetSuppressAnnotations() && anchor->IsSuppressed();
}

bool DLxTerminalLeaderNode::GetLineOfAnchorGeometry(DUxLineGeometry& line) const {
    DLxAnchorPoint* anchor = m_anchor.get();
    DUxGeometryProxy* proxy = anchor ? anchor->GetGeometryProxy() : nullptr;
    return proxy && proxy->IsValid() && proxy->GetLineOfEntity(line);
}

bool DLxTerminalLeaderNode::GetCircArcOfAnchorGeometry(DUxArcGeometry& arc) const {
    DLxAnchorPoint* anchor = m_anchor.get();
    DUxGeometryProxy* proxy = anchor ? anchor->GetGeometryProxy() : nullptr;
    return proxy && proxy->IsValid() && proxy->GetCircArcOfEntity(arc);
}

WqGePoint3d DLxTerminalLeaderNode::UnbrokenToBroken(const WqGePoint3d& point) const {
    DLxAnchorPoint* anchor = m_anchor.get();
    return anchor ? anchor->UnbrokenToBroken(point) : point;
}

bool DLxTerminalLeaderNode::GetNormalAtAnchorGeometry(const WqGePoint3d& point,
                                                      WqGeVector3d& normal) const {
    DLxAnchorPoint* anchor = m_anchor.get();
    DUxGeometryProxy* proxy = anchor ? anchor->GetGeometryProxy() : nullptr;
    return proxy && proxy->GetNormalAtPointOnEntity(point, normal);
}

void DLxTerminalLeaderNode::GetOwnedObjects(std::vector<RSeVMeta*>& out) const {
    if (DLxAnchorPoint* anchor = m_anchor.get()) out.push_back(anchor);
    if (DUxArrowHeadState* state = m_arrowHead.get()) out.push_back(state);
}

void DLxTerminalLeaderNode::DeleteOwnedObjects() {
    if (m_arrowHead) SetArrowHeadState(nullptr);
    DLxAnchorPoint* anchor = m_anchor.get();
    if (!anchor) return;
    RDxFragment* fragment = anchor->GetFragment().get();
    if (fragment && fragment->IsFlagOn(kFragmentTearDown)) return;
    // The anchor and every node of its fragment that reads it, through any number of steps.
    std::vector<RDxNode*> doomed = {anchor};
    if (fragment) {
        bool grew = true;
        while (grew) {
            grew = false;
            for (const RSeRef<RDxNode>& r : fragment->GetNodes()) {
                RDxNode* n = r.get();
                if (!n || n == this || std::find(doomed.begin(), doomed.end(), n) != doomed.end())
                    continue;
                std::vector<RDxNode*> deps;
                n->CollectDependencies(deps);
                for (RDxNode* d : deps)
                    if (std::find(doomed.begin(), doomed.end(), d) != doomed.end()) {
                        doomed.push_back(n);
                        grew = true;
                        break;
                    }
            }
        }
    }
    RSe::PrepareWrite(this);
    m_anchor.Clear();
    for (RDxNode* n : doomed)
        if (!fragment || !fragment->DeleteNode(n)) RSe::DeleteObject(n);
}
