#pragma once
// Model references: a referencing object (a parts list) shows a component of the model in a
// chosen state, such as one of its design views. The binding is a stored UFRxInstance made on
// the database and the master component, holding the states it refers to per client (a
// design view for UFRx::DesignView); an embedded reference (UFRxRef) targets the instance.
// Reactors on a reference hear the notification fields they observe when the instance
// recaches them (UFRxNotificationParticipant::RecacheReactionField).
//
// Stored record of an instance: master component (reference), segment load state (text), the
// referenced states (count, then client (int32) and name (text) each).
#include <cstdint>
#include <string>
#include <vector>

#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"

class RDxComponent;

namespace UFRx {
// The clients of referenced states.
constexpr int32_t DesignView = 1;
} // namespace UFRx

// A state of a component that a reference can show: its client and its name. Design views
// keep theirs; an instance keeps copies of those it refers to.
class UFRxState {
public:
    UFRxState() = default;
    UFRxState(int32_t client, std::u16string name) : m_client(client), m_name(std::move(name)) {}
    int32_t Client() const { return m_client; }
    const std::u16string& Name() const { return m_name; }
    bool operator==(const UFRxState&) const = default;

private:
    int32_t m_client = 0;
    std::u16string m_name;
};

class UFRxNotificationField {
public:
    UFRxNotificationField(int32_t field, bool value) : m_field(field), m_value(value) {}
    int32_t Field() const { return m_field; }
    bool Bool() const { return m_value; }

private:
    int32_t m_field;
    bool m_value;
};

// What reactors listen to: each live reference that targets the participant hands the field
// to its reactors that observe it.
class UFRxNotificationParticipant {
public:
    virtual ~UFRxNotificationParticipant() = default;
    // Answers how many reactors heard it. `value` is what the field now says (its Bool()).
    int32_t RecacheReactionField(int32_t field, bool value = false);
};

class UFRxInstance : public RSeIDed, public UFRxNotificationParticipant {
public:
    UFRxInstance() = default;
    explicit UFRxInstance(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;

    // A new instance in the master component's segment; null without a database or a master
    // component of that database.
    static UFRxInstance* Make(RSeDatabase* db, RDxComponent* master);

    RDxComponent* GetMaster() const;
    // Adds a copy of the state at `index` among the referenced states (past the end, as
    // 0xffffffff is: at the end). False for a null state.
    bool AddRefdState(const UFRxState* state, uint32_t index, bool notify);
    // Removes the referenced states of the client; answers how many went.
    int32_t RemoveRefdStates(int32_t client, bool notify);
    // The first referenced state of the client; null for none.
    const UFRxState* GetRefdState(int32_t client) const;
    const std::vector<UFRxState>& GetRefdStates() const { return m_states; }
    // The instance goes; references to it answer null.
    void Delete();
    // The segment whose loading brings the instance's model in (a sheet's).
    void SegmentLoadState(const std::u16string& segmentName);
    const std::u16string& GetSegmentLoadState() const { return m_loadState; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(UFRxInstance* target, RSeCloneCommander* cc) const;

private:
    RSeRefBase m_master;
    std::u16string m_loadState;
    std::vector<UFRxState> m_states;
};

namespace RSe {
RSeMetaType* _InitMeta(const UFRxInstance*);
RSeMetaType* _GetMeta(const UFRxInstance*);
} // namespace RSe
