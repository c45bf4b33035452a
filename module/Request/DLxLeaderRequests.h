#pragma once
// Requests that edit the leaders of the older symbols (DLxSymbol and its kinds), whose leaders
// are leader records: a new leader or branch through picked points ("AddLeader"), a vertex on
// a leader ("AddLeaderVertex"), a dragged vertex ("LeaderMove") and the symbol's arrowhead
// ("ChangeArrowhead"). The leader edit command posts the first two with its edit data, the
// vertex drag (DLxLeaderMove) posts "LeaderMove", the arrowhead manipulator
// (DLxOldSymArrowHeadDlgManipulator) "ChangeArrowhead".
//
// "AddLeader" and "AddLeaderVertex" journal the symbol and the picked points, so that a replay,
// which has no edit command, does the same edit on a fresh edit data of its own.
#include <cstdint>
#include <memory>
#include <vector>

#include "dl/DLxIntent.h"
#include "fw/FWxChangeRequest.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxLeaderEditData;
class DLxSymbol;

class DLxLeaderAddRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxLeaderAddRequest)
public:
    DLxLeaderAddRequest();
    // Edit data (the command's; it outlives the request), picked point, the branch points and
    // the attach point (carried).
    DLxLeaderAddRequest(DLxLeaderEditData* data, const WqGePoint3d& point,
                        const std::vector<WqGePoint3d>& branch, const WqGePoint3d& attach);
    ~DLxLeaderAddRequest() override;

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    DLxLeaderEditData* m_data = nullptr;
    std::unique_ptr<DLxLeaderEditData> m_ownData; // a replay's
    WqGePoint3d m_point;
    std::vector<WqGePoint3d> m_branch;
    WqGePoint3d m_attach;
    RSeRef<DLxSymbol> m_symbol;
    std::vector<WqGePoint3d> m_leaderPoints;
    UTxString16 m_symbolText;
};

class DLxLeaderAddVertexRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxLeaderAddVertexRequest)
public:
    DLxLeaderAddVertexRequest();
    DLxLeaderAddVertexRequest(DLxLeaderEditData* data, const WqGePoint3d& point);
    ~DLxLeaderAddVertexRequest() override;

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    // Refused when no leader of the symbol has or takes the point.
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    DLxLeaderEditData* m_data = nullptr;
    std::unique_ptr<DLxLeaderEditData> m_ownData;
    WqGePoint3d m_point;
    RSeRef<DLxSymbol> m_symbol;
    UTxString16 m_symbolText;
};

class DLxLeaderMoveRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxLeaderMoveRequest)
public:
    DLxLeaderMoveRequest();
    // Vertex `index` counts over all leaders of the symbol (DLxSymbol::MoveLeaderVertices).
    DLxLeaderMoveRequest(const RSeRef<DLxSymbol>& symbol, int32_t index,
                         const WqGeVector3d& offset, bool isArrowhead, const DLxIntent& intent);

    int32_t GetIndex() const { return m_index; }
    const WqGeVector3d& GetOffset() const { return m_offset; }
    bool IsArrowhead() const { return m_isArrowhead; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxSymbol> m_symbol;
    int32_t m_index = 0;
    WqGeVector3d m_offset;
    DLxIntent m_intent;
    bool m_isArrowhead = false;
    UTxString16 m_symbolText;
};

class DLxLeaderChangeArrowheadRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxLeaderChangeArrowheadRequest)
public:
    // The arrowhead service of arrow types without one of their own.
    static constexpr uint32_t kFallbackArrowHead = 28029;
    // What an arrow type names: the arrowhead service whose id it is (this host's services are
    // typed by their ids), else the service of an older arrow type (DLxSymbol::ArrowTemplateOf)
    // when the host has it, else the fallback.
    static uint32_t ServiceOfType(int32_t arrowType);
    // The arrow type of a service: its id; 16 (no type) for an id that names no service.
    static int32_t TypeOfService(uint32_t service);

    DLxLeaderChangeArrowheadRequest();
    // The symbol has one arrowhead for all its leaders; the leader number is carried.
    DLxLeaderChangeArrowheadRequest(const RSeRef<DLxSymbol>& symbol, int32_t arrowType,
                                    int32_t leader);

    int32_t GetArrowType() const { return m_arrowType; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    // Refused for a symbol without an arrowhead state and a leader number it does not have.
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxSymbol> m_symbol;
    int32_t m_arrowType = 0;
    int32_t m_leader = 0;
    UTxString16 m_symbolText;
};
