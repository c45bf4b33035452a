#pragma once
// The feature-control-frame requests: create a frame or apply edited values to one
// (DLxCreateGDTRequest, "CreateGDTSymbol"), and turn a frame by a quarter turn
// (DLxGDTRotateRequest, "RotateGDTSymbol").
//
// A frame's texts travel as one vector: index 0 the datum identifier, then six entries a line
// (symbol code as decimal text, tolerance A, tolerance B, datum A, datum B, datum C), with a
// parallel vector of visibilities and one framed flag a line.
#include <cstdint>
#include <vector>

#include "dl/DLxIntent.h"
#include "fw/FWxChangeRequest.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxGDTInstance;
class DUxFeatureControlFrameStyle;
class FBxLayerStyle;

class DLxCreateGDTRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxCreateGDTRequest)
public:
    // For replay.
    DLxCreateGDTRequest();
    // Creates a frame.
    DLxCreateGDTRequest(const DLxIntent& intent, const std::vector<WqGePoint3d>& points,
                        uint32_t arrowType, bool displayLeader, bool allAround,
                        const std::vector<UTxString16>& fields,
                        const std::vector<int32_t>& visibilities,
                        const std::vector<bool>& linesFramed, const RSeRef<FBxLayerStyle>& layerStyle,
                        const RSeRef<DUxFeatureControlFrameStyle>& frameStyle);
    // Edits a frame.
    DLxCreateGDTRequest(const RSeRef<DLxGDTInstance>& instance, bool allAround,
                        const std::vector<UTxString16>& fields,
                        const std::vector<int32_t>& visibilities,
                        const std::vector<bool>& linesFramed, const RSeRef<FBxLayerStyle>& layerStyle,
                        const RSeRef<DUxFeatureControlFrameStyle>& frameStyle);

    // The edited frame, or the new one after a create.
    const RSeRef<DLxGDTInstance>& GetInstance() const { return m_instance; }
    bool IsCreate() const { return m_create; }
    const std::vector<UTxString16>& GetFields() const { return m_fields; }
    const std::vector<int32_t>& GetVisibilities() const { return m_visibilities; }
    const std::vector<bool>& GetLinesFramed() const { return m_linesFramed; }
    const std::vector<WqGePoint3d>& GetPoints() const { return m_points; }
    const DLxIntent& GetIntent() const { return m_intent; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    uint32_t m_arrowType = 0;
    DLxIntent m_intent;
    std::vector<WqGePoint3d> m_points;
    bool m_allAround = false;
    bool m_displayLeader = false;
    std::vector<UTxString16> m_fields;
    std::vector<int32_t> m_visibilities;
    std::vector<bool> m_linesFramed;
    bool m_create = false;
    RSeRef<DLxGDTInstance> m_instance;
    RSeRef<FBxLayerStyle> m_layerStyle;
    RSeRef<DUxFeatureControlFrameStyle> m_frameStyle;
    UTxString16 m_instanceText;
};

class DLxGDTRotateRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxGDTRotateRequest)
public:
    DLxGDTRotateRequest();
    // `clockwise` true turns clockwise, false counter-clockwise.
    DLxGDTRotateRequest(const RSeRef<DLxGDTInstance>& instance, bool clockwise);

    const RSeRef<DLxGDTInstance>& GetInstance() const { return m_instance; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxGDTInstance> m_instance;
    bool m_clockwise = false;
    UTxString16 m_instanceText;
};
