#include "dl/DLxDimGeometryProxy.h"
#include "du/DUxEmblem.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b1d, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxDimGeometryProxy*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxDimGeometryProxy>(
        u"DLxDimGeometryProxy", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DUxGeometryProxy*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxDimGeometryProxy* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxDimGeometryProxy*>(nullptr));

RSeMetaType* DLxDimGeometryProxy::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxDimGeometryProxy::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    RSeLoadData(s, m_start);
    RSeLoadData(s, m_end);
    s.Read(m_type);
    s.Read(m_dimension);
}

void DLxDimGeometryProxy::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    RSeSaveData(s, m_start);
    RSeSaveData(s, m_end);
    s.Write(m_type);
    s.Write(m_dimension);
}

void DLxDimGeometryProxy::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_dimension.FixAddress(ctx);
}

UTxResult DLxDimGeometryProxy::Clone(DLxDimGeometryProxy* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_start = m_start;
    target->m_end = m_end;
    target->m_type = m_type;
    cc->CloneRef(m_dimension, target->m_dimension);
    return {};
}
