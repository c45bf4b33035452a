#pragma once
// The data-source observer of an older parts list: a stored object that watches the assembly
// behind the list and marks a node edited when the assembly reports component-instance events
// 26 or 27. What listens is a DLxPartsListAssemblyObserver, never stored: the restore and clone
// steps attach it again when the watched object is still there. Current code makes neither but
// while loading or cloning such documents; an upgrade removes them.
#include <memory>

#include "rse/RSeIDed.h"
#include "rse/RSeNotifier.h"
#include "rse/RSeRef.h"

class DLxPartListAssemblyDataSourceObserver;
class RDxNode;

class DLxPartListDataSourceObserver : public RSeIDed {
public:
    DLxPartListDataSourceObserver() = default;
    explicit DLxPartListDataSourceObserver(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;

    virtual void MarkNodeEdited() = 0;
};

// The live listener: hands component-instance events 26 and 27 on to its owner while active.
class DLxPartsListAssemblyObserver : public RSeObjectObserverM {
public:
    DLxPartsListAssemblyObserver(const RSeRefBase& observed,
                                 DLxPartListAssemblyDataSourceObserver* owner);

    const EventMap* GetEventMap() const override { return &eventMap; }
    // Always false: the event goes on to other observers.
    bool OnComponentInstanceEvent(const RSeEvent& event);
    void SetActive(bool active) { m_active = active; }
    bool IsActive() const { return m_active; }
    const RSeRefBase& GetObserved() const { return m_observed; }

    static const EventMap eventMap;

private:
    RSeRefBase m_observed;
    RSeRef<DLxPartListAssemblyDataSourceObserver> m_owner;
    bool m_active = true;
};

class DLxPartListAssemblyDataSourceObserver : public DLxPartListDataSourceObserver {
public:
    DLxPartListAssemblyDataSourceObserver(const RSeRef<RDxNode>& node, const RSeRefBase& observed);
    explicit DLxPartListAssemblyDataSourceObserver(const RSeStream*) {}
    ~DLxPartListAssemblyDataSourceObserver() override;
    RSeMetaType* GetMeta() const override;

    void MarkNodeEdited() override;
    // Registers the listener when the observed object is alive (and none is registered yet).
    void Attach();

    RSeRef<RDxNode> GetNode() const { return m_node; }
    const RSeRefBase& GetObserved() const { return m_observed; }
    DLxPartsListAssemblyObserver* GetListener() const { return m_listener.get(); }

    // The event set the listener registers for: events 26 and 27.
    static RSeNotifierEventMask EventSet();

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult Clone(DLxPartListAssemblyDataSourceObserver* target, RSeCloneCommander* cc) const;
    UTxResult PostClone(DLxPartListAssemblyDataSourceObserver* source, RSeCloneCommander* cc);

private:
    RSeRef<RDxNode> m_node;
    RSeRefBase m_observed;
    std::unique_ptr<DLxPartsListAssemblyObserver> m_listener;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListDataSourceObserver*);
RSeMetaType* _GetMeta(const DLxPartListDataSourceObserver*);
RSeMetaType* _InitMeta(const DLxPartListAssemblyDataSourceObserver*);
RSeMetaType* _GetMeta(const DLxPartListAssemblyDataSourceObserver*);
} // namespace RSe
