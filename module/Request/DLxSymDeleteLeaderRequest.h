#pragma once
// Deletes one node, or the branch that starts at a node, from a leader of a placed symbol
// ("DeleteSymLeader"). When leader 0 is left without a path, another leader with one becomes
// leader 0; when none has one, the symbol stays where it is, shown without a leader, and its
// anchor comes to where the symbol attaches.
#include <cstdint>

#include "fw/FWxChangeRequest.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxSymInstance;
class DLxViewInstance;
class WqGePoint3d;

class DLxSymDeleteLeaderRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxSymDeleteLeaderRequest)
public:
    DLxSymDeleteLeaderRequest();
    // Node `nodeId` of leader `leader`: that node alone (`deleteNode`) or its branch.
    DLxSymDeleteLeaderRequest(const RSeRef<DLxSymInstance>& symbol, int32_t leader,
                              int32_t nodeId, bool deleteNode);

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    // A record without "DeleteNode" deletes a branch.
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    // Leader 0 after the deletion: `firstEndId` names its first end before, `attach` is where
    // the symbol attaches without a leader, `view` the view of the edited leader.
    void KeepFirstLeader(DLxSymInstance* symbol, int32_t firstEndId, const WqGePoint3d& attach,
                         DLxViewInstance* view);

    UTxString16 m_symbolText;
    RSeRef<DLxSymInstance> m_symbol;
    int32_t m_leader = 0;
    int32_t m_nodeId = 0;
    bool m_deleteNode = false;
};
