#pragma once
// The values of an origin indicator: where its anchor is (refreshed by compute and by the
// requests), the scale of the anchor's view, the offset of the drawn arrowhead from the anchor
// (drawing units before the view's scale) and whether the arrowhead is hidden.
#include "dc/RDxState.h"
#include "ge/BBox.h"
#include "ge/WqGePoint3d.h"

class DUxLeaderStyle;
class DUxStandardStyle;
class FBxLayerStyle;
class FWxStyle;

class DLxCenterDatumState : public RDxState {
public:
    DLxCenterDatumState() = default;
    explicit DLxCenterDatumState(const RSeStream* s) : RDxState(s) {}
    RSeMetaType* GetMeta() const override;

    // Made in the fragment's segment and added to it, at `origin`, with the leader style and
    // on the layer when given.
    static DLxCenterDatumState* Create(RDxFragment* fragment, const WqGePoint3d& origin,
                                       const DUxLeaderStyle* leaderStyle,
                                       const FBxLayerStyle* layer);

    static const char16_t* GetInternalName() { return u"OriginIndicator"; }

    // Setters record and mark the state edited only for a different value.
    const WqGePoint3d& GetOrigin() const { return m_origin; }
    void SetOrigin(const WqGePoint3d& origin);
    double GetScale() const { return m_scale; }
    void SetScale(double scale);
    double GetRelXValue() const { return m_relX; }
    void SetRelXValue(double x);
    double GetRelYValue() const { return m_relY; }
    void SetRelYValue(double y);
    bool GetHideSymbol() const { return m_hide; }
    void SetHideSymbol(bool hide);
    // The box of the last drawing (derived, not stored).
    const BBox& GetBoundingBox() const { return m_box; }
    void SetBoundingBox(const BBox& box) { m_box = box; }
    FBxLayerStyle* GetLayerStyle() const;
    // The leader style the indicator was made with (its arrowhead's look); null for the
    // document's.
    DUxLeaderStyle* GetLeaderStyle() const;
    void SetLeaderStyle(const DUxLeaderStyle* style);

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxCenterDatumState* target, RSeCloneCommander* cc) const;

private:
    BBox m_box;
    WqGePoint3d m_origin;
    double m_scale = 1.0;
    double m_relX = 0.0;
    double m_relY = 0.0;
    bool m_hide = false;
    RSeRef<FWxStyle> m_leaderStyle;
    RSeRef<FWxStyle> m_layer;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxCenterDatumState*);
RSeMetaType* _GetMeta(const DLxCenterDatumState*);
} // namespace RSe
