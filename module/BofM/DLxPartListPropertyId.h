#pragma once
// The one identification of a property in the parts-list model: a general (document) property
// by its id, a custom property by its name, or one of the parts-list properties (item number,
// quantity, part name, mass, material and four more). Types 3 to 11 are the parts-list property
// set's ids "1" to "9" (type = id + 2).
#include <cstdint>

#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class DLxComponentProperty;
class DLxPartListProperty;
class RSeSegment;
class UCxTranscriptDataExchange;

class DLxPartListPropertyId : public RSeIDed {
public:
    enum PropertyType : int32_t {
        eGeneral = 1,
        eCustom = 2,
        eItemNumber = 3,
        eQuantity = 4,
        ePartName = 5,
        eMass = 6,
        eMaterial = 7,
        ePartListProperty6 = 8,
        ePartListProperty7 = 9,
        ePartListProperty8 = 10,
        ePartListProperty9 = 11,
    };

    DLxPartListPropertyId(PropertyType type, int32_t generalId);
    explicit DLxPartListPropertyId(const UTxString16& customName);
    DLxPartListPropertyId(PropertyType type, int32_t generalId, const UTxString16& customId);
    explicit DLxPartListPropertyId(const RSeRef<DLxPartListPropertyId>& other);
    explicit DLxPartListPropertyId(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;

    // Made in `segment` (the transient one when null).
    static DLxPartListPropertyId* New(RSeSegment* segment, PropertyType type, int32_t generalId,
                                      const UTxString16& customId = {});
    static DLxPartListPropertyId* Copy(RSeSegment* segment, const DLxPartListPropertyId& other);

    PropertyType GetType() const { return m_type; }
    int32_t GetGeneralId() const { return m_generalId; }
    UTxString16 GetCustomId() const { return m_customId; }

    // Types 1 and 2 compare their ids (not the other's type); 3 to 7 compare types; every
    // other type is never the same, not even as itself.
    bool IsSameProperty(const DLxPartListPropertyId& other) const;
    UTxString16 GetDisplayName() const;

    // The property of `component` that this id names, with its value object and a new id, all
    // made in `segment`. Types without a value object give a property with null references.
    RSeRef<DLxPartListProperty> CreateComponentProperty(const RSeRef<RSeIDed>& component,
                                                        RSeSegment* segment,
                                                        bool transparent) const;

    // Makes the value object of a property type for a component (a component proxy). The
    // value kinds of the parts-list model are the default; a test may put its own in their
    // place, and null brings the default back.
    using ValueMaker = DLxComponentProperty* (*)(PropertyType type, int32_t generalId,
                                                 const UTxString16& customId,
                                                 const RSeRef<RSeIDed>& component,
                                                 RSeSegment* segment, bool transparent);
    static void SetValueMaker(ValueMaker maker);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxPartListPropertyId* target, RSeCloneCommander* cc) const;

private:
    PropertyType m_type = PropertyType(0);
    int32_t m_generalId = -1;
    UTxString16 m_customId;
};

namespace DLxTDXUtil {
// Keys <key>PropertyType, <key>GeneralPropId, <key>CustomPropId. Reading makes a new id in the
// transient segment. The last argument has no effect.
UTxResult Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key,
                     RSeRef<DLxPartListPropertyId>& value, bool required);
} // namespace DLxTDXUtil

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListPropertyId*);
RSeMetaType* _GetMeta(const DLxPartListPropertyId*);
} // namespace RSe
