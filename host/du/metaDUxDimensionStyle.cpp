// Storage of the dimension styles, version 0 (after the style's part): the text style
// (reference), the landing flag (bool), the text gap (double), the underlining type (long) and
// the justify-to-leader flag (bool).
#include "du/DUxDimensionStyle.h"

#include "du/DUxTextStyle.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x3b9e4d20, 0x8c1f4a55, 0xa7d26e01, 0x5f0c93b4);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxDimensionStyle*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxDimensionStyle>(u"DUxDimensionStyle", &InitGuid, 0, RSeMetaType::kClass,
                                       RSe::_InitMeta(static_cast<const FWxStyle*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxDimensionStyle* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxDimensionStyle*>(nullptr));

// Documents find their dimension styles under the collection name.
static const bool s_kind = [] {
    FWxStylesCollection::RegisterKind(DUxDimensionStyle::GetInternalStylesCollectionNameStatic(),
                                      s_meta);
    return true;
}();

RSeMetaType* DUxDimensionStyle::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxDimensionStyle::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_textStyle);
    s.Read(m_hasLanding);
    s.Read(m_textGap);
    s.Read(m_underlining);
    s.Read(m_justifyToLeader);
    if (m_underlining < kNoUnderline || m_underlining > kUnderlineExtended)
        m_underlining = kNoUnderline;
}

void DUxDimensionStyle::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_textStyle);
    s.Write(m_hasLanding);
    s.Write(m_textGap);
    s.Write(m_underlining);
    s.Write(m_justifyToLeader);
}

void DUxDimensionStyle::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_textStyle.FixAddress(ctx);
}

UTxResult DUxDimensionStyle::Clone(DUxDimensionStyle* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    cc->CloneRef(m_textStyle, target->m_textStyle);
    target->m_hasLanding = m_hasLanding;
    target->m_textGap = m_textGap;
    target->m_underlining = m_underlining;
    target->m_justifyToLeader = m_justifyToLeader;
    return {};
}
