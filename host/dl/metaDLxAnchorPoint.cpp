#include "dl/DLxAnchorPoint.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxGeometryProxy.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b12, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxAnchorPoint*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxAnchorPoint>(u"DLxAnchorPoint", &InitGuid, 1, RSeMetaType::kClass,
                                    RSe::_InitMeta(static_cast<const RDxState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxAnchorPoint* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxAnchorPoint*>(nullptr));

RSeMetaType* DLxAnchorPoint::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxAnchorPoint::Load(RSeStream& s) {
    LoadFields(s, true);
}

void DLxAnchorPoint::LoadMigrate(RSeStream& s) {
    LoadFields(s, s.GetMetaContext().GetStoredVersion() >= 1);
}

void DLxAnchorPoint::LoadFields(RSeStream& s, bool withEdge) {
    RSeMetaType::PlainLoad(this, s);
    RSeLoadData(s, m_point);
    s.Read(m_view);
    s.Read(m_proxy);
    s.Read(m_param);
    m_hasEdge = false;
    m_edgeId = 0;
    if (withEdge) {
        s.Read(m_hasEdge);
        s.Read(m_edgeId);
    }
}

void DLxAnchorPoint::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    RSeSaveData(s, m_point);
    s.Write(m_view);
    s.Write(m_proxy);
    s.Write(m_param);
    s.Write(m_hasEdge);
    s.Write(m_edgeId);
}

void DLxAnchorPoint::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_view.FixAddress(ctx);
    m_proxy.FixAddress(ctx);
}

UTxResult DLxAnchorPoint::Clone(DLxAnchorPoint* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_point = m_point;
    cc->CloneRef(m_view, target->m_view);
    cc->CloneRef(m_proxy, target->m_proxy);
    target->m_param = m_param;
    target->m_hasEdge = m_hasEdge;
    target->m_edgeId = m_edgeId;
    return {};
}
