#include "dc/RDxFragment.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <deque>
#include <set>
#include <string>
#include <unordered_map>

#include "dc/RDxErrors.h"
#include "dc/RDxNode.h"
#include "rse/RSeRef.h"
#include "rse/RSeTransaction.h"
#include "rse/UTxDiagnosis.h"

// Who reads whom among the fragment's nodes, by entry. Entries keep the order keys of the
// fragment's list, which break ties in a pass. A node that leaves the fragment keeps its entry
// (absent), so that edges to it are there again when an undo brings it back. Dependencies on
// nodes of other fragments are left out: those fragments keep their own nodes up to date. An
// entry's dependencies are re-read whenever the entry is computed or put back from an image, so
// they may name a node it no longer reads (that costs a compute, never a missed one) until then.
class RDxFragmentIndex {
public:
    // An edge seen from one end: the entry at the other end, and where the edge sits in that
    // entry's list, so that an edge goes in constant time even from a node that many read.
    struct Edge {
        uint32_t other;
        uint32_t back;
    };
    // The edges of one end. Most nodes read, or are read by, one other node or none: one edge
    // lives in place, more go to the heap.
    class EdgeList {
    public:
        EdgeList() = default;
        EdgeList(const EdgeList&) = delete;
        EdgeList& operator=(const EdgeList&) = delete;
        EdgeList(EdgeList&& o) noexcept : m_u(o.m_u), m_size(o.m_size), m_cap(o.m_cap) {
            o.m_size = 0;
            o.m_cap = 1;
        }
        ~EdgeList() {
            if (m_cap > 1) std::free(m_u.heap);
        }
        uint32_t size() const { return m_size; }
        bool empty() const { return m_size == 0; }
        Edge* begin() { return m_cap > 1 ? m_u.heap : &m_u.one; }
        const Edge* begin() const { return m_cap > 1 ? m_u.heap : &m_u.one; }
        Edge* end() { return begin() + m_size; }
        const Edge* end() const { return begin() + m_size; }
        Edge& operator[](uint32_t i) { return begin()[i]; }
        const Edge& operator[](uint32_t i) const { return begin()[i]; }
        Edge& back() { return begin()[m_size - 1]; }
        void pop_back() { --m_size; }
        void clear() { m_size = 0; }
        void push_back(const Edge& e) {
            if (m_size == m_cap) Grow();
            begin()[m_size++] = e;
        }

    private:
        void Grow() {
            const uint32_t cap = m_cap * 2;
            auto* heap = static_cast<Edge*>(std::malloc(sizeof(Edge) * cap));
            if (!heap) throw std::bad_alloc();
            std::memcpy(heap, begin(), sizeof(Edge) * m_size);
            if (m_cap > 1) std::free(m_u.heap);
            m_u.heap = heap;
            m_cap = cap;
        }
        union U {
            Edge one;
            Edge* heap;
        } m_u{};
        uint32_t m_size = 0;
        uint32_t m_cap = 1; // 1: the edge in place
    };
    struct Entry {
        RSeRefBase node; // keeps the handle, so the key below is never reused
        uint64_t key : 63 = 0;
        uint64_t present : 1 = 0;
        EdgeList deps;       // what it reads
        EdgeList dependents; // what reads it
    };

    RDxFragmentIndex(const std::vector<RSeRef<RDxNode>>& refs, const std::vector<uint64_t>& keys) {
        for (size_t i = 0; i < refs.size(); ++i)
            Insert(refs[i].GetHandle(), keys[i]);
        for (uint32_t i = 0; i < m_entries.size(); ++i)
            ReadDeps(i);
    }

    bool IsStaleFor(const std::vector<RSeRef<RDxNode>>& refs) const {
        return m_present != refs.size();
    }
    size_t Size() const { return m_entries.size(); }
    size_t PresentCount() const { return m_present; }
    RDxNode* Node(uint32_t i) const {
        const Entry& e = m_entries[i];
        return e.present ? static_cast<RDxNode*>(e.node.GetTarget()) : nullptr;
    }
    uint64_t Key(uint32_t i) const { return m_entries[i].key; }
    const EdgeList& Deps(uint32_t i) const { return m_entries[i].deps; }
    const EdgeList& Dependents(uint32_t i) const { return m_entries[i].dependents; }

    // The entry of a node, or -1.
    int64_t Find(const RDxNode* node) const {
        const int64_t i = EntryOf(node->GetHandle());
        return i >= 0 && Node(uint32_t(i)) == node ? i : -1;
    }

    // A node joins (again) under its key; an edited one is noted for the next pass.
    void Insert(RSeHandle* handle, uint64_t key) {
        const int64_t found = handle ? EntryOf(handle) : -1;
        uint32_t i;
        if (found >= 0) {
            i = uint32_t(found);
        } else {
            i = uint32_t(m_entries.size());
            m_entries.emplace_back();
            m_entries.back().node.SetHandle(handle);
            if (handle) Bind(handle, i);
        }
        Entry& e = m_entries[i];
        if (!e.present) ++m_present;
        e.present = 1;
        e.key = key;
        if (RDxNode* node = Node(i); node && node->IsEdited()) m_pending.push_back(i);
    }
    void Remove(const RSeHandle* handle) {
        const int64_t i = EntryOf(handle);
        if (i < 0 || !m_entries[size_t(i)].present) return;
        m_entries[size_t(i)].present = 0;
        --m_present;
    }

    void NoteEdited(const RDxNode* node) {
        const int64_t i = EntryOf(node->GetHandle());
        if (i >= 0) m_pending.push_back(uint32_t(i));
    }
    void NoteEdited(uint32_t i) { m_pending.push_back(i); }

    // Whether a node noted since the last pass is still edited.
    bool AnyPendingEdited() const {
        return std::any_of(m_pending.begin(), m_pending.end(), [this](uint32_t i) {
            const RDxNode* node = Node(i);
            return node && node->IsEdited();
        });
    }

    // Re-reads what entry i depends on and mends the edges both ways.
    void ReadDeps(uint32_t i) {
        for (const Edge& dep : m_entries[i].deps) {
            // Swap the edge out of the other end's list, and tell the edge moved into its place.
            EdgeList& back = m_entries[dep.other].dependents;
            const Edge moved = back.back();
            back[dep.back] = moved;
            m_entries[moved.other].deps[moved.back].back = dep.back;
            back.pop_back();
        }
        m_entries[i].deps.clear();
        RDxNode* node = Node(i);
        if (!node) return;
        m_read.clear();
        RSeReadOnlyScope reading; // what a node reads is only looked at
        node->CollectDependencies(m_read);
        for (RDxNode* d : m_read) {
            const int64_t found = EntryOf(d->GetHandle());
            if (found < 0) continue;
            const uint32_t j = uint32_t(found);
            EdgeList& deps = m_entries[i].deps;
            if (std::any_of(deps.begin(), deps.end(), [j](const Edge& e) { return e.other == j; }))
                continue;
            EdgeList& dependents = m_entries[j].dependents;
            deps.push_back({j, uint32_t(dependents.size())});
            dependents.push_back({i, uint32_t(deps.size() - 1)});
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
            for (const Edge& d : m_entries[i].dependents)
                if (!InPass(d.other) && Node(d.other)) {
                    m_mark[d.other] = m_stamp;
                    todo.push_back(d.other);
                }
        }
        SortByKey(out);
        return out;
    }
    bool InPass(uint32_t i) const { return i < m_mark.size() && m_mark[i] == m_stamp; }
    // What TakeOutOfDate would answer, leaving the notes.
    std::vector<uint32_t> OutOfDate() {
        const std::vector<uint32_t> keep = m_pending;
        std::vector<uint32_t> out = TakeOutOfDate();
        m_pending = keep;
        return out;
    }

    void SortByKey(std::vector<uint32_t>& entries) const {
        std::sort(entries.begin(), entries.end(),
                  [this](uint32_t a, uint32_t b) { return Key(a) < Key(b); });
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
        std::vector<uint32_t> roots;
        for (uint32_t root = 0; root < n; ++root)
            if (among[root]) roots.push_back(root);
        SortByKey(roots);
        for (uint32_t root : roots) {
            if (order[root] >= 0) continue;
            enter(root);
            while (!calls.empty()) {
                const uint32_t v = calls.back().first;
                const size_t e = calls.back().second++;
                const EdgeList& deps = m_entries[v].deps;
                if (e < deps.size()) {
                    const uint32_t w = deps[e].other;
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
                const bool selfLoop = std::any_of(deps.begin(), deps.end(),
                                                  [v](const Edge& d) { return d.other == v; });
                if (group.size() > 1 || selfLoop) {
                    SortByKey(group);
                    cycles.push_back(std::move(group));
                }
            }
        }
        std::sort(cycles.begin(), cycles.end(),
                  [this](const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
                      return std::lexicographical_compare(
                          a.begin(), a.end(), b.begin(), b.end(),
                          [this](uint32_t x, uint32_t y) { return Key(x) < Key(y); });
                  });
        return cycles;
    }

private:
    static constexpr uint32_t kNoEntry = UINT32_MAX;

    // Entries are found by their node's id: ids are handed out in sequence, so a flat table
    // indexed by id costs a word per object of the document, far less than a hash map's node
    // per entry. An id far beyond the entries (a sparse document), or one that another
    // database's node holds in the table already, goes to a map.
    int64_t EntryOf(const RSeHandle* h) const {
        if (!h) return -1;
        if (h->id < m_byId.size()) {
            const uint32_t i = m_byId[h->id];
            if (i != kNoEntry && m_entries[i].node.GetHandle() == h) return i;
        }
        if (m_byHandle.empty()) return -1;
        auto it = m_byHandle.find(h);
        return it == m_byHandle.end() ? -1 : int64_t(it->second);
    }
    void Bind(const RSeHandle* h, uint32_t i) {
        if (h->id < m_byId.size() || h->id <= 2 * m_entries.size() + 65536) {
            if (h->id >= m_byId.size()) m_byId.resize(size_t(h->id) + 1, kNoEntry);
            if (m_byId[h->id] == kNoEntry) {
                m_byId[h->id] = i;
                return;
            }
        }
        m_byHandle.emplace(h, i);
    }

    std::deque<Entry> m_entries; // grows without copying, or room to spare, on large sheets
    size_t m_present = 0;
    std::vector<uint32_t> m_byId; // entry by node id, or kNoEntry
    std::unordered_map<const RSeHandle*, uint32_t> m_byHandle; // the rest
    std::vector<uint32_t> m_pending;
    std::vector<RDxNode*> m_read;
    std::vector<uint32_t> m_mark; // == m_stamp: in the current pass
    uint32_t m_stamp = 0;
};

// A change of a fragment's node list: nodes inserted at a place, or removed from it, with
// their order keys, so that undo and redo give back the list and its order exactly.
class RDxNodeListChange : public RSeTxnChange {
public:
    RDxNodeListChange(RDxFragment* owner, bool inserted, uint32_t pos,
                      const std::vector<RSeHandle*>& nodes, const std::vector<uint64_t>& keys)
        : RSeTxnChange(owner), m_inserted(inserted), m_pos(pos) {
        Append(nodes, keys);
    }
    // Nodes inserted right after those this change inserted join it.
    bool Extend(uint32_t pos, const std::vector<RSeHandle*>& nodes,
                const std::vector<uint64_t>& keys) {
        if (!m_inserted || pos != m_pos + m_nodes.size()) return false;
        Append(nodes, keys);
        return true;
    }
    // The fragment's last birthday changed with the list (AddNode hands one out with the node
    // it inserts): the change carries it before and after.
    void NoteBirthday(int32_t before, int32_t after) {
        if (!m_hasBirthday) m_birthdayBefore = before;
        m_hasBirthday = true;
        m_birthdayAfter = after;
    }
    void Undo(RSeIDed* owner) override {
        auto* f = static_cast<RDxFragment*>(owner);
        Apply(f, !m_inserted);
        if (m_hasBirthday) f->m_lastBirthday = m_birthdayBefore;
    }
    void Redo(RSeIDed* owner) override {
        auto* f = static_cast<RDxFragment*>(owner);
        Apply(f, m_inserted);
        if (m_hasBirthday) f->m_lastBirthday = m_birthdayAfter;
    }

private:
    // Keys that follow each other (as AddNode hands them out) are kept as the first alone.
    void Append(const std::vector<RSeHandle*>& nodes, const std::vector<uint64_t>& keys) {
        for (size_t i = 0; i < nodes.size(); ++i) {
            const size_t n = m_nodes.size();
            if (n == 0) {
                m_firstKey = keys[i];
            } else if (m_keys.empty() && keys[i] != m_firstKey + n) {
                // The run breaks: from here on every key is kept.
                m_keys.reserve(n + nodes.size() - i);
                for (size_t k = 0; k < n; ++k)
                    m_keys.push_back(m_firstKey + k);
            }
            if (!m_keys.empty()) m_keys.push_back(keys[i]);
            m_nodes.emplace_back();
            m_nodes.back().SetHandle(nodes[i]);
        }
    }
    void Apply(RDxFragment* f, bool insert) {
        if (insert) {
            std::vector<RSeHandle*> handles;
            handles.reserve(m_nodes.size());
            for (const RSeRefBase& r : m_nodes)
                handles.push_back(r.GetHandle());
            std::vector<uint64_t> keys = m_keys;
            if (keys.empty())
                for (size_t k = 0; k < m_nodes.size(); ++k)
                    keys.push_back(m_firstKey + k);
            f->InsertNodes(m_pos, handles, keys);
        } else {
            f->EraseNodes(m_pos, uint32_t(m_nodes.size()));
        }
    }

    bool m_inserted;
    bool m_hasBirthday = false;
    uint32_t m_pos;
    int32_t m_birthdayBefore = 0;
    int32_t m_birthdayAfter = 0;
    uint64_t m_firstKey = 0;
    std::vector<RSeRefBase> m_nodes;
    std::vector<uint64_t> m_keys; // empty while the keys follow each other from m_firstKey
};

namespace {
UTxString16 Number(uint64_t v) {
    return UTx::MakeWideString(std::to_string(v));
}

// Nodes put back from their images read again what they depend on.
void NoteRestoredNodes(const std::vector<RSeIDed*>& restored) {
    for (RSeIDed* obj : restored)
        if (auto* node = dynamic_cast<RDxNode*>(obj))
            if (RSeIDed* f = node->GetFragment().GetTarget())
                static_cast<RDxFragment*>(f)->NoteRestored(node);
}
const bool s_restoreHook = (RSe::SetRestoreHook(&NoteRestoredNodes), true);
} // namespace

RDxFragment::RDxFragment() = default;
RDxFragment::RDxFragment(const RSeStream* s) : RDxObject(s) {}

RDxFragment::~RDxFragment() {
    // What the list held and the last birthday when the fragment went, so that an undo that
    // brings it back finds them.
    if (!RSe::IsRecording(this)) return;
    if (!m_nodes.empty()) EraseNodes(0, uint32_t(m_nodes.size()));
    SetLastBirthday(0);
}

void RDxFragment::SetLastBirthday(int32_t birthday) {
    if (birthday == m_lastBirthday) return;
    const int32_t before = m_lastBirthday;
    m_lastBirthday = birthday;
    if (!RSe::IsRecording(this)) return;
    auto* last = dynamic_cast<RDxNodeListChange*>(RSe::LastChange(this));
    if (!last) {
        // No nodes: a birthday alone.
        const std::vector<RSeHandle*> none;
        auto change = std::make_unique<RDxNodeListChange>(this, true, uint32_t(m_nodes.size()),
                                                          none, std::vector<uint64_t>{});
        last = change.get();
        RSe::RecordChange(std::move(change));
    }
    last->NoteBirthday(before, birthday);
}

RDxFragmentIndex& RDxFragment::Index() const {
    if (!m_index || m_index->IsStaleFor(m_nodes))
        m_index = std::make_unique<RDxFragmentIndex>(m_nodes, m_keys);
    return *m_index;
}

void RDxFragment::ForgetIndex() {
    m_index.reset();
}

void RDxFragment::RenumberKeys() {
    m_keys.resize(m_nodes.size());
    for (size_t i = 0; i < m_keys.size(); ++i)
        m_keys[i] = i + 1;
    m_nextKey = m_keys.size();
    ForgetIndex();
}

void RDxFragment::NoteEdited(const RDxNode* node) {
    if (m_index) m_index->NoteEdited(node);
}

void RDxFragment::NoteRestored(const RDxNode* node) {
    if (!m_index || m_index->IsStaleFor(m_nodes)) return;
    const int64_t i = m_index->Find(node);
    if (i < 0) return;
    m_index->ReadDeps(uint32_t(i));
    if (node->IsEdited()) m_index->NoteEdited(uint32_t(i));
}

void RDxFragment::InsertNodes(uint32_t pos, const std::vector<RSeHandle*>& nodes,
                              const std::vector<uint64_t>& keys) {
    assert(pos <= m_nodes.size() && nodes.size() == keys.size());
    std::vector<RSeRef<RDxNode>> refs(nodes.size());
    for (size_t i = 0; i < nodes.size(); ++i) {
        refs[i].SetHandle(nodes[i]);
        m_nextKey = std::max(m_nextKey, keys[i]);
    }
    m_nodes.insert(m_nodes.begin() + pos, refs.begin(), refs.end());
    m_keys.insert(m_keys.begin() + pos, keys.begin(), keys.end());
    if (m_index)
        for (size_t i = 0; i < nodes.size(); ++i)
            m_index->Insert(nodes[i], keys[i]);
    if (!RSe::IsRecording(this)) return;
    auto* last = dynamic_cast<RDxNodeListChange*>(RSe::LastChange(this));
    if (!last || !last->Extend(pos, nodes, keys))
        RSe::RecordChange(std::make_unique<RDxNodeListChange>(this, true, pos, nodes, keys));
}

void RDxFragment::EraseNodes(uint32_t pos, uint32_t count) {
    assert(pos + count <= m_nodes.size());
    std::vector<RSeHandle*> handles(count);
    for (uint32_t i = 0; i < count; ++i) {
        handles[i] = m_nodes[pos + i].GetHandle();
        if (m_index) m_index->Remove(handles[i]);
    }
    std::vector<uint64_t> keys(m_keys.begin() + pos, m_keys.begin() + pos + count);
    m_nodes.erase(m_nodes.begin() + pos, m_nodes.begin() + pos + count);
    m_keys.erase(m_keys.begin() + pos, m_keys.begin() + pos + count);
    if (RSe::IsRecording(this))
        RSe::RecordChange(std::make_unique<RDxNodeListChange>(this, false, pos, handles, keys));
}

int64_t RDxFragment::PositionOf(const RDxNode* node) const {
    if (!node) return -1;
    if (m_index && !m_index->IsStaleFor(m_nodes)) {
        const int64_t i = m_index->Find(node);
        if (i < 0) return -1;
        auto it = std::lower_bound(m_keys.begin(), m_keys.end(), m_index->Key(uint32_t(i)));
        return it != m_keys.end() && m_nodes[it - m_keys.begin()].GetTarget() == node
                   ? int64_t(it - m_keys.begin())
                   : -1;
    }
    auto it = std::find_if(m_nodes.begin(), m_nodes.end(),
                           [node](const RSeRefBase& r) { return r.GetTarget() == node; });
    return it == m_nodes.end() ? -1 : int64_t(it - m_nodes.begin());
}

bool RDxFragment::HasNode(const RDxNode* node) const {
    return PositionOf(node) >= 0;
}

bool RDxFragment::AddNode(RDxNode* node) {
    if (!node || HasNode(node)) return false;
    if (RSeIDed* previous = node->GetFragment().GetTarget())
        static_cast<RDxFragment*>(previous)->RemoveNode(node);
    // The list's change records the birthday handed out too: the fragment's own fields need no
    // image, which on a sheet would be kept once for every annotation placed on it.
    InsertNodes(uint32_t(m_nodes.size()), {node->GetHandle()}, {m_nextKey + 1});
    if (!node->GetBirthday()) {
        node->SetBirthday(m_lastBirthday + 1);
        SetLastBirthday(m_lastBirthday + 1);
    }
    node->SetFragment(this);
    node->MarkEdited(true); // noted for the next pass by the index, when there is one
    return true;
}

bool RDxFragment::RemoveNode(RDxNode* node) {
    const int64_t pos = PositionOf(node);
    if (pos < 0) return false;
    EraseNodes(uint32_t(pos), 1); // recorded as the change, not as an image of the fragment
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
    // Every edited node of the fragment is among the index's notes.
    return !Index().AnyPendingEdited();
}

#ifndef NDEBUG
namespace {
// Checks the index against one read afresh: every node a fresh reading puts out of date must be
// in the pass. A miss means some change of what a node reads did not mark it edited.
void CheckPass(const std::vector<RSeRef<RDxNode>>& nodes, const std::vector<uint64_t>& keys,
               const RDxFragmentIndex& index) {
    if (nodes.size() > 4096) return;
    RDxFragmentIndex fresh(nodes, keys);
    for (uint32_t i : fresh.OutOfDate()) {
        const int64_t live = index.Find(fresh.Node(i));
        if (live >= 0 && index.InPass(uint32_t(live))) continue;
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
    CheckPass(m_nodes, m_keys, g);
#endif
    // What a node reads may have changed with whatever put it out of date.
    for (uint32_t i : pass)
        g.ReadDeps(i);

    // Kahn's order over the out-of-date nodes: a node is ready when every out-of-date node it
    // reads is done. Ready nodes go in fragment order, so a pass is repeatable.
    std::unordered_map<uint32_t, uint32_t> waiting;
    std::set<std::pair<uint64_t, uint32_t>> ready; // by order key
    for (uint32_t i : pass) {
        uint32_t w = 0;
        for (const auto& d : g.Deps(i))
            if (g.InPass(d.other)) ++w;
        if (w)
            waiting.emplace(i, w);
        else
            ready.emplace(g.Key(i), i);
    }
    std::vector<uint32_t> done;
    std::unordered_map<uint32_t, char> held;
    std::vector<UTxDiagnosis*> found;
    uint32_t leftOut = 0;
    while (!ready.empty()) {
        const uint32_t i = ready.begin()->second;
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
        for (const auto& d : g.Dependents(i)) {
            const uint32_t j = d.other;
            if (!g.InPass(j)) continue;
            if (failed) held.emplace(j, 1);
            if (!--waiting[j]) ready.emplace(g.Key(j), j);
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
                     Number(leftOut) + u" of " + Number(g.PresentCount()) + u" left out of date");
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
