#pragma once
#include <cstdint>
#include <vector>

#include "dc/RDxObject.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"

class RDxFragment;
class RDxComputeContext;

// A node of a fragment's dependency graph. A node that is edited is out of date: the next
// recompute of its fragment computes it, after the nodes it depends on, and then every node
// that depends on it.
class RDxNode : public RDxObject {
public:
    RDxNode() = default;
    explicit RDxNode(const RSeStream* s) : RDxObject(s) {}
    RSeMetaType* GetMeta() const override;

    // The fragment that holds the node; RDxFragment::AddNode and RemoveNode set it.
    RSeRef<RDxFragment> GetFragment() const { return m_fragment; }
    // The fragment, for adding nodes to it beside this one: its list records its own changes,
    // so reaching it this way keeps no image of it (of a whole sheet) in the history. A change
    // of the fragment's own fields still records it (RSe::PrepareWrite).
    RDxFragment* GetFragmentForNodes() const;

    void MarkEdited(bool edited = true);
    bool IsEdited() const { return m_edited; }

    // Marks that the host sets for a node's own compute to read, which clears them: with
    // kRefreshMark the node re-reads what it shows from its source (a parts list its bill).
    // Setting one marks the node edited. Not stored: a loaded node starts without marks.
    static constexpr uint32_t kRefreshMark = 0x10;
    uint32_t GetNodeMarks() const { return m_marks; }
    void SetNodeMarks(uint32_t bits, bool on);

    // When the node joined its fragment, in the fragment's count.
    int32_t GetBirthday() const { return m_birthday; }
    void SetBirthday(int32_t birthday);

    // Brings the node up to date from the nodes it depends on. The default has nothing to do.
    virtual UTxResult Compute(RDxComputeContext& ctx);

    // Nodes this one reads besides what its class knows of (a constraint's input states, a
    // set's members). Adding one marks the node edited; a node never depends on itself.
    const std::vector<RSeRef<RDxNode>>& GetDependencies() const { return m_dependencies; }
    bool AddDependency(RDxNode* node);
    bool RemoveDependency(RDxNode* node);
    bool DependsOn(const RDxNode* node) const;

    // Every node this one reads, for the recompute's ordering: the dependencies above and what
    // the class adds. Gone nodes are left out; a node may be named twice.
    virtual void CollectDependencies(std::vector<RDxNode*>& out) const;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(RDxNode* target, RSeCloneCommander* cc) const;

private:
    friend class RDxFragment;
    void SetFragment(RDxFragment* fragment);
    // Tells the fragment, which keeps the edited nodes for its next pass.
    void NoteEdited();

    RSeRef<RDxFragment> m_fragment;
    bool m_edited = true; // a new node has never been computed
    int32_t m_birthday = 0;
    std::vector<RSeRef<RDxNode>> m_dependencies;
    uint32_t m_marks = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const RDxNode*);
RSeMetaType* _GetMeta(const RDxNode*);
} // namespace RSe
