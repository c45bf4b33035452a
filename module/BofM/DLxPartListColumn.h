#pragma once
// One column of a parts list: its heading, the property it shows, width and alignments, the
// unit format of numeric values, and an optional substitute property (with its own format) that
// stands in when the first gives nothing. The column owns its property id, unit values,
// substitute id and substitute unit values: replacing one deletes the old one.
//
// Its edit record is a list of (key text, value) pairs, read by key (a missing key reads as
// 0, false, 0.0 or empty): "header"; "propertyId_type", "propertyId_generalId",
// "propertyId_customId"; "width", "headerAlignment", "columnAlignment"; "has_unitval" and, when
// true, the unit keys "length_unit", "decimal_point", "fractional_format", "linear_precision",
// "decimal_format", "angular_precision", "slash_format", "fractional_height", "leading_zero",
// "trailing_zero", "show_units"; "property_data_type", "format_mode", "output_unit_type";
// "has_subpropid" with the "substitute_propertyId_..." keys; "has_subunitval" with the unit
// keys prefixed "substitute_"; "substitute_behavior", "substitute_format_mode",
// "substitute_output_unit_type".
#include <cstdint>
#include <utility>

#include "BofM/DLxPartListPropertyId.h"
#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class DUxDimStyleUnitVals;
class FBxObjectEditRecord;
class RDxUnit;
class RDxUnitContext;
class RDxUnitManager;
class RSeSegment;
class UCxTranscriptDataExchange;

class DLxPartListColumn : public RSeIDed {
public:
    using PropertyType = DLxPartListPropertyId::PropertyType;

    // The property id is made in the column's own segment; the heading is the property's name.
    DLxPartListColumn(PropertyType type, int32_t generalId, double width, int32_t headerAlignment,
                      int32_t columnAlignment);
    // A custom property (type 2) takes the header as its name and keeps an empty header empty;
    // other types take the property's name for an empty header.
    DLxPartListColumn(const UTxString16& header, PropertyType type, int32_t generalId,
                      double width, int32_t headerAlignment, int32_t columnAlignment);
    // A copy of `id` in the column's segment; the heading is the property's name.
    DLxPartListColumn(const DLxPartListPropertyId& id, double width, int32_t headerAlignment,
                      int32_t columnAlignment);
    // Keeps `id` itself (the transcript reader's).
    DLxPartListColumn(const UTxString16& header, const RSeRef<DLxPartListPropertyId>& id,
                      double width, int32_t headerAlignment, int32_t columnAlignment);
    // Copies of what `other` owns are made in `segment`.
    DLxPartListColumn(const DLxPartListColumn& other, RSeSegment* segment);
    // Reads the record's keys (above); what it makes is made in the transient segment.
    explicit DLxPartListColumn(const FBxObjectEditRecord& record);
    explicit DLxPartListColumn(const RSeStream*) {}
    ~DLxPartListColumn() override;
    RSeMetaType* GetMeta() const override;

    // Made in `segment` (the transient one when null) with the constructor of the same
    // arguments.
    template <class... Args> static DLxPartListColumn* New(RSeSegment* segment, Args&&... args) {
        return new (Meta(), SegmentOrTransient(segment))
            DLxPartListColumn(std::forward<Args>(args)...);
    }

    // The record that the edit-record constructor reads back into an equal column.
    FBxObjectEditRecord MakeEditRecord() const;

    RSeRef<DLxPartListPropertyId> GetPropertyId() const { return m_propertyId; }
    int32_t GetPropertyType() const;
    const UTxString16& GetHeader() const { return m_header; }
    double GetWidth() const { return m_width; }
    int32_t GetHeaderAlignment() const { return m_headerAlignment; }
    int32_t GetColumnAlignment() const { return m_columnAlignment; }
    RSeRef<DUxDimStyleUnitVals> GetUnitValues() const { return m_unitValues; }
    int32_t GetPropertyDataType() const { return m_dataType; }
    int32_t GetFormatMode() const { return m_formatMode; }
    int32_t GetOutputUnitType() const { return m_outputUnitType; }
    RSeRef<DLxPartListPropertyId> GetSubstitutePropertyId() const { return m_substituteId; }
    RSeRef<DUxDimStyleUnitVals> GetSubstituteUnitValues() const { return m_substituteUnitValues; }
    int32_t GetSubstituteFormatMode() const { return m_substituteFormatMode; }
    int32_t GetSubstituteBehavior() const { return m_substituteBehavior; }
    int32_t GetSubstituteOutputUnitType() const { return m_substituteOutputUnitType; }
    bool IsCustomPropertyColumn() const { return GetPropertyType() == DLxPartListPropertyId::eCustom; }

    void SetHeader(const UTxString16& header);
    void SetWidth(double width);
    void SetHeaderAlignment(int32_t alignment);
    void SetColumnAlignment(int32_t alignment);
    void SetHeaderFromProperty();
    // Data type 3 with unit values, 1 without.
    void SetUnitValues(const RSeRef<DUxDimStyleUnitVals>& values);
    // Types 2 and 3 take `values`; any other type drops the unit values.
    void SetPropertyDataType(int32_t type, const RSeRef<DUxDimStyleUnitVals>& values);
    // The substitute becomes a copy of `id` in the column's segment (none for null).
    void SetSubstitute(int32_t behavior, const RSeRef<DLxPartListPropertyId>& id);
    void SetSubstituteUnitValues(const RSeRef<DUxDimStyleUnitVals>& values);
    void SetIntOption(int32_t outputUnitType);
    void SetFormatMode(int32_t mode);
    void SetSubstituteFormatMode(int32_t mode);
    void SetSubstituteOutputUnitType(int32_t type);
    void SetAll(const UTxString16& header, double width, int32_t headerAlignment,
                int32_t columnAlignment, const RSeRef<DUxDimStyleUnitVals>& unitValues,
                int32_t dataType, int32_t formatMode, int32_t outputUnitType,
                const RSeRef<DLxPartListPropertyId>& substituteId,
                const RSeRef<DUxDimStyleUnitVals>& substituteUnitValues, int32_t substituteBehavior,
                int32_t substituteFormatMode, int32_t substituteOutputUnitType);
    // Takes `other`'s settings with private copies of what it owns; its property id stays.
    void Assign(const DLxPartListColumn& other);

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxPartListColumn* target, RSeCloneCommander* cc) const;

private:
    static RSeMetaType* Meta();
    static RSeSegment* SegmentOrTransient(RSeSegment* segment);
    template <class T> void Replace(RSeRef<T>& field, const RSeRef<T>& value);

    UTxString16 m_header;
    RSeRef<DLxPartListPropertyId> m_propertyId;
    double m_width = 0.0;
    int32_t m_headerAlignment = 0;
    int32_t m_columnAlignment = 0;
    RSeRef<DUxDimStyleUnitVals> m_unitValues;
    int32_t m_dataType = 1;
    int32_t m_formatMode = 0;
    int32_t m_outputUnitType = 1;
    RSeRef<DLxPartListPropertyId> m_substituteId;
    RSeRef<DUxDimStyleUnitVals> m_substituteUnitValues;
    int32_t m_substituteFormatMode = 0;
    int32_t m_substituteBehavior = 0;
    int32_t m_substituteOutputUnitType = 1;
};

namespace DLxTDXUtil {
// Under the key prefix P: P_LengthUnits, P_DecimalPoint, ... P_ShowUnitString, all required.
// Reading gives the reference new unit values in the transient segment.
UTxResult Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key,
                     RSeRef<DUxDimStyleUnitVals>& value, bool unused);
// Under the key prefix P: PHeadString, the property id under PPartListPropertyId, widths,
// alignments, formats and the substitute. Reading gives the reference a new column in the
// transient segment.
UTxResult Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key,
                     RSeRef<DLxPartListColumn>& value, bool unused);
} // namespace DLxTDXUtil

// The code of the document's length unit for the format pages (1 until known); false without a
// unit manager or for a unit built of several.
bool GetDocumentLengthUnit(const RDxUnitManager* units, int32_t& code);
// The format pages' code of a simple unit: 0 mm, 1 cm, 2 m, 3 km, 4 micron, 5 in, 6 ft, 7 yd,
// 8 mile, 9 nautical mile, 12 g, 13 slug, 14 lb, 15 oz, 16 kg, 17 l, 18 gal, 19 qt, 20 pt,
// 22 fl oz. False (code 1, or 12 for a gram of another scale) for any other unit.
bool UnitCodeOf(const RDxUnit* unit, const RDxUnitContext* context, int32_t& code);

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListColumn*);
RSeMetaType* _GetMeta(const DLxPartListColumn*);
} // namespace RSe
