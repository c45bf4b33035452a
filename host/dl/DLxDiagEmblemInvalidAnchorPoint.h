#pragma once
// The diagnosis of an annotation (an emblem) with anchors that lost their geometry: it names the
// emblem and its anchors, the first sick one first. Made in the transient segment like every
// diagnosis; its subject is the first anchor.
#include <vector>

#include "rse/RSeRef.h"
#include "rse/UTxDiagnosis.h"

class DLxAnchorPoint;
class DLxEmblem;

class DLxDiagEmblemInvalidAnchorPoint : public UTxDiagnosis {
public:
    DLxDiagEmblemInvalidAnchorPoint() = default;
    explicit DLxDiagEmblemInvalidAnchorPoint(const RSeStream* s) : UTxDiagnosis(s) {}
    RSeMetaType* GetMeta() const override;

    // A new diagnosis with the code and text of `result`, in the transient segment; the caller
    // (or whoever it hands the diagnosis to) deletes it.
    static DLxDiagEmblemInvalidAnchorPoint* Create(const UTxResult& result, DLxEmblem* emblem,
                                                   DLxAnchorPoint* anchor);

    DLxEmblem* GetEmblem() const { return m_emblem.get(); }
    // Null for an anchor that has gone since.
    DLxAnchorPoint* GetAnchorPoint(size_t i = 0) const;
    size_t GetAnchorCount() const { return m_anchors.size(); }
    void AddAnchorPoint(DLxAnchorPoint* anchor);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxDiagEmblemInvalidAnchorPoint* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxEmblem> m_emblem;
    std::vector<RSeRef<DLxAnchorPoint>> m_anchors;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxDiagEmblemInvalidAnchorPoint*);
RSeMetaType* _GetMeta(const DLxDiagEmblemInvalidAnchorPoint*);
} // namespace RSe
