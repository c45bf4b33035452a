#include "dl/DLxInstanceTransientObj.h"

#include <vector>

#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dc/RDxInstance.h"
#include "dl/DLxEmblem.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeTransaction.h"

namespace {
// What the instance owns: its input states of its own fragment, and of each leader tree its
// nodes and what they own. Other inputs (a view, another symbol) stay shared with the copy.
void CollectOwned(RDxInstance* inst, std::vector<RSeVMeta*>& out) {
    out.push_back(inst);
    RDxFragment* fragment = inst->GetFragment().get();
    for (uint32_t i = 0; i < inst->GetInputStateCount(); ++i) {
        RDxState* state = inst->GetInputState(i);
        if (!state || state->GetFragment().get() != fragment) continue;
        out.push_back(state);
        auto* tree = dynamic_cast<DUxLeaderNodeTree*>(state);
        if (!tree) continue;
        for (int32_t n = 0; n < tree->GetNumNodes(); ++n)
            if (DUxLeaderNode* node = tree->GetNodeAtIndex(n)) {
                out.push_back(node);
                node->GetOwnedObjects(out);
            }
    }
}
} // namespace

DLxInstanceTransientObj::~DLxInstanceTransientObj() {
    EraseInstance();
}

RDxInstance* DLxInstanceTransientObj::GetInstance() const {
    RSeReadOnlyScope reading;
    return dynamic_cast<RDxInstance*>(m_instance.GetTarget());
}

bool DLxInstanceTransientObj::CloneInstance() {
    EraseInstance();
    RDxInstance* inst = GetInstance();
    if (!inst) return false;
    RSeSegment* segment = RSe::TransientSegment();
    std::vector<RSeVMeta*> sources;
    {
        RSeReadOnlyScope reading;
        CollectOwned(inst, sources);
    }
    RSeCloneCommander cc(segment);
    if (cc.Clone(sources).Failed()) return false;
    m_fragment =
        new (RSe::_GetMeta(static_cast<const RDxFragment*>(nullptr)), segment) RDxFragment();
    for (RSeVMeta* src : sources)
        if (auto* node = dynamic_cast<RDxNode*>(cc.CloneOf(src))) m_fragment->AddNode(node);
    m_clone = dynamic_cast<RDxInstance*>(cc.CloneOf(inst));
    if (!m_clone) {
        EraseInstance();
        return false;
    }
    return true;
}

UTxResult DLxInstanceTransientObj::Recompute() {
    if (!m_fragment || !m_clone) return {};
    m_clone->MarkEdited(true);
    RDxComputeContext ctx;
    const UTxResult r = m_fragment->Recompute(ctx);
    // The copy's diagnoses are of no use once it has drawn.
    m_fragment->ClearDiagnoses();
    return r;
}

const SMxDisplayList* DLxInstanceTransientObj::GetPreviewDisplayList() const {
    const auto* emblem = dynamic_cast<const DLxEmblem*>(m_clone);
    return emblem ? emblem->GetSheetDisplayList() : nullptr;
}

void DLxInstanceTransientObj::EraseInstance() {
    RDxFragment* fragment = m_fragment;
    m_fragment = nullptr;
    m_clone = nullptr;
    if (!fragment) return;
    // The copies go with their fragment, nodes first so that none is left pointing at it. A
    // node may take others it owns with it: the handles answer null for those.
    const std::vector<RSeRef<RDxNode>> nodes = fragment->GetNodes();
    for (const RSeRef<RDxNode>& r : nodes)
        if (RDxNode* n = r.get()) fragment->DeleteNode(n);
    RSe::DeleteObject(fragment);
}
