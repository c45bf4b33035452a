#include "dc/RDxEntityEvent.h"

#include "dc/RDxNode.h"

namespace {
bool s_locked[RDxEntityEvent::kTypeCount] = {};
bool InRange(int32_t type) {
    return type >= 0 && type < RDxEntityEvent::kTypeCount;
}
} // namespace

bool RDxEntityEvent::ValidEntity(const RSeRefBase& entity) {
    return dynamic_cast<const RDxNode*>(entity.GetTarget()) != nullptr;
}

int32_t RDxEntityEvent::Send(uint32_t) const {
    if (IsEventLocked(m_type)) return 0;
    return RSeNotifier::Notify(*this);
}

bool RDxEntityEvent::SetEventLock(int32_t type, bool lock) {
    if (!InRange(type)) return false;
    const bool was = s_locked[type];
    s_locked[type] = lock;
    return was;
}

bool RDxEntityEvent::IsEventLocked(int32_t type) {
    return InRange(type) && s_locked[type];
}
