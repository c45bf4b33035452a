#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "dc/RDxObject.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"

class RDxNode;
class RDxComputeContext;
class UTxDiagnosis;
class RDxFragmentIndex;
struct RSeHandle;

// A group of nodes that is brought up to date as one. Recompute computes the nodes that are
// out of date, each after the nodes of the fragment it depends on; a failure or a cycle holds
// up what depends on it and becomes a diagnosis, instead of stopping the pass.
//
// The fragment keeps an index of who reads whom (not stored), so that a pass costs what is out
// of date, not the fragment's size. The index learns of edits through RDxNode::MarkEdited and
// re-reads the dependencies of every node it recomputes, or that abort, undo or redo put back.
// Whoever changes what a node reads must therefore mark that node edited (or change it through
// a node it already reads); a load or a clone rebuilds the index.
//
// The node list is recorded in transactions as its insertions and removals (RSeTxnChange), not
// as part of the fragment's image, so that adding a node to a large sheet costs, and keeps in
// the history, that node. The last birthday (which AddNode hands out) is recorded with those
// changes too, so adding or removing a node keeps no image of the fragment at all. Each node of
// the list has an order key (not stored; increasing along the list, given again by undo and
// redo), by which a pass orders nodes in a tie.
class RDxFragment : public RDxObject {
public:
    RDxFragment();
    explicit RDxFragment(const RSeStream* s);
    ~RDxFragment() override;
    RSeMetaType* GetMeta() const override;

    // Nodes, in the order they were added; that order breaks ties in a recompute.
    const std::vector<RSeRef<RDxNode>>& GetNodes() const { return m_nodes; }
    uint32_t GetNodeCount() const { return uint32_t(m_nodes.size()); }
    bool HasNode(const RDxNode* node) const;
    // Takes the node from the fragment that held it. A node without a birthday gets the next
    // of this fragment. The node is marked edited. False when null or held already.
    bool AddNode(RDxNode* node);
    // The node leaves the fragment but stays in its segment.
    bool RemoveNode(RDxNode* node);
    // The node leaves the fragment and is deleted, so that the transaction can bring it back.
    bool DeleteNode(RDxNode* node);
    int32_t GetLastBirthday() const { return m_lastBirthday; }
    // The node's place in the list, or -1.
    int64_t PositionOf(const RDxNode* node) const;

    // The nodes the next recompute computes: the edited ones and, through any number of steps,
    // those of the fragment that depend on them; in the fragment's order.
    std::vector<RDxNode*> GetOutOfDateNodes() const;
    bool IsUpToDate() const;

    // Computes the out-of-date nodes in dependency order. A node that computes clean becomes
    // healthy and up to date; one that warns is up to date and keeps the health it gave
    // itself. A node that fails, the nodes of a cycle and everything that
    // depends on them become sick and stay out of date. A failed node's diagnoses (or one made
    // from its result) and one diagnosis per cycle join the fragment's; the result fails when
    // anything was left out of date, and carries the diagnoses of this pass. A compute must
    // not add, remove or delete nodes of the fragment that runs it.
    UTxResult Recompute(RDxComputeContext& ctx);

    // Diagnoses are transient: the fragment owns them until ClearDiagnoses deletes them, and
    // does not save them; results that carry them must not outlive that. A fragment that goes
    // without clearing leaves them to the transient segment, which frees them at exit.
    // AddDiagnosis answers false for null or a diagnosis held already.
    bool AddDiagnosis(UTxDiagnosis* diagnosis);
    const std::vector<UTxDiagnosis*>& GetDiagnoses() const { return m_diagnoses; }
    void ClearDiagnoses();
    // Deletes one diagnosis the fragment holds; false when it holds none such.
    bool RemoveDiagnosis(UTxDiagnosis* diagnosis);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    // A loaded node list names each node that names this fragment, once: the index and its
    // passes rely on it.
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult Clone(RDxFragment* target, RSeCloneCommander* cc) const;

    // The list's own edits, recorded as changes while a transaction records: nodes inserted at
    // `pos` under their order keys (which must keep the keys increasing), or removed.
    void InsertNodes(uint32_t pos, const std::vector<RSeHandle*>& nodes,
                     const std::vector<uint64_t>& keys);
    void EraseNodes(uint32_t pos, uint32_t count);
    // A node of the fragment was put back from an image: it reads its dependencies again.
    void NoteRestored(const RDxNode* node);

private:
    friend class RDxNode;
    friend class RDxNodeListChange;
    // Recorded with the list's changes, as the transaction's image leaves it out.
    void SetLastBirthday(int32_t birthday);
    // Keys 1..n for the list as loaded or copied.
    void RenumberKeys();
    void TakeDiagnoses(const UTxResult& r, RDxNode* node, std::vector<UTxDiagnosis*>& pass);
    // A node of the fragment became edited.
    void NoteEdited(const RDxNode* node);
    // The index, up to date with the nodes (built when it is missing or stale).
    RDxFragmentIndex& Index() const;
    // After the node list changed behind the index's back (load, clone).
    void ForgetIndex();

    mutable std::unique_ptr<RDxFragmentIndex> m_index;
    std::vector<RSeRef<RDxNode>> m_nodes;
    std::vector<uint64_t> m_keys; // the nodes' order keys, increasing
    uint64_t m_nextKey = 0;       // the greatest key handed out
    int32_t m_lastBirthday = 0;
    uint32_t m_loadClaims = 0; // the loaded nodes that name this fragment, told by their FixPtrs
    std::vector<UTxDiagnosis*> m_diagnoses;
};

namespace RSe {
RSeMetaType* _InitMeta(const RDxFragment*);
RSeMetaType* _GetMeta(const RDxFragment*);
} // namespace RSe
