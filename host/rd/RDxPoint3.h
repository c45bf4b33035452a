#pragma once
#include "dc/RDxState.h"
#include "ge/WqGePoint3d.h"

// A state that holds a point in model space.
class RDxPoint3 : public RDxState {
public:
    RDxPoint3() = default;
    explicit RDxPoint3(const RSeStream* s) : RDxState(s) {}
    RSeMetaType* GetMeta() const override;

    const WqGePoint3d& GetPoint() const { return m_value; }
    // A different value marks the state edited.
    void SetPoint(const WqGePoint3d& value);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(RDxPoint3* target, RSeCloneCommander* cc) const;

private:
    WqGePoint3d m_value{};
};

namespace RSe {
RSeMetaType* _InitMeta(const RDxPoint3*);
RSeMetaType* _GetMeta(const RDxPoint3*);
} // namespace RSe
