// Storage of the data sources, after the base record:
//   DLxDataSourceProxy (abstract, version 0): nothing;
//   DLxAssemblyProxy (version 0): assembly, children (reference vector);
//   DLxAssemblySurrogateProxy, DLxDataSourcePartProxy (version 1): structure node.
// A version-0 surrogate or part record holds one reference that the very oldest documents
// pointed at their own structure with; it is kept when it names a structure node.
#include "BofM/DLxDataSourceProxy.h"
#include "BofM/DLxPersistUtil.h"
#include "dl/DLxStructureNode.h"
#include "rd/RDxComponent.h"
#include "rse/RSe.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegment.h"

namespace {
RSeMetaType* Base() {
    return RSe::_InitMeta(static_cast<const DLxDataSourceProxy*>(nullptr));
}

// Structure references follow a copy only into another document; within one, the copy
// stands on the same structure.
void CloneStructureRef(const RSeIDed* src, const RSeRef<DLxStructureNode>& from,
                       RSeRef<DLxStructureNode>& to, RSeCloneCommander* cc) {
    const RSeSegment* target = cc->GetTargetSegment();
    if (target && RSe::DatabaseOf(target) != RSe::DatabaseOf(src))
        cc->CloneRef(from, to);
    else
        to = from;
}
} // namespace

#define KORVU_NAME(Class) u"" #Class
#define KORVU_DATA_SOURCE_META(Class, w0, w1, w2, w3, version, flags, base)                        \
    namespace RSe {                                                                                \
    RSeMetaType* _InitMeta(const Class*) {                                                         \
        static RSeMetaType* mt = RSeMakeMeta<Class>(                                               \
            KORVU_NAME(Class), [](UTxGUID& g) { g = UTxGUID(w0, w1, w2, w3); }, version, flags,    \
            base);                                                                                 \
        return mt;                                                                                 \
    }                                                                                              \
    RSeMetaType* _GetMeta(const Class* p) {                                                        \
        return _InitMeta(p);                                                                       \
    }                                                                                              \
    }                                                                                              \
    RSeMetaType* Class::GetMeta() const {                                                          \
        return RSe::_GetMeta(this);                                                                \
    }

KORVU_DATA_SOURCE_META(DLxDataSourceProxy, 0x2C0D60E9, 0x5D9011D2, 0x8BC30800, 0x09DB8810, 0,
                       RSeMetaType::kAbstractClass,
                       RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)))
KORVU_DATA_SOURCE_META(DLxAssemblyProxy, 0x3F2B6F23, 0x54C411D2, 0x8BC30800, 0x09DB8810, 0,
                       RSeMetaType::kClass, Base())
KORVU_DATA_SOURCE_META(DLxAssemblySurrogateProxy, 0x66DD88E4, 0xBBCD11D2, 0x8BCE0800, 0x09DB8810, 1,
                       RSeMetaType::kClass, Base())
KORVU_DATA_SOURCE_META(DLxDataSourcePartProxy, 0x2C0D60F5, 0x5D9011D2, 0x8BC30800, 0x09DB8810, 1,
                       RSeMetaType::kClass, Base())

// ---- older assembly list

void DLxAssemblyProxy::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_assembly);
    DLxPersistUtil::ReadVector(s, m_children);
    m_unused = 0;
}

void DLxAssemblyProxy::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_assembly);
    DLxPersistUtil::WriteVector(s, m_children);
}

void DLxAssemblyProxy::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_assembly.FixAddress(ctx);
    DLxPersistUtil::FixVector(m_children, ctx);
}

UTxResult DLxAssemblyProxy::Clone(DLxAssemblyProxy* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    // The copy lists the same components.
    target->m_assembly = m_assembly;
    target->m_children = m_children;
    target->m_unused = 0;
    return {};
}

// ---- structure of an assembly, part document

#define KORVU_NODE_SOURCE_STORAGE(Class)                                                           \
    void Class::Load(RSeStream& s) {                                                               \
        DLxPersistUtil::LoadBase(this, s);                                                         \
        RSeIRefAllocDisable guard(s.GetSegment());                                                 \
        s.Read(m_node);                                                                            \
    }                                                                                              \
    void Class::LoadMigrate(RSeStream& s) {                                                        \
        if (DLxPersistUtil::StoredVersion(s) > 0)                                                  \
            DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);                                     \
        Load(s);                                                                                   \
    }                                                                                              \
    void Class::Save(RSeStream& s) const {                                                         \
        DLxPersistUtil::SaveBase(this, s);                                                         \
        s.Write(m_node);                                                                           \
    }                                                                                              \
    void Class::FixPtrs(RSeMetaContext& ctx) {                                                     \
        DLxPersistUtil::FixPtrsBase(this, ctx);                                                    \
        m_node.FixAddress(ctx);                                                                    \
    }                                                                                              \
    UTxResult Class::Clone(Class* target, RSeCloneCommander* cc) const {                           \
        DLxPersistUtil::CloneBase(this, target, cc);                                               \
        CloneStructureRef(this, m_node, target->m_node, cc);                                       \
        return {};                                                                                 \
    }

KORVU_NODE_SOURCE_STORAGE(DLxAssemblySurrogateProxy)
KORVU_NODE_SOURCE_STORAGE(DLxDataSourcePartProxy)
