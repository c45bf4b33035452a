#include "Leader/DLxCLeaderEnt.h"

#include "Leader/DLxCLeader.h"
#include "Symbol/DLxSymbol.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayListBuilder.h"

DLxCLeaderEnt::DLxCLeaderEnt(DLxSymbol* owner) : m_owner(owner) {
    if (!owner) return;
    m_record = new (RSe::_GetMeta(static_cast<const DLxCLeaderGeneral*>(nullptr)),
                    RSe::TransientSegment()) DLxCLeaderGeneral(RSeRef<DLxSymbol>(owner));
    m_record->SetNotifyOwner(false);
}

DLxCLeaderEnt::~DLxCLeaderEnt() {
    DLxCLeader::Delete(m_record);
}

bool DLxCLeaderEnt::Draw(SMxDisplayList& list) const {
    const DLxSymbol* owner = m_owner.Read();
    if (!m_record || !owner) return false;
    SMxDisplayListBuilder builder(list);
    for (const DLxLeaderSegment& s : owner->CreateLeaderSegments(m_record, true))
        builder.AddLine(s.a, s.b);
    return true;
}
