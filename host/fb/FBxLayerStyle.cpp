#include "fb/FBxLayerStyle.h"

#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b01, 0x3c4e11d2, 0x9a110800, 0x09db0102);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const FBxLayerStyle*) {
    static RSeMetaType* mt =
        RSeMakeMeta<FBxLayerStyle>(u"FBxLayerStyle", &InitGuid, 0, RSeMetaType::kClass,
                                   RSe::_InitMeta(static_cast<const FWxStyle*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const FBxLayerStyle* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const FBxLayerStyle*>(nullptr));

RSeMetaType* FBxLayerStyle::GetMeta() const {
    return RSe::_GetMeta(this);
}

void FBxLayerStyle::SetColor(const SMxColor& color) {
    if (color == m_color) return;
    RSe::PrepareWrite(this);
    m_color = color;
    MarkEdited(1);
}

void FBxLayerStyle::SetVisible(bool visible) {
    if (visible == m_visible) return;
    RSe::PrepareWrite(this);
    m_visible = visible;
    MarkEdited(1);
}

// The colour as its mode and value, then the visibility.
void FBxLayerStyle::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    bool indexed = false;
    uint32_t value = 0;
    s.Read(indexed);
    s.Read(value);
    m_color = indexed ? SMxColor::FromIndex(value) : SMxColor::FromPackedRgba(value);
    s.Read(m_visible);
}

void FBxLayerStyle::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_color.IsIndex());
    s.Write(m_color.GetValue());
    s.Write(m_visible);
}

UTxResult FBxLayerStyle::Clone(FBxLayerStyle* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_color = m_color;
    target->m_visible = m_visible;
    return {};
}
