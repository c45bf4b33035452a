// Storage of the balloon styles, version 0 (after the style's part): default balloon type
// (long, 1 to 9), size (double), scale to text height, stretch balloon to text (bools), offset
// spacing (double), the text style, leader style and alternative leader style (references) and
// the items (counted reference list).
#include "du/DUxBalloonStyle.h"

#include "dc/RDxPersist.h"
#include "du/DUxLeaderStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "du/DUxTextStyle.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x4f8a1d62, 0x7b3e4c90, 0xa15d2e7f, 0x6b09c348);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxBalloonStyle*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxBalloonStyle>(u"DUxBalloonStyle", &InitGuid, 0, RSeMetaType::kClass,
                                     RSe::_InitMeta(static_cast<const FWxStyle*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxBalloonStyle* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxBalloonStyle*>(nullptr));

// Documents find their balloon styles under the collection name.
static const bool s_kind = [] {
    FWxStylesCollection::RegisterKind(DUxBalloonStyle::GetInternalStylesCollectionNameStatic(),
                                      s_meta);
    return true;
}();

RSeMetaType* DUxBalloonStyle::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxBalloonStyle::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    int32_t type = 0;
    s.Read(type);
    if (!IsBalloonType(type)) RSe::ThrowDamaged(u"a balloon style's balloon type is out of range");
    m_type = EBalloonType(type);
    s.Read(m_size);
    s.Read(m_scaleToText);
    s.Read(m_stretchToText);
    s.Read(m_offsetSpacing);
    s.Read(m_textStyle);
    s.Read(m_leaderStyle);
    s.Read(m_altLeaderStyle);
    RDxPersist::LoadRefs(s, m_items);
}

void DUxBalloonStyle::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_textStyle.FixAddress(ctx);
    m_leaderStyle.FixAddress(ctx);
    m_altLeaderStyle.FixAddress(ctx);
    RDxPersist::FixRefs(m_items, ctx);
}

void DUxBalloonStyle::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(int32_t(m_type));
    s.Write(m_size);
    s.Write(m_scaleToText);
    s.Write(m_stretchToText);
    s.Write(m_offsetSpacing);
    s.Write(m_textStyle);
    s.Write(m_leaderStyle);
    s.Write(m_altLeaderStyle);
    RDxPersist::SaveRefs(s, m_items);
}

UTxResult DUxBalloonStyle::Clone(DUxBalloonStyle* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    t->m_type = m_type;
    t->m_size = m_size;
    t->m_scaleToText = m_scaleToText;
    t->m_stretchToText = m_stretchToText;
    t->m_offsetSpacing = m_offsetSpacing;
    cc->CloneRef(m_textStyle, t->m_textStyle);
    cc->CloneRef(m_leaderStyle, t->m_leaderStyle);
    cc->CloneRef(m_altLeaderStyle, t->m_altLeaderStyle);
    RDxPersist::CloneRefs(m_items, t->m_items, cc);
    return {};
}
