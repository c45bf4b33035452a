#pragma once
// The data record of an older datum or feature identifier: its text, the direction its leader
// leaves the frame in, a value nothing reads any more, and the identifier's reference point.
// The symbol that holds the record owns it; the record owns its text value.
#include <cstdint>

#include "ge/WqGePoint3d.h"
#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DUxStringValue;
class RSeCloneCommander;
class RSeMetaContext;
class WqGeMatrix3d;

class DLxCId : public RSeIDed {
public:
    // Direction codes: the way the leader's landing points, along the symbol's axes.
    static constexpr int32_t kDown = 2;
    static constexpr int32_t kRight = 4;
    static constexpr int32_t kLeft = 6;
    static constexpr int32_t kUp = 8;

    explicit DLxCId(const RSeStream* s);
    ~DLxCId() override;
    RSeMetaType* GetMeta() const override;

    // The text value's text; empty when the record lost its value.
    UTxString16 GetText() const;
    int32_t GetDirectionCode() const { return m_direction; }
    int32_t GetSecondValue() const { return m_second; }
    const WqGePoint3d& GetOrigin() const { return m_origin; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxCId* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DUxStringValue> m_text;
    int32_t m_direction = kUp;
    int32_t m_second = 0;
    WqGePoint3d m_origin;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxCId*);
RSeMetaType* _GetMeta(const DLxCId*);
} // namespace RSe
