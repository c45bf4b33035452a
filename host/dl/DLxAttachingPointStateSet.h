#pragma once
// The attaching points of one leader of an older symbol: a state set whose members are
// DLxSymAttachingPoint. The set does not own them: the symbol deletes them with itself.
#include "dc/RDxStateSet.h"

class DLxSymAttachingPoint;

class DLxAttachingPointStateSet : public RDxStateSet {
public:
    DLxAttachingPointStateSet() = default;
    explicit DLxAttachingPointStateSet(const RSeStream* s) : RDxStateSet(s) {}
    RSeMetaType* GetMeta() const override;

    // In the fragment's segment, added to the fragment; null without one.
    static DLxAttachingPointStateSet* Create(RDxFragment* fragment);

    // Member i as an attaching point; null out of range, for a deleted member or one of
    // another class.
    DLxSymAttachingPoint* GetAttachingPoint(uint32_t index) const;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxAttachingPointStateSet*);
RSeMetaType* _GetMeta(const DLxAttachingPointStateSet*);
} // namespace RSe
