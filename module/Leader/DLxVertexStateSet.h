#pragma once
// A state set that also keeps a list of points: the leader vertex points of the older symbols.
#include <vector>

#include "dc/RDxStateSet.h"
#include "ge/WqGePoint3d.h"

class DLxVertexStateSet : public RDxStateSet {
public:
    DLxVertexStateSet() = default;
    explicit DLxVertexStateSet(const RSeStream* s) : RDxStateSet(s) {}
    RSeMetaType* GetMeta() const override;

    // In the fragment's segment, added to the fragment; null without one.
    static DLxVertexStateSet* Create(RDxFragment* fragment);

    const std::vector<WqGePoint3d>& GetPoints() const { return m_points; }
    // Adds the state to the set; a point state's point is appended to the points as well.
    bool AddState(RDxState* state);
    // The target's points become a copy of these.
    void PassValue(DLxVertexStateSet* target) const;
    // Empties the set and the points.
    void Clear();

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxVertexStateSet* target, RSeCloneCommander* cc) const;

private:
    std::vector<WqGePoint3d> m_points;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxVertexStateSet*);
RSeMetaType* _GetMeta(const DLxVertexStateSet*);
} // namespace RSe
