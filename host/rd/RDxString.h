#pragma once
#include "dc/RDxState.h"
#include "utx/UTxString16.h"

// A state that holds a text.
class RDxString : public RDxState {
public:
    RDxString() = default;
    explicit RDxString(const RSeStream* s) : RDxState(s) {}
    RSeMetaType* GetMeta() const override;

    const UTxString16& GetSimpleValue() const { return m_value; }
    // A different value marks the state edited.
    void SetSimpleValue(const UTxString16& value);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(RDxString* target, RSeCloneCommander* cc) const;

private:
    UTxString16 m_value{};
};

namespace RSe {
RSeMetaType* _InitMeta(const RDxString*);
RSeMetaType* _GetMeta(const RDxString*);
} // namespace RSe
