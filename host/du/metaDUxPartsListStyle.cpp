// Storage of the older parts-list styles, version 0.
//   DUxPartsListStyle (after the style's part): direction, heading (longs), row gap, heading gap
//     (doubles), lines of text (long), title (text), display title, recover default prefix
//     (bools), the text (font id (long), height (double)), three row keys (property set, id
//     and external name each), grouping, show item numbers, display participants (bools), the
//     columns and the removed columns (counted reference lists).
#include "dc/RDxPersist.h"
#include "du/DUxPartsListStyle.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"

namespace {
void StyleGuid(UTxGUID& g) {
    g = UTxGUID(0x5e2a7c33, 0x1b4d4f60, 0x8a9b0c1d, 0x2e3f4a53);
}

template <class E> void ReadEnum(RSeStream& s, E& value, E last, const char16_t* what) {
    int32_t v = 0;
    s.Read(v);
    if (v < 0 || v > int32_t(last))
        RSe::ThrowDamaged(UTxString16(u"an older parts-list style's ") + what +
                          u" is out of range");
    value = E(v);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxPartsListStyle*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxPartsListStyle>(u"DUxPartsListStyle", &StyleGuid, 0, RSeMetaType::kClass,
                                       RSe::_InitMeta(static_cast<const FWxStyle*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxPartsListStyle* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_styleMeta =
    RSe::_InitMeta(static_cast<const DUxPartsListStyle*>(nullptr));

RSeMetaType* DUxPartsListStyle::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxPartsListStyle::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    ReadEnum(s, m_direction, eBottomUp, u"direction");
    ReadEnum(s, m_heading, eNoHeading, u"heading position");
    s.Read(m_rowGap);
    s.Read(m_headingGap);
    ReadEnum(s, m_linesOfText, eMultiLine, u"lines of text");
    s.Read(m_title);
    s.Read(m_displayTitle);
    s.Read(m_recoverDefaultPrefix);
    s.Read(m_text.fontId);
    s.Read(m_text.height);
    for (DUxStyleFormatColumnPropertyID& key : m_rowKeys)
        key.Load(s);
    s.Read(m_grouping);
    s.Read(m_showItemNumbers);
    s.Read(m_displayParticipants);
    RDxPersist::LoadRefs(s, m_columns);
    RDxPersist::LoadRefs(s, m_removedColumns);
}
void DUxPartsListStyle::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    RDxPersist::FixRefs(m_columns, ctx);
    RDxPersist::FixRefs(m_removedColumns, ctx);
}
void DUxPartsListStyle::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(int32_t(m_direction));
    s.Write(int32_t(m_heading));
    s.Write(m_rowGap);
    s.Write(m_headingGap);
    s.Write(int32_t(m_linesOfText));
    s.Write(m_title);
    s.Write(m_displayTitle);
    s.Write(m_recoverDefaultPrefix);
    s.Write(m_text.fontId);
    s.Write(m_text.height);
    for (const DUxStyleFormatColumnPropertyID& key : m_rowKeys)
        key.Save(s);
    s.Write(m_grouping);
    s.Write(m_showItemNumbers);
    s.Write(m_displayParticipants);
    RDxPersist::SaveRefs(s, m_columns);
    RDxPersist::SaveRefs(s, m_removedColumns);
}
UTxResult DUxPartsListStyle::Clone(DUxPartsListStyle* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    t->m_direction = m_direction;
    t->m_heading = m_heading;
    t->m_rowGap = m_rowGap;
    t->m_headingGap = m_headingGap;
    t->m_linesOfText = m_linesOfText;
    t->m_title = m_title;
    t->m_displayTitle = m_displayTitle;
    t->m_recoverDefaultPrefix = m_recoverDefaultPrefix;
    t->m_text = m_text;
    for (int i = 0; i < 3; ++i)
        t->m_rowKeys[i] = m_rowKeys[i];
    t->m_grouping = m_grouping;
    t->m_showItemNumbers = m_showItemNumbers;
    t->m_displayParticipants = m_displayParticipants;
    RDxPersist::CloneRefs(m_columns, t->m_columns, cc);
    RDxPersist::CloneRefs(m_removedColumns, t->m_removedColumns, cc);
    return {};
}
