#include "rse/RSeNotifier.h"

#include <algorithm>

namespace {
struct Registration {
    RSeRefBase subject;
    RSeNotifierEventMask mask;
    RSeObjectObserverM* observer;
    int32_t timing;
};

// One thread, as everywhere in the host: a plain list.
std::vector<Registration>& Registrations() {
    // Never destroyed: observers that outlive static destruction still leave it.
    static auto* list = new std::vector<Registration>;
    return *list;
}
uint64_t g_changes = 0;

bool SameSubject(const RSeRefBase& a, const RSeRefBase& b) {
    return a.GetHandle() && a.GetHandle() == b.GetHandle();
}

constexpr RSeObjectObserverM::EventMapEntry kNoEntries[] = {{0, nullptr}};
} // namespace

RSeNotifierEventMask RSeNotifierEventMask::Field(int32_t event, uint32_t pattern) {
    if (event < 0) return {};
    if (event < 14) return {pattern & (3u << (2 * event))};
    return {pattern & (event % 2 ? 0x10000000u : 0x20000000u)};
}

const RSeObjectObserverM::EventMap RSeObjectObserverM::eventMap{nullptr, kNoEntries};

RSeObjectObserverM::~RSeObjectObserverM() {
    RSeNotifier::EraseObserver(this);
}

bool RSeObjectObserverM::OnEvent(const RSeEvent* event) {
    if (!event) return false;
    for (const EventMap* map = GetEventMap(); map; map = map->base)
        for (const EventMapEntry* e = map->entries; e && e->handler; ++e)
            if (e->event == event->Event()) return e->handler(*this, *event);
    return false;
}

void RSeNotifier::NotifyOnEventTo(const RSeRefBase& subject, RSeNotifierEventMask mask,
                                  RSeObjectObserverM* observer, int32_t timing) {
    if (!observer || !subject.GetHandle()) return;
    ++g_changes;
    Registrations().push_back({subject, mask, observer, timing});
}

void RSeNotifier::EraseObserverOf(const RSeRefBase& subject, RSeObjectObserverM* observer) {
    ++g_changes;
    std::erase_if(Registrations(), [&](const Registration& r) {
        return r.observer == observer && SameSubject(r.subject, subject);
    });
}

void RSeNotifier::EraseObserver(RSeObjectObserverM* observer) {
    std::erase_if(Registrations(), [&](const Registration& r) { return r.observer == observer; });
}

int32_t RSeNotifier::Notify(const RSeEvent& event) {
    // A copy: an observer may register or leave while it handles the event.
    std::vector<Registration> targets;
    for (const Registration& r : Registrations())
        if (SameSubject(r.subject, event.Subject()) && r.mask.Contains(event.Event()))
            targets.push_back(r);
    std::stable_sort(
        targets.begin(), targets.end(),
        [](const Registration& a, const Registration& b) { return a.timing < b.timing; });
    int32_t delivered = 0;
    for (const Registration& r : targets) {
        const auto& now = Registrations();
        const bool still = std::any_of(now.begin(), now.end(), [&](const Registration& x) {
            return x.observer == r.observer && SameSubject(x.subject, r.subject);
        });
        if (!still) continue;
        r.observer->OnEvent(&event);
        ++delivered;
    }
    return delivered;
}

int32_t RSeNotifier::NotifyOf(int32_t event, const RSeRefBase& subject) {
    return Notify(RSeEvent(event, subject));
}

int32_t RSe::NotifyOfDelete(RSeIDed* obj) {
    return obj ? RSeNotifier::NotifyOf(RSeNotifier::kDeleteEvent, RSeRefBase(obj)) : 0;
}

size_t RSeNotifier::ObserverCount(const RSeRefBase& subject) {
    return size_t(
        std::count_if(Registrations().begin(), Registrations().end(),
                      [&](const Registration& r) { return SameSubject(r.subject, subject); }));
}

uint64_t RSeNotifier::ChangeCount() {
    return g_changes;
}
