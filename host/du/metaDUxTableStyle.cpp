// Storage of the table styles, each version 0.
//   DUxTableStyle (after the style's part): title (text), use title (bool), direction, rotation,
//     heading position, line spacing (longs), title, heading and row gaps (doubles), the data,
//     heading and title texts (font id (long) and height (double) each), the columns and the
//     custom columns (counted reference lists) and the filter list (reference).
//   DUxTableStylePartsList (after the table style's part): the group keys (counted reference list);
//   from version 1 grouping, display grouped item numbers, display participants (bools).
//   Version 0 stored no switches: they read as off. Version 2 adds recover default prefix
//   (bool), off in older styles.
#include "du/DUxTableStyle.h"

#include "dc/RDxPersist.h"
#include "du/DUxTableRowFilter.h"
#include "du/DUxTableStyleColumn.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"

namespace {
void StyleGuid(UTxGUID& g) {
    g = UTxGUID(0x3b7d2c40, 0x8e5f4a21, 0x9c0d1e2f, 0x30415230);
}
void PartsListStyleGuid(UTxGUID& g) {
    g = UTxGUID(0x3b7d2c41, 0x8e5f4a21, 0x9c0d1e2f, 0x30415231);
}

template <class E> void ReadEnum(RSeStream& s, E& v, int32_t last, const char16_t* what) {
    int32_t raw = 0;
    s.Read(raw);
    if (raw < 0 || raw > last)
        RSe::ThrowDamaged(UTxString16(u"a table style's ") + what + u" is out of range");
    v = E(raw);
}

void LoadLook(RSeStream& s, DUxTableStyle::TextLook& look) {
    s.Read(look.fontId);
    s.Read(look.height);
}
void SaveLook(RSeStream& s, const DUxTableStyle::TextLook& look) {
    s.Write(look.fontId);
    s.Write(look.height);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxTableStyle*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxTableStyle>(u"DUxTableStyle", &StyleGuid, 0, RSeMetaType::kClass,
                                   RSe::_InitMeta(static_cast<const FWxStyle*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxTableStyle* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DUxTableStylePartsList*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxTableStylePartsList>(
        u"DUxTableStylePartsList", &PartsListStyleGuid, 2, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DUxTableStyle*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxTableStylePartsList* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_styleMeta = RSe::_InitMeta(static_cast<const DUxTableStyle*>(nullptr));
static RSeMetaType* const s_partsListStyleMeta =
    RSe::_InitMeta(static_cast<const DUxTableStylePartsList*>(nullptr));

RSeMetaType* DUxTableStyle::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DUxTableStylePartsList::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxTableStyle::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_title);
    s.Read(m_useTitle);
    ReadEnum(s, m_direction, eBottomUp, u"direction");
    ReadEnum(s, m_rotation, eRot270, u"rotation");
    ReadEnum(s, m_heading, eNoHeading, u"heading position");
    s.Read(m_lineSpacing);
    s.Read(m_titleGap);
    s.Read(m_headingGap);
    s.Read(m_rowGap);
    LoadLook(s, m_text);
    LoadLook(s, m_headingText);
    LoadLook(s, m_titleText);
    RDxPersist::LoadRefs(s, m_columns);
    RDxPersist::LoadRefs(s, m_customColumns);
    s.Read(m_filters);
}
void DUxTableStyle::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    RDxPersist::FixRefs(m_columns, ctx);
    RDxPersist::FixRefs(m_customColumns, ctx);
    m_filters.FixAddress(ctx);
}
void DUxTableStyle::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_title);
    s.Write(m_useTitle);
    s.Write(int32_t(m_direction));
    s.Write(int32_t(m_rotation));
    s.Write(int32_t(m_heading));
    s.Write(m_lineSpacing);
    s.Write(m_titleGap);
    s.Write(m_headingGap);
    s.Write(m_rowGap);
    SaveLook(s, m_text);
    SaveLook(s, m_headingText);
    SaveLook(s, m_titleText);
    RDxPersist::SaveRefs(s, m_columns);
    RDxPersist::SaveRefs(s, m_customColumns);
    s.Write(m_filters);
}
UTxResult DUxTableStyle::Clone(DUxTableStyle* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    t->m_title = m_title;
    t->m_useTitle = m_useTitle;
    t->m_direction = m_direction;
    t->m_rotation = m_rotation;
    t->m_heading = m_heading;
    t->m_lineSpacing = m_lineSpacing;
    t->m_titleGap = m_titleGap;
    t->m_headingGap = m_headingGap;
    t->m_rowGap = m_rowGap;
    t->m_text = m_text;
    t->m_headingText = m_headingText;
    t->m_titleText = m_titleText;
    RDxPersist::CloneRefs(m_columns, t->m_columns, cc);
    RDxPersist::CloneRefs(m_customColumns, t->m_customColumns, cc);
    cc->CloneRef(m_filters, t->m_filters);
    return {};
}

void DUxTableStylePartsList::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    RDxPersist::LoadRefs(s, m_groupKeys);
    s.Read(m_grouping);
    s.Read(m_displayGroupedItemNumber);
    s.Read(m_displayParticipants);
    s.Read(m_recoverDefaultPrefix);
}
void DUxTableStylePartsList::LoadMigrate(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    RDxPersist::LoadRefs(s, m_groupKeys);
    m_grouping = m_displayGroupedItemNumber = m_displayParticipants = false;
    m_recoverDefaultPrefix = false;
    if (s.GetMetaContext().GetStoredVersion() < 1) return;
    s.Read(m_grouping);
    s.Read(m_displayGroupedItemNumber);
    s.Read(m_displayParticipants);
}
void DUxTableStylePartsList::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    RDxPersist::FixRefs(m_groupKeys, ctx);
}
void DUxTableStylePartsList::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    RDxPersist::SaveRefs(s, m_groupKeys);
    s.Write(m_grouping);
    s.Write(m_displayGroupedItemNumber);
    s.Write(m_displayParticipants);
    s.Write(m_recoverDefaultPrefix);
}
UTxResult DUxTableStylePartsList::Clone(DUxTableStylePartsList* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    RDxPersist::CloneRefs(m_groupKeys, t->m_groupKeys, cc);
    t->m_grouping = m_grouping;
    t->m_displayGroupedItemNumber = m_displayGroupedItemNumber;
    t->m_displayParticipants = m_displayParticipants;
    t->m_recoverDefaultPrefix = m_recoverDefaultPrefix;
    return {};
}
