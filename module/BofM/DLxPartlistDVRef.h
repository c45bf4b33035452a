#pragma once
// A parts list's reference to the design view its rows follow: the binding to a UFRx instance
// of the bill's master component, and the reactor that tells the parts list's bill when what
// the design view shows changes (fields 22 and 9). The parts list embeds it, stores it as its
// UFRxRef record, and tells it its owner whenever it is made, loaded or copied.
#include <cstdint>

#include "ufr/UFRxRef.h"

class RDxNode;
class DLxPartlistDVRef;

class DLxPartlistDVRefReactor : public UFRxRefReactor {
public:
    static constexpr int32_t kName = 23;
    // Fields it observes: the referenced state changed (22), the state's validity (9).
    static constexpr int32_t kStateChanged = 22;
    static constexpr int32_t kStateValid = 9;

    explicit DLxPartlistDVRefReactor(DLxPartlistDVRef* ref);
    // Field 22, or field 9 saying false, marks the owner dirty in its bill; the answer is
    // whether it was marked (false without an owner or a bill that has it).
    bool OnNotify(const UFRxNotificationField& field) override;
};

class DLxPartlistDVRef : public UFRxRootRef {
public:
    DLxPartlistDVRef();
    // Load constructor: the owner comes back from the parts list that loads it.
    explicit DLxPartlistDVRef(const RSeStream*) : DLxPartlistDVRef() {}
    ~DLxPartlistDVRef() override;

    RDxNode* GetOwnerNode() const { return m_owner; }
    void SetOwnerNode(RDxNode* owner) { m_owner = owner; }

private:
    DLxPartlistDVRefReactor m_reactor;
    RDxNode* m_owner = nullptr;
};
