#pragma once
#include "dc/RDxState.h"
#include <cstdint>

// A state that holds a truth value, stored as a 32-bit 0 or 1.
class RDxBool : public RDxState {
public:
    RDxBool() = default;
    explicit RDxBool(const RSeStream* s) : RDxState(s) {}
    RSeMetaType* GetMeta() const override;

    bool GetValue() const { return m_value != 0; }
    // A different value marks the state edited.
    void SetValue(bool value);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(RDxBool* target, RSeCloneCommander* cc) const;

private:
    int32_t m_value = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const RDxBool*);
RSeMetaType* _GetMeta(const RDxBool*);
} // namespace RSe
