#include "dc/RDxFragment.h"

#include <algorithm>
#include <set>
#include <string>
#include <unordered_map>

#include "dc/RDxErrors.h"
#include "dc/RDxNode.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxDiagnosis.h"

namespace {
// The fragment's live nodes by position, with edges both ways between them. Dependencies on
// nodes of other fragments are left out: those fragments keep their own nodes up to date.
struct Graph {
    std::vector<RDxNode*> nodes;
    std::vector<std::vector<uint32_t>> deps;       // what each node reads
    std::vector<std::vector<uint32_t>> dependents; // what reads each node

    explicit Graph(const std::vector<RSeRef<RDxNode>>& refs) {
        std::unordered_map<const RDxNode*, uint32_t> index;
        for (const RSeRef<RDxNode>& r : refs)
            if (RSeIDed* t = r.GetTarget()) {
                index.emplace(static_cast<RDxNode*>(t), uint32_t(nodes.size()));
                nodes.push_back(static_cast<RDxNode*>(t));
            }
        deps.resize(nodes.size());
        dependents.resize(nodes.size());
        std::vector<RDxNode*> read;
        for (uint32_t i = 0; i < nodes.size(); ++i) {
            read.clear();
            nodes[i]->CollectDependencies(read);
            for (RDxNode* d : read) {
                auto it = index.find(d);
                if (it == index.end()) continue;
                auto& mine = deps[i];
                if (std::find(mine.begin(), mine.end(), it->second) != mine.end()) continue;
                mine.push_back(it->second);
                dependents[it->second].push_back(i);
            }
        }
    }

    // Edited nodes and what depends on them.
    std::vector<char> OutOfDate() const {
        std::vector<char> dirty(nodes.size(), 0);
        std::vector<uint32_t> todo;
        for (uint32_t i = 0; i < nodes.size(); ++i)
            if (nodes[i]->IsEdited()) {
                dirty[i] = 1;
                todo.push_back(i);
            }
        while (!todo.empty()) {
            const uint32_t i = todo.back();
            todo.pop_back();
            for (uint32_t j : dependents[i])
                if (!dirty[j]) {
                    dirty[j] = 1;
                    todo.push_back(j);
                }
        }
        return dirty;
    }

    // The cycles among the nodes marked in `among`: groups of nodes that reach each other
    // (Tarjan's strongly connected components, without recursion), each in fragment order.
    std::vector<std::vector<uint32_t>> Cycles(const std::vector<char>& among) const {
        const size_t n = nodes.size();
        std::vector<int32_t> order(n, -1), low(n, 0);
        std::vector<char> onStack(n, 0);
        std::vector<uint32_t> stack;
        std::vector<std::pair<uint32_t, size_t>> calls; // node, next dependency to look at
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
                if (e < deps[v].size()) {
                    const uint32_t w = deps[v][e];
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
                const bool selfLoop = std::find(deps[v].begin(), deps[v].end(), v) != deps[v].end();
                if (group.size() > 1 || selfLoop) {
                    std::sort(group.begin(), group.end());
                    cycles.push_back(std::move(group));
                }
            }
        }
        std::sort(cycles.begin(), cycles.end());
        return cycles;
    }
};

UTxString16 Number(uint64_t v) {
    return UTx::MakeWideString(std::to_string(v));
}
} // namespace

bool RDxFragment::HasNode(const RDxNode* node) const {
    return node && std::any_of(m_nodes.begin(), m_nodes.end(),
                               [node](const RSeRefBase& r) { return r.GetTarget() == node; });
}

bool RDxFragment::AddNode(RDxNode* node) {
    if (!node || HasNode(node)) return false;
    if (RSeIDed* previous = node->GetFragment().GetTarget())
        static_cast<RDxFragment*>(previous)->RemoveNode(node);
    RSe::PrepareWrite(this);
    m_nodes.emplace_back(node);
    if (!node->GetBirthday()) node->SetBirthday(++m_lastBirthday);
    node->SetFragment(this);
    node->MarkEdited(true);
    return true;
}

bool RDxFragment::RemoveNode(RDxNode* node) {
    auto it = std::find_if(m_nodes.begin(), m_nodes.end(),
                           [node](const RSeRefBase& r) { return r.GetTarget() == node; });
    if (!node || it == m_nodes.end()) return false;
    RSe::PrepareWrite(this);
    m_nodes.erase(it);
    if (node->GetFragment().GetTarget() == this) node->SetFragment(nullptr);
    return true;
}

bool RDxFragment::DeleteNode(RDxNode* node) {
    if (!RemoveNode(node)) return false;
    RSe::DeleteObject(node);
    return true;
}

std::vector<RDxNode*> RDxFragment::GetOutOfDateNodes() const {
    Graph g(m_nodes);
    const std::vector<char> dirty = g.OutOfDate();
    std::vector<RDxNode*> out;
    for (size_t i = 0; i < g.nodes.size(); ++i)
        if (dirty[i]) out.push_back(g.nodes[i]);
    return out;
}

bool RDxFragment::IsUpToDate() const {
    return std::none_of(m_nodes.begin(), m_nodes.end(), [](const RSeRefBase& r) {
        const RSeIDed* t = r.GetTarget();
        return t && static_cast<const RDxNode*>(t)->IsEdited();
    });
}

UTxResult RDxFragment::Recompute(RDxComputeContext& ctx) {
    Graph g(m_nodes);
    const size_t n = g.nodes.size();
    const std::vector<char> dirty = g.OutOfDate();

    // Kahn's order over the out-of-date nodes: a node is ready when every out-of-date node it
    // reads is done. Ready nodes go in fragment order, so a pass is repeatable.
    std::vector<uint32_t> waiting(n, 0);
    std::set<uint32_t> ready;
    for (uint32_t i = 0; i < n; ++i) {
        if (!dirty[i]) continue;
        for (uint32_t d : g.deps[i])
            if (dirty[d]) ++waiting[i];
        if (!waiting[i]) ready.insert(i);
    }
    std::vector<char> done(n, 0), held(n, 0);
    std::vector<UTxDiagnosis*> pass;
    uint32_t leftOut = 0;
    while (!ready.empty()) {
        const uint32_t i = *ready.begin();
        ready.erase(ready.begin());
        done[i] = 1;
        RDxNode* node = g.nodes[i];
        if (held[i]) {
            // What it reads failed: computing it would only spread the failure.
            node->SetSick();
            node->MarkEdited(true);
            ++leftOut;
        } else {
            // Up to date before computing, so that a compute which edits the node again is
            // seen by the next pass.
            node->MarkEdited(false);
            const UTxResult r = node->Compute(ctx);
            if (!r.IsEmpty()) TakeDiagnoses(r, node, pass);
            if (r.Failed()) {
                node->SetSick();
                node->MarkEdited(true);
                held[i] = 1;
                ++leftOut;
            } else {
                node->SetHealthy();
            }
        }
        for (uint32_t j : g.dependents[i]) {
            if (!dirty[j]) continue;
            if (held[i]) held[j] = 1;
            if (!--waiting[j]) ready.insert(j);
        }
    }

    // What never became ready sits in a cycle or depends on one.
    std::vector<char> stuck(n, 0);
    bool anyStuck = false;
    for (uint32_t i = 0; i < n; ++i)
        if (dirty[i] && !done[i]) {
            stuck[i] = 1;
            anyStuck = true;
            g.nodes[i]->SetSick();
            g.nodes[i]->MarkEdited(true);
            ++leftOut;
        }
    if (anyStuck)
        for (const std::vector<uint32_t>& cycle : g.Cycles(stuck)) {
            UTxString16 text = u"the objects";
            for (uint32_t i : cycle)
                text += u" #" + Number(g.nodes[i]->GetId());
            text += u" depend on each other";
            UTxDiagnosis* d = UTxDiagnosis::Create(kRDxErrCycle, text, g.nodes[cycle.front()]);
            AddDiagnosis(d);
            pass.push_back(d);
        }

    if (!leftOut) return {};
    UTxResult result(kRDxErrRecompute,
                     Number(leftOut) + u" of " + Number(n) + u" left out of date");
    for (UTxDiagnosis* d : pass)
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
