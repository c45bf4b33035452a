#pragma once
// Events on stored objects and the observers that listen for them.
//
// An observer registers with the notifier for a subject (a reference) and a set of events; when
// something tells the notifier of an event on that subject, each observer whose set holds the
// event gets it through OnEvent, which dispatches through the observer's event map (entries
// keyed by event number, the base class's map after its own). Observers are not stored: their
// owner registers them again after a load, and an observer leaves the notifier when it goes.
//
// An event set is one word of 15 two-bit fields. Event n < 14 has field n to itself; events 14
// and above share the last field (bits 28-29), odd events its low bit and even events its high
// bit. RSeNotifierEventMask::Field(n, pattern) takes from `pattern` the bit that event n owns.
#include <cstdint>
#include <vector>

#include "rse/RSeRef.h"

class RSeEvent {
public:
    RSeEvent(int32_t event, const RSeRefBase& subject) : m_event(event), m_subject(subject) {}
    virtual ~RSeEvent() = default;
    int32_t Event() const { return m_event; }
    const RSeRefBase& Subject() const { return m_subject; }

private:
    int32_t m_event;
    RSeRefBase m_subject;
};

struct RSeNotifierEventMask {
    uint32_t word = 0;

    static RSeNotifierEventMask Field(int32_t event, uint32_t pattern);
    bool Contains(int32_t event) const { return (word & Field(event, ~0u).word) != 0; }
    friend RSeNotifierEventMask operator|(RSeNotifierEventMask a, RSeNotifierEventMask b) {
        return {a.word | b.word};
    }
};

class RSeObjectObserverM {
public:
    using Handler = bool (*)(RSeObjectObserverM& observer, const RSeEvent& event);
    struct EventMapEntry {
        int32_t event;
        Handler handler;
    };
    struct EventMap {
        const EventMap* base;
        const EventMapEntry* entries; // ends with an entry whose handler is null
    };

    RSeObjectObserverM() = default;
    RSeObjectObserverM(const RSeObjectObserverM&) = delete;
    RSeObjectObserverM& operator=(const RSeObjectObserverM&) = delete;
    // Leaves the notifier wherever it is still registered.
    virtual ~RSeObjectObserverM();

    // The first handler for the event in this class's map or a base's; false when none.
    virtual bool OnEvent(const RSeEvent* event);
    virtual const EventMap* GetEventMap() const { return &eventMap; }

    static const EventMap eventMap;
};

class RSeNotifier {
public:
    // The event posted on an object that is being deleted.
    static constexpr int32_t kDeleteEvent = 0;

    // Registers `observer` for the events of `mask` on `subject` (a null subject takes
    // nothing). `timing` orders deliveries: lower first, then registration order.
    static void NotifyOnEventTo(const RSeRefBase& subject, RSeNotifierEventMask mask,
                                RSeObjectObserverM* observer, int32_t timing);
    // Removes every registration of `observer` for `subject`.
    static void EraseObserverOf(const RSeRefBase& subject, RSeObjectObserverM* observer);
    // Delivers the event to the observers registered for its subject and event; answers how
    // many got it.
    static int32_t Notify(const RSeEvent& event);
    // Posts event number `event` on the subject (Notify of a plain RSeEvent).
    static int32_t NotifyOf(int32_t event, const RSeRefBase& subject);

    static size_t ObserverCount(const RSeRefBase& subject);
    // Registrations and removals made so far, for tests of who talks to the notifier.
    static uint64_t ChangeCount();

private:
    friend class RSeObjectObserverM;
    static void EraseObserver(RSeObjectObserverM* observer);
};

class RSeIDed;
namespace RSe {
// Tells the object's observers that it is going (kDeleteEvent); answers how many were told.
int32_t NotifyOfDelete(RSeIDed* obj);
} // namespace RSe
