#include "BofM/DLxPropertyUtil.h"

#include <algorithm>
#include <optional>
#include <string>

#include "BofM/DLxPartListColumn.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "rse/RSeTransaction.h"
#include "du/DUxDimStyleUnitVals.h"
#include "du/DUxTableStyleColumn.h"
#include "fb/FBxPropertyUtil.h"
#include "utx/UTxGUID.h"

namespace DLxPropertyUtil {
namespace {
using Id = DLxPartListPropertyId;

// The leading decimal digits (after blanks and a sign) as a number, 0 when there are none.
int32_t ToInt(const UTxString16& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    int64_t v = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        v = std::min<int64_t>(v * 10 + (text[i] - u'0'), INT32_MAX);
    return int32_t(negative ? -v : v);
}

UTxString16 Decimal(int32_t v) {
    const std::string s = std::to_string(v);
    return UTxString16(s.begin(), s.end());
}

// Fills `out` from a property of the parts-list model's vocabulary.
bool FillStyleId(int32_t type, int32_t generalId, const UTxString16& customId,
                 DUxStyleFormatColumnPropertyID* out) {
    if (type == Id::eGeneral) {
        UTxGUID set;
        int32_t number = 0;
        if (!FBxPropertyUtil::GetDTPropInfo(generalId, set, number)) return false;
        const UTxString16 setText = set.ToString16();
        if (setText.empty()) return false;
        out->SetPropertyID(Decimal(number));
        out->SetPropertySet(setText);
        return true;
    }
    if (type == Id::eCustom) {
        out->SetPropertyID(customId);
        out->SetPropertySet(kPartsListUserSet);
        out->SetPropertyExternalName(customId);
        return true;
    }
    if (type >= Id::eItemNumber && type <= Id::ePartListProperty9) {
        out->SetPropertyID(Decimal(type - 2));
        out->SetPropertySet(kPartsListSet);
    }
    return true;
}

void SetSixUnits(DUxDimStyleUnitVals& v, const DUxColumnUnitSettings& u) {
    v.SetDecimalPoint(u.decimalMarker == 0);
    v.SetShowUnitString(u.showUnitString);
    v.SetShowLeadingZero(u.showLeadingZero);
    v.SetShowTrailingZero(u.showTrailingZero);
    v.SetLinearPrecision(u.linearPrecision);
    v.SetFractionalFormat(u.fractionalFormat);
}

DUxColumnUnitSettings SixUnitsOf(const DUxDimStyleUnitVals& v) {
    DUxColumnUnitSettings u;
    u.decimalMarker = v.GetDecimalPoint() ? 0 : 1;
    u.showUnitString = v.GetShowUnitString();
    u.showLeadingZero = v.GetShowLeadingZero();
    u.showTrailingZero = v.GetShowTrailingZero();
    u.linearPrecision = v.GetLinearPrecision();
    u.fractionalFormat = v.GetFractionalFormat();
    return u;
}

DUxColumnUnitSettings MigrationDefaults() {
    DUxColumnUnitSettings u;
    u.decimalMarker = 0;
    u.showUnitString = false;
    u.showLeadingZero = true;
    u.showTrailingZero = true;
    u.linearPrecision = 6;
    u.fractionalFormat = false;
    return u;
}

void SetUnitsOf(DUxColumnInterface& c, const DUxColumnUnitSettings& u) {
    c.SetDecimalMarker(u.decimalMarker);
    c.SetShowUnitString(u.showUnitString);
    c.SetShowLeadingZero(u.showLeadingZero);
    c.SetShowTrailingZero(u.showTrailingZero);
    c.SetLinearPrecision(u.linearPrecision);
    c.SetFractionalFormat(u.fractionalFormat);
}

RSeRef<DUxTableStylePartsListColumn> StyleItemFromColumn(const DLxPartListColumn* column,
                                                         RSeSegment* segment, bool migration) {
    if (!column) return {};
    DUxTableStylePartsListColumn* style = DUxTableStylePartsListColumn::New(segment);
    createPropertyIDFromColumn(column, style->GetPropertyID());
    style->SetHeadingAlignment(column->GetHeaderAlignment());
    style->SetColumnAlignment(column->GetColumnAlignment());
    style->SetWidth(column->GetWidth());
    style->SetFormatMode(column->GetFormatMode());
    style->SetOutputUnitType(column->GetOutputUnitType());
    // A format mode says unit values exist; a column that has none keeps the defaults.
    const DUxDimStyleUnitVals* units = column->GetUnitValues().Read();
    if (column->GetFormatMode() != 0 && units)
        SetUnitsOf(*style, SixUnitsOf(*units));
    else if (migration)
        SetUnitsOf(*style, MigrationDefaults());

    const DLxPartListPropertyId* sub = column->GetSubstitutePropertyId().Read();
    style->SetSubstitute(sub != nullptr);
    if (sub) createStyleIdFromPropertyId(sub, style->GetSubstitutePropertyID());
    style->SetSubstituteBehavior(column->GetSubstituteBehavior());
    style->SetSubstituteFormatMode(column->GetSubstituteFormatMode());
    style->SetSubstituteOutputUnitType(column->GetSubstituteOutputUnitType());
    const DUxDimStyleUnitVals* subUnits = column->GetSubstituteUnitValues().Read();
    if (column->GetSubstituteFormatMode() != 0 && subUnits)
        style->SetSubstituteUnits(SixUnitsOf(*subUnits));
    else if (migration)
        style->SetSubstituteUnits(MigrationDefaults());
    return RSeRef<DUxTableStylePartsListColumn>(style);
}

constexpr uint32_t kHoleTableNameIds[25] = {
    13696, 13704, 13705, 13698, 13697, 13695, 13694, 13686, 13685, 13689, 13687, 13688, 13701,
    13699, 13702, 13690, 13703, 13700, 13693, 13692, 13691, 13037, 13039, 13042, 13043,
};
} // namespace

bool ColumnIsInCategory(const DUxStyleFormatColumnPropertyID* p,
                        DLxSym::PropertyCategory category) {
    switch (category) {
    case DLxSym::kAnyProperty:
        return true;
    case DLxSym::kCategory1:
        return p && p->IsPropertySet(kCategory1Set);
    case DLxSym::kCategory2:
        return p && p->IsPropertySet(kCategory2Set);
    case DLxSym::kCategory3:
        return p && p->IsPropertySet(kCategory3Set);
    case DLxSym::kUserDefined:
        return p && (p->IsPropertySet(kPartsListUserSet) || p->IsPropertySet(kHoleTableUserSet));
    case DLxSym::kPartsListProperty:
        return p && p->IsPropertySet(kPartsListSet);
    }
    return false;
}

RSeRef<DLxPartListPropertyId> createPropertyIdFromStyle(const DUxStyleFormatColumnPropertyID* p,
                                                        RSeSegment* segment) {
    if (!p) return {};
    if (p->IsPropertySet(kPartsListSet)) {
        const int32_t number = ToInt(p->GetPropertyID());
        if (number < 1 || number > 9) return {};
        return RSeRef<Id>(Id::New(segment, Id::PropertyType(number + 2), -1));
    }
    if (p->IsPropertySet(kPartsListUserSet))
        return RSeRef<Id>(Id::New(segment, Id::eCustom, -1, p->GetPropertyID()));
    UTxGUID set;
    if (!UTxGUID::Parse(std::u16string_view(p->GetPropertySet()), set)) return {};
    int32_t generalId = 0;
    if (!FBxPropertyUtil::FindDTPropByInfo(set, ToInt(p->GetPropertyID()), generalId)) return {};
    return RSeRef<Id>(Id::New(segment, Id::eGeneral, generalId));
}

DLxPartListColumn* createColumnFromPropertyID(const DUxStyleFormatColumnPropertyID* p,
                                              RSeSegment* segment) {
    RSeRef<Id> id = createPropertyIdFromStyle(p, segment);
    if (!id) return nullptr;
    // The column keeps a copy of the id: the one made here goes.
    DLxPartListColumn* column = DLxPartListColumn::New(segment, *id.Read(), 0.0, 1, 0);
    RSe::DeleteObject(id.get());
    column->SetHeader(p->GetPropertyExternalName());
    return column;
}

DLxPartListColumn* createColumnFromStyleItem(DUxTableStylePartsListColumn* style,
                                             RSeSegment* segment) {
    if (!style) return nullptr;
    DLxPartListColumn* column = createColumnFromPropertyID(style->GetPropertyID(), segment);
    if (!column) return nullptr;
    const DUxColumnInterface& c = *style;
    column->SetHeaderAlignment(c.GetHeadingAlignment());
    column->SetColumnAlignment(c.GetColumnAlignment());
    column->SetWidth(c.GetWidth());
    column->SetFormatMode(c.GetFormatMode());
    column->SetIntOption(c.GetOutputUnitType());
    if (c.GetFormatMode() != 0) {
        DUxDimStyleUnitVals* units = DUxDimStyleUnitVals::New(segment);
        DUxColumnUnitSettings u;
        u.decimalMarker = c.GetDecimalMarker();
        u.showUnitString = c.GetShowUnitString();
        u.showLeadingZero = c.GetShowLeadingZero();
        u.showTrailingZero = c.GetShowTrailingZero();
        u.linearPrecision = c.GetLinearPrecision();
        u.fractionalFormat = c.GetFractionalFormat();
        SetSixUnits(*units, u);
        column->SetUnitValues(RSeRef<DUxDimStyleUnitVals>(units));
    }
    if (style->GetSubstitute()) {
        RSeRef<Id> sub = createPropertyIdFromStyle(style->GetSubstitutePropertyID(), segment);
        column->SetSubstitute(style->GetSubstituteBehavior(), sub);
        if (sub) RSe::DeleteObject(sub.get());
        column->SetSubstituteFormatMode(style->GetSubstituteFormatMode());
        column->SetSubstituteOutputUnitType(style->GetSubstituteOutputUnitType());
        if (style->GetSubstituteFormatMode() != 0) {
            DUxDimStyleUnitVals* units = DUxDimStyleUnitVals::New(segment);
            SetSixUnits(*units, style->GetSubstituteUnits());
            column->SetSubstituteUnitValues(RSeRef<DUxDimStyleUnitVals>(units));
        }
    }
    return column;
}

bool createStyleIdFromPropertyId(const DLxPartListPropertyId* id,
                                 DUxStyleFormatColumnPropertyID* out) {
    if (!id || !out) return false;
    return FillStyleId(id->GetType(), id->GetGeneralId(), id->GetCustomId(), out);
}

bool createStyleIdFromRowMerge(const RSeRef<DUxRowKey>& key, DUxStyleFormatColumnPropertyID* out) {
    const DUxRowKey* k = key.Read();
    if (!k || !out) return false;
    return FillStyleId(k->getType(), k->getGeneralPID(), k->getCustomId(), out);
}

bool createPropertyIDFromColumn(const DLxPartListColumn* column,
                                DUxStyleFormatColumnPropertyID* out) {
    if (!column || !out) return false;
    const bool converted = createStyleIdFromPropertyId(column->GetPropertyId().Read(), out);
    out->SetPropertyExternalName(column->GetHeader());
    return converted;
}

RSeRef<DUxTableStylePartsListColumn> createStyleItemFromColumn(const DLxPartListColumn* column,
                                                               RSeSegment* segment) {
    return StyleItemFromColumn(column, segment, false);
}

RSeRef<DUxTableStylePartsListColumn>
createStyleItemFromColumnMigration(const DLxPartListColumn* column, RSeSegment* segment) {
    return StyleItemFromColumn(column, segment, true);
}

UTxString16 GetHoleTableColumnPropertyName(const DUxStyleFormatColumnPropertyID* p) {
    if (!p) return {};
    if (p->IsPropertySet(kHoleTableSet)) {
        const int32_t number = ToInt(p->GetPropertyID());
        if (number < 1 || number > 25) return {};
        HMODULE res = KorvuGetResourceHandle();
        auto text = res ? FindStringResource(res, kHoleTableNameIds[number - 1]) : std::nullopt;
        return text ? UTxString16(*text) : UTxString16();
    }
    if (p->IsPropertySet(kHoleTableUserSet)) return p->GetPropertyID();
    return {};
}

RSeRef<DUxHoleTableStyleColumnItem> createStyleItemFromColumnDef(const DUxTableColumnDef* def,
                                                                 RSeSegment* segment) {
    if (!def) return {};
    DUxHoleTableStyleColumnItem* item = DUxHoleTableStyleColumnItem::New(segment);
    DUxStyleFormatColumnPropertyID* p = item->GetPropertyID();
    p->SetPropertyExternalName(def->getCurrentHeading());
    if (def->getType() == 3) {
        p->SetPropertySet(kHoleTableSet);
        // Property number 5 has no id of its own; 0 to 4 are "1" to "5".
        const int32_t n = def->getPropID();
        p->SetPropertyID(n >= 0 && n <= 4 ? Decimal(n + 1)
                         : n >= 6 && n <= 25 ? Decimal(n)
                                             : UTxString16());
    } else if (def->getType() == 2) {
        p->SetPropertySet(kHoleTableUserSet);
        p->SetPropertyID(def->getCustomId());
    }
    DUxColumnInterface& c = *item;
    c.SetHeadingAlignment(def->getHeaderAligment());
    c.SetColumnAlignment(def->getDataAligment());
    c.SetWidth(def->getWidth());
    c.SetFormatMode(1);
    c.SetOutputUnitType(def->getOutputUnitType());
    c.SetDecimalMarker(def->getDecimalMarker());
    c.SetShowLeadingZero(def->getShowLeadingZero());
    c.SetShowTrailingZero(def->getShowTrailingZero());
    c.SetLinearPrecision(def->getLinearPrecision());
    c.SetFractionalFormat(def->getFractionalFormat());
    c.SetFurtherInt(def->getFurtherInt());
    c.SetFurtherReal(def->getFurtherReal());
    return RSeRef<DUxHoleTableStyleColumnItem>(item);
}

DUxTableColumnDef* createColumnDefFromStyleItem(DUxHoleTableStyleColumnItem* item, RSeSegment*) {
    if (!item) return nullptr;
    auto* def = new DUxTableColumnDef(0, 3, UTxString16(), 3.0);
    const DUxStyleFormatColumnPropertyID* p = item->GetPropertyID();
    def->setUserHeading(p->GetPropertyExternalName());
    if (p->IsPropertySet(kHoleTableSet)) {
        def->setType(3);
        const int32_t n = ToInt(p->GetPropertyID());
        if (n >= 1 && n <= 5)
            def->setPropID(n - 1);
        else if (n >= 6 && n <= 25)
            def->setPropID(n);
    } else if (p->IsPropertySet(kHoleTableUserSet)) {
        def->setType(2);
        def->setCustomId(p->GetPropertyID());
    }
    const DUxColumnInterface& c = *item;
    def->setHeaderAligment(c.GetHeadingAlignment());
    def->setDataAligment(c.GetColumnAlignment());
    def->setWidth(c.GetWidth());
    def->setOutputUnitType(c.GetOutputUnitType());
    def->setDecimalMarker(c.GetDecimalMarker());
    def->setShowLeadingZero(c.GetShowLeadingZero());
    def->setShowTrailingZero(c.GetShowTrailingZero());
    def->setLinearPrecision(c.GetLinearPrecision());
    def->setFractionalFormat(c.GetFractionalFormat());
    def->setFurtherInt(c.GetFurtherInt());
    def->setFurtherReal(c.GetFurtherReal());
    return def;
}
} // namespace DLxPropertyUtil
