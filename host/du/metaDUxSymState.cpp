#include "du/DUxSymState.h"
#include "fw/FWxStyle.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
void SymStateGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0d08, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
void ListStateGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0d09, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxSymState*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxSymState>(u"DUxSymState", &SymStateGuid, 1, RSeMetaType::kClass,
                                 RSe::_InitMeta(static_cast<const RDxState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxSymState* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DUxDisplayListState*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxDisplayListState>(
        u"DUxDisplayListState", &ListStateGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RDxState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxDisplayListState* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_symMeta = RSe::_InitMeta(static_cast<const DUxSymState*>(nullptr));
static RSeMetaType* const s_listMeta =
    RSe::_InitMeta(static_cast<const DUxDisplayListState*>(nullptr));

RSeMetaType* DUxSymState::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DUxDisplayListState::GetMeta() const {
    return RSe::_GetMeta(this);
}

// Version 1 adds the leader-style overrides: their mask, then each value the mask names, in
// the order of its bits. Version 0 had none.
void DUxSymState::LoadFields(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    RSeLoadData(s, m_origin);
    s.Read(m_scale);
    RSeLoadData(s, m_box.min);
    RSeLoadData(s, m_box.max);
    s.Read(m_style);
    s.Read(m_layerStyle);
}

void DUxSymState::Load(RSeStream& s) {
    LoadFields(s);
    DUxLeaderStyleOverrides& o = m_leaderOverrides;
    o = {};
    s.Read(o.mask);
    if (o.mask & ~uint32_t(DUxLeaderStyleOverrides::kAllFields))
        RSe::ThrowDamaged(u"a symbol state names leader-style values that do not exist");
    if (o.Has(DUxLeaderStyleOverrides::kArrowHead)) s.Read(o.arrowHead);
    if (o.Has(DUxLeaderStyleOverrides::kArrowHeadSize)) s.Read(o.arrowHeadSize);
    if (o.Has(DUxLeaderStyleOverrides::kAllAroundDiameter)) s.Read(o.allAroundDiameter);
    if (o.Has(DUxLeaderStyleOverrides::kOvershoot)) s.Read(o.overshoot);
    if (o.Has(DUxLeaderStyleOverrides::kLeaderStyle)) s.Read(o.leaderStyle);
}

void DUxSymState::LoadMigrate(RSeStream& s) {
    LoadFields(s);
    m_leaderOverrides = {};
}

void DUxSymState::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_style.FixAddress(ctx);
    m_layerStyle.FixAddress(ctx);
    m_leaderOverrides.leaderStyle.FixAddress(ctx);
}

void DUxSymState::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    RSeSaveData(s, m_origin);
    s.Write(m_scale);
    RSeSaveData(s, m_box.min);
    RSeSaveData(s, m_box.max);
    s.Write(m_style);
    s.Write(m_layerStyle);
    const DUxLeaderStyleOverrides& o = m_leaderOverrides;
    s.Write(o.mask);
    if (o.Has(DUxLeaderStyleOverrides::kArrowHead)) s.Write(o.arrowHead);
    if (o.Has(DUxLeaderStyleOverrides::kArrowHeadSize)) s.Write(o.arrowHeadSize);
    if (o.Has(DUxLeaderStyleOverrides::kAllAroundDiameter)) s.Write(o.allAroundDiameter);
    if (o.Has(DUxLeaderStyleOverrides::kOvershoot)) s.Write(o.overshoot);
    if (o.Has(DUxLeaderStyleOverrides::kLeaderStyle)) s.Write(o.leaderStyle);
}

UTxResult DUxSymState::Clone(DUxSymState* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_origin = m_origin;
    target->m_scale = m_scale;
    target->m_box = m_box;
    cc->CloneRef(m_style, target->m_style);
    cc->CloneRef(m_layerStyle, target->m_layerStyle);
    target->m_leaderOverrides = m_leaderOverrides;
    cc->CloneRef(m_leaderOverrides.leaderStyle, target->m_leaderOverrides.leaderStyle);
    return {};
}
