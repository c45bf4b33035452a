#pragma once
// Creates a surface-texture symbol, or writes edited values into one ("CreateSurfTXTSymbol").
// The fourteen values travel as one vector, element i for value number i of the symbol's
// state (DUxSurfTXTState::Variable); value 5 is the lay type as decimal text.
#include <cstdint>
#include <vector>

#include "dl/DLxIntent.h"
#include "fw/FWxChangeRequest.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxSurfTXTInstance;
class DUxSurfaceTextureStyle;
class FBxLayerStyle;

class DLxCreateSurfTXTRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxCreateSurfTXTRequest)
public:
    // The flags of a symbol, in the order the constructors take them.
    struct Flags {
        bool allAround = false;
        bool majority = false;
        bool forcedTail = false;
        bool displayLeader = false;
        bool autoAdjustment = false;
    };

    // For replay.
    DLxCreateSurfTXTRequest();
    // Creates a symbol whose leader runs through `points` (its end first); without points it
    // sits at its anchor, moved a little towards `landing`.
    DLxCreateSurfTXTRequest(const DLxIntent& intent, const std::vector<WqGePoint3d>& points,
                            const WqGePoint3d& landing, uint32_t arrowType,
                            const std::vector<UTxString16>& values, const WqGePoint3d& position,
                            int32_t subType, int32_t orientation, double angle, const Flags& flags,
                            const RSeRef<DUxSurfaceTextureStyle>& style,
                            const RSeRef<FBxLayerStyle>& layerStyle);
    // Edits a symbol.
    DLxCreateSurfTXTRequest(const RSeRef<DLxSurfTXTInstance>& symbol,
                            const std::vector<UTxString16>& values, const WqGePoint3d& position,
                            int32_t subType, int32_t orientation, double angle, const Flags& flags,
                            const RSeRef<DUxSurfaceTextureStyle>& style,
                            const RSeRef<FBxLayerStyle>& layerStyle);

    // The edited symbol, or the new one after a create.
    const RSeRef<DLxSurfTXTInstance>& GetInstance() const { return m_instance; }

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
    WqGePoint3d m_landing;
    std::vector<UTxString16> m_values;
    WqGePoint3d m_position;
    int32_t m_subType = 0;
    int32_t m_orientation = 0;
    double m_angle = 0.0;
    Flags m_flags;
    RSeRef<DLxSurfTXTInstance> m_instance;
    RSeRef<DUxSurfaceTextureStyle> m_style;
    RSeRef<FBxLayerStyle> m_layerStyle;
    bool m_create = false;
    UTxString16 m_instanceText;
};
