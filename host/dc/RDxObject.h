#pragma once
#include <cstdint>

#include "rse/RSeIDed.h"

class RSeStream;
class RSeMetaContext;
class RSeCloneCommander;

// Base of the kernel's stored objects: a word of flags that subclasses and their users give
// meaning to, and a health mark that says whether the object's last computation succeeded.
// Every change records the object in the open transaction first.
class RDxObject : public RSeIDed {
public:
    // Flag bits that the kernel gives a meaning to; subclasses use the others.
    // The user chose to live with the object's problem: it is not marked sick again...
    static constexpr uint32_t kHealthIgnoredFlag = 0x2;
    // ...unless it is to be checked again.
    static constexpr uint32_t kHealthRecheckFlag = 0x4;
    // On a fragment: nodes that find problems while they compute file diagnoses with it.
    static constexpr uint32_t kCollectDiagnosesFlag = 0x10;

    RDxObject() = default;
    explicit RDxObject(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;

    uint32_t GetFlags() const { return m_flags; }
    // True when every bit of `flags` is set; no bits is never on.
    bool IsFlagOn(uint32_t flags) const { return flags && (m_flags & flags) == flags; }
    void SetFlag(uint32_t flags);
    void ClearFlag(uint32_t flags);
    void UnsetFlag(uint32_t flags) { ClearFlag(flags); }

    bool IsSick() const { return m_sick; }
    void SetSick() { SetHealth(true); }
    void SetHealthy() { SetHealth(false); }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(RDxObject* target, RSeCloneCommander* cc) const;

private:
    void SetHealth(bool sick);

    uint32_t m_flags = 0;
    bool m_sick = false;
};

namespace RSe {
RSeMetaType* _InitMeta(const RDxObject*);
RSeMetaType* _GetMeta(const RDxObject*);
} // namespace RSe
