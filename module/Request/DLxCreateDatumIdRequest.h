#pragma once
// Places one datum identifier or feature identifier ("CreateDatumIdSymbol"): a copy of the given
// identifier string framed on the active sheet, its leader's end bound to the picked geometry.
#include <cstdint>
#include <vector>

#include "dl/DLxIntent.h"
#include "fw/FWxChangeRequest.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxDatumIdInstance;
class DUxIdStyle;
class FBxLayerStyle;
class RDxString;

class DLxCreateDatumIdRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxCreateDatumIdRequest)
public:
    // For replay.
    DLxCreateDatumIdRequest();
    // `arrowId` 0 takes the identifier style's triangle.
    DLxCreateDatumIdRequest(const DLxIntent& intent, const RSeRef<RDxString>& text,
                            const std::vector<WqGePoint3d>& points, const WqGePoint3d& landingPoint,
                            uint32_t arrowId, bool displayLeader, bool horizontal, bool feature,
                            const RSeRef<DUxIdStyle>& style, const RSeRef<FBxLayerStyle>& layer);
    ~DLxCreateDatumIdRequest() override;

    // The identifier the last execution made; null before.
    const RSeRef<DLxDatumIdInstance>& GetInstance() const { return m_instance; }

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
    bool m_ownsText = false; // a text read from the transcript is the request's
    bool m_horizontal = false;
    bool m_feature = false;
    RSeRef<DUxIdStyle> m_style;
    RSeRef<FBxLayerStyle> m_layer;
    UTxString16 m_misread; // a style key that named an object of another kind
    RSeRef<DLxDatumIdInstance> m_instance;
};
