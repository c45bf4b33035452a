#pragma once
// What the leader edit command knows while the user adds a leader to an older symbol: the
// scratch leader of the points picked so far (a chain whose newest point is its root), the
// point the new leader was last attached at, and the new branch's points. The add requests
// run the same operations against the stored symbol.
#include <memory>
#include <vector>

#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"

class DLxCLeader;
class DLxCLeaderEnt;
class DLxCLeaderGeneral;
class DLxSymbol;

class DLxLeaderEditData {
public:
    // Points nearer than this to a leader piece lie on it.
    static constexpr double kOnLeaderTol = 0.0001;

    explicit DLxLeaderEditData(DLxSymbol* symbol);
    ~DLxLeaderEditData();
    DLxLeaderEditData(const DLxLeaderEditData&) = delete;
    DLxLeaderEditData& operator=(const DLxLeaderEditData&) = delete;

    // Null when the command started without a symbol (or the symbol has gone).
    DLxSymbol* GetSymbol() const;
    DLxCLeaderEnt& GetScratchLeader() const { return *m_scratch; }
    // The scratch record; null without a symbol.
    DLxCLeaderGeneral* GetScratchRecord() const;
    const WqGePoint3d& GetAttachPoint() const { return m_attach; }
    const std::vector<WqGePoint3d>& GetBranchPoints() const { return m_branch; }

    // The scratch record's points from the first picked to the root; empty without nodes.
    std::vector<WqGePoint3d> GetLeaderPoints() const;
    // A vertex at `p` on the piece of `leader` that holds it (untrimmed pieces, landing
    // excluded), before the piece's far node. False when no piece takes it.
    bool InsertVertexOnLeader(DLxCLeader* leader, const WqGePoint3d& p) const;
    // The first leader that has `p` as a node or takes a vertex there; false when none does.
    bool IsPointOnLeaders(const WqGePoint3d& p) const;
    // Whether a leader has `p` as a node or would take a vertex there; changes nothing.
    bool CanTakePoint(const WqGePoint3d& p) const;
    // Keeps `p` as the attach point and the scratch points without the root as the branch
    // points, as AddVertexAtPoint does, without touching the symbol.
    void PrepareBranch(const WqGePoint3d& p);
    // Hangs the scratch points (without its root, which is `p` on the leader) as a new branch
    // on the first leader that has or takes a node at `p`; keeps `p` and the branch points.
    bool AddVertexAtPoint(const WqGePoint3d& p);

private:
    RSeRef<DLxSymbol> m_symbol;
    std::unique_ptr<DLxCLeaderEnt> m_scratch;
    WqGePoint3d m_attach;
    std::vector<WqGePoint3d> m_branch;
};
