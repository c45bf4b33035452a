// DUxWeldStyle, version 0: the style part, then the identification-line type (32-bit), the
// arrow-side position (32-bit), the recover-prefix flag (bool), the identification-line gap
// (double), the font id (32-bit), the font size (double) and the leader style (reference).
#include "du/DUxWeldStyle.h"

#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
// {5c2e9b41-3d7a-4f60-8e15-2a9d04c7b318}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x5c2e9b41, 0x3d7a4f60, 0x8e152a9d, 0x04c7b318);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxWeldStyle*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxWeldStyle>(u"DUxWeldStyle", &InitGuid, 0, RSeMetaType::kClass,
                                  RSe::_InitMeta(static_cast<const FWxStyle*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxWeldStyle* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxWeldStyle*>(nullptr));

// Documents find their weld styles under the collection name.
static const bool s_kind = [] {
    FWxStylesCollection::RegisterKind(DUxWeldStyle::GetInternalStylesCollectionNameStatic(),
                                      s_meta);
    return true;
}();

RSeMetaType* DUxWeldStyle::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxWeldStyle::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_identLineType);
    s.Read(m_arrowSidePosition);
    s.Read(m_recoverPrefix);
    s.Read(m_identLineGap);
    s.Read(m_fontId);
    s.Read(m_fontSize);
    s.Read(m_leaderStyle);
}

void DUxWeldStyle::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_identLineType);
    s.Write(m_arrowSidePosition);
    s.Write(m_recoverPrefix);
    s.Write(m_identLineGap);
    s.Write(m_fontId);
    s.Write(m_fontSize);
    s.Write(m_leaderStyle);
}

void DUxWeldStyle::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_leaderStyle.FixAddress(ctx);
}

UTxResult DUxWeldStyle::Clone(DUxWeldStyle* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_identLineType = m_identLineType;
    target->m_arrowSidePosition = m_arrowSidePosition;
    target->m_recoverPrefix = m_recoverPrefix;
    target->m_identLineGap = m_identLineGap;
    target->m_fontId = m_fontId;
    target->m_fontSize = m_fontSize;
    cc->CloneRef(m_leaderStyle, target->m_leaderStyle);
    return {};
}
