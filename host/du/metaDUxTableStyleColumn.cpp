// Storage of the table styles' columns and row keys, each version 0 but the parts-list column.
//   DUxTableStyleColumn: property set, property id, external name (texts); heading alignment,
//     column alignment (longs); width (double); format mode, output unit type (longs); the unit
//     settings (decimal marker (long), unit string, leading zero, trailing zero (bools), linear
//     precision (long), fractional format (bool)); further integer (long), further real
//     (double).
//   DUxTableStylePartsListColumn: then the substitute switch (bool), the substitute property
//     (three texts), substitute behaviour, format mode, output unit type (longs) and the
//     substitute unit settings; version 1 adds the family-table members of the property and of
//     the substitute property (texts), which a column repeated per member shows. Version 0
//     columns show no member.
//   DUxPartsListStyleColumnItem: the parts-list column's, version 0 (made only in the transient
//     segment today).
//   DUxHoleTableStyleColumnItem: the column's part only.
//   DUxRowKey: type, general property id (longs), custom id (text).
#include "du/DUxTableStyleColumn.h"

#include "rse/RSeMeta.h"

namespace {
void ColumnGuid(UTxGUID& g) {
    g = UTxGUID(0x3b7d2c10, 0x8e5f4a21, 0x9c0d1e2f, 0x30415201);
}
void PartsListGuid(UTxGUID& g) {
    g = UTxGUID(0x3b7d2c11, 0x8e5f4a21, 0x9c0d1e2f, 0x30415202);
}
void HoleTableGuid(UTxGUID& g) {
    g = UTxGUID(0x3b7d2c12, 0x8e5f4a21, 0x9c0d1e2f, 0x30415203);
}
void RowKeyGuid(UTxGUID& g) {
    g = UTxGUID(0x3b7d2c13, 0x8e5f4a21, 0x9c0d1e2f, 0x30415204);
}
void StyleColumnItemGuid(UTxGUID& g) {
    g = UTxGUID(0x3b7d2c14, 0x8e5f4a21, 0x9c0d1e2f, 0x30415205);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxTableStyleColumn*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxTableStyleColumn>(
        u"DUxTableStyleColumn", &ColumnGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxTableStyleColumn* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DUxTableStylePartsListColumn*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxTableStylePartsListColumn>(
        u"DUxTableStylePartsListColumn", &PartsListGuid, 1, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DUxTableStyleColumn*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxTableStylePartsListColumn* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DUxPartsListStyleColumnItem*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxPartsListStyleColumnItem>(
        u"DUxPartsListStyleColumnItem", &StyleColumnItemGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DUxTableStylePartsListColumn*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxPartsListStyleColumnItem* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DUxHoleTableStyleColumnItem*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxHoleTableStyleColumnItem>(
        u"DUxHoleTableStyleColumnItem", &HoleTableGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DUxTableStyleColumn*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxHoleTableStyleColumnItem* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DUxRowKey*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxRowKey>(u"DUxRowKey", &RowKeyGuid, 0, RSeMetaType::kClass,
                               RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxRowKey* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_columnMeta =
    RSe::_InitMeta(static_cast<const DUxTableStyleColumn*>(nullptr));
static RSeMetaType* const s_partsListMeta =
    RSe::_InitMeta(static_cast<const DUxTableStylePartsListColumn*>(nullptr));
static RSeMetaType* const s_styleColumnItemMeta =
    RSe::_InitMeta(static_cast<const DUxPartsListStyleColumnItem*>(nullptr));
static RSeMetaType* const s_holeTableMeta =
    RSe::_InitMeta(static_cast<const DUxHoleTableStyleColumnItem*>(nullptr));
static RSeMetaType* const s_rowKeyMeta = RSe::_InitMeta(static_cast<const DUxRowKey*>(nullptr));

RSeMetaType* DUxTableStyleColumn::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DUxTableStylePartsListColumn::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DUxPartsListStyleColumnItem::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DUxHoleTableStyleColumnItem::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DUxRowKey::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxStyleFormatColumnPropertyID::Load(RSeStream& s) {
    s.Read(m_set);
    s.Read(m_id);
    s.Read(m_name);
}

void DUxStyleFormatColumnPropertyID::Save(RSeStream& s) const {
    s.Write(m_set);
    s.Write(m_id);
    s.Write(m_name);
}

void DUxColumnUnitSettings::Load(RSeStream& s) {
    s.Read(decimalMarker);
    s.Read(showUnitString);
    s.Read(showLeadingZero);
    s.Read(showTrailingZero);
    s.Read(linearPrecision);
    s.Read(fractionalFormat);
}

void DUxColumnUnitSettings::Save(RSeStream& s) const {
    s.Write(decimalMarker);
    s.Write(showUnitString);
    s.Write(showLeadingZero);
    s.Write(showTrailingZero);
    s.Write(linearPrecision);
    s.Write(fractionalFormat);
}

void DUxTableStyleColumn::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    m_property.Load(s);
    s.Read(m_headingAlignment);
    s.Read(m_columnAlignment);
    s.Read(m_width);
    s.Read(m_formatMode);
    s.Read(m_outputUnitType);
    m_units.Load(s);
    s.Read(m_furtherInt);
    s.Read(m_furtherReal);
}

void DUxTableStyleColumn::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    m_property.Save(s);
    s.Write(m_headingAlignment);
    s.Write(m_columnAlignment);
    s.Write(m_width);
    s.Write(m_formatMode);
    s.Write(m_outputUnitType);
    m_units.Save(s);
    s.Write(m_furtherInt);
    s.Write(m_furtherReal);
}

UTxResult DUxTableStyleColumn::Clone(DUxTableStyleColumn* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    t->m_property = m_property;
    t->m_headingAlignment = m_headingAlignment;
    t->m_columnAlignment = m_columnAlignment;
    t->m_width = m_width;
    t->m_formatMode = m_formatMode;
    t->m_outputUnitType = m_outputUnitType;
    t->m_units = m_units;
    t->m_furtherInt = m_furtherInt;
    t->m_furtherReal = m_furtherReal;
    return {};
}

void DUxTableStylePartsListColumn::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_substitute);
    m_substituteProperty.Load(s);
    s.Read(m_substituteBehavior);
    s.Read(m_substituteFormatMode);
    s.Read(m_substituteOutputUnitType);
    m_substituteUnits.Load(s);
    UTxString16 member;
    s.Read(member);
    GetPropertyID()->SetMemberID(member);
    s.Read(member);
    m_substituteProperty.SetMemberID(member);
}

void DUxTableStylePartsListColumn::LoadMigrate(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_substitute);
    m_substituteProperty.Load(s);
    s.Read(m_substituteBehavior);
    s.Read(m_substituteFormatMode);
    s.Read(m_substituteOutputUnitType);
    m_substituteUnits.Load(s);
}

void DUxTableStylePartsListColumn::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_substitute);
    m_substituteProperty.Save(s);
    s.Write(m_substituteBehavior);
    s.Write(m_substituteFormatMode);
    s.Write(m_substituteOutputUnitType);
    m_substituteUnits.Save(s);
    s.Write(GetPropertyID()->GetMemberID());
    s.Write(m_substituteProperty.GetMemberID());
}

UTxResult DUxTableStylePartsListColumn::Clone(DUxTableStylePartsListColumn* t,
                                              RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    t->m_substitute = m_substitute;
    t->m_substituteProperty = m_substituteProperty;
    t->m_substituteBehavior = m_substituteBehavior;
    t->m_substituteFormatMode = m_substituteFormatMode;
    t->m_substituteOutputUnitType = m_substituteOutputUnitType;
    t->m_substituteUnits = m_substituteUnits;
    return {};
}

void DUxRowKey::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_type);
    s.Read(m_generalPID);
    s.Read(m_customId);
}

void DUxRowKey::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_type);
    s.Write(m_generalPID);
    s.Write(m_customId);
}

UTxResult DUxRowKey::Clone(DUxRowKey* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    t->m_type = m_type;
    t->m_generalPID = m_generalPID;
    t->m_customId = m_customId;
    return {};
}
