#pragma once
// An event on an entity of a fragment (an annotation, a view) for whoever observes it: its type
// says what happens to it (2: it is going). A type can be locked while a change would send the
// same news many times over; a locked type is not sent. Locks are the process's (one thread).
#include <cstdint>

#include "rse/RSeNotifier.h"

class RDxEntityEvent : public RSeEvent {
public:
    // The notifier's event number of entity events.
    static constexpr int32_t kEntityEvent = 12;
    static constexpr int32_t kTypeCount = 8;

    RDxEntityEvent(int32_t type, const RSeRefBase& entity)
        : RSeEvent(kEntityEvent, entity), m_type(type) {}
    int32_t GetType() const { return m_type; }

    // Whether the reference names a live node of a fragment.
    static bool ValidEntity(const RSeRefBase& entity);
    // Tells the entity's observers unless the type is locked; `phase` is the host's delivery
    // phase mask, kept for the callers' sake. Answers how many observers got it.
    int32_t Send(uint32_t phase) const;

    // Locks or unlocks a type (0 to kTypeCount - 1; others are never locked) and answers the
    // lock it had.
    static bool SetEventLock(int32_t type, bool lock);
    static bool IsEventLocked(int32_t type);

private:
    int32_t m_type;
};
