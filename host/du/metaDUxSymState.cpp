#include "du/DUxSymState.h"
#include "fw/FWxStyle.h"
#include "rse/RSeCloneCommander.h"
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
        RSeMakeMeta<DUxSymState>(u"DUxSymState", &SymStateGuid, 0, RSeMetaType::kClass,
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

void DUxSymState::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    RSeLoadData(s, m_origin);
    s.Read(m_scale);
    RSeLoadData(s, m_box.min);
    RSeLoadData(s, m_box.max);
    s.Read(m_style);
    s.Read(m_layerStyle);
}

void DUxSymState::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_style.FixAddress(ctx);
    m_layerStyle.FixAddress(ctx);
}

void DUxSymState::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    RSeSaveData(s, m_origin);
    s.Write(m_scale);
    RSeSaveData(s, m_box.min);
    RSeSaveData(s, m_box.max);
    s.Write(m_style);
    s.Write(m_layerStyle);
}

UTxResult DUxSymState::Clone(DUxSymState* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_origin = m_origin;
    target->m_scale = m_scale;
    target->m_box = m_box;
    cc->CloneRef(m_style, target->m_style);
    cc->CloneRef(m_layerStyle, target->m_layerStyle);
    return {};
}
