#include "BofM/DLxPartListColumn.h"

#include <cmath>

#include "du/DUxDimStyleUnitVals.h"
#include "fb/FBxObjectEditRecord.h"
#include "rd/RDxUnit.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {
RSeRef<DLxPartListPropertyId> NewId(RSeSegment* segment, DLxPartListPropertyId::PropertyType type,
                                    int32_t generalId, const UTxString16& customId = {}) {
    return RSeRef<DLxPartListPropertyId>(
        DLxPartListPropertyId::New(segment, type, generalId, customId));
}

template <class T> RSeRef<T> CopyOf(RSeSegment* segment, const RSeRef<T>& src) {
    const T* o = src.Read();
    return o ? RSeRef<T>(T::Copy(segment, *o)) : RSeRef<T>();
}

void Drop(RSeRefBase& ref) {
    if (RSeIDed* t = ref.GetTarget()) RSe::DeleteObject(t);
    ref.Clear();
}

// ---- edit records: (key text, value) pairs

const FBxObjectEditRecord::Value* FindKey(const FBxObjectEditRecord& r, const char16_t* key) {
    return r.FindAttribute(key);
}
int32_t AsInt(const FBxObjectEditRecord& r, const char16_t* key) {
    const auto* v = FindKey(r, key);
    return v ? int32_t(v->GetInt()) : 0;
}
bool AsBool(const FBxObjectEditRecord& r, const char16_t* key) {
    const auto* v = FindKey(r, key);
    return v && v->GetBool();
}
double AsDouble(const FBxObjectEditRecord& r, const char16_t* key) {
    const auto* v = FindKey(r, key);
    return v && v->IsNumber() ? v->GetReal() : 0.0;
}
UTxString16 AsString(const FBxObjectEditRecord& r, const char16_t* key) {
    const auto* v = FindKey(r, key);
    return v && v->GetKind() == FWxTranscriptValue::kString ? v->GetText() : UTxString16();
}

constexpr const char16_t* kUnitKeys[] = {
    u"length_unit",    u"decimal_point",     u"fractional_format", u"linear_precision",
    u"decimal_format", u"angular_precision", u"slash_format",      u"fractional_height",
    u"leading_zero",   u"trailing_zero",     u"show_units",
};

RSeRef<DUxDimStyleUnitVals> UnitValuesFromRecord(const FBxObjectEditRecord& r,
                                                 const UTxString16& prefix) {
    auto key = [&](int i) { return prefix + kUnitKeys[i]; };
    const int32_t lengthUnit = AsInt(r, key(0).c_str());
    const bool decimalPoint = AsBool(r, key(1).c_str());
    const bool fractional = AsBool(r, key(2).c_str());
    const int32_t linear = AsInt(r, key(3).c_str());
    const bool decimalFormat = AsBool(r, key(4).c_str());
    const int32_t angular = AsInt(r, key(5).c_str());
    const bool slash = AsBool(r, key(6).c_str());
    const float height = float(AsDouble(r, key(7).c_str()));
    const bool leading = AsBool(r, key(8).c_str());
    const bool trailing = AsBool(r, key(9).c_str());
    const bool units = AsBool(r, key(10).c_str());
    DUxDimStyleUnitVals* v = DUxDimStyleUnitVals::New(nullptr);
    v->UpdateLengthUnits(lengthUnit);
    v->SetDecimalPoint(decimalPoint);
    v->SetFractionalFormat(fractional);
    v->SetLinearPrecision(linear);
    v->SetDecimalFormat(decimalFormat);
    v->SetAngularPrecision(angular);
    v->SetSlashFormat(slash);
    v->SetFractionalHeight(height);
    v->SetShowLeadingZero(leading);
    v->SetShowTrailingZero(trailing);
    v->SetShowUnitString(units);
    return RSeRef<DUxDimStyleUnitVals>(v);
}

void AddPair(FBxObjectEditRecord& r, const UTxString16& key, FBxObjectEditRecord::Value v) {
    r.SetAttribute(key, std::move(v));
}
void AddUnitValues(FBxObjectEditRecord& r, const UTxString16& prefix,
                   const DUxDimStyleUnitVals& v) {
    using V = FBxObjectEditRecord::Value;
    AddPair(r, prefix + kUnitKeys[0], V::MakeInt(v.GetLengthUnits()));
    AddPair(r, prefix + kUnitKeys[1], V::MakeBool(v.GetDecimalPoint()));
    AddPair(r, prefix + kUnitKeys[2], V::MakeBool(v.GetFractionalFormat()));
    AddPair(r, prefix + kUnitKeys[3], V::MakeInt(v.GetLinearPrecision()));
    AddPair(r, prefix + kUnitKeys[4], V::MakeBool(v.GetDecimalFormat()));
    AddPair(r, prefix + kUnitKeys[5], V::MakeInt(v.GetAngularPrecision()));
    AddPair(r, prefix + kUnitKeys[6], V::MakeBool(v.GetSlashFormat()));
    AddPair(r, prefix + kUnitKeys[7], V::MakeReal(double(v.GetFractionalHeight())));
    AddPair(r, prefix + kUnitKeys[8], V::MakeBool(v.GetShowLeadingZero()));
    AddPair(r, prefix + kUnitKeys[9], V::MakeBool(v.GetShowTrailingZero()));
    AddPair(r, prefix + kUnitKeys[10], V::MakeBool(v.GetShowUnitString()));
}
} // namespace

RSeMetaType* DLxPartListColumn::Meta() {
    return RSe::_GetMeta(static_cast<const DLxPartListColumn*>(nullptr));
}

RSeSegment* DLxPartListColumn::SegmentOrTransient(RSeSegment* segment) {
    return segment ? segment : RSe::TransientSegment();
}

DLxPartListColumn::DLxPartListColumn(PropertyType type, int32_t generalId, double width,
                                     int32_t headerAlignment, int32_t columnAlignment)
    : m_propertyId(NewId(GetSegment(), type, generalId)), m_width(width),
      m_headerAlignment(headerAlignment), m_columnAlignment(columnAlignment) {
    SetHeaderFromProperty();
}

DLxPartListColumn::DLxPartListColumn(const UTxString16& header, PropertyType type,
                                     int32_t generalId, double width, int32_t headerAlignment,
                                     int32_t columnAlignment)
    : m_header(header),
      m_propertyId(type == DLxPartListPropertyId::eCustom ? NewId(GetSegment(), type, -1, header)
                                                          : NewId(GetSegment(), type, generalId)),
      m_width(width), m_headerAlignment(headerAlignment), m_columnAlignment(columnAlignment) {
    if (m_header.empty() && type != DLxPartListPropertyId::eCustom) SetHeaderFromProperty();
}

DLxPartListColumn::DLxPartListColumn(const DLxPartListPropertyId& id, double width,
                                     int32_t headerAlignment, int32_t columnAlignment)
    : m_propertyId(DLxPartListPropertyId::Copy(GetSegment(), id)), m_width(width),
      m_headerAlignment(headerAlignment), m_columnAlignment(columnAlignment) {
    SetHeaderFromProperty();
}

DLxPartListColumn::DLxPartListColumn(const UTxString16& header,
                                     const RSeRef<DLxPartListPropertyId>& id, double width,
                                     int32_t headerAlignment, int32_t columnAlignment)
    : m_header(header), m_propertyId(id), m_width(width), m_headerAlignment(headerAlignment),
      m_columnAlignment(columnAlignment) {}

DLxPartListColumn::DLxPartListColumn(const DLxPartListColumn& other, RSeSegment* segment)
    : m_header(other.m_header), m_width(other.m_width), m_headerAlignment(other.m_headerAlignment),
      m_columnAlignment(other.m_columnAlignment) {
    if (&other == this) return;
    m_propertyId = CopyOf(segment, other.m_propertyId);
    m_unitValues = CopyOf(segment, other.m_unitValues);
    m_substituteId = CopyOf(segment, other.m_substituteId);
    m_substituteUnitValues = CopyOf(segment, other.m_substituteUnitValues);
    m_dataType = other.m_dataType;
    m_formatMode = other.m_formatMode;
    m_outputUnitType = other.m_outputUnitType;
    m_substituteFormatMode = other.m_substituteFormatMode;
    m_substituteBehavior = other.m_substituteBehavior;
    m_substituteOutputUnitType = other.m_substituteOutputUnitType;
}

DLxPartListColumn::DLxPartListColumn(const FBxObjectEditRecord& r) {
    m_header = AsString(r, u"header");
    m_propertyId = NewId(nullptr, PropertyType(AsInt(r, u"propertyId_type")),
                         AsInt(r, u"propertyId_generalId"), AsString(r, u"propertyId_customId"));
    m_width = AsDouble(r, u"width");
    m_headerAlignment = AsInt(r, u"headerAlignment");
    m_columnAlignment = AsInt(r, u"columnAlignment");
    if (AsBool(r, u"has_unitval")) m_unitValues = UnitValuesFromRecord(r, u"");
    m_dataType = AsInt(r, u"property_data_type");
    m_formatMode = AsInt(r, u"format_mode");
    m_outputUnitType = AsInt(r, u"output_unit_type");
    if (AsBool(r, u"has_subpropid"))
        m_substituteId = NewId(nullptr, PropertyType(AsInt(r, u"substitute_propertyId_type")),
                               AsInt(r, u"substitute_propertyId_generalId"),
                               AsString(r, u"substitute_propertyId_customId"));
    if (AsBool(r, u"has_subunitval"))
        m_substituteUnitValues = UnitValuesFromRecord(r, u"substitute_");
    m_substituteBehavior = AsInt(r, u"substitute_behavior");
    m_substituteFormatMode = AsInt(r, u"substitute_format_mode");
    m_substituteOutputUnitType = AsInt(r, u"substitute_output_unit_type");
}

DLxPartListColumn::~DLxPartListColumn() {
    Drop(m_propertyId);
    Drop(m_unitValues);
    Drop(m_substituteId);
    Drop(m_substituteUnitValues);
}

FBxObjectEditRecord DLxPartListColumn::MakeEditRecord() const {
    using V = FBxObjectEditRecord::Value;
    FBxObjectEditRecord r(u"Column");
    AddPair(r, u"header", V::MakeString(m_header));
    const DLxPartListPropertyId* id = m_propertyId.Read();
    AddPair(r, u"propertyId_type", V::MakeInt(id ? id->GetType() : 0));
    AddPair(r, u"propertyId_generalId", V::MakeInt(id ? id->GetGeneralId() : -1));
    AddPair(r, u"propertyId_customId", V::MakeString(id ? id->GetCustomId() : UTxString16()));
    AddPair(r, u"width", V::MakeReal(m_width));
    AddPair(r, u"headerAlignment", V::MakeInt(m_headerAlignment));
    AddPair(r, u"columnAlignment", V::MakeInt(m_columnAlignment));
    const DUxDimStyleUnitVals* units = m_unitValues.Read();
    AddPair(r, u"has_unitval", V::MakeBool(units != nullptr));
    if (units) AddUnitValues(r, u"", *units);
    AddPair(r, u"property_data_type", V::MakeInt(m_dataType));
    AddPair(r, u"format_mode", V::MakeInt(m_formatMode));
    AddPair(r, u"output_unit_type", V::MakeInt(m_outputUnitType));
    const DLxPartListPropertyId* sub = m_substituteId.Read();
    AddPair(r, u"has_subpropid", V::MakeBool(sub != nullptr));
    if (sub) {
        AddPair(r, u"substitute_propertyId_type", V::MakeInt(sub->GetType()));
        AddPair(r, u"substitute_propertyId_generalId", V::MakeInt(sub->GetGeneralId()));
        AddPair(r, u"substitute_propertyId_customId", V::MakeString(sub->GetCustomId()));
    }
    const DUxDimStyleUnitVals* subUnits = m_substituteUnitValues.Read();
    AddPair(r, u"has_subunitval", V::MakeBool(subUnits != nullptr));
    if (subUnits) AddUnitValues(r, u"substitute_", *subUnits);
    AddPair(r, u"substitute_behavior", V::MakeInt(m_substituteBehavior));
    AddPair(r, u"substitute_format_mode", V::MakeInt(m_substituteFormatMode));
    AddPair(r, u"substitute_output_unit_type", V::MakeInt(m_substituteOutputUnitType));
    return r;
}

int32_t DLxPartListColumn::GetPropertyType() const {
    const DLxPartListPropertyId* id = m_propertyId.Read();
    return id ? id->GetType() : 0;
}

template <class T> void DLxPartListColumn::Replace(RSeRef<T>& field, const RSeRef<T>& value) {
    if (field.GetTarget() == value.GetTarget()) return;
    Drop(field);
    field = value;
}

void DLxPartListColumn::SetHeader(const UTxString16& header) {
    RSe::PrepareWrite(this);
    m_header = header;
}

void DLxPartListColumn::SetWidth(double width) {
    RSe::PrepareWrite(this);
    m_width = width;
}

void DLxPartListColumn::SetHeaderAlignment(int32_t alignment) {
    RSe::PrepareWrite(this);
    m_headerAlignment = alignment;
}

void DLxPartListColumn::SetColumnAlignment(int32_t alignment) {
    RSe::PrepareWrite(this);
    m_columnAlignment = alignment;
}

void DLxPartListColumn::SetHeaderFromProperty() {
    const DLxPartListPropertyId* id = m_propertyId.Read();
    SetHeader(id ? id->GetDisplayName() : UTxString16());
}

void DLxPartListColumn::SetUnitValues(const RSeRef<DUxDimStyleUnitVals>& values) {
    RSe::PrepareWrite(this);
    Replace(m_unitValues, values);
    m_dataType = m_unitValues ? 3 : 1;
}

void DLxPartListColumn::SetPropertyDataType(int32_t type,
                                            const RSeRef<DUxDimStyleUnitVals>& values) {
    RSe::PrepareWrite(this);
    m_dataType = type;
    if (type == 2 || type == 3)
        Replace(m_unitValues, values);
    else
        Drop(m_unitValues);
}

void DLxPartListColumn::SetSubstitute(int32_t behavior, const RSeRef<DLxPartListPropertyId>& id) {
    RSe::PrepareWrite(this);
    m_substituteBehavior = behavior;
    // The column's own substitute given back stays as it is.
    if (m_substituteId.GetTarget() == id.GetTarget()) return;
    Drop(m_substituteId);
    m_substituteId = CopyOf(GetSegment(), id);
}

void DLxPartListColumn::SetSubstituteUnitValues(const RSeRef<DUxDimStyleUnitVals>& values) {
    RSe::PrepareWrite(this);
    Replace(m_substituteUnitValues, values);
}

void DLxPartListColumn::SetIntOption(int32_t outputUnitType) {
    RSe::PrepareWrite(this);
    m_outputUnitType = outputUnitType;
}

void DLxPartListColumn::SetFormatMode(int32_t mode) {
    RSe::PrepareWrite(this);
    m_formatMode = mode;
}

void DLxPartListColumn::SetSubstituteFormatMode(int32_t mode) {
    RSe::PrepareWrite(this);
    m_substituteFormatMode = mode;
}

void DLxPartListColumn::SetSubstituteOutputUnitType(int32_t type) {
    RSe::PrepareWrite(this);
    m_substituteOutputUnitType = type;
}

void DLxPartListColumn::SetAll(const UTxString16& header, double width, int32_t headerAlignment,
                               int32_t columnAlignment,
                               const RSeRef<DUxDimStyleUnitVals>& unitValues, int32_t dataType,
                               int32_t formatMode, int32_t outputUnitType,
                               const RSeRef<DLxPartListPropertyId>& substituteId,
                               const RSeRef<DUxDimStyleUnitVals>& substituteUnitValues,
                               int32_t substituteBehavior, int32_t substituteFormatMode,
                               int32_t substituteOutputUnitType) {
    RSe::PrepareWrite(this);
    m_header = header;
    m_width = width;
    m_headerAlignment = headerAlignment;
    m_columnAlignment = columnAlignment;
    Replace(m_unitValues, unitValues);
    m_dataType = dataType;
    m_formatMode = formatMode;
    m_outputUnitType = outputUnitType;
    Replace(m_substituteId, substituteId);
    Replace(m_substituteUnitValues, substituteUnitValues);
    m_substituteBehavior = substituteBehavior;
    m_substituteFormatMode = substituteFormatMode;
    m_substituteOutputUnitType = substituteOutputUnitType;
}

void DLxPartListColumn::Assign(const DLxPartListColumn& other) {
    if (&other == this) return;
    // Private copies first, so that nothing of `other` is ever owned twice.
    SetAll(other.m_header, other.m_width, other.m_headerAlignment, other.m_columnAlignment,
           CopyOf(GetSegment(), other.m_unitValues), other.m_dataType, other.m_formatMode,
           other.m_outputUnitType, CopyOf(GetSegment(), other.m_substituteId),
           CopyOf(GetSegment(), other.m_substituteUnitValues), other.m_substituteBehavior,
           other.m_substituteFormatMode, other.m_substituteOutputUnitType);
}

// ---- transcript

namespace DLxTDXUtil {
UTxResult Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key,
                     RSeRef<DUxDimStyleUnitVals>& value, bool) {
    const UTxString16 p(key ? key : u"");
    int32_t lengthUnit = 1, linear = 0, angular = 0;
    bool decimalPoint = false, fractional = false, decimalFormat = false, slash = false;
    bool leading = false, trailing = false, units = false;
    float height = 0.0f;
    if (tdx.IsWriting()) {
        if (const DUxDimStyleUnitVals* v = value.Read()) {
            lengthUnit = v->GetLengthUnits();
            decimalPoint = v->GetDecimalPoint();
            fractional = v->GetFractionalFormat();
            linear = v->GetLinearPrecision();
            decimalFormat = v->GetDecimalFormat();
            angular = v->GetAngularPrecision();
            slash = v->GetSlashFormat();
            height = v->GetFractionalHeight();
            leading = v->GetShowLeadingZero();
            trailing = v->GetShowTrailingZero();
            units = v->GetShowUnitString();
        }
    }
    _TDX_Int(tdx, (p + u"_LengthUnits").c_str(), lengthUnit, true);
    _TDX_Bool(tdx, (p + u"_DecimalPoint").c_str(), decimalPoint, true);
    _TDX_Bool(tdx, (p + u"_FractionalFormat").c_str(), fractional, true);
    _TDX_Int(tdx, (p + u"_LinearPrecision").c_str(), linear, true);
    _TDX_Bool(tdx, (p + u"_DecimalFormat").c_str(), decimalFormat, true);
    _TDX_Int(tdx, (p + u"_AngularPrecision").c_str(), angular, true);
    _TDX_Bool(tdx, (p + u"_SlashFormat").c_str(), slash, true);
    _TDX_Float(tdx, (p + u"_FractionalHeight").c_str(), height, true);
    _TDX_Bool(tdx, (p + u"_LeadingZero").c_str(), leading, true);
    _TDX_Bool(tdx, (p + u"_TrailingZero").c_str(), trailing, true);
    _TDX_Bool(tdx, (p + u"_ShowUnitString").c_str(), units, true);
    if (tdx.IsReading() && !tdx.HasFailed()) {
        DUxDimStyleUnitVals* v = DUxDimStyleUnitVals::New(nullptr);
        v->UpdateLengthUnits(lengthUnit);
        v->SetDecimalPoint(decimalPoint);
        v->SetFractionalFormat(fractional);
        v->SetLinearPrecision(linear);
        v->SetDecimalFormat(decimalFormat);
        v->SetAngularPrecision(angular);
        v->SetSlashFormat(slash);
        v->SetFractionalHeight(height);
        v->SetShowLeadingZero(leading);
        v->SetShowTrailingZero(trailing);
        v->SetShowUnitString(units);
        value = v;
    }
    return tdx.GetResult();
}

UTxResult Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key,
                     RSeRef<DLxPartListColumn>& value, bool) {
    const UTxString16 p(key ? key : u"");
    const bool writing = tdx.IsWriting();
    const DLxPartListColumn* c = writing ? value.Read() : nullptr;
    if (writing && !c) return tdx.GetResult(); // nothing to write

    UTxString16 header = c ? c->GetHeader() : UTxString16();
    RSeRef<DLxPartListPropertyId> id = c ? c->GetPropertyId() : RSeRef<DLxPartListPropertyId>();
    double width = c ? c->GetWidth() : 0.0;
    int32_t headerAlignment = c ? c->GetHeaderAlignment() : 0;
    int32_t columnAlignment = c ? c->GetColumnAlignment() : 0;
    RSeRef<DUxDimStyleUnitVals> units = c ? c->GetUnitValues() : RSeRef<DUxDimStyleUnitVals>();
    bool hasUnits = bool(units);
    int32_t dataType = c ? c->GetPropertyDataType() : 1;
    int32_t formatMode = c ? c->GetFormatMode() : 0;
    int32_t outputUnitType = c ? c->GetOutputUnitType() : 1;
    RSeRef<DLxPartListPropertyId> subId =
        c ? c->GetSubstitutePropertyId() : RSeRef<DLxPartListPropertyId>();
    bool hasSubId = bool(subId);
    RSeRef<DUxDimStyleUnitVals> subUnits =
        c ? c->GetSubstituteUnitValues() : RSeRef<DUxDimStyleUnitVals>();
    bool hasSubUnits = bool(subUnits);
    int32_t subBehavior = c ? c->GetSubstituteBehavior() : 0;
    int32_t subFormatMode = c ? c->GetSubstituteFormatMode() : 0;
    int32_t subOutputUnitType = c ? c->GetSubstituteOutputUnitType() : 1;

    _TDX_String(tdx, (p + u"HeadString").c_str(), header, true);
    Transcript(tdx, (p + u"PartListPropertyId").c_str(), id, true);
    _TDX_Double(tdx, (p + u"HeaderWidth").c_str(), width, true);
    _TDX_Int(tdx, (p + u"HeaderAligment").c_str(), headerAlignment, true);
    _TDX_Int(tdx, (p + u"ColumnAligment").c_str(), columnAlignment, true);
    const UTxString16 unitsKey = p + u"PartListColumnUnitsFormat";
    if (!_TDX_Bool(tdx, unitsKey.c_str(), hasUnits, writing)) hasUnits = false;
    if (hasUnits) Transcript(tdx, unitsKey.c_str(), units, true);
    _TDX_Int(tdx, (p + u"PartListColumnPropDataType").c_str(), dataType, writing);
    _TDX_Int(tdx, (p + u"FormatMode").c_str(), formatMode, writing);
    _TDX_Int(tdx, (p + u"OutputUnitType").c_str(), outputUnitType, writing);
    const UTxString16 subKey = p + u"PartListColumnSubstitution";
    if (!_TDX_Bool(tdx, subKey.c_str(), hasSubId, writing)) hasSubId = false;
    if (hasSubId) Transcript(tdx, subKey.c_str(), subId, true);
    const UTxString16 subUnitsKey = p + u"PartListColumnSubstituteUnitsFormat";
    if (!_TDX_Bool(tdx, subUnitsKey.c_str(), hasSubUnits, writing)) hasSubUnits = false;
    if (hasSubUnits) Transcript(tdx, subUnitsKey.c_str(), subUnits, true);
    _TDX_Int(tdx, (p + u"SubstituteBehavior").c_str(), subBehavior, writing);
    _TDX_Int(tdx, (p + u"SubstituteFormatMode").c_str(), subFormatMode, writing);
    _TDX_Int(tdx, (p + u"SubstituteOutputUnitType").c_str(), subOutputUnitType, writing);

    if (writing || tdx.HasFailed()) return tdx.GetResult();
    DLxPartListColumn* column =
        DLxPartListColumn::New(nullptr, header, id, width, headerAlignment, columnAlignment);
    if (hasUnits) column->SetPropertyDataType(dataType, units);
    column->SetFormatMode(formatMode);
    column->SetIntOption(outputUnitType);
    // The substitute read is handed over as a copy; the one read goes with it.
    column->SetSubstitute(subBehavior, hasSubId ? subId : RSeRef<DLxPartListPropertyId>());
    if (hasSubId) Drop(subId);
    if (hasSubUnits) column->SetSubstituteUnitValues(subUnits);
    column->SetSubstituteFormatMode(subFormatMode);
    column->SetSubstituteOutputUnitType(subOutputUnitType);
    value = column;
    return tdx.GetResult();
}
} // namespace DLxTDXUtil

// ---- units

bool UnitCodeOf(const RDxUnit* unit, const RDxUnitContext* context, int32_t& code) {
    code = 1;
    if (!unit) return false;
    const double scale = unit->ScaleFactor(context);
    auto near = [scale](double v) { return std::fabs(scale - v) < 1e-6; };
    auto set = [&code](int32_t c) {
        code = c;
        return true;
    };
    if (dynamic_cast<const RDxUnitMeter*>(unit)) {
        if (near(0.001)) return set(0);
        if (near(0.01)) return set(1);
        if (near(1.0)) return set(2);
        if (near(1000.0)) return set(3);
        return false;
    }
    if (dynamic_cast<const RDxUnitGram*>(unit)) {
        code = 12;
        if (near(1.0)) return true;
        if (near(1000.0)) return set(16);
        return false;
    }
    if (dynamic_cast<const RDxUnitMicron*>(unit)) return set(4);
    if (dynamic_cast<const RDxUnitInch*>(unit)) return set(5);
    if (dynamic_cast<const RDxUnitFoot*>(unit)) return set(6);
    if (dynamic_cast<const RDxUnitYard*>(unit)) return set(7);
    if (dynamic_cast<const RDxUnitMile*>(unit)) return set(8);
    if (dynamic_cast<const RDxUnitNauticalMile*>(unit)) return set(9);
    if (dynamic_cast<const RDxUnitSlug*>(unit)) return set(13);
    if (dynamic_cast<const RDxUnitLbMass*>(unit)) return set(14);
    if (dynamic_cast<const RDxUnitOunceMass*>(unit)) return set(15);
    if (dynamic_cast<const RDxUnitLiter*>(unit)) return set(17);
    if (dynamic_cast<const RDxUnitGallon*>(unit)) return set(18);
    if (dynamic_cast<const RDxUnitQuart*>(unit)) return set(19);
    if (dynamic_cast<const RDxUnitPint*>(unit)) return set(20);
    if (dynamic_cast<const RDxUnitOunceVolume*>(unit)) return set(22);
    return false;
}

bool GetDocumentLengthUnit(const RDxUnitManager* units, int32_t& code) {
    code = 1;
    if (!units) return false;
    const RDxUnitComplex& length = units->System().CurrentUnitSystem().InstanceLength();
    if (!length.IsSimpleUnit()) return false;
    const RDxUnitContext context;
    return UnitCodeOf(length.GetSimpleUnit(), &context, code);
}
