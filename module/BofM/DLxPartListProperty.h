#pragma once
// One property of an older parts-list row: a value object with its property id, both owned.
// It forwards to the value object; while detached, the operations that ask or change the model
// answer empty instead. A property without value object (a type that has none) answers empty
// everywhere rather than reaching through the null reference.
#include <cstdint>

#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxComponentProperty;
class DLxPartListPropertyId;
class RDxComponent;
class RSeSegment;

class DLxPartListProperty : public RSeIDed {
public:
    using ResultWord = uint32_t;

    DLxPartListProperty() = default;
    // Asks the value object once to refresh itself from its source.
    DLxPartListProperty(const RSeRef<DLxComponentProperty>& value,
                        const RSeRef<DLxPartListPropertyId>& id);
    explicit DLxPartListProperty(const RSeStream*) {}
    ~DLxPartListProperty() override;
    RSeMetaType* GetMeta() const override;

    // Made in `segment` (the transient one when null).
    static DLxPartListProperty* New(RSeSegment* segment, const RSeRef<DLxComponentProperty>& value,
                                    const RSeRef<DLxPartListPropertyId>& id);

    virtual UTxString16 GetValue(const RSeRef<RDxComponent>& component, bool quantityMode,
                                 int32_t& type);
    virtual UTxString16 GetValueString(bool quantityMode);
    virtual ResultWord SetValueString(const UTxString16& text);
    virtual UTxString16 GetCachedValue(int32_t unused, int32_t& type);
    virtual UTxString16 GetCachedText();
    virtual RSeRef<DLxPartListPropertyId> GetPropertyId() const { return m_id; }
    virtual RSeRef<DLxComponentProperty> GetValueObject() const { return m_value; }
    virtual int32_t CompareWithSource();
    virtual ResultWord WriteToSource();
    virtual ResultWord RefreshFromSource();

    bool IsDetached() const { return m_detached; }
    void SetDetached(bool detached);

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxPartListProperty* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxComponentProperty> m_value;
    RSeRef<DLxPartListPropertyId> m_id;
    bool m_detached = false;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListProperty*);
RSeMetaType* _GetMeta(const DLxPartListProperty*);
} // namespace RSe
