#include "Command/DLxSymbolEditCmd.h"

#include "dc/RDxInstance.h"
#include "dl/DLxInstanceTransientObj.h"
#include "du/DUxEmblem.h"
#include "du/DUxEmblemSelection.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"

DLxSymbolEditCmd::DLxSymbolEditCmd(FWxSceneDoc* doc) : FWxDocCmd(doc) {}

DLxSymbolEditCmd::~DLxSymbolEditCmd() = default;

RSeRef<RDxInstance> DLxSymbolEditCmd::GetSelectedEmblem() const {
    FWxSelectionSetMgr* mgr = FWxSelectionSetMgr::Get(GetDocument());
    FWxSelectionSet* set = mgr ? mgr->GetDrawSelectionSet() : nullptr;
    if (!set || set->IsEmpty()) return {};
    // Only the first selection counts.
    const auto* selection = dynamic_cast<const DUxEmblemSelection*>(set->GetAt(0).get());
    return RSeRef<RDxInstance>(selection ? selection->Emblem() : nullptr);
}

bool DLxSymbolEditCmd::OnInitialize() {
    m_preview.reset();
    m_instance = GetSelectedEmblem();
    if (!m_instance.HasTarget()) return false;
    auto preview = std::make_unique<DLxInstanceTransientObj>(m_instance);
    if (!preview->CloneInstance()) {
        m_instance = {};
        return false;
    }
    m_preview = std::move(preview);
    RecomputePreview();
    return true;
}

void DLxSymbolEditCmd::OnTerminate(int32_t cancel) {
    // The edit may read the copy: apply before dropping it.
    if (cancel == 0 && m_preview) PostEditRequest();
    m_preview.reset();
    m_instance = {};
}

RDxInstance* DLxSymbolEditCmd::GetTransientInstance() const {
    return m_preview ? m_preview->GetClonedInstance() : nullptr;
}

void DLxSymbolEditCmd::RecomputePreview() {
    // The preview shows what it can; its diagnoses go with it.
    if (m_preview) (void)m_preview->Recompute();
}
