#include "du/DUxTableStyleColumn.h"
#include "du/DUxPartsListPropertyIDCompare.h"

#include <algorithm>

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

DUxHoleTableStyleColumnItem* DUxHoleTableStyleColumnItem::New(RSeSegment* segment) {
    return new (RSe::_GetMeta(static_cast<const DUxHoleTableStyleColumnItem*>(nullptr)),
                segment ? segment : RSe::TransientSegment()) DUxHoleTableStyleColumnItem();
}

DUxRowKey* DUxRowKey::New(RSeSegment* segment, int32_t type, int32_t generalPID,
                          const UTxString16& customId) {
    return new (RSe::_GetMeta(static_cast<const DUxRowKey*>(nullptr)),
                segment ? segment : RSe::TransientSegment()) DUxRowKey(type, generalPID, customId);
}
