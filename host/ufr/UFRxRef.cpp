#include "ufr/UFRxRef.h"

#include <algorithm>

#include "rd/RDxComponent.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeStream.h"
#include "ufr/UFRxInstance.h"

namespace {
// One thread: a plain list of the references alive, in the order they were made.
std::vector<UFRxRef*>& LiveRefs() {
    static auto* refs = new std::vector<UFRxRef*>;
    return *refs;
}
} // namespace

UFRxRefReactor::UFRxRefReactor(UFRxRef* ref, int32_t name) : m_ref(ref), m_name(name) {
    if (m_ref) m_ref->m_reactors.push_back(this);
}

UFRxRefReactor::~UFRxRefReactor() {
    if (m_ref) std::erase(m_ref->m_reactors, this);
}

void UFRxRefReactor::Observe(int32_t field, bool observe) {
    std::erase(m_fields, field);
    if (observe) m_fields.push_back(field);
}

bool UFRxRefReactor::Observes(int32_t field) const {
    return std::find(m_fields.begin(), m_fields.end(), field) != m_fields.end();
}

bool UFRxRefReactor::OnNotify(const UFRxNotificationField&) {
    return false;
}

UFRxRef::UFRxRef() {
    LiveRefs().push_back(this);
}

UFRxRef::~UFRxRef() {
    std::erase(LiveRefs(), this);
    for (UFRxRefReactor* reactor : m_reactors)
        reactor->m_ref = nullptr;
}

void UFRxRef::Target(const UFRxRefTarget& target) {
    m_instance.SetTarget(target.GetInstance());
    m_component.SetTarget(target.GetComponent());
}

UFRxInstance* UFRxRef::GetInstance() const {
    return dynamic_cast<UFRxInstance*>(m_instance.GetTarget());
}

RDxComponent* UFRxRef::GetComponent() const {
    return dynamic_cast<RDxComponent*>(m_component.GetTarget());
}

std::vector<UFRxRef*> UFRxRef::RefsTo(const UFRxInstance* instance) {
    std::vector<UFRxRef*> out;
    if (!instance) return out;
    for (UFRxRef* ref : LiveRefs())
        if (ref->GetInstance() == instance) out.push_back(ref);
    return out;
}

void UFRxRef::Save(RSeStream& s) const {
    s.Write(m_instance);
    s.Write(m_component);
}

void UFRxRef::Load(RSeStream& s) {
    s.Read(m_instance);
    s.Read(m_component);
}

void UFRxRef::FixPtrs(RSeMetaContext& ctx) {
    m_instance.FixAddress(ctx);
    m_component.FixAddress(ctx);
}

void UFRxRef::CloneTo(UFRxRef& target, RSeCloneCommander* cc) const {
    cc->CloneRef(m_instance, target.m_instance);
    cc->CloneRef(m_component, target.m_component);
}
