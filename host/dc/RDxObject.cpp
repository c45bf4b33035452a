#include "dc/RDxObject.h"

#include "rse/RSeTransaction.h"

// Unchanged values leave the object out of the transaction.
void RDxObject::SetFlag(uint32_t flags) {
    if ((m_flags | flags) == m_flags) return;
    RSe::PrepareWrite(this);
    m_flags |= flags;
}

void RDxObject::ClearFlag(uint32_t flags) {
    if ((m_flags & ~flags) == m_flags) return;
    RSe::PrepareWrite(this);
    m_flags &= ~flags;
}

void RDxObject::SetHealth(bool sick) {
    if (m_sick == sick) return;
    RSe::PrepareWrite(this);
    m_sick = sick;
}
