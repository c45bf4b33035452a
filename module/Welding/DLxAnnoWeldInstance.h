#pragma once
// A 3D weld annotation of a drawing view: the drawn image of a model weld bead along one edge of
// the view, as a caterpillar (short strokes across the edge) or as an end treatment. It is no
// placed symbol: it has no leader and no symbol state. Its inputs are an anchor on the bead's
// edge, which ties it to the view, and nothing else; what it stores of its own are its weld
// property bits and the id of the model weld feature it shows.
//
// This is the part of the annotation that selection, copies and the weld symbols rely on: its
// property bits, feature id, edge, drawing and storage. The caterpillar is drawn as strokes at
// a fixed pitch; the end treatment draws nothing yet.
#include <cstdint>

#include "dl/DLxEmblem.h"
#include "utx/UTxResult.h"

class DLxAnchorPoint;
class DLxViewInstance;
class DUxGeometryProxy;

class DLxAnnoWeldInstance : public DLxEmblem {
public:
    enum EWeldProperty : uint32_t {
        eCaterpillar = 0x01,
        eCaterpillarRebuild = 0x02,
        eCaterpillarActive = 0x04,
        eEndTreatment = 0x08,
        eEndTreatmentRebuild = 0x10,
        eEndTreatmentActive = 0x20,
        eManual = 0x40,
    };
    // Caterpillar strokes carry item ids from this one up.
    static constexpr int32_t kFirstCaterpillarItem = 2000;
    // Distance between strokes and their length, in sheet units.
    static constexpr double kStrokePitch = 2.0;
    static constexpr double kStrokeLength = 1.5;

    explicit DLxAnnoWeldInstance(RDxFragment* fragment);
    explicit DLxAnnoWeldInstance(const RSeStream* s);
    ~DLxAnnoWeldInstance() override;
    RSeMetaType* GetMeta() const override;

    // A new annotation on edge `edgeId` of the view, on the view's sheet; null when the view
    // has no such edge.
    static DLxAnnoWeldInstance* Create(DLxViewInstance* view, int32_t edgeId, uint32_t props,
                                       uint32_t featureId);

    void AddAnnoWeldProp(EWeldProperty value);
    void RemoveAnnoWeldProp(EWeldProperty value);
    // True when any of the given bits is set.
    bool IsAnnoWeldPropValid(EWeldProperty value) const { return (m_props & value) != 0; }
    uint32_t GetAnnoWeldProps() const { return m_props; }
    void SetFeatureID(uint32_t id);
    uint32_t GetFeatureID() const { return m_featureId; }

    DLxAnchorPoint* GetAnchor() const;
    DLxViewInstance* GetAssociatedView() const;
    // The proxy of the bead edge; null when the anchor lies on no edge.
    DUxGeometryProxy* GetEdgeGeomProxy() const;

    UTxResult Compute(RDxComputeContext& ctx) override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxAnnoWeldInstance* target, RSeCloneCommander* cc) const;

private:
    uint32_t m_props = 0;
    uint32_t m_featureId = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxAnnoWeldInstance*);
RSeMetaType* _GetMeta(const DLxAnnoWeldInstance*);
} // namespace RSe
