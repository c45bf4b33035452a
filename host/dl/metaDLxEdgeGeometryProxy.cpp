#include "dl/DLxEdgeGeometryProxy.h"
#include "dl/DLxViewInstance.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b13, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxEdgeGeometryProxy*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxEdgeGeometryProxy>(
        u"DLxEdgeGeometryProxy", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DUxGeometryProxy*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxEdgeGeometryProxy* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta =
    RSe::_InitMeta(static_cast<const DLxEdgeGeometryProxy*>(nullptr));

RSeMetaType* DLxEdgeGeometryProxy::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxEdgeGeometryProxy::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_view);
    s.Read(m_edgeId);
}

void DLxEdgeGeometryProxy::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_view);
    s.Write(m_edgeId);
}

void DLxEdgeGeometryProxy::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_view.FixAddress(ctx);
}

UTxResult DLxEdgeGeometryProxy::Clone(DLxEdgeGeometryProxy* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    cc->CloneRef(m_view, target->m_view);
    target->m_edgeId = m_edgeId;
    return {};
}
