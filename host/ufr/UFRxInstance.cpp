#include "ufr/UFRxInstance.h"

#include <algorithm>

#include "rd/RDxComponent.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"
#include "ufr/UFRxRef.h"

int32_t UFRxNotificationParticipant::RecacheReactionField(int32_t field, bool value) {
    auto* instance = dynamic_cast<UFRxInstance*>(this);
    if (!instance) return 0;
    const UFRxNotificationField f(field, value);
    int32_t heard = 0;
    // A reactor may unbind (and so delete the instance) while it hears: walk a copy.
    for (UFRxRef* ref : UFRxRef::RefsTo(instance)) {
        const std::vector<UFRxRefReactor*> reactors = ref->GetReactors();
        for (UFRxRefReactor* reactor : reactors)
            if (reactor->Observes(field)) {
                reactor->OnNotify(f);
                ++heard;
            }
    }
    return heard;
}

UFRxInstance* UFRxInstance::Make(RSeDatabase* db, RDxComponent* master) {
    if (!db || !master || master->GetDatabase() != db || !master->GetSegment()) return nullptr;
    auto* instance = new (RSe::_GetMeta(static_cast<const UFRxInstance*>(nullptr)),
                          master->GetSegment()) UFRxInstance();
    instance->m_master.SetTarget(master);
    return instance;
}

RDxComponent* UFRxInstance::GetMaster() const {
    return dynamic_cast<RDxComponent*>(m_master.GetTarget());
}

bool UFRxInstance::AddRefdState(const UFRxState* state, uint32_t index, bool) {
    if (!state) return false;
    RSe::PrepareWrite(this);
    const size_t at = std::min<size_t>(index, m_states.size());
    m_states.insert(m_states.begin() + std::ptrdiff_t(at), *state);
    return true;
}

int32_t UFRxInstance::RemoveRefdStates(int32_t client, bool) {
    const auto n = std::count_if(m_states.begin(), m_states.end(),
                                 [&](const UFRxState& s) { return s.Client() == client; });
    if (!n) return 0;
    RSe::PrepareWrite(this);
    std::erase_if(m_states, [&](const UFRxState& s) { return s.Client() == client; });
    return int32_t(n);
}

const UFRxState* UFRxInstance::GetRefdState(int32_t client) const {
    for (const UFRxState& s : m_states)
        if (s.Client() == client) return &s;
    return nullptr;
}

void UFRxInstance::Delete() {
    RSe::DeleteObject(this);
}

void UFRxInstance::SegmentLoadState(const std::u16string& segmentName) {
    if (segmentName == m_loadState) return;
    RSe::PrepareWrite(this);
    m_loadState = segmentName;
}

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0d01, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const UFRxInstance*) {
    static RSeMetaType* mt =
        RSeMakeMeta<UFRxInstance>(u"UFRxInstance", &InitGuid, 0, RSeMetaType::kClass,
                                  RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const UFRxInstance* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_instance = RSe::_InitMeta(static_cast<const UFRxInstance*>(nullptr));

RSeMetaType* UFRxInstance::GetMeta() const {
    return RSe::_GetMeta(this);
}

void UFRxInstance::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_master);
    s.Read(m_loadState);
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 8);
    m_states.clear();
    for (uint32_t i = 0; i < n; ++i) {
        int32_t client = 0;
        std::u16string name;
        s.Read(client);
        s.Read(name);
        m_states.emplace_back(client, std::move(name));
    }
}

void UFRxInstance::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_master);
    s.Write(m_loadState);
    s.Write(uint32_t(m_states.size()));
    for (const UFRxState& st : m_states) {
        s.Write(st.Client());
        s.Write(st.Name());
    }
}

void UFRxInstance::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_master.FixAddress(ctx);
}

UTxResult UFRxInstance::Clone(UFRxInstance* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    cc->CloneRef(m_master, target->m_master);
    target->m_loadState = m_loadState;
    target->m_states = m_states;
    return {};
}
