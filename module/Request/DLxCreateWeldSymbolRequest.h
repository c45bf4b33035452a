#pragma once
// The weld symbol requests: "CreateWeldSymbol" creates a weld symbol picked by an intent, with a
// leader through the given points (create mode), or applies weld edit records to an existing one
// (edit mode); a create may carry records too: they fill the new symbol. "WeldSymbolVisibility"
// shows or hides, in one drawing view, the weld symbols recovered from the model's welds.
#include <cstdint>
#include <vector>

#include "dl/DLxIntent.h"
#include "fw/FWxChangeRequest.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"
#include "uc/UCxTranscriptDataExchange.h"
#include "utx/UTxString16.h"

class DLxViewInstance;
class DLxWeldInstance;
class DUxWeldStyle;
class FBxLayerStyle;

class DLxCreateWeldSymbolRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxCreateWeldSymbolRequest)
public:
    // For replay.
    DLxCreateWeldSymbolRequest();
    // Creates a weld symbol: the leader's points run from its end (the arrow) to the root of
    // the reference line. Without points the symbol sits just off the anchor, toward
    // `landingPoint`. A null weld style follows the drawing's.
    DLxCreateWeldSymbolRequest(const DLxIntent& intent, const std::vector<WqGePoint3d>& points,
                               const WqGePoint3d& landingPoint,
                               const RSeRef<DUxWeldStyle>& weldStyle,
                               const RSeRef<FBxLayerStyle>& layerStyle,
                               const FBxObjectEditRecordList& records);
    // Edits a weld symbol.
    DLxCreateWeldSymbolRequest(const RSeRef<DLxWeldInstance>& weld,
                               const FBxObjectEditRecordList& records);

    // The edited symbol, or the new one after a create.
    const RSeRef<DLxWeldInstance>& GetInstance() const { return m_weld; }
    bool IsCreate() const { return m_create; }
    const FBxObjectEditRecordList& GetRecords() const { return m_records; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    DLxIntent m_intent;
    WqGePoint3d m_landingPoint;
    std::vector<WqGePoint3d> m_points;
    RSeRef<DLxWeldInstance> m_weld;
    // The symbol's name as the request found it; what a replay finds it by.
    UTxString16 m_weldText;
    FBxObjectEditRecordList m_records;
    // Null: the drawing's weld style. A journalled name of a style of another kind is kept
    // as a flag, so that the request is refused rather than take the default.
    RSeRef<DUxWeldStyle> m_weldStyle;
    bool m_otherWeldStyle = false;
    RSeRef<FBxLayerStyle> m_layerStyle;
    bool m_create = false;
};

class DLxWeldSymbolVisibilityRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxWeldSymbolVisibilityRequest)
public:
    // For replay.
    DLxWeldSymbolVisibilityRequest();
    DLxWeldSymbolVisibilityRequest(const RSeRef<DLxViewInstance>& view, bool visible);

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxViewInstance> m_view;
    bool m_visible = true;
};
