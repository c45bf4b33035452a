#pragma once
// Edits of the leaders of any placed symbol: its vertices, branches, landing, root and the
// anchor at the end of a branch (DLxSymChangeLeaderRequest, "ChangeSymLeader";
// DLxSymChangeAnchorRequest, "ChangeSymAnchor"). The drags of leader nodes and symbols make
// them when they end; replay reads them back.
//
// The steps that follow a leader edit (the state following a new first end, rebinding an
// anchor along its straight edge, the recompute) are public so that every kind's own leader
// requests take them from here.
#include <cstdint>
#include <vector>

#include "dl/DLxIntent.h"
#include "fw/FWxChangeRequest.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxAnchorPoint;
class DLxSymInstance;
class DLxViewInstance;
class DUxBaseTerminalLeaderNode;
class DUxLeaderNodeTree;

class DLxSymChangeLeaderRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxSymChangeLeaderRequest)
public:
    enum EChangeType : int32_t {
        kAddVertex = 0,
        kMoveVertex = 1,
        kAddBranch = 2,
        kLandingEnd = 3,
        kMoveSymbol = 4,
        kRestoreLeader = 5,
        kMoveRoot = 6,
        kLandingAttach = 7,
        kDeleteNode = 8,
    };

    // For replay.
    DLxSymChangeLeaderRequest();
    // Moves node `nodeId` of leader `leader` to `point`.
    DLxSymChangeLeaderRequest(const RSeRef<DLxSymInstance>& instance, int32_t leader,
                              int32_t nodeId, const WqGePoint3d& point, bool trailing);
    // Deletes node `nodeId`; `deleteFlag` is handed to the deletion.
    DLxSymChangeLeaderRequest(const RSeRef<DLxSymInstance>& instance, int32_t leader,
                              int32_t nodeId, bool deleteFlag);
    // The landing's attach point (`attach`) or its end.
    DLxSymChangeLeaderRequest(const RSeRef<DLxSymInstance>& instance, int32_t leader,
                              const WqGePoint3d& point, bool attach, bool trailing);
    // Moves the common root (`root`) or the whole symbol.
    DLxSymChangeLeaderRequest(const RSeRef<DLxSymInstance>& instance, const WqGePoint3d& point,
                              bool root, bool trailing);
    // Moves the whole symbol; a symbol sitting on its edge takes the new parameter, one on a
    // dimension line the side `index`.
    DLxSymChangeLeaderRequest(const RSeRef<DLxSymInstance>& instance, const WqGePoint3d& point,
                              const WqGePoint3d& anchorPoint, bool sideChange, int32_t index,
                              bool paramChange, double param, bool trailing);
    // Brings back the leader of a symbol shown without leaders.
    explicit DLxSymChangeLeaderRequest(const RSeRef<DLxSymInstance>& instance);
    // Adds a vertex at the last of `points` (`addVertex`) or a branch through `points` to the
    // intent.
    DLxSymChangeLeaderRequest(const RSeRef<DLxSymInstance>& instance, bool addVertex,
                              const DLxIntent& intent, int32_t leader,
                              const std::vector<WqGePoint3d>& points, uint32_t arrowId,
                              bool trailing);

    const RSeRef<DLxSymInstance>& GetInstance() const { return m_instance; }
    int32_t GetChangeType() const { return m_changeType; }
    int32_t GetLeaderNumber() const { return m_leader; }
    int32_t GetNodeId() const { return m_nodeId; }
    const WqGePoint3d& GetPoint() const { return m_point; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

    // ---- steps shared with the other leader and anchor requests

    // The first end of leader 0; null without leader 0.
    static DUxBaseTerminalLeaderNode* FirstEnd(const DLxSymInstance* inst);
    // After an edit of leader `leader`: when that is leader 0 and its first end is no longer
    // `before`, the state's origin follows the new end and its scale the end's view.
    static void FollowNewFirstEnd(DLxSymInstance* inst, int32_t leader,
                                  DUxBaseTerminalLeaderNode* before);
    // The state's scale from the anchor's view (1 without one).
    static void TakeViewScale(DLxSymInstance* inst, const DLxAnchorPoint* anchor);
    // An anchor on a straight edge goes to the edge's parameter of `point` (a position of the
    // unbroken view); false, changing nothing, for an anchor on anything else.
    static bool RebindAlongEdge(DLxAnchorPoint* anchor, const WqGePoint3d& point);
    // Marks the symbol edited, recomputes its sheet and tidies the views around it: `oldView`
    // too when the edit took the symbol out of it.
    static UTxResult Recompute(DLxSymInstance* inst, DLxViewInstance* oldView);
    // The key a record names its symbol by: as it was found, before the edit moved it.
    static void ExchangeInstance(UCxTranscriptDataExchange& tdx, const char16_t* key,
                                 RSeRefBase& instance, UTxString16& text);

private:
    void MoveVertex(DLxSymInstance* inst);
    void MoveSymbol(DLxSymInstance* inst);
    void RestoreLeader(DLxSymInstance* inst);
    void AddBranch(FWxSceneDoc* doc, DLxSymInstance* inst);

    RSeRef<DLxSymInstance> m_instance;
    int32_t m_changeType = kMoveVertex;
    uint32_t m_arrowId = 0;
    DLxIntent m_intent;
    std::vector<WqGePoint3d> m_points;
    int32_t m_leader = 0;
    int32_t m_nodeId = 0;
    WqGePoint3d m_point;
    WqGePoint3d m_anchorPoint;
    bool m_sideChange = false;
    int32_t m_index = 0;
    bool m_paramChange = false;
    double m_param = 0.0;
    bool m_trailing = false;
    UTxString16 m_instanceText;
};

class DLxSymChangeAnchorRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxSymChangeAnchorRequest)
public:
    DLxSymChangeAnchorRequest();
    // Moves the anchor of end `node` of leader `leader` to `point`, or re-infers it from the
    // intent (`inferAnchor`).
    DLxSymChangeAnchorRequest(const RSeRef<DLxSymInstance>& instance, int32_t leader, int32_t node,
                              const DLxIntent& intent, bool inferAnchor, const WqGePoint3d& point,
                              bool trailing);
    // The same, and the vertex before the end goes to `root`.
    DLxSymChangeAnchorRequest(const RSeRef<DLxSymInstance>& instance, int32_t leader, int32_t node,
                              const DLxIntent& intent, bool inferAnchor, const WqGePoint3d& point,
                              const WqGePoint3d& root, bool trailing);

    const RSeRef<DLxSymInstance>& GetInstance() const { return m_instance; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

    // After an anchor edit: when the anchor is the first of leader 0, the state's origin goes
    // to its drawn point and its scale follows its view.
    static void FollowFirstAnchor(DLxSymInstance* inst, int32_t leader, DLxAnchorPoint* anchor);

private:
    RSeRef<DLxSymInstance> m_instance;
    int32_t m_leader = 0;
    int32_t m_node = 0;
    DLxIntent m_intent;
    bool m_inferAnchor = false;
    WqGePoint3d m_point;
    WqGePoint3d m_root;
    bool m_hasRoot = false;
    bool m_trailing = false;
    UTxString16 m_instanceText;
};

// Refusals of the leader requests: a target that is missing or of another kind, a leader or
// node it does not have.
namespace DLxLeaderRequestCheck {
UTxResult Target(const RSeRefBase& target, const UTxString16& text, const char16_t* key,
                 const char16_t* kind);
UTxResult Leader(const DLxSymInstance* inst, int32_t leader, const char16_t* key);
UTxResult Node(const DUxLeaderNodeTree* tree, int32_t nodeId, const char16_t* key);
// An intent on an edge that its view does not have.
UTxResult Intent(const DLxIntent& intent, const char16_t* key);
} // namespace DLxLeaderRequestCheck
