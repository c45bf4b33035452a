#pragma once
// The balloon creation requests. DLxCreateBalloonSymLocalBOMRequest
// ("CreateBalloonSymbolLocalBOM") places a balloon at the end of a leader, numbering one row of
// the drawing's local bill of materials: the row a cookie names, or else the row of the
// component whose edge was picked. DLxCreateBalloonSymRequest ("CreateBalloonSymbol") is the
// older record of the same action, kept so that older transcripts replay: it turns its record
// into a local-bill request and runs that.
//
// A request that cannot place a whole balloon is an error, so that nothing half-built is kept
// or journalled; a pick on no edge without a cookie places nothing and is no error.
#include <cstdint>
#include <memory>
#include <vector>

#include "Standard/DLxBomStdInfo.h"
#include "dl/DLxIntent.h"
#include "dl/DLxLocalBOMCookie.h"
#include "fw/FWxChangeRequest.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxBalloonSymInstance;
class DLxPartListData;
class DUxBalloonStyle;
class FBxLayerStyle;

class DLxCreateBalloonSymLocalBOMRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxCreateBalloonSymLocalBOMRequest)
public:
    // For replay.
    DLxCreateBalloonSymLocalBOMRequest();
    // `data` (the bill's setup: scheme and numbering) is copied; null stands for the default
    // setup. `snap` lets the direction computed from the leader straighten its last segment.
    DLxCreateBalloonSymLocalBOMRequest(const DLxIntent& intent,
                                       const std::vector<WqGePoint3d>& points, uint32_t arrowType,
                                       const DLxPartListData* data,
                                       DLxBomStdInfo::EDirection direction,
                                       const DLxLocalBOMCookie& cookie,
                                       const RSeRef<DUxBalloonStyle>& balloonStyle,
                                       const RSeRef<FBxLayerStyle>& layerStyle,
                                       bool reportModelDoc = false, bool snap = true);
    ~DLxCreateBalloonSymLocalBOMRequest() override;

    // The new balloon once executed; null before, or when the pick named no row.
    const RSeRef<DLxBalloonSymInstance>& GetInstance() const { return m_instance; }
    DLxBomStdInfo::EDirection GetDirection() const { return m_direction; }
    const DLxLocalBOMCookie& GetCookie() const { return m_cookie; }
    const std::vector<WqGePoint3d>& GetPoints() const { return m_points; }
    bool GetSnap() const { return m_snap; }
    const DLxPartListData& GetPartListData() const { return *m_data; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxBalloonSymInstance> m_instance;
    RSeRef<DUxBalloonStyle> m_balloonStyle;
    RSeRef<FBxLayerStyle> m_layerStyle;
    DLxIntent m_intent;
    std::vector<WqGePoint3d> m_points;
    uint32_t m_arrowType = 0;
    DLxBomStdInfo::EDirection m_direction = DLxBomStdInfo::kRight;
    DLxLocalBOMCookie m_cookie;
    // Owned: a command's setup may go before the request is replayed or undone.
    std::unique_ptr<DLxPartListData> m_data;
    bool m_reportModelDoc = false;
    bool m_snap = true;
    // A read key whose object is of another kind than the key takes ("<key>: <text>");
    // ValidateInputs refuses the request with it.
    UTxString16 m_misread;
};

class DLxCreateBalloonSymRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxCreateBalloonSymRequest)
public:
    // Replay only: the record is read from a transcript line.
    DLxCreateBalloonSymRequest();

    // The scheme of the bill the older record numbers from: 2 (parts only) for parts-list
    // mode 2, or mode 0 without balloon mode; 1 (structured) otherwise.
    static int32_t SchemeFor(uint32_t partListMode, bool balloonMode);
    // The local-bill request it ran; null before, or when the custom row was not found.
    const RSeRef<DLxBalloonSymInstance>& GetInstance() const { return m_instance; }

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
    uint32_t m_partListMode = 0;
    bool m_balloonMode = false;
    uint32_t m_direction = DLxBomStdInfo::kRight;
    bool m_isCustom = false;
    int32_t m_customIndex = -1;
    RSeRef<DUxBalloonStyle> m_balloonStyle;
    RSeRef<FBxLayerStyle> m_layerStyle;
    RSeRef<DLxBalloonSymInstance> m_instance;
    UTxString16 m_misread;
};
