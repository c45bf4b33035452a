#include "du/DUxTableStyleColumn.h"
#include "du/DUxPartsListPropertyIDCompare.h"

#include <algorithm>

#include "fb/FBxObjectEditRecord.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

bool DUxStyleFormatColumnPropertyID::IsPropertySet(const UTxString16& set) const {
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; };
    return m_set.size() == set.size() &&
           std::equal(m_set.begin(), m_set.end(), set.begin(),
                      [&](char16_t a, char16_t b) { return lower(a) == lower(b); });
}

bool DUxPartsListPropertyIDCompare::operator()(const DUxStyleFormatColumnPropertyID& a,
                                               const DUxStyleFormatColumnPropertyID& b) const {
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; };
    const UTxString16& x = a.GetPropertySet();
    const UTxString16& y = b.GetPropertySet();
    if (!a.IsPropertySet(y))
        return std::lexicographical_compare(
            x.begin(), x.end(), y.begin(), y.end(),
            [&](char16_t p, char16_t q) { return lower(p) < lower(q); });
    if (a.GetPropertyID() != b.GetPropertyID()) return a.GetPropertyID() < b.GetPropertyID();
    return a.GetMemberID() < b.GetMemberID();
}

const UTxString16& DUxStyleFormatColumnPropertyID::PartsListPropertySet() {
    static const UTxString16 set = u"{BEB6B91C-AF44-4f9b-AD9E-1E0570A168F9}";
    return set;
}

#define DUX_STYLE_SETTER(Class, Name, Type, member)                                                \
    void Class::Name(Type v) {                                                                     \
        RSe::PrepareWrite(this);                                                                   \
        member = v;                                                                                \
    }
DUX_STYLE_SETTER(DUxTableStyleColumn, SetHeadingAlignment, int32_t, m_headingAlignment)
DUX_STYLE_SETTER(DUxTableStyleColumn, SetColumnAlignment, int32_t, m_columnAlignment)
DUX_STYLE_SETTER(DUxTableStyleColumn, SetWidth, double, m_width)
DUX_STYLE_SETTER(DUxTableStyleColumn, SetFormatMode, int32_t, m_formatMode)
DUX_STYLE_SETTER(DUxTableStyleColumn, SetOutputUnitType, int32_t, m_outputUnitType)
DUX_STYLE_SETTER(DUxTableStyleColumn, SetDecimalMarker, int32_t, m_units.decimalMarker)
DUX_STYLE_SETTER(DUxTableStyleColumn, SetShowUnitString, bool, m_units.showUnitString)
DUX_STYLE_SETTER(DUxTableStyleColumn, SetShowLeadingZero, bool, m_units.showLeadingZero)
DUX_STYLE_SETTER(DUxTableStyleColumn, SetShowTrailingZero, bool, m_units.showTrailingZero)
DUX_STYLE_SETTER(DUxTableStyleColumn, SetLinearPrecision, int32_t, m_units.linearPrecision)
DUX_STYLE_SETTER(DUxTableStyleColumn, SetFractionalFormat, bool, m_units.fractionalFormat)
DUX_STYLE_SETTER(DUxTableStyleColumn, SetFurtherInt, int32_t, m_furtherInt)
DUX_STYLE_SETTER(DUxTableStyleColumn, SetFurtherReal, double, m_furtherReal)
DUX_STYLE_SETTER(DUxTableStylePartsListColumn, SetSubstitute, bool, m_substitute)
DUX_STYLE_SETTER(DUxTableStylePartsListColumn, SetSubstituteBehavior, int32_t, m_substituteBehavior)
DUX_STYLE_SETTER(DUxTableStylePartsListColumn, SetSubstituteFormatMode, int32_t,
                 m_substituteFormatMode)
DUX_STYLE_SETTER(DUxTableStylePartsListColumn, SetSubstituteOutputUnitType, int32_t,
                 m_substituteOutputUnitType)
DUX_STYLE_SETTER(DUxTableStylePartsListColumn, SetSubstituteUnits, const DUxColumnUnitSettings&,
                 m_substituteUnits)
#undef DUX_STYLE_SETTER

DUxTableStylePartsListColumn* DUxTableStylePartsListColumn::New(RSeSegment* segment) {
    return new (RSe::_GetMeta(static_cast<const DUxTableStylePartsListColumn*>(nullptr)),
                segment ? segment : RSe::TransientSegment()) DUxTableStylePartsListColumn();
}

// ---- edit records ------------------------------------------------------------------------------

namespace {
using Value = FWxTranscriptValue;

void WriteProperty(FBxObjectEditRecord& r, const UTxString16& prefix,
                   const DUxStyleFormatColumnPropertyID& p) {
    r.SetAttribute(prefix + u"propertySet", Value::MakeString(p.GetPropertySet()));
    r.SetAttribute(prefix + u"propertyId", Value::MakeString(p.GetPropertyID()));
    r.SetAttribute(prefix + u"propertyName", Value::MakeString(p.GetPropertyExternalName()));
    r.SetAttribute(prefix + u"memberId", Value::MakeString(p.GetMemberID()));
}

DUxStyleFormatColumnPropertyID ReadProperty(const FBxObjectEditRecord& r,
                                            const UTxString16& prefix) {
    DUxStyleFormatColumnPropertyID p;
    p.SetPropertySet(r[prefix + u"propertySet"].as_UTxString16());
    p.SetPropertyID(r[prefix + u"propertyId"].as_UTxString16());
    p.SetPropertyExternalName(r[prefix + u"propertyName"].as_UTxString16());
    p.SetMemberID(r[prefix + u"memberId"].as_UTxString16());
    return p;
}

void WriteUnits(FBxObjectEditRecord& r, const UTxString16& prefix, const DUxColumnUnitSettings& u) {
    r.SetAttribute(prefix + u"decimalMarker", Value::MakeInt(u.decimalMarker));
    r.SetAttribute(prefix + u"showUnitString", Value::MakeBool(u.showUnitString));
    r.SetAttribute(prefix + u"showLeadingZero", Value::MakeBool(u.showLeadingZero));
    r.SetAttribute(prefix + u"showTrailingZero", Value::MakeBool(u.showTrailingZero));
    r.SetAttribute(prefix + u"linearPrecision", Value::MakeInt(u.linearPrecision));
    r.SetAttribute(prefix + u"fractionalFormat", Value::MakeBool(u.fractionalFormat));
}

DUxColumnUnitSettings ReadUnits(const FBxObjectEditRecord& r, const UTxString16& prefix) {
    DUxColumnUnitSettings u;
    u.decimalMarker = r[prefix + u"decimalMarker"].as_int();
    u.showUnitString = r[prefix + u"showUnitString"].as_bool();
    u.showLeadingZero = r[prefix + u"showLeadingZero"].as_bool();
    u.showTrailingZero = r[prefix + u"showTrailingZero"].as_bool();
    u.linearPrecision = r[prefix + u"linearPrecision"].as_int();
    u.fractionalFormat = r[prefix + u"fractionalFormat"].as_bool();
    return u;
}

constexpr const char16_t* kSubstitute = u"substitute_";
} // namespace

FBxObjectEditRecord DUxTableStylePartsListColumn::MakeEditRecord(const UTxString16& key) const {
    FBxObjectEditRecord r(key);
    WriteProperty(r, u"", *GetPropertyID());
    r.SetAttribute(u"headingAlignment", Value::MakeInt(GetHeadingAlignment()));
    r.SetAttribute(u"columnAlignment", Value::MakeInt(GetColumnAlignment()));
    r.SetAttribute(u"width", Value::MakeReal(GetWidth()));
    r.SetAttribute(u"formatMode", Value::MakeInt(GetFormatMode()));
    r.SetAttribute(u"outputUnitType", Value::MakeInt(GetOutputUnitType()));
    DUxColumnUnitSettings units;
    units.decimalMarker = GetDecimalMarker();
    units.showUnitString = GetShowUnitString();
    units.showLeadingZero = GetShowLeadingZero();
    units.showTrailingZero = GetShowTrailingZero();
    units.linearPrecision = GetLinearPrecision();
    units.fractionalFormat = GetFractionalFormat();
    WriteUnits(r, u"", units);
    r.SetAttribute(u"substitute", Value::MakeBool(m_substitute));
    WriteProperty(r, kSubstitute, m_substituteProperty);
    r.SetAttribute(u"substitute_behavior", Value::MakeInt(m_substituteBehavior));
    r.SetAttribute(u"substitute_formatMode", Value::MakeInt(m_substituteFormatMode));
    r.SetAttribute(u"substitute_outputUnitType", Value::MakeInt(m_substituteOutputUnitType));
    WriteUnits(r, kSubstitute, m_substituteUnits);
    return r;
}

void DUxTableStylePartsListColumn::ReadEditRecord(const FBxObjectEditRecord& r) {
    // Everything is read before anything is set, so that a malformed record changes nothing.
    const DUxStyleFormatColumnPropertyID property = ReadProperty(r, u"");
    const int32_t headingAlignment = r[u"headingAlignment"].as_int();
    const int32_t columnAlignment = r[u"columnAlignment"].as_int();
    const double width = r[u"width"].as_double();
    const int32_t formatMode = r[u"formatMode"].as_int();
    const int32_t outputUnitType = r[u"outputUnitType"].as_int();
    const DUxColumnUnitSettings units = ReadUnits(r, u"");
    const bool substitute = r[u"substitute"].as_bool();
    const DUxStyleFormatColumnPropertyID substituteProperty = ReadProperty(r, kSubstitute);
    const int32_t behavior = r[u"substitute_behavior"].as_int();
    const int32_t substituteFormatMode = r[u"substitute_formatMode"].as_int();
    const int32_t substituteOutputUnitType = r[u"substitute_outputUnitType"].as_int();
    const DUxColumnUnitSettings substituteUnits = ReadUnits(r, kSubstitute);

    RSe::PrepareWrite(this);
    *GetPropertyID() = property;
    SetHeadingAlignment(headingAlignment);
    SetColumnAlignment(columnAlignment);
    SetWidth(width);
    SetFormatMode(formatMode);
    SetOutputUnitType(outputUnitType);
    SetDecimalMarker(units.decimalMarker);
    SetShowUnitString(units.showUnitString);
    SetShowLeadingZero(units.showLeadingZero);
    SetShowTrailingZero(units.showTrailingZero);
    SetLinearPrecision(units.linearPrecision);
    SetFractionalFormat(units.fractionalFormat);
    m_substitute = substitute;
    m_substituteProperty = substituteProperty;
    m_substituteBehavior = behavior;
    m_substituteFormatMode = substituteFormatMode;
    m_substituteOutputUnitType = substituteOutputUnitType;
    m_substituteUnits = substituteUnits;
}

DUxTableStylePartsListColumn* DUxTableStylePartsListColumn::New(RSeSegment* segment,
                                                                const FBxObjectEditRecord& record) {
    DUxTableStylePartsListColumn* c = New(segment);
    try {
        c->ReadEditRecord(record);
    } catch (...) {
        RSe::DeleteObject(c);
        throw;
    }
    return c;
}

DUxPartsListStyleColumnItem* DUxPartsListStyleColumnItem::New(RSeSegment* segment,
                                                              const FBxObjectEditRecord& record) {
    auto* c = new (RSe::_GetMeta(static_cast<const DUxPartsListStyleColumnItem*>(nullptr)),
                   segment ? segment : RSe::TransientSegment()) DUxPartsListStyleColumnItem();
    try {
        c->ReadEditRecord(record);
    } catch (...) {
        RSe::DeleteObject(c);
        throw;
    }
    return c;
}

DUxHoleTableStyleColumnItem* DUxHoleTableStyleColumnItem::New(RSeSegment* segment) {
    return new (RSe::_GetMeta(static_cast<const DUxHoleTableStyleColumnItem*>(nullptr)),
                segment ? segment : RSe::TransientSegment()) DUxHoleTableStyleColumnItem();
}

DUxRowKey* DUxRowKey::New(RSeSegment* segment, int32_t type, int32_t generalPID,
                          const UTxString16& customId) {
    return new (RSe::_GetMeta(static_cast<const DUxRowKey*>(nullptr)),
                segment ? segment : RSe::TransientSegment()) DUxRowKey(type, generalPID, customId);
}
