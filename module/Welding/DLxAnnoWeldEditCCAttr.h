#pragma once
// What a drag of a 3D weld annotation's handle tells the computes it causes: which kind of
// change, which handle and which annotation. It travels in the compute context under its class
// name, as the other compute-context attributes do.
#include <cstdint>
#include <optional>

#include "rse/RSeRef.h"

class DLxAnnoWeldInstance;
class RDxComputeContext;

class DLxAnnoWeldEditCCAttr {
public:
    enum EChangeType : int32_t { kNoChange = 0 };

    DLxAnnoWeldEditCCAttr() = default;
    ~DLxAnnoWeldEditCCAttr() = default;

    EChangeType GetChangeType() const { return m_changeType; }
    void SetChangeType(EChangeType type) { m_changeType = type; }
    int32_t GetManipIndex() const { return m_manipIndex; }
    void SetManipIndex(int32_t index) { m_manipIndex = index; }
    DLxAnnoWeldInstance* GetAnnoWeldInstance() const { return m_weld.get(); }
    void SetAnnoWeldInstance(const RSeRef<DLxAnnoWeldInstance>& weld) { m_weld = weld; }

    // Puts the attribute into a compute context, replacing one there.
    void AddTo(RDxComputeContext& ctx) const;
    // The attribute a context carries; nothing when it carries none.
    static std::optional<DLxAnnoWeldEditCCAttr> Find(const RDxComputeContext& ctx);

private:
    EChangeType m_changeType = kNoChange;
    int32_t m_manipIndex = 0;
    RSeRef<DLxAnnoWeldInstance> m_weld;
};
