#pragma once
// The value object of one property of one component in the older parts-list model: a cell of an
// older row, read from the component's document or a custom part and cached as text. The kinds
// derive from it; a DLxPartListProperty owns one and forwards to it.
#include <cstdint>

#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class RDxComponent;

class DLxComponentProperty : public RSeIDed {
public:
    // 1 text, 2 integer, 3 real, as the host's data-type utilities number them.
    using ValueType = int32_t;
    // A 32-bit status; every kind answers 0.
    using ResultWord = uint32_t;

    DLxComponentProperty() = default;
    explicit DLxComponentProperty(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;

    virtual ValueType GetValueType() const = 0;
    virtual UTxString16 GetValue(const RSeRef<RDxComponent>& component, bool quantityMode,
                                 ValueType& type) = 0;
    virtual UTxString16 GetValueString(bool quantityMode) = 0;
    virtual ResultWord SetValueString(const UTxString16& text) = 0;
    virtual UTxString16 GetCachedValue(int32_t unused, ValueType& type) = 0;
    virtual UTxString16 GetCachedText() = 0;
    // 0 when the cache matches its source, else 1 or -1.
    virtual int32_t CompareWithSource() = 0;
    virtual ResultWord WriteToSource() = 0;
    virtual ResultWord RefreshFromSource() = 0;
    virtual bool IsReadOnlySource() const { return false; }
    virtual bool IsCacheable() const { return true; }
    virtual bool IsNumericValue() const = 0;
    virtual bool IsTextValue() const = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxComponentProperty*);
RSeMetaType* _GetMeta(const DLxComponentProperty*);
} // namespace RSe
