#pragma once
// Edits of a balloon's leader and anchor. Moving the leader turns the stack of entries
// (DLxBalloonSymChangeLeaderRequest, "ChangeBalloonSymLeader"); moving the anchor onto another
// component binds the balloon to that component's row (DLxBalloonSymChangeAnchorRequest,
// "ChangeBalloonSymAnchor"). Both finish as every symbol's leader edits do
// (DLxSymChangeLeaderRequest).
#include <cstdint>

#include "dl/DLxIntent.h"
#include "fw/FWxChangeRequest.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxBalloonSymInstance;

class DLxBalloonSymChangeLeaderRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxBalloonSymChangeLeaderRequest)
public:
    enum EChangeType : int32_t { kMoveNode = 0, kAlignStack = 1, kShiftLeader = 2 };

    DLxBalloonSymChangeLeaderRequest();
    // Moves node `nodeId` of leader `leader` to `point`.
    DLxBalloonSymChangeLeaderRequest(const RSeRef<DLxBalloonSymInstance>& balloon, int32_t leader,
                                     int32_t nodeId, const WqGePoint3d& point);
    // Lines the stack up along `base`.
    DLxBalloonSymChangeLeaderRequest(const RSeRef<DLxBalloonSymInstance>& balloon,
                                     const WqGeVector3d& base);
    // Shifts leader 0 by `shift`; the flag is the callers' and changes nothing.
    DLxBalloonSymChangeLeaderRequest(const RSeRef<DLxBalloonSymInstance>& balloon,
                                     const WqGeVector3d& shift, bool flag);

    const RSeRef<DLxBalloonSymInstance>& GetBalloon() const { return m_balloon; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    void MoveNode(DLxBalloonSymInstance* inst);

    RSeRef<DLxBalloonSymInstance> m_balloon;
    int32_t m_leader = 0;
    int32_t m_nodeId = 0;
    WqGePoint3d m_point;
    WqGeVector3d m_base;
    WqGeVector3d m_shift;
    int32_t m_changeType = kMoveNode;
    UTxString16 m_balloonText;
};

class DLxBalloonSymChangeAnchorRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxBalloonSymChangeAnchorRequest)
public:
    DLxBalloonSymChangeAnchorRequest();
    // Moves the anchor of end `node` of leader `leader` to `point`, or re-infers it from the
    // intent (`inferAnchor`), and gives branch `branch` the arrowhead service `arrowHead` (0
    // keeps the one it has).
    DLxBalloonSymChangeAnchorRequest(const RSeRef<DLxBalloonSymInstance>& balloon, int32_t leader,
                                     int32_t branch, int32_t node, const DLxIntent& intent,
                                     bool inferAnchor, const WqGePoint3d& point,
                                     uint32_t arrowHead);

    const RSeRef<DLxBalloonSymInstance>& GetBalloon() const { return m_balloon; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    // The balloon numbers the component of the edge the anchor was inferred onto, unless it
    // numbers a custom row or an assembly holding that component; false for an early stop.
    bool Rebind(FWxSceneDoc* doc, DLxBalloonSymInstance* inst);

    RSeRef<DLxBalloonSymInstance> m_balloon;
    int32_t m_leader = 0;
    int32_t m_branch = 0;
    int32_t m_node = 0;
    DLxIntent m_intent;
    bool m_inferAnchor = false;
    WqGePoint3d m_point;
    uint32_t m_arrowHead = 0;
    UTxString16 m_balloonText;
};
