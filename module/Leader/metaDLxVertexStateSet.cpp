#include "Leader/DLxVertexStateSet.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"

namespace {
// {93c5bea1-74d7-11d1-9d4b-080009d9311e}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x93c5bea1, 0x74d711d1, 0x9d4b0800, 0x09d9311e);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxVertexStateSet*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxVertexStateSet>(
        u"DLxVertexStateSet", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RDxStateSet*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxVertexStateSet* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxVertexStateSet::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxVertexStateSet::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    int32_t n = 0;
    s.Read(n);
    if (n < 0) RSe::ThrowDamaged(u"a vertex set has a negative number of points");
    s.CheckCount(uint32_t(n), 27); // three doubles, each with its tag
    m_points.reserve(m_points.size() + size_t(n));
    for (int32_t i = 0; i < n; ++i) {
        WqGePoint3d p;
        s.Read(p.x);
        s.Read(p.y);
        s.Read(p.z);
        m_points.push_back(p);
    }
}

void DLxVertexStateSet::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(int32_t(m_points.size()));
    for (const WqGePoint3d& p : m_points) {
        s.Write(p.x);
        s.Write(p.y);
        s.Write(p.z);
    }
}

UTxResult DLxVertexStateSet::Clone(DLxVertexStateSet* target, RSeCloneCommander* cc) const {
    if (UTxResult r = RSeMetaType::PlainClone(this, target, cc); r.Failed()) return r;
    target->m_points = m_points;
    return {};
}
