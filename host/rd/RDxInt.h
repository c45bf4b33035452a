#pragma once
#include "dc/RDxState.h"
#include <cstdint>

// A state that holds a 32-bit integer.
class RDxInt : public RDxState {
public:
    RDxInt() = default;
    explicit RDxInt(const RSeStream* s) : RDxState(s) {}
    RSeMetaType* GetMeta() const override;

    int32_t GetValue() const { return m_value; }
    // A different value marks the state edited.
    void SetValue(int32_t value);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(RDxInt* target, RSeCloneCommander* cc) const;

private:
    int32_t m_value = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const RDxInt*);
RSeMetaType* _GetMeta(const RDxInt*);
} // namespace RSe
