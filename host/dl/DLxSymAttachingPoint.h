#pragma once
// The anchor of an older symbol's leader: an anchor point that also keeps its location, the
// position it had when the symbol last brought its attachments up to date. Older symbols keep
// them in attaching-point sets (DLxAttachingPointStateSet), one set per leader.
#include "dl/DLxAnchorPoint.h"

class DLxSymAttachingPoint : public DLxAnchorPoint {
public:
    DLxSymAttachingPoint() = default;
    explicit DLxSymAttachingPoint(const RSeStream* s) : DLxAnchorPoint(s) {}
    RSeMetaType* GetMeta() const override;

    // A free attaching point at `point` (its location too) in the fragment's segment, added to
    // the fragment; null without one.
    static DLxSymAttachingPoint* Create(RDxFragment* fragment, const WqGePoint3d& point);

    const WqGePoint3d& GetLocation() const { return m_location; }
    // The location becomes the anchor's present point.
    void UpdateLocation();

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxSymAttachingPoint* target, RSeCloneCommander* cc) const;

private:
    WqGePoint3d m_location;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxSymAttachingPoint*);
RSeMetaType* _GetMeta(const DLxSymAttachingPoint*);
} // namespace RSe
