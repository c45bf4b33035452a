#include "rse/RSeTransaction.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <unordered_map>
#include <unordered_set>

#include "rse/RSeDatabase.h"
#include "rse/RSeErrors.h"
#include "rse/RSeIDed.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSegment.h"
#include "rse/RSeStream.h"
#include "rse/RSeVMeta.h"
#include "utx/UTxException.h"

int g_rseOpenTxns = 0;

namespace {
// Capturing saves objects; what a save reaches through references must not be recorded.
int g_capturing = 0;
// Reading images back.
int g_readingImages = 0;
// Read-only scopes open.
int g_readOnly = 0;
RSe::RestoreHook g_restoreHook = nullptr;

struct CaptureScope {
    CaptureScope() { ++g_capturing; }
    ~CaptureScope() { --g_capturing; }
};
struct ReadImagesScope {
    ReadImagesScope() { ++g_readingImages; }
    ~ReadImagesScope() { --g_readingImages; }
};

class ImageSite : public RSeSaveSite {
public:
    explicit ImageSite(RSeImage& img) : m_img(img) {}

    uint32_t RefValue(const RSeRefBase& ref) override {
        RSeHandle* h = ref.GetHandle();
        if (!h) return UINT32_MAX;
        m_img.refs.emplace_back();
        m_img.refs.back().SetHandle(h);
        return uint32_t(m_img.refs.size() - 1);
    }
    uint32_t ObjectIndex(const RSeVMeta* v) override {
        if (!v || v->GetMeta()->IsIDed()) return UINT32_MAX;
        auto [it, added] = m_numbers.emplace(v, uint32_t(m_img.values.size()));
        if (added) m_img.values.push_back({v, RSe::Capture(v)});
        return it->second;
    }
    uint32_t MetaIndex(const RSeMetaType* mt) override {
        auto& metas = m_img.metas;
        auto it = std::find(metas.begin(), metas.end(), mt);
        if (it != metas.end()) return uint32_t(it - metas.begin());
        metas.push_back(const_cast<RSeMetaType*>(mt));
        return uint32_t(metas.size() - 1);
    }

private:
    RSeImage& m_img;
    std::unordered_map<const RSeVMeta*, uint32_t> m_numbers;
};

// Finds the value objects an object holds now (and those they hold), by saving it aside.
class CollectSite : public RSeSaveSite {
public:
    explicit CollectSite(std::vector<RSeVMeta*>& out) : m_out(out) {}
    uint32_t RefValue(const RSeRefBase&) override { return UINT32_MAX; }
    uint32_t ObjectIndex(const RSeVMeta* v) override {
        if (!v || v->GetMeta()->IsIDed()) return UINT32_MAX;
        RSeVMeta* value = const_cast<RSeVMeta*>(v);
        if (std::find(m_out.begin(), m_out.end(), value) == m_out.end()) {
            m_out.push_back(value);
            std::vector<uint8_t> scratch;
            RSeStream s(&scratch, this);
            value->GetMeta()->_Save(value, s);
        }
        return 0;
    }
    uint32_t MetaIndex(const RSeMetaType*) override { return 0; }

private:
    std::vector<RSeVMeta*>& m_out;
};

std::vector<RSeVMeta*> ValuesOf(RSeVMeta* obj) {
    CaptureScope scope;
    std::vector<RSeVMeta*> out;
    CollectSite site(out);
    std::vector<uint8_t> scratch;
    RSeStream s(&scratch, &site);
    obj->GetMeta()->_Save(obj, s);
    return out;
}

class ImageLoadSite : public RSeLoadSite {
public:
    explicit ImageLoadSite(const RSeImage& img) : m_img(img) {}
    RSeMetaType* LoadMetaAt(uint32_t index) override {
        return index < m_img.metas.size() ? m_img.metas[index] : nullptr;
    }

private:
    const RSeImage& m_img;
};

// Puts objects back as their images say, in passes over all of them, so that references
// between them are in place before any completion step looks at them.
class Restorer {
public:
    void Add(RSeVMeta* obj, const RSeImage& img) { Prepare(obj, img, m_live); }

    void Run() {
        ReadImagesScope reading;
        for (auto& job : m_jobs)
            Read(*job);
        for (auto& job : m_jobs) {
            m_ctx.SetResolution(job->handles, job->values, false);
            job->img->meta->_vFixPtrs(job->obj, m_ctx);
        }
        for (auto& job : m_jobs) {
            m_ctx.SetResolution(job->handles, job->values, false);
            job->img->meta->_vPostRestore(job->obj, m_ctx);
        }
        // Values the objects no longer hold.
        for (RSeVMeta* v : m_live)
            if (!m_reused.count(v)) delete v;
    }

private:
    struct Job {
        RSeVMeta* obj;
        const RSeImage* img;
        std::vector<RSeHandle*> handles;
        std::vector<RSeVMeta*> values;
    };

    void Prepare(RSeVMeta* obj, const RSeImage& img, std::vector<RSeVMeta*>& live) {
        for (RSeVMeta* v : ValuesOf(obj))
            live.push_back(v);
        auto job = std::make_unique<Job>();
        job->obj = obj;
        job->img = &img;
        for (const RSeRefBase& r : img.refs)
            job->handles.push_back(r.GetHandle());
        for (const RSeImage::Value& v : img.values) {
            RSeVMeta* value = const_cast<RSeVMeta*>(v.original);
            if (std::find(live.begin(), live.end(), value) != live.end() &&
                !m_reused.count(value) && value->GetMeta() == v.image->meta) {
                m_reused.insert(value);
            } else {
                value = v.image->meta->Construct(obj->GetSegment());
                if (!value) RSe::ThrowDamaged(u"a value object cannot be made again");
            }
            job->values.push_back(value);
            std::vector<RSeVMeta*> none;
            Prepare(value, *v.image, none); // a value's own values are among `live` already
        }
        m_jobs.push_back(std::move(job));
    }

    void Read(Job& job) {
        ImageLoadSite site(*job.img);
        m_ctx.SetResolution(job.handles, job.values, false);
        RSeStream s(job.img->bytes.data(), job.img->bytes.data() + job.img->bytes.size(), &site,
                    job.obj->GetSegment(), &m_ctx);
        job.img->meta->_Load(job.obj, s);
        assert(s.AtEnd());
    }

    RSeMetaContext m_ctx;
    std::vector<std::unique_ptr<Job>> m_jobs; // values before the objects that hold them
    std::vector<RSeVMeta*> m_live;
    std::unordered_set<RSeVMeta*> m_reused;
};
} // namespace

RSeImage::RSeImage() = default;
RSeImage::~RSeImage() = default;
RSeTxnRecord::RSeTxnRecord() = default;
RSeTxnRecord::~RSeTxnRecord() = default;

namespace {
size_t ImageBytes(const RSeImage* img) {
    if (!img) return 0;
    size_t n = sizeof(RSeImage) + img->bytes.capacity() +
               img->metas.capacity() * sizeof(RSeMetaType*) +
               img->refs.capacity() * sizeof(RSeRefBase) +
               img->values.capacity() * sizeof(RSeImage::Value);
    for (const RSeImage::Value& v : img->values)
        n += ImageBytes(v.image.get());
    return n;
}
} // namespace

size_t RSeTxnRecord::ByteSize() const {
    size_t n = sizeof(*this) + m_entries.capacity() * sizeof(Entry) +
               m_changes.capacity() * sizeof(void*);
    for (const Entry& e : m_entries)
        if (e.images)
            n += sizeof(Images) + ImageBytes(e.Before()) + ImageBytes(e.After());
    return n;
}

bool RSeTxnRecord::Holds(const RSeIDed* obj) const {
    const RSeHandle* h = obj ? obj->GetHandle() : nullptr;
    return h && std::any_of(m_entries.begin(), m_entries.end(),
                            [h](const Entry& e) { return e.ref.GetHandle() == h; });
}

RSeTxnChange::RSeTxnChange(RSeIDed* owner) {
    if (owner) m_owner.SetHandle(owner->GetHandle());
}

RSeTxnChange::~RSeTxnChange() = default;

RSeIDed* RSeTxnChange::GetOwner() const {
    RSeHandle* h = m_owner.GetHandle();
    return h ? h->obj : nullptr;
}

RSeReadOnlyScope::RSeReadOnlyScope() {
    ++g_readOnly;
}
RSeReadOnlyScope::~RSeReadOnlyScope() {
    --g_readOnly;
}

void RSeNoteReach(RSeIDed* obj) {
    if (!g_readOnly) RSeNoteAccess(obj);
}

void RSeNoteAccess(RSeIDed* obj) {
    if (g_capturing) return;
    RSeDatabase* db = obj->GetDatabase();
    if (db && db->InTxn()) db->NoteWrite(obj);
}

namespace RSe {
std::unique_ptr<RSeImage> Capture(const RSeVMeta* obj) {
    CaptureScope scope;
    auto img = std::make_unique<RSeImage>();
    img->meta = obj->GetMeta();
    ImageSite site(*img);
    RSeStream s(&img->bytes, &site);
    img->meta->_Save(obj, s);
    return img;
}

bool InTxnImage() {
    return g_capturing > 0 || g_readingImages > 0;
}

bool IsLiveDeletion(const RSeIDed* obj) {
    const RSeDatabase* db = obj ? obj->GetDatabase() : nullptr;
    return !db || (!db->IsRestoring() && !db->IsClosing());
}

bool IsRecording(const RSeIDed* owner) {
    RSeDatabase* db = owner ? owner->GetDatabase() : nullptr;
    return db && db->IsRecording() && !g_capturing;
}

void RecordChange(std::unique_ptr<RSeTxnChange> change) {
    RSeIDed* owner = change ? change->GetOwner() : nullptr;
    if (IsRecording(owner)) owner->GetDatabase()->AdoptChange(std::move(change));
}

RSeTxnChange* LastChange(const RSeIDed* owner) {
    if (!IsRecording(owner)) return nullptr;
    RSeTxnChange* last = owner->GetDatabase()->GetLastChange();
    return last && last->OwnerHandle() == owner->GetHandle() ? last : nullptr;
}

void SetRestoreHook(RestoreHook hook) {
    g_restoreHook = hook;
}

void PrepareWrite(RSeIDed* obj) {
    if (obj) RSeNoteAccess(obj);
}

void DeleteObject(RSeIDed* obj) {
    if (!obj) return;
    // A closing database deletes every object of its own, in its own order: what one object's
    // end would delete may be gone already, or be the object whose end is running.
    if (const RSeDatabase* db = obj->GetDatabase(); db && db->IsClosing()) return;
    PrepareWrite(obj);
    delete obj;
}
} // namespace RSe

// ---- the database's transactions ------------------------------------------------------------

void RSeDatabase::BeginTxn() {
    assert(!m_txn && !m_load && "one transaction at a time, never while loading");
    m_txn = std::make_unique<RSeTxnRecord>();
    m_txn->m_nextIdBefore = m_nextId;
    ++m_txnSerial;
    ++g_rseOpenTxns;
}

void RSeDatabase::NoteWrite(RSeIDed* obj) {
    if (!m_txn || m_inRestore || g_capturing) return;
    RSeHandle* h = obj->GetHandle();
    if (!h || h->txnMark == m_txnSerial) return;
    // Out of line: nearly every call is for an object recorded already, and costs the checks
    // above only.
    [this, obj, h]() __attribute__((noinline)) {
        h->txnMark = m_txnSerial;
        RSeTxnRecord::Entry e;
        e.ref.SetHandle(h);
        e.images = std::make_unique<RSeTxnRecord::Images>();
        e.images->segment = obj->GetSegment();
        e.images->before = RSe::Capture(obj);
        m_txn->m_entries.push_back(std::move(e));
    }();
}

bool RSeDatabase::IsRecording() const {
    return m_txn && !m_inRestore && !m_load;
}

RSeTxnChange* RSeDatabase::GetLastChange() const {
    return m_txn && !m_txn->m_changes.empty() ? m_txn->m_changes.back().get() : nullptr;
}

void RSeDatabase::AdoptChange(std::unique_ptr<RSeTxnChange> change) {
    assert(IsRecording());
    m_txn->m_changes.push_back(std::move(change));
}

void RSeDatabase::RecordCreated(RSeIDed*, RSeHandle* h) {
    if (!m_txn || m_inRestore || m_load) return;
    h->txnMark = m_txnSerial;
    RSeTxnRecord::Entry e;
    e.ref.SetHandle(h);
    m_txn->m_entries.push_back(std::move(e));
}

std::unique_ptr<RSeTxnRecord> RSeDatabase::CommitTxn() {
    assert(m_txn);
    std::unique_ptr<RSeTxnRecord> record = std::move(m_txn);
    --g_rseOpenTxns;
    auto& entries = record->m_entries;
    // Made and deleted within the transaction: nothing to undo, neither of the object nor of
    // its containers. The images of how things are after the change are not taken now: the
    // history is undone newest first, so an undo finds them as they are and takes them then.
    auto passing = [](const RSeTxnRecord::Entry& e) {
        return !e.Before() && !e.ref.GetHandle()->obj;
    };
    std::unordered_set<const RSeHandle*> transient;
    for (const auto& e : entries)
        if (passing(e)) transient.insert(e.ref.GetHandle());
    entries.erase(std::remove_if(entries.begin(), entries.end(), passing), entries.end());
    if (!transient.empty()) {
        auto& changes = record->m_changes;
        changes.erase(std::remove_if(changes.begin(), changes.end(),
                                     [&](const std::unique_ptr<RSeTxnChange>& c) {
                                         return !c->GetOwner() &&
                                                transient.count(c->OwnerHandle());
                                     }),
                      changes.end());
    }
    // The history keeps records for long: no room to spare in them.
    entries.shrink_to_fit();
    record->m_changes.shrink_to_fit();
    record->m_nextIdAfter = m_nextId;
    return record;
}

void RSeDatabase::AbortTxn() {
    assert(m_txn);
    std::unique_ptr<RSeTxnRecord> record = std::move(m_txn);
    --g_rseOpenTxns;
    record->m_bulletins.clear(); // a change that never happened tells nobody
    Restore(*record, true);
}

void RSeDatabase::Undo(RSeTxnRecord& record) {
    assert(!m_txn);
    for (auto& b : record.m_bulletins)
        b->PreUndo();
    // What a redo gives back: the objects as the change left them, which is how they are now.
    for (auto& e : record.m_entries) {
        RSeIDed* obj = e.ref.GetHandle()->obj;
        if (!obj) {
            if (e.images) e.images->after.reset();
            continue;
        }
        if (!e.images) e.images = std::make_unique<RSeTxnRecord::Images>();
        e.images->segment = obj->GetSegment();
        e.images->after = RSe::Capture(obj);
    }
    Restore(record, true);
    for (auto& b : record.m_bulletins)
        b->AbortUndo();
    for (auto& b : record.m_bulletins)
        b->PostUndo();
}

void RSeDatabase::Redo(RSeTxnRecord& record) {
    assert(!m_txn);
    for (auto& b : record.m_bulletins)
        b->PreRedo();
    Restore(record, false);
    // The next undo takes them again; an object the change made goes back to its handle alone.
    for (auto& e : record.m_entries) {
        if (!e.images) continue;
        if (e.images->before)
            e.images->after.reset();
        else
            e.images.reset();
    }
    for (auto& b : record.m_bulletins)
        b->AbortRedo();
    for (auto& b : record.m_bulletins)
        b->PostRedo();
}

namespace {
std::atomic<uint64_t> g_restoreCount{0};
}

uint64_t RSe::RestoreCount() {
    return g_restoreCount.load(std::memory_order_relaxed);
}

void RSeDatabase::Restore(RSeTxnRecord& record, bool undo) {
    g_restoreCount.fetch_add(1, std::memory_order_relaxed);
    m_inRestore = true;
    auto target = [undo](const RSeTxnRecord::Entry& e) {
        return undo ? e.Before() : e.After();
    };
    // Objects that exist afterwards exist first, so that their containers' changes can be
    // undone or redone on them; then the changes, newest first for an undo; then the objects
    // that do not exist afterwards go; then every recorded object reads its image.
    for (auto& e : record.m_entries) {
        RSeHandle* h = e.ref.GetHandle();
        const RSeImage* img = target(e);
        if (!img || h->obj) continue;
        // Back under its own id: the handle that the record keeps finds it again.
        SetPendingId(h->id);
        RSeVMeta* made = img->meta->Construct(e.images->segment);
        SetPendingId(0);
        assert(made && h->obj == made);
        (void)made;
    }
    auto apply = [undo](RSeTxnChange& c) {
        if (RSeIDed* owner = c.GetOwner()) undo ? c.Undo(owner) : c.Redo(owner);
    };
    if (undo)
        for (auto it = record.m_changes.rbegin(); it != record.m_changes.rend(); ++it)
            apply(**it);
    else
        for (auto& c : record.m_changes)
            apply(*c);
    Restorer restorer;
    std::vector<RSeIDed*> restored;
    auto step = [&](RSeTxnRecord::Entry& e) {
        RSeIDed* obj = e.ref.GetHandle()->obj;
        if (!obj) return;
        if (const RSeImage* img = target(e)) {
            restorer.Add(obj, *img);
            restored.push_back(obj);
            return;
        }
        for (RSeVMeta* v : ValuesOf(obj))
            delete v;
        delete obj;
    };
    if (undo)
        for (auto it = record.m_entries.rbegin(); it != record.m_entries.rend(); ++it)
            step(*it);
    else
        for (auto& e : record.m_entries)
            step(e);
    restorer.Run();
    m_nextId = undo ? record.m_nextIdBefore : record.m_nextIdAfter;
    m_inRestore = false;
    if (g_restoreHook && !restored.empty()) g_restoreHook(restored);
}

void RSeDatabase::AdoptBulletin(RSeTxnBulletin* bulletin) {
    if (m_txn)
        m_txn->m_bulletins.emplace_back(bulletin);
    else
        m_looseBulletins.emplace_back(bulletin);
}

// ---- bulletins ------------------------------------------------------------------------------

RSeTxnBulletin::RSeTxnBulletin(RSeDatabase* db, RSeSegment*, int32_t, int32_t, bool) : m_db(db) {
    if (m_db) m_db->AdoptBulletin(this);
}

RSeTxnBulletin::~RSeTxnBulletin() = default;
