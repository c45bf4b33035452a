#pragma once
// Creates a leader text on a sheet ("CreateLeaderTextSymbol"): a copy of the given text at the
// end of a leader through the given points, anchored where the intent picked, with the user's
// text-property overrides. Without a dimension style the drawing's leader-text style of its
// standard applies (made on first use).
#include <cstdint>
#include <vector>

#include "dl/DLxIntent.h"
#include "fw/FWxChangeRequest.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"

class DLxLeaderTextInstance;
class DUxDimensionStyle;
class FBxLayerStyle;
class RDxString;

class DLxLeaderTextRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxLeaderTextRequest)
public:
    // For replay.
    DLxLeaderTextRequest();
    // `text` may be null (an empty text); it is copied when the request runs. `landingPoint` is
    // journalled but does not place the text: the leader does.
    DLxLeaderTextRequest(const DLxIntent& intent, const RSeRef<RDxString>& text,
                         const std::vector<WqGePoint3d>& points, const WqGePoint3d& landingPoint,
                         uint32_t arrowId, bool displayLeader, bool horizontal,
                         const RSeRef<DUxDimensionStyle>& dimensionStyle,
                         const RSeRef<FBxLayerStyle>& layerStyle, int32_t overrideFlags);
    // Arrowhead 28029, landing point at the origin, leader shown, always horizontal, no
    // overrides.
    DLxLeaderTextRequest(const DLxIntent& intent, const RSeRef<RDxString>& text,
                         const std::vector<WqGePoint3d>& points,
                         const RSeRef<DUxDimensionStyle>& dimensionStyle,
                         const RSeRef<FBxLayerStyle>& layerStyle);
    ~DLxLeaderTextRequest() override;

    // The leader text the last run made; null before.
    const RSeRef<DLxLeaderTextInstance>& GetLeaderTextInstance() const { return m_instance; }
    uint32_t GetArrowId() const { return m_arrowId; }
    bool GetDisplayLeader() const { return m_displayLeader; }
    bool GetHorizontal() const { return m_horizontal; }
    int32_t GetOverrideFlags() const { return m_overrideFlags; }
    const RSeRef<DUxDimensionStyle>& GetDimensionStyle() const { return m_dimensionStyle; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    uint32_t m_arrowId = 0;
    DLxIntent m_intent;
    std::vector<WqGePoint3d> m_points;
    WqGePoint3d m_landingPoint;
    bool m_displayLeader = false;
    RSeRef<RDxString> m_text;
    bool m_ownsText = false; // a text read from a transcript is the request's own
    bool m_horizontal = true;
    int32_t m_overrideFlags = 0;
    RSeRef<DUxDimensionStyle> m_dimensionStyle;
    RSeRef<FBxLayerStyle> m_layerStyle;
    // A replayed record named an object of another kind for the style or the layer.
    bool m_otherDimensionStyle = false;
    bool m_otherLayerStyle = false;
    RSeRef<DLxLeaderTextInstance> m_instance;
};
