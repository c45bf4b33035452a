#include "dl/DLxDiagEmblemInvalidAnchorPoint.h"

#include "dc/RDxPersist.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxEmblem.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b13, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxDiagEmblemInvalidAnchorPoint*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxDiagEmblemInvalidAnchorPoint>(
        u"DLxDiagEmblemInvalidAnchorPoint", &InitGuid, 0, RSeMetaType::kDiagnosisClass,
        RSe::_InitMeta(static_cast<const UTxDiagnosis*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxDiagEmblemInvalidAnchorPoint* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta =
    RSe::_InitMeta(static_cast<const DLxDiagEmblemInvalidAnchorPoint*>(nullptr));

RSeMetaType* DLxDiagEmblemInvalidAnchorPoint::GetMeta() const {
    return RSe::_GetMeta(this);
}

DLxDiagEmblemInvalidAnchorPoint* DLxDiagEmblemInvalidAnchorPoint::Create(const UTxResult& result,
                                                                         DLxEmblem* emblem,
                                                                         DLxAnchorPoint* anchor) {
    auto* d = new (RSe::_GetMeta(static_cast<const DLxDiagEmblemInvalidAnchorPoint*>(nullptr)),
                   RSe::TransientSegment()) DLxDiagEmblemInvalidAnchorPoint();
    d->SetCode(result.GetCode());
    d->SetText(result.GetMessage());
    d->SetSubject(anchor);
    d->m_emblem = emblem;
    if (anchor) d->m_anchors.emplace_back(anchor);
    return d;
}

DLxAnchorPoint* DLxDiagEmblemInvalidAnchorPoint::GetAnchorPoint(size_t i) const {
    return i < m_anchors.size() ? m_anchors[i].get() : nullptr;
}

void DLxDiagEmblemInvalidAnchorPoint::AddAnchorPoint(DLxAnchorPoint* anchor) {
    if (anchor) m_anchors.emplace_back(anchor);
}

void DLxDiagEmblemInvalidAnchorPoint::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_emblem);
    RDxPersist::LoadRefs(s, m_anchors);
}

void DLxDiagEmblemInvalidAnchorPoint::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_emblem);
    RDxPersist::SaveRefs(s, m_anchors);
}

void DLxDiagEmblemInvalidAnchorPoint::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_emblem.FixAddress(ctx);
    RDxPersist::FixRefs(m_anchors, ctx);
}

UTxResult DLxDiagEmblemInvalidAnchorPoint::Clone(DLxDiagEmblemInvalidAnchorPoint* target,
                                                 RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    cc->CloneRef(m_emblem, target->m_emblem);
    target->m_anchors.resize(m_anchors.size());
    for (size_t i = 0; i < m_anchors.size(); ++i)
        cc->CloneRef(m_anchors[i], target->m_anchors[i]);
    return {};
}
