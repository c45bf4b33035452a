#pragma once
// The origin-indicator requests: create one on a view's edge ("CreateCenterDatumSymbol"), hide
// or show its arrowhead ("ShowHideCenterDatum"), move its anchor ("MoveCenterDatumAnchor"),
// give it another arrowhead ("ChangeCenterDatumSymbol") and set its offset from the anchor
// ("EditCenterDatumSymbol").
#include <cstdint>

#include "dl/DLxIntent.h"
#include "fw/FWxChangeRequest.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxCenterDatumInstance;
class DLxViewInstance;
class DUxLeaderStyle;
class FBxLayerStyle;

class DLxCreateCenterDatumRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxCreateCenterDatumRequest)
public:
    DLxCreateCenterDatumRequest();
    DLxCreateCenterDatumRequest(const DLxIntent& intent, const WqGePoint3d& point,
                                uint32_t arrowType, const RSeRef<DUxLeaderStyle>& leaderStyle,
                                const RSeRef<FBxLayerStyle>& layer, bool viewConstraintOnly);

    // The indicator the last execution made; null before.
    const RSeRef<DLxCenterDatumInstance>& GetDatumInstance() const { return m_instance; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    uint32_t m_arrowType = 0;
    DLxIntent m_intent;
    WqGePoint3d m_point;
    RSeRef<DLxCenterDatumInstance> m_instance;
    bool m_viewConstraintOnly = false;
    RSeRef<DUxLeaderStyle> m_leaderStyle;
    RSeRef<FBxLayerStyle> m_layer;
    UTxString16 m_misread;
};

// What the requests on an existing indicator share: the indicator, exchanged under
// "SymInstance", and the refusal of a replayed key that names none.
class DLxCenterDatumInstanceRequest : public FWxChangeRequest {
public:
    const RSeRef<DLxCenterDatumInstance>& GetInstance() const { return m_instance; }
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;

protected:
    DLxCenterDatumInstanceRequest() = default;
    explicit DLxCenterDatumInstanceRequest(const RSeRef<DLxCenterDatumInstance>& indicator);
    void ExchangeInstance(UCxTranscriptDataExchange& tdx);
    // Redraws and recomputes the indicator after a change.
    static void Recompute(DLxCenterDatumInstance* indicator);

    RSeRef<DLxCenterDatumInstance> m_instance;
    UTxString16 m_misread;
};

class DLxCenterDatumShowHideRequest : public DLxCenterDatumInstanceRequest {
    DECLARE_DYNCREATE(DLxCenterDatumShowHideRequest)
public:
    DLxCenterDatumShowHideRequest() = default;
    DLxCenterDatumShowHideRequest(const RSeRef<DLxCenterDatumInstance>& indicator, bool hide);

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    bool m_hide = false;
};

class DLxCenterDatumArrowHeadRequest : public DLxCenterDatumInstanceRequest {
    DECLARE_DYNCREATE(DLxCenterDatumArrowHeadRequest)
public:
    DLxCenterDatumArrowHeadRequest() = default;
    DLxCenterDatumArrowHeadRequest(const RSeRef<DLxCenterDatumInstance>& indicator,
                                   uint32_t arrowHead);

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    // Also refuses an arrowhead service that does not exist.
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    uint32_t m_arrowHead = 0;
};

class DLxCenterDatumEditRequest : public DLxCenterDatumInstanceRequest {
    DECLARE_DYNCREATE(DLxCenterDatumEditRequest)
public:
    DLxCenterDatumEditRequest() = default;
    DLxCenterDatumEditRequest(const RSeRef<DLxCenterDatumInstance>& indicator, double relX,
                              double relY);

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    // Also refuses an offset that is not a number or lies off any sheet.
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    double m_relX = 0.0;
    double m_relY = 0.0;
};

class DLxCenterDatumChangeAnchorRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxCenterDatumChangeAnchorRequest)
public:
    DLxCenterDatumChangeAnchorRequest() = default;
    // With `infer` the anchor goes where the intent says; without, it slides along its edge to
    // `point`. The indicator is named as it is now, before it moves.
    DLxCenterDatumChangeAnchorRequest(const RSeRef<DLxCenterDatumInstance>& indicator,
                                      const DLxIntent& intent, bool infer, const WqGePoint3d& point,
                                      const RSeRef<DLxViewInstance>& view);

    const RSeRef<DLxCenterDatumInstance>& GetInstance() const { return m_instance; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxCenterDatumInstance> m_instance;
    DLxIntent m_intent;
    bool m_infer = false;
    WqGePoint3d m_point;
    RSeRef<DLxViewInstance> m_view;
    UTxString16 m_instanceText;
};
