// Storage of the data-source observers, version 0.
//   DLxPartListDataSourceObserver (abstract): the base record only.
//   DLxPartListAssemblyDataSourceObserver: the node, then the observed object (two refs). The
//   listener is not stored: restore and clone attach it again. A clone copies the node through
//   the clone commander and keeps the observed object as it is.
#include "BofM/DLxPartListDataSourceObserver.h"
#include "BofM/DLxPersistUtil.h"
#include "dc/RDxNode.h"
#include "rse/RSeMeta.h"

namespace {
// {039838cc-a4e2-11d2-8bcd-080009db8810}
void BaseGuid(UTxGUID& g) {
    g = UTxGUID(0x039838CC, 0xA4E211D2, 0x8BCD0800, 0x09DB8810);
}
// {039838d2-a4e2-11d2-8bcd-080009db8810}
void AssemblyGuid(UTxGUID& g) {
    g = UTxGUID(0x039838D2, 0xA4E211D2, 0x8BCD0800, 0x09DB8810);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListDataSourceObserver*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxPartListDataSourceObserver>(
        u"DLxPartListDataSourceObserver", &BaseGuid, 0, RSeMetaType::kAbstractClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxPartListDataSourceObserver* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DLxPartListAssemblyDataSourceObserver*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxPartListAssemblyDataSourceObserver>(
        u"DLxPartListAssemblyDataSourceObserver", &AssemblyGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxPartListDataSourceObserver*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxPartListAssemblyDataSourceObserver* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxPartListDataSourceObserver::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxPartListAssemblyDataSourceObserver::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxPartListAssemblyDataSourceObserver::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_node);
    s.Read(m_observed);
    m_listener.reset();
}

void DLxPartListAssemblyDataSourceObserver::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_node);
    s.Write(m_observed);
}

void DLxPartListAssemblyDataSourceObserver::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_node.FixAddress(ctx);
    m_observed.FixAddress(ctx);
}

UTxResult DLxPartListAssemblyDataSourceObserver::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    Attach();
    return {};
}

UTxResult DLxPartListAssemblyDataSourceObserver::Clone(DLxPartListAssemblyDataSourceObserver* t,
                                                       RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    cc->CloneRef(m_node, t->m_node);
    t->m_observed = m_observed;
    t->m_listener.reset();
    return {};
}

UTxResult DLxPartListAssemblyDataSourceObserver::PostClone(DLxPartListAssemblyDataSourceObserver* src,
                                                           RSeCloneCommander* cc) {
    DLxPersistUtil::PostCloneBase(this, src, cc);
    Attach();
    return {};
}
