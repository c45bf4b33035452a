#pragma once
// The sketched-symbol requests: place a sketch definition on a sheet as a new symbol with one
// leader (DLxCreateCallOutRequest, "CreateCallOutSymbol"), and change a placed symbol's scale,
// its rotation, or all its settings including the definition it shows
// (DLxCallOutSymEditRequest, "EditCallOutSymbol").
#include <cstdint>
#include <vector>

#include "dl/DLxIntent.h"
#include "fw/FWxChangeRequest.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxCallOutInstance;
class DLxSheet;
class DLxSketch;
class DUxLeaderStyle;
class FBxLayerStyle;

class DLxCreateCallOutRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxCreateCallOutRequest)
public:
    // For replay.
    DLxCreateCallOutRequest();
    DLxCreateCallOutRequest(const RSeRef<DLxSketch>& sketch, const RSeRef<DLxSheet>& sheet,
                            const std::vector<UTxString16>& promptStrings, const DLxIntent& intent,
                            const std::vector<WqGePoint3d>& points, uint32_t arrowId,
                            bool displayLeader, const RSeRef<DUxLeaderStyle>& leaderStyle,
                            const RSeRef<FBxLayerStyle>& layerStyle, double rotation, double scale,
                            bool useGeomCenter, bool clipOthers, bool isStatic, bool leaderVisible,
                            bool useStackingBehavior);

    // The new symbol after a successful run.
    const RSeRef<DLxCallOutInstance>& GetCallOutInstance() const { return m_created; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxSketch> m_sketch;
    RSeRef<DLxSheet> m_sheet;
    std::vector<UTxString16> m_promptStrings;
    uint32_t m_arrowId = 28029;
    DLxIntent m_intent;
    std::vector<WqGePoint3d> m_points;
    bool m_displayLeader = true;
    bool m_clipOthers = true;
    double m_rotation = 0.0;
    double m_scale = 1.0;
    bool m_useGeomCenter = false;
    bool m_static = false;
    bool m_leaderVisible = true;
    RSeRef<DUxLeaderStyle> m_leaderStyle;
    RSeRef<FBxLayerStyle> m_layerStyle;
    RSeRef<DLxCallOutInstance> m_created;
    bool m_useStackingBehavior = true;
    // Keys of a replayed record that named objects of another kind.
    std::vector<UTxString16> m_wrongKind;
};

class DLxCallOutSymEditRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxCallOutSymEditRequest)
public:
    enum ESymChangeType : int32_t { kChangeAll = 1, kChangeScale = 2, kChangeRotation = 3 };

    // For replay.
    DLxCallOutSymEditRequest();
    // All settings; a null sketch keeps the definition.
    DLxCallOutSymEditRequest(const RSeRef<DLxCallOutInstance>& symbol,
                             const RSeRef<DLxSketch>& newSketch, double rotation, double scale,
                             bool showLeader, bool clipOthers, bool isStatic, bool leaderVisible);
    // The scale or the rotation (both members take the value; only the one changed applies).
    DLxCallOutSymEditRequest(const RSeRef<DLxCallOutInstance>& symbol, double value,
                             ESymChangeType type);

    void SetDisableSelfClipping(bool on) { m_disableSelfClipping = on; }
    // With a new sketch: one value per prompted text of the new definition.
    void SetPromptStrings(const std::vector<UTxString16>& strings) { m_promptStrings = strings; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    UTxResult ChangeAll();

    RSeRef<DLxCallOutInstance> m_symbol;
    RSeRef<DLxSketch> m_newSketch;
    std::vector<UTxString16> m_promptStrings;
    double m_rotation = 0.0;
    double m_scale = 1.0;
    bool m_showLeader = false;
    bool m_clipOthers = true;
    ESymChangeType m_changeType = kChangeAll;
    bool m_static = false;
    bool m_leaderVisible = true;
    bool m_disableSelfClipping = false;
    // The symbol's key before the request moved it, so that a replay finds it there.
    UTxString16 m_symbolText;
    std::vector<UTxString16> m_wrongKind;
};
