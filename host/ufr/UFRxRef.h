#pragma once
// A reference to a UFRx instance, embedded in the object that refers (not an object of its
// own), with the reactors that listen on it. The reactors are the referrer's members: they
// join the reference when made and leave it when they go.
//
// Embedded record (the owner writes it where its own record says): instance, component
// (references).
#include <cstdint>
#include <vector>

#include "rse/RSeRef.h"

class RDxComponent;
class RSeCloneCommander;
class RSeMetaContext;
class RSeStream;
class UFRxInstance;
class UFRxNotificationField;
class UFRxRef;

// Where a reference points: an instance and the component it shows.
class UFRxRefTarget {
public:
    UFRxRefTarget(UFRxInstance* instance, RDxComponent* component)
        : m_instance(instance), m_component(component) {}
    UFRxInstance* GetInstance() const { return m_instance; }
    RDxComponent* GetComponent() const { return m_component; }

private:
    UFRxInstance* m_instance;
    RDxComponent* m_component;
};

class UFRxRefReactor {
public:
    UFRxRefReactor(UFRxRef* ref, int32_t name);
    UFRxRefReactor(const UFRxRefReactor&) = delete;
    UFRxRefReactor& operator=(const UFRxRefReactor&) = delete;
    virtual ~UFRxRefReactor();

    int32_t GetName() const { return m_name; }
    UFRxRef* GetRef() const { return m_ref; }
    void Observe(int32_t field, bool observe);
    bool Observes(int32_t field) const;

    // A field it observes was recached; the answer is the reactor's own (the base's false).
    virtual bool OnNotify(const UFRxNotificationField& field);
    virtual void OnPreInstanceDeactivate() {}
    virtual void OnRefDeleted() {}
    virtual void OnPreRefContextDelete() {}
    virtual void OnPostInstanceActivate() {}

private:
    friend class UFRxRef;
    UFRxRef* m_ref;
    int32_t m_name;
    std::vector<int32_t> m_fields;
};

class UFRxRef {
public:
    UFRxRef();
    UFRxRef(const UFRxRef&) = delete;
    UFRxRef& operator=(const UFRxRef&) = delete;
    virtual ~UFRxRef();

    void Target(const UFRxRefTarget& target);
    // Null when untargeted or when the instance was deleted.
    UFRxInstance* GetInstance() const;
    RDxComponent* GetComponent() const;
    const std::vector<UFRxRefReactor*>& GetReactors() const { return m_reactors; }

    // The live references that target the instance, in the order they were made.
    static std::vector<UFRxRef*> RefsTo(const UFRxInstance* instance);

    void Save(RSeStream& s) const;
    void Load(RSeStream& s);
    void FixPtrs(RSeMetaContext& ctx);
    void CloneTo(UFRxRef& target, RSeCloneCommander* cc) const;

private:
    friend class UFRxRefReactor;
    RSeRefBase m_instance;
    RSeRefBase m_component;
    std::vector<UFRxRefReactor*> m_reactors;
};

// The reference a referrer holds at its root: its kind and flags are fixed by the referrer.
class UFRxRootRef : public UFRxRef {
public:
    UFRxRootRef(int32_t kind, int32_t flags) : m_kind(kind), m_flags(flags) {}
    int32_t GetKind() const { return m_kind; }
    int32_t GetFlags() const { return m_flags; }

private:
    int32_t m_kind;
    int32_t m_flags;
};
