#pragma once
// One frame of a legacy feature control frame: a general value (the frame's datum identifier)
// and, for each of the six per-line variables, the values of the frame's two lines.
#include <cstdint>

#include "Symbol/DLxSym.h"
#include "du/DUxValue.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"

class DLxCFCF : public RSeIDed {
public:
    static constexpr int32_t kValueCount = 13;

    explicit DLxCFCF(const RSeStream* s);
    ~DLxCFCF() override;
    RSeMetaType* GetMeta() const override;

    // The value of a line variable (14 to 24, even) on the first or second line; value 0 (the
    // general value) for any other number. Null when the record lost it.
    DUxValue* GetValue(DLxSym::Variable variable, bool second) const;
    // The visibility of that value; withdrawn when the value is missing.
    DUxValue::EVisibility ValueVisibility(DLxSym::Variable variable, bool second) const;
    bool IsValueVisible(DLxSym::Variable variable, bool second) const {
        return ValueVisibility(variable, second) == DUxValue::kOffered;
    }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxCFCF* target, RSeCloneCommander* cc) const;

private:
    // Where a variable's values are kept: value 0, then the pairs of 20, 22, 24, 14, 16, 18.
    static int32_t ValueIndex(DLxSym::Variable variable, bool second);

    RSeRef<RSeIDed> m_reference;
    WqGePoint3d m_point;
    RSeRef<DUxValue> m_values[kValueCount];
    bool m_flag = false;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxCFCF*);
RSeMetaType* _GetMeta(const DLxCFCF*);
} // namespace RSe
