#pragma once
// The values and flags of an older surface-texture symbol, kept by documents of earlier
// versions in a record of their own. It owns its fourteen value objects; a copy takes the
// other record's contents into its own values. Its values go to a current symbol's state
// under their value numbers: note that the record keeps the allowance and the lay before the
// production lines, and the reference before the maximum spacing.
#include <array>
#include <cstdint>

#include "du/DUxValue.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"

class DUxSurfTXTState;

class DLxCSurfText : public RSeIDed {
public:
    // Fourteen new values in the segment the record is made in.
    DLxCSurfText();
    explicit DLxCSurfText(const RSeStream* s);
    ~DLxCSurfText() override;
    DLxCSurfText(const DLxCSurfText&) = delete;
    RSeMetaType* GetMeta() const override;

    // The value of a state's value number (0 to 13); null outside or when missing. Number 5 is
    // the lay, an integer value.
    DUxValue* Value(int32_t variable) const;
    int32_t GetLay() const;

    int32_t GetSubType() const { return m_subType; }
    void SetSubType(int32_t v);
    int32_t GetOrientation() const { return m_orientation; }
    void SetOrientation(int32_t v);
    double GetAngle() const { return m_angle; }
    void SetAngle(double v);
    const WqGePoint3d& GetPosition() const { return m_position; }
    void SetPosition(const WqGePoint3d& p);
    bool IsAllAround() const { return m_allAround; }
    void SetAllAround(bool on);
    bool IsMajority() const { return m_majority; }
    void SetMajority(bool on);
    bool IsForcedTail() const { return m_forcedTail; }
    void SetForcedTail(bool on);
    bool HasLeader() const { return m_hasLeader; }
    void SetHasLeader(bool on);
    bool IsAutoAdjustment() const { return m_autoAdjustment; }
    void SetAutoAdjustment(bool on);

    // Takes the other record's value contents (its own value objects stay its own) and flags.
    DLxCSurfText& operator=(const DLxCSurfText& other);
    // Hands the values (text and visibility, by value number) and flags to a current state.
    void ApplyTo(DUxSurfTXTState& state) const;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxCSurfText* target, RSeCloneCommander* cc) const;

private:
    // The values in the record's order: RaMax, RaMin, Allowance, Production, Production2,
    // SampLength, Cutoff, OtherValue, OtherMin, Reference, MaxRspac, Waviness, Comment, Lay.
    static const std::array<int32_t, 14> kOrder;
    RSeRef<DUxValue>& Slot(int32_t variable);

    std::array<RSeRef<DUxValue>, 14> m_values; // by value number
    double m_angle = 0.0;
    WqGePoint3d m_position;
    int32_t m_orientation = 0;
    int32_t m_subType = 0;
    bool m_allAround = false;
    bool m_majority = false;
    bool m_forcedTail = false;
    bool m_hasLeader = false;
    bool m_autoAdjustment = false;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxCSurfText*);
RSeMetaType* _GetMeta(const DLxCSurfText*);
} // namespace RSe
