// Storage of the leader styles, version 0 (after the style's part): the colour as its mode
// (bool: indexed) and value (unsigned long), the line weight and the line type (longs).
#include "du/DUxLeaderStyle.h"

#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x6c2e9a41, 0x52d84b17, 0x8e0f3a6b, 0x1d47c2a9);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxLeaderStyle*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxLeaderStyle>(u"DUxLeaderStyle", &InitGuid, 0, RSeMetaType::kClass,
                                    RSe::_InitMeta(static_cast<const FWxStyle*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxLeaderStyle* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxLeaderStyle*>(nullptr));

// Documents find their leader styles under the collection name.
static const bool s_kind = [] {
    FWxStylesCollection::RegisterKind(DUxLeaderStyle::GetInternalStylesCollectionNameStatic(),
                                      s_meta);
    return true;
}();

RSeMetaType* DUxLeaderStyle::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxLeaderStyle::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    bool indexed = false;
    uint32_t value = 0;
    s.Read(indexed);
    s.Read(value);
    m_color = indexed ? SMxColor::FromIndex(value) : SMxColor::FromPackedRgba(value);
    s.Read(m_lineWeight);
    s.Read(m_lineType);
}

void DUxLeaderStyle::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_color.IsIndex());
    s.Write(m_color.GetValue());
    s.Write(m_lineWeight);
    s.Write(m_lineType);
}

UTxResult DUxLeaderStyle::Clone(DUxLeaderStyle* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_color = m_color;
    target->m_lineWeight = m_lineWeight;
    target->m_lineType = m_lineType;
    return {};
}
