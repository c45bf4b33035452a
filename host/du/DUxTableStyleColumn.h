#pragma once
// The table styles' columns: which property a column shows (a property set, a property id and
// the external name that heads it) and, through DUxColumnInterface, how it shows it. Parts lists
// use DUxTableStylePartsListColumn, which adds a substitute property, and the older styles'
// DUxPartsListStyleColumnItem; hole tables use DUxHoleTableStyleColumnItem. DUxTableColumnDef is
// the hole-table editor's own column record and DUxRowKey a row-merge key of older bills of
// materials.
#include <cstdint>

#include "rse/RSeIDed.h"
#include "utx/UTxString16.h"

class FBxObjectEditRecord;
class RSeSegment;

class DUxStyleFormatColumnPropertyID {
public:
    const UTxString16& GetPropertySet() const { return m_set; }
    const UTxString16& GetPropertyID() const { return m_id; }
    const UTxString16& GetPropertyExternalName() const { return m_name; }
    void SetPropertySet(const UTxString16& v) { m_set = v; }
    void SetPropertyID(const UTxString16& v) { m_id = v; }
    void SetPropertyExternalName(const UTxString16& v) { m_name = v; }
    // The family-table member a column repeated per member shows; empty for any other column.
    // Stored with the parts-list columns, the only ones repeated per member.
    const UTxString16& GetMemberID() const { return m_member; }
    void SetMemberID(const UTxString16& v) { m_member = v; }
    // Property sets are GUID texts: their case does not matter.
    bool IsPropertySet(const UTxString16& set) const;
    // The parts-list properties the table framework itself tells apart: the item number
    // (property "1" of the parts-list set) and the quantity (property "2").
    static const UTxString16& PartsListPropertySet();
    bool IsItem() const { return IsPropertySet(PartsListPropertySet()) && m_id == u"1"; }
    bool IsQuantity() const { return IsPropertySet(PartsListPropertySet()) && m_id == u"2"; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    friend bool operator==(const DUxStyleFormatColumnPropertyID&,
                           const DUxStyleFormatColumnPropertyID&) = default;

private:
    UTxString16 m_set;
    UTxString16 m_id;
    UTxString16 m_name;
    UTxString16 m_member;
};

// How a column shows its values, each value a getter and its setter.
class DUxColumnInterface {
public:
    virtual ~DUxColumnInterface() = default;
    virtual int32_t GetHeadingAlignment() const = 0;
    virtual void SetHeadingAlignment(int32_t v) = 0;
    virtual int32_t GetColumnAlignment() const = 0;
    virtual void SetColumnAlignment(int32_t v) = 0;
    virtual double GetWidth() const = 0;
    virtual void SetWidth(double v) = 0;
    virtual int32_t GetFormatMode() const = 0;
    virtual void SetFormatMode(int32_t v) = 0;
    virtual int32_t GetOutputUnitType() const = 0;
    virtual void SetOutputUnitType(int32_t v) = 0;
    // 0 a point, 1 a comma.
    virtual int32_t GetDecimalMarker() const = 0;
    virtual void SetDecimalMarker(int32_t v) = 0;
    virtual bool GetShowUnitString() const = 0;
    virtual void SetShowUnitString(bool v) = 0;
    virtual bool GetShowLeadingZero() const = 0;
    virtual void SetShowLeadingZero(bool v) = 0;
    virtual bool GetShowTrailingZero() const = 0;
    virtual void SetShowTrailingZero(bool v) = 0;
    virtual int32_t GetLinearPrecision() const = 0;
    virtual void SetLinearPrecision(int32_t v) = 0;
    virtual bool GetFractionalFormat() const = 0;
    virtual void SetFractionalFormat(bool v) = 0;
    // Hole tables only.
    virtual int32_t GetFurtherInt() const = 0;
    virtual void SetFurtherInt(int32_t v) = 0;
    virtual double GetFurtherReal() const = 0;
    virtual void SetFurtherReal(double v) = 0;
};

// The unit settings of a number format, as a column keeps them.
struct DUxColumnUnitSettings {
    int32_t decimalMarker = 0;
    bool showUnitString = false;
    bool showLeadingZero = false;
    bool showTrailingZero = false;
    int32_t linearPrecision = 2;
    bool fractionalFormat = false;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    friend bool operator==(const DUxColumnUnitSettings&, const DUxColumnUnitSettings&) = default;
};

// A column of a table style: the property it shows and how (kept here for both kinds).
class DUxTableStyleColumn : public RSeIDed, public DUxColumnInterface {
public:
    DUxTableStyleColumn() = default;
    explicit DUxTableStyleColumn(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;

    // Changed in place: a column already in a document records itself first (RSe::PrepareWrite).
    DUxStyleFormatColumnPropertyID* GetPropertyID() { return &m_property; }
    const DUxStyleFormatColumnPropertyID* GetPropertyID() const { return &m_property; }
    DUxColumnInterface* GetColumnInterface() { return this; }

    int32_t GetHeadingAlignment() const override { return m_headingAlignment; }
    void SetHeadingAlignment(int32_t v) override;
    int32_t GetColumnAlignment() const override { return m_columnAlignment; }
    void SetColumnAlignment(int32_t v) override;
    double GetWidth() const override { return m_width; }
    void SetWidth(double v) override;
    int32_t GetFormatMode() const override { return m_formatMode; }
    void SetFormatMode(int32_t v) override;
    int32_t GetOutputUnitType() const override { return m_outputUnitType; }
    void SetOutputUnitType(int32_t v) override;
    int32_t GetDecimalMarker() const override { return m_units.decimalMarker; }
    void SetDecimalMarker(int32_t v) override;
    bool GetShowUnitString() const override { return m_units.showUnitString; }
    void SetShowUnitString(bool v) override;
    bool GetShowLeadingZero() const override { return m_units.showLeadingZero; }
    void SetShowLeadingZero(bool v) override;
    bool GetShowTrailingZero() const override { return m_units.showTrailingZero; }
    void SetShowTrailingZero(bool v) override;
    int32_t GetLinearPrecision() const override { return m_units.linearPrecision; }
    void SetLinearPrecision(int32_t v) override;
    bool GetFractionalFormat() const override { return m_units.fractionalFormat; }
    void SetFractionalFormat(bool v) override;
    int32_t GetFurtherInt() const override { return m_furtherInt; }
    void SetFurtherInt(int32_t v) override;
    double GetFurtherReal() const override { return m_furtherReal; }
    void SetFurtherReal(double v) override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxTableStyleColumn* target, RSeCloneCommander* cc) const;

private:
    DUxStyleFormatColumnPropertyID m_property;
    int32_t m_headingAlignment = 1;
    int32_t m_columnAlignment = 0;
    double m_width = 5.0;
    int32_t m_formatMode = 0;
    int32_t m_outputUnitType = 1;
    DUxColumnUnitSettings m_units;
    int32_t m_furtherInt = 0;
    double m_furtherReal = 0.0;
};

class DUxTableStylePartsListColumn : public DUxTableStyleColumn {
public:
    DUxTableStylePartsListColumn() = default;
    explicit DUxTableStylePartsListColumn(const RSeStream* s) : DUxTableStyleColumn(s) {}
    RSeMetaType* GetMeta() const override;
    static DUxTableStylePartsListColumn* New(RSeSegment* segment);
    // Made from an edit record (below), in the segment (the transient one for null).
    static DUxTableStylePartsListColumn* New(RSeSegment* segment,
                                             const FBxObjectEditRecord& record);

    // The column as an edit record: named attributes "propertySet", "propertyId",
    // "propertyName", "memberId" (texts); "headingAlignment", "columnAlignment" (ints); "width"
    // (double); "formatMode", "outputUnitType", "decimalMarker" (ints); "showUnitString",
    // "showLeadingZero", "showTrailingZero" (bools); "linearPrecision" (int); "fractionalFormat"
    // and "substitute" (bools); then the substitute's property, behaviour, format mode, output
    // unit type and unit settings under the same names prefixed "substitute_". Reading needs
    // every one of them: a record that lacks one, or holds one of another kind, throws
    // FBxObjectEditRecord::exception and changes nothing.
    FBxObjectEditRecord MakeEditRecord(const UTxString16& key) const;
    void ReadEditRecord(const FBxObjectEditRecord& record);

    bool GetSubstitute() const { return m_substitute; }
    void SetSubstitute(bool v);
    DUxStyleFormatColumnPropertyID* GetSubstitutePropertyID() { return &m_substituteProperty; }
    const DUxStyleFormatColumnPropertyID* GetSubstitutePropertyID() const {
        return &m_substituteProperty;
    }
    int32_t GetSubstituteBehavior() const { return m_substituteBehavior; }
    void SetSubstituteBehavior(int32_t v);
    int32_t GetSubstituteFormatMode() const { return m_substituteFormatMode; }
    void SetSubstituteFormatMode(int32_t v);
    int32_t GetSubstituteOutputUnitType() const { return m_substituteOutputUnitType; }
    void SetSubstituteOutputUnitType(int32_t v);
    const DUxColumnUnitSettings& GetSubstituteUnits() const { return m_substituteUnits; }
    void SetSubstituteUnits(const DUxColumnUnitSettings& v);

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxTableStylePartsListColumn* target, RSeCloneCommander* cc) const;

private:
    bool m_substitute = false;
    DUxStyleFormatColumnPropertyID m_substituteProperty;
    int32_t m_substituteBehavior = 0;
    int32_t m_substituteFormatMode = 0;
    int32_t m_substituteOutputUnitType = 1;
    DUxColumnUnitSettings m_substituteUnits;
};

// A column item of the older parts-list styles: the same settings and record.
class DUxPartsListStyleColumnItem : public DUxTableStylePartsListColumn {
public:
    DUxPartsListStyleColumnItem() = default;
    explicit DUxPartsListStyleColumnItem(const RSeStream* s) : DUxTableStylePartsListColumn(s) {}
    RSeMetaType* GetMeta() const override;
    static DUxPartsListStyleColumnItem* New(RSeSegment* segment, const FBxObjectEditRecord& record);
};

class DUxHoleTableStyleColumnItem : public DUxTableStyleColumn {
public:
    DUxHoleTableStyleColumnItem() = default;
    explicit DUxHoleTableStyleColumnItem(const RSeStream* s) : DUxTableStyleColumn(s) {}
    RSeMetaType* GetMeta() const override;
    static DUxHoleTableStyleColumnItem* New(RSeSegment* segment);
};

// The hole-table editor's column: kept in memory while the editor runs.
class DUxTableColumnDef {
public:
    DUxTableColumnDef(int32_t propId, int32_t type, const UTxString16& heading, double width)
        : m_propId(propId), m_type(type), m_heading(heading), m_width(width) {}

    int32_t getPropID() const { return m_propId; }
    void setPropID(int32_t v) { m_propId = v; }
    // 2 a user-defined property (by custom id), 3 a hole-table property (by number).
    int32_t getType() const { return m_type; }
    void setType(int32_t v) { m_type = v; }
    const UTxString16& getCustomId() const { return m_customId; }
    void setCustomId(const UTxString16& v) { m_customId = v; }
    // The user's heading when set, else the default one.
    UTxString16 getCurrentHeading() const {
        return m_userHeading.empty() ? m_heading : m_userHeading;
    }
    void setUserHeading(const UTxString16& v) { m_userHeading = v; }
    int32_t getHeaderAligment() const { return m_headerAlignment; }
    void setHeaderAligment(int32_t v) { m_headerAlignment = v; }
    int32_t getDataAligment() const { return m_dataAlignment; }
    void setDataAligment(int32_t v) { m_dataAlignment = v; }
    double getWidth() const { return m_width; }
    void setWidth(double v) { m_width = v; }
    int32_t getOutputUnitType() const { return m_outputUnitType; }
    void setOutputUnitType(int32_t v) { m_outputUnitType = v; }
    int32_t getDecimalMarker() const { return m_decimalMarker; }
    void setDecimalMarker(int32_t v) { m_decimalMarker = v; }
    bool getShowLeadingZero() const { return m_leadingZero; }
    void setShowLeadingZero(bool v) { m_leadingZero = v; }
    bool getShowTrailingZero() const { return m_trailingZero; }
    void setShowTrailingZero(bool v) { m_trailingZero = v; }
    int32_t getLinearPrecision() const { return m_linearPrecision; }
    void setLinearPrecision(int32_t v) { m_linearPrecision = v; }
    bool getFractionalFormat() const { return m_fractional; }
    void setFractionalFormat(bool v) { m_fractional = v; }
    int32_t getFurtherInt() const { return m_furtherInt; }
    void setFurtherInt(int32_t v) { m_furtherInt = v; }
    double getFurtherReal() const { return m_furtherReal; }
    void setFurtherReal(double v) { m_furtherReal = v; }

private:
    int32_t m_propId;
    int32_t m_type;
    UTxString16 m_heading;
    UTxString16 m_userHeading;
    UTxString16 m_customId;
    double m_width;
    int32_t m_headerAlignment = 1;
    int32_t m_dataAlignment = 0;
    int32_t m_outputUnitType = 1;
    int32_t m_decimalMarker = 0;
    bool m_leadingZero = true;
    bool m_trailingZero = false;
    int32_t m_linearPrecision = 2;
    bool m_fractional = false;
    int32_t m_furtherInt = 0;
    double m_furtherReal = 0.0;
};

// A row-merge key of an older bill of materials: the property rows are merged by.
class DUxRowKey : public RSeIDed {
public:
    DUxRowKey() = default;
    DUxRowKey(int32_t type, int32_t generalPID, const UTxString16& customId)
        : m_type(type), m_generalPID(generalPID), m_customId(customId) {}
    explicit DUxRowKey(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;
    static DUxRowKey* New(RSeSegment* segment, int32_t type, int32_t generalPID,
                          const UTxString16& customId);

    int32_t getType() const { return m_type; }
    int32_t getGeneralPID() const { return m_generalPID; }
    const UTxString16& getCustomId() const { return m_customId; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxRowKey* target, RSeCloneCommander* cc) const;

private:
    int32_t m_type = 0;
    int32_t m_generalPID = -1;
    UTxString16 m_customId;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxTableStyleColumn*);
RSeMetaType* _GetMeta(const DUxTableStyleColumn*);
RSeMetaType* _InitMeta(const DUxTableStylePartsListColumn*);
RSeMetaType* _GetMeta(const DUxTableStylePartsListColumn*);
RSeMetaType* _InitMeta(const DUxPartsListStyleColumnItem*);
RSeMetaType* _GetMeta(const DUxPartsListStyleColumnItem*);
RSeMetaType* _InitMeta(const DUxHoleTableStyleColumnItem*);
RSeMetaType* _GetMeta(const DUxHoleTableStyleColumnItem*);
RSeMetaType* _InitMeta(const DUxRowKey*);
RSeMetaType* _GetMeta(const DUxRowKey*);
} // namespace RSe
