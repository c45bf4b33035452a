#include "Symbol/DLxBalloon.h"

#include "Leader/DLxCLeader.h"
#include "Standard/DLxCBalloon.h"
#include "rse/RSeTransaction.h"

DLxBalloon::DLxBalloon(const RSeStream* s) : DLxSymbol(s) {}

// The balloon owns its records.
DLxBalloon::~DLxBalloon() {
    if (RSeIDed* data = m_balloonData.GetTarget()) RSe::DeleteObject(data);
    for (const RSeRef<DLxCTableCallout>& attached : m_attached)
        if (RSeIDed* entry = attached.GetTarget()) RSe::DeleteObject(entry);
}

WqGePoint3d DLxBalloon::GetAttachPoint() const {
    const auto* data = static_cast<const DLxCTableCallout*>(m_balloonData.GetTarget());
    return data ? data->origin() : WqGePoint3d();
}

UTxResult DLxBalloon::MoveToLeader(const WqGeVector3d&, DLxCLeader* leader) {
    auto* data = static_cast<DLxCTableCallout*>(m_balloonData.get());
    if (!leader || !data) return {};
    const WqGeVector3d moved = leader->GetRootPoint() - data->origin();
    data->setOrigin(leader->GetRootPoint());
    for (const RSeRef<DLxCTableCallout>& attached : m_attached)
        if (DLxCTableCallout* entry = attached.get()) entry->setOrigin(entry->origin() + moved);
    return {};
}
