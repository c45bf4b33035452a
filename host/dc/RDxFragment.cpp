#include "dc/RDxFragment.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <unordered_map>

#include "dc/RDxErrors.h"
#include "dc/RDxNode.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxDiagnosis.h"

// Who reads whom among the fragment's nodes, by entry; entries are in the fragment's order,
// which breaks ties in a pass. Dependencies on nodes of other fragments are left out: those
// fragments keep their own nodes up to date. An entry's dependencies are re-read whenever the
// entry is computed, so they may name a node it no longer reads (that costs a compute, never a
// missed one) until then.
class RDxFragmentIndex {
public:
    struct Entry {
        RSeRefBase node;                  // keeps the handle, so the key below is never reused
        std::vector<uint32_t> deps;       // what it reads
        std::vector<uint32_t> dependents; // what reads it
    };

    RDxFragmentIndex(const std::vector<RSeRef<RDxNode>>& refs, uint64_t restores)
        : m_restores(restores) {
        // A gone node keeps its place, so that places match the fragment's list.
        for (const RSeRef<RDxNode>& r : refs)
            Add(static_cast<RDxNode*>(r.GetTarget()));
        for (uint32_t i = 0; i < m_entries.size(); ++i)
            ReadDeps(i);
    }

    bool IsStaleFor(const std::vector<RSeRef<RDxNode>>& refs) const {
        return m_restores != RSe::RestoreCount() || m_entries.size() != refs.size();
    }
    size_t Size() const { return m_entries.size(); }
    RDxNode* Node(uint32_t i) const { return static_cast<RDxNode*>(m_entries[i].node.GetTarget()); }
    const std::vector<uint32_t>& Deps(uint32_t i) const { return m_entries[i].deps; }
    const std::vector<uint32_t>& Dependents(uint32_t i) const { return m_entries[i].dependents; }

    // A node joins at the end; it is edited, so the next pass reads what it depends on.
    uint32_t Add(RDxNode* node) {
        const uint32_t i = uint32_t(m_entries.size());
        m_entries.push_back({RSeRefBase(node), {}, {}});
        if (!node) return i;
        m_byHandle.emplace(node->GetHandle(), i);
        if (node->IsEdited()) m_pending.push_back(i);
        return i;
    }

    bool Contains(const RDxNode* node) const {
        auto it = m_byHandle.find(node->GetHandle());
        return it != m_byHandle.end() && Node(it->second) == node;
    }

    void NoteEdited(const RDxNode* node) {
        auto it = m_byHandle.find(node->GetHandle());
        if (it != m_byHandle.end()) m_pending.push_back(it->second);
    }
    void NoteEdited(uint32_t i) { m_pending.push_back(i); }

    // Re-reads what entry i depends on and mends the edges both ways.
    void ReadDeps(uint32_t i) {
        Entry& e = m_entries[i];
        for (uint32_t d : e.deps) {
            auto& back = m_entries[d].dependents;
            back.erase(std::find(back.begin(), back.end(), i));
        }
        e.deps.clear();
        RDxNode* node = Node(i);
        if (!node) return;
        m_read.clear();
        node->CollectDependencies(m_read);
        for (RDxNode* d : m_read) {
            auto it = m_byHandle.find(d->GetHandle());
            if (it == m_byHandle.end()) continue;
            if (std::find(e.deps.begin(), e.deps.end(), it->second) != e.deps.end()) continue;
            e.deps.push_back(it->second);
            m_entries[it->second].dependents.push_back(i);
        }
    }

    // The edited nodes noted since the last call, and what depends on them, in fragment
    // order; the notes are taken. Until the next call, InPass tells the members.
    std::vector<uint32_t> TakeOutOfDate() {
        m_mark.resize(m_entries.size(), 0);
        if (++m_stamp == 0) { // wrapped: old marks could pass for new ones
            std::fill(m_mark.begin(), m_mark.end(), 0);
            m_stamp = 1;
        }
        std::vector<uint32_t> todo, out;
        for (uint32_t i : m_pending) {
            RDxNode* node = Node(i);
            if (InPass(i) || !node || !node->IsEdited()) continue;
            m_mark[i] = m_stamp;
            todo.push_back(i);
        }
        m_pending.clear();
        while (!todo.empty()) {
            const uint32_t i = todo.back();
            todo.pop_back();
            out.push_back(i);
            for (uint32_t j : m_entries[i].dependents)
                if (!InPass(j) && Node(j)) {
                    m_mark[j] = m_stamp;
                    todo.push_back(j);
                }
        }
        std::sort(out.begin(), out.end());
        return out;
    }
    bool InPass(uint32_t i) const { return m_mark[i] == m_stamp; }
    // What TakeOutOfDate would answer, leaving the notes.
    std::vector<uint32_t> OutOfDate() {
        const std::vector<uint32_t> keep = m_pending;
        std::vector<uint32_t> out = TakeOutOfDate();
        m_pending = keep;
        return out;
    }

    // The cycles among the entries marked in `among`: groups that reach each other (Tarjan's
    // strongly connected components, without recursion), each in fragment order.
    std::vector<std::vector<uint32_t>> Cycles(const std::vector<char>& among) const {
        const size_t n = m_entries.size();
        std::vector<int32_t> order(n, -1), low(n, 0);
        std::vector<char> onStack(n, 0);
        std::vector<uint32_t> stack;
        std::vector<std::pair<uint32_t, size_t>> calls; // entry, next dependency to look at
        std::vector<std::vector<uint32_t>> cycles;
        int32_t counter = 0;
        auto enter = [&](uint32_t v) {
            order[v] = low[v] = counter++;
            stack.push_back(v);
            onStack[v] = 1;
            calls.emplace_back(v, 0);
        };
        for (uint32_t root = 0; root < n; ++root) {
            if (!among[root] || order[root] >= 0) continue;
            enter(root);
            while (!calls.empty()) {
                const uint32_t v = calls.back().first;
                const size_t e = calls.back().second++;
                const std::vector<uint32_t>& deps = m_entries[v].deps;
                if (e < deps.size()) {
                    const uint32_t w = deps[e];
                    if (!among[w]) continue;
                    if (order[w] < 0)
                        enter(w);
                    else if (onStack[w])
                        low[v] = std::min(low[v], order[w]);
                    continue;
                }
                calls.pop_back();
                if (!calls.empty()) {
                    const uint32_t parent = calls.back().first;
                    low[parent] = std::min(low[parent], low[v]);
                }
                if (low[v] != order[v]) continue;
                std::vector<uint32_t> group;
                uint32_t w;
                do {
                    w = stack.back();
                    stack.pop_back();
                    onStack[w] = 0;
                    group.push_back(w);
                } while (w != v);
                const bool selfLoop = std::find(deps.begin(), deps.end(), v) != deps.end();
                if (group.size() > 1 || selfLoop) {
                    std::sort(group.begin(), group.end());
                    cycles.push_back(std::move(group));
                }
            }
        }
        std::sort(cycles.begin(), cycles.end());
        return cycles;
    }

private:
    uint64_t m_restores;
    std::vector<Entry> m_entries;
    std::unordered_map<const RSeHandle*, uint32_t> m_byHandle;
    std::vector<uint32_t> m_pending;
    std::vector<RDxNode*> m_read;
    std::vector<uint32_t> m_mark; // == m_stamp: in the current pass
    uint32_t m_stamp = 0;
};

namespace {
UTxString16 Number(uint64_t v) {
    return UTx::MakeWideString(std::to_string(v));
}
} // namespace

RDxFragment::RDxFragment() = default;
RDxFragment::RDxFragment(const RSeStream* s) : RDxObject(s) {}
RDxFragment::~RDxFragment() = default;

RDxFragmentIndex& RDxFragment::Index() const {
    if (!m_index || m_index->IsStaleFor(m_nodes))
        m_index = std::make_unique<RDxFragmentIndex>(m_nodes, RSe::RestoreCount());
    return *m_index;
}

void RDxFragment::ForgetIndex() {
    m_index.reset();
}

void RDxFragment::NoteEdited(const RDxNode* node) {
    if (m_index) m_index->NoteEdited(node);
}

bool RDxFragment::HasNode(const RDxNode* node) const {
    if (!node) return false;
    if (m_index && !m_index->IsStaleFor(m_nodes)) return m_index->Contains(node);
    return std::any_of(m_nodes.begin(), m_nodes.end(),
                       [node](const RSeRefBase& r) { return r.GetTarget() == node; });
}

bool RDxFragment::AddNode(RDxNode* node) {
    if (!node || HasNode(node)) return false;
    if (RSeIDed* previous = node->GetFragment().GetTarget())
        static_cast<RDxFragment*>(previous)->RemoveNode(node);
    RSe::PrepareWrite(this);
    const bool indexed = m_index && !m_index->IsStaleFor(m_nodes);
    m_nodes.emplace_back(node);
    if (!node->GetBirthday()) node->SetBirthday(++m_lastBirthday);
    node->SetFragment(this);
    node->MarkEdited(true);
    if (indexed) {
        m_index->Add(node); // edited, so noted for the next pass
    } else {
        m_index.reset();
    }
    return true;
}

bool RDxFragment::RemoveNode(RDxNode* node) {
    auto it = std::find_if(m_nodes.begin(), m_nodes.end(),
                           [node](const RSeRefBase& r) { return r.GetTarget() == node; });
    if (!node || it == m_nodes.end()) return false;
    RSe::PrepareWrite(this);
    m_nodes.erase(it);
    m_index.reset();
    if (node->GetFragment().GetTarget() == this) node->SetFragment(nullptr);
    return true;
}

bool RDxFragment::DeleteNode(RDxNode* node) {
    if (!RemoveNode(node)) return false;
    RSe::DeleteObject(node);
    return true;
}

std::vector<RDxNode*> RDxFragment::GetOutOfDateNodes() const {
    RDxFragmentIndex& index = Index();
    std::vector<RDxNode*> out;
    for (uint32_t i : index.OutOfDate())
        out.push_back(index.Node(i));
    return out;
}

bool RDxFragment::IsUpToDate() const {
    return std::none_of(m_nodes.begin(), m_nodes.end(), [](const RSeRefBase& r) {
        const RSeIDed* t = r.GetTarget();
        return t && static_cast<const RDxNode*>(t)->IsEdited();
    });
}

#ifndef NDEBUG
namespace {
// Checks the index against one read afresh: every node a fresh reading puts out of date must be
// in the pass. A miss means some change of what a node reads did not mark it edited.
void CheckPass(const std::vector<RSeRef<RDxNode>>& nodes, const RDxFragmentIndex& index) {
    if (nodes.size() > 4096) return;
    RDxFragmentIndex fresh(nodes, RSe::RestoreCount());
    for (uint32_t i : fresh.OutOfDate()) {
        if (i < index.Size() && index.InPass(i) && index.Node(i) == fresh.Node(i)) continue;
        std::fprintf(stderr,
                     "RDxFragment: object #%u is out of date but no edit reached it; whoever "
                     "changed what it reads did not mark it edited\n",
                     unsigned(fresh.Node(i)->GetId()));
        std::abort();
    }
}
} // namespace
#endif

UTxResult RDxFragment::Recompute(RDxComputeContext& ctx) {
    RDxFragmentIndex& g = Index();
    const size_t n = g.Size();
    const std::vector<uint32_t> pass = g.TakeOutOfDate();
#ifndef NDEBUG
    CheckPass(m_nodes, g);
#endif
    // What a node reads may have changed with whatever put it out of date.
    for (uint32_t i : pass)
        g.ReadDeps(i);

    // Kahn's order over the out-of-date nodes: a node is ready when every out-of-date node it
    // reads is done. Ready nodes go in fragment order, so a pass is repeatable.
    std::unordered_map<uint32_t, uint32_t> waiting;
    std::set<uint32_t> ready;
    for (uint32_t i : pass) {
        uint32_t w = 0;
        for (uint32_t d : g.Deps(i))
            if (g.InPass(d)) ++w;
        if (w)
            waiting.emplace(i, w);
        else
            ready.insert(i);
    }
    std::vector<uint32_t> done;
    std::unordered_map<uint32_t, char> held;
    std::vector<UTxDiagnosis*> found;
    uint32_t leftOut = 0;
    while (!ready.empty()) {
        const uint32_t i = *ready.begin();
        ready.erase(ready.begin());
        done.push_back(i);
        RDxNode* node = g.Node(i);
        const bool isHeld = held.count(i) != 0;
        if (isHeld) {
            // What it reads failed: computing it would only spread the failure.
            node->SetSick();
            node->MarkEdited(true);
            ++leftOut;
        } else {
            // Up to date before computing, so that a compute which edits the node again is
            // seen by the next pass.
            node->MarkEdited(false);
            const UTxResult r = node->Compute(ctx);
            if (!r.IsEmpty()) TakeDiagnoses(r, node, found);
            if (r.Failed()) {
                node->SetSick();
                node->MarkEdited(true);
                held.emplace(i, 1);
                ++leftOut;
            } else if (!r.IsWarning()) {
                // A warning leaves the node's health to the node, which may have found
                // itself sick (an annotation with an invalid anchor still draws).
                node->SetHealthy();
            }
        }
        const bool failed = held.count(i) != 0;
        for (uint32_t j : g.Dependents(i)) {
            if (!g.InPass(j)) continue;
            if (failed) held.emplace(j, 1);
            if (!--waiting[j]) ready.insert(j);
        }
    }

    // What never became ready sits in a cycle or depends on one.
    std::vector<char> stuck;
    bool anyStuck = done.size() != pass.size();
    if (anyStuck) {
        std::vector<char> isDone(n, 0);
        for (uint32_t i : done)
            isDone[i] = 1;
        stuck.assign(n, 0);
        for (uint32_t i : pass)
            if (!isDone[i]) {
                stuck[i] = 1;
                g.Node(i)->SetSick();
                g.Node(i)->MarkEdited(true);
                ++leftOut;
            }
        for (const std::vector<uint32_t>& cycle : g.Cycles(stuck)) {
            UTxString16 text = u"the objects";
            for (uint32_t i : cycle)
                text += u" #" + Number(g.Node(i)->GetId());
            text += u" depend on each other";
            UTxDiagnosis* d = UTxDiagnosis::Create(kRDxErrCycle, text, g.Node(cycle.front()));
            AddDiagnosis(d);
            found.push_back(d);
        }
    }
    // What is left edited stays noted for the next pass (marking it again noted nothing).
    for (uint32_t i : pass)
        if (g.Node(i) && g.Node(i)->IsEdited()) g.NoteEdited(i);

    if (!leftOut) return {};
    UTxResult result(kRDxErrRecompute,
                     Number(leftOut) + u" of " + Number(n) + u" left out of date");
    for (UTxDiagnosis* d : found)
        result.AttachDiagnosis(d);
    return result;
}

void RDxFragment::TakeDiagnoses(const UTxResult& r, RDxNode* node,
                                std::vector<UTxDiagnosis*>& pass) {
    if (r.GetDiagnoses().empty()) {
        UTxDiagnosis* d = UTxDiagnosis::Create(r, node);
        AddDiagnosis(d);
        pass.push_back(d);
        return;
    }
    for (UTxDiagnosis* d : r.GetDiagnoses()) {
        if (!d->GetSubject().HasTarget()) d->SetSubject(node);
        if (AddDiagnosis(d)) pass.push_back(d);
    }
}

bool RDxFragment::AddDiagnosis(UTxDiagnosis* diagnosis) {
    if (!diagnosis ||
        std::find(m_diagnoses.begin(), m_diagnoses.end(), diagnosis) != m_diagnoses.end())
        return false;
    m_diagnoses.push_back(diagnosis);
    return true;
}

void RDxFragment::ClearDiagnoses() {
    for (UTxDiagnosis* d : m_diagnoses)
        delete d;
    m_diagnoses.clear();
}

bool RDxFragment::RemoveDiagnosis(UTxDiagnosis* diagnosis) {
    auto it = std::find(m_diagnoses.begin(), m_diagnoses.end(), diagnosis);
    if (!diagnosis || it == m_diagnoses.end()) return false;
    m_diagnoses.erase(it);
    delete diagnosis;
    return true;
}
