#include "uc/UCxSelectorState.h"

#include <utility>
#include <vector>

#include "fw/FWxSceneDoc.h"

namespace {
constexpr double kDefaultPickTol = 0.1;
} // namespace

UCxSelectorState::UCxSelectorState(FWxSceneDoc* doc, std::u16string setName, int32_t flags)
    : m_doc(doc), m_setName(std::move(setName)), m_flags(flags) {}

UCxSelectorState::~UCxSelectorState() = default;

FWxEventTarget* UCxSelectorState::OnActivate() {
    m_set.RemoveAll();
    return &m_target;
}

void UCxSelectorState::OnTerminate(int32_t code) {
    FWxComplexState::OnTerminate(code);
}

int32_t UCxSelectorState::OnSelect(const SmartPtr<FWxSelection>& selection, FWxSelectionSet& set) {
    set.Add(selection);
    return FWxStateCode::kGoOn;
}

int32_t UCxSelectorState::OnAccept(FWxSelectionSet&, const FWxEvent&) {
    return FWxStateCode::kFinished;
}

int32_t UCxSelectorState::Pick(const FWxEvent& event) {
    if (!m_doc) return FWxStateCode::kGoOn;
    const double tol = event.worldSelectionTol > 0.0 ? event.worldSelectionTol : kDefaultPickTol;
    const std::vector<RSeIDed*> found = m_doc->PickObjects(event.point, tol);
    for (RSeIDed* object : found) {
        SmartPtr<FWxSelection> selection;
        for (const SmartPtr<SMxTypeFilterItem>& item : m_filter.GetItems()) {
            if (!item->IsEnabled()) continue;
            selection = item->Select(*object, event.point);
            if (selection) break;
        }
        if (!selection) continue;
        OnSelect(selection, m_set);
        break;
    }
    if (m_set.IsEmpty()) return FWxStateCode::kGoOn;
    if (OnAccept(m_set, event) == FWxStateCode::kFinished) return FWxStateCode::kFinished;
    m_set.RemoveAll();
    return FWxStateCode::kGoOn;
}
