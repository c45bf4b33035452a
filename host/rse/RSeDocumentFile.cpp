// The document file: header, meta-type table, then each segment's object records.
//
//   "KORVUDOC" u32 format   u32 next-id
//   u32 n-metas   { u32 name-length  name (UTF-16)  16-byte GUID  u16 version  u16 0 }
//   u32 n-segments { u32 name-length  name  u32 n-records
//                    { u32 meta-index  u32 key  u32 byte-length  payload } }
//   "END."
//
// A class is found by its name and must carry its GUID; a GUID it declared as a former form
// (RSeMetaType::AddFormerForm) at that stored version is read as the older version it stands for.
//
// All numbers are little-endian. A segment's identified objects come first, in the order of
// their ids (the key is the id); then the value objects they hold, in the order the payloads
// first point at them (the key is the value's number, from 1, over the whole file). References
// name identified objects by their position among all identified objects of the file; value
// pointers name values by number. The file therefore depends only on what the objects hold,
// not on the order in which they were made, undone or redone; a value object that nothing
// points at is not saved.
#include <sys/stat.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <typeinfo>
#include <unordered_map>

#include "rse/RSeBulkMemory.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeErrors.h"
#include "rse/RSeIDed.h"
#include "rse/RSeLoad.h"
#include "rse/RSeSegment.h"
#include "rse/RSeSegmentMigrator.h"
#include "rse/RSeStream.h"
#include "utx/UTxException.h"
#include "utx/UTxFileWriter.h"

// Numbers (here and in RSeStream's payloads) are copied to and from the file as they lie in
// memory, which is the little-endian file format only on a little-endian machine.
static_assert(std::endian::native == std::endian::little,
              "the document file format is little-endian and numbers are copied as they lie");

namespace {
constexpr char kMagic[8] = {'K', 'O', 'R', 'V', 'U', 'D', 'O', 'C'};
constexpr char kTrailer[4] = {'E', 'N', 'D', '.'};
constexpr uint32_t kFormatVersion = 1;

void PutBytes(std::vector<uint8_t>& out, const void* p, size_t n) {
    const size_t at = out.size();
    out.resize(at + n);
    std::memcpy(out.data() + at, p, n);
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    const size_t at = out.size();
    out.resize(at + 4);
    std::memcpy(out.data() + at, &v, 4);
}
void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    const size_t at = out.size();
    out.resize(at + 2);
    std::memcpy(out.data() + at, &v, 2);
}
void PutString(std::vector<uint8_t>& out, const UTxString16& s) {
    PutU32(out, uint32_t(s.size()));
    const size_t at = out.size();
    out.resize(at + 2 * s.size());
    if (!s.empty()) std::memcpy(out.data() + at, s.data(), 2 * s.size());
}

UTxString16 Num(uint64_t v) {
    return UTx::MakeWideString(std::to_string(v));
}

// Bytes per object record of the last save, so that the next one reserves
// about what it needs: growing a buffer of a million records by doubling copies it and faults
// in fresh pages for it again and again.
size_t g_recordBytesHint = 64;

class Saver : public RSeSaveSite {
public:
    // With `spillBeside`, a body that outgrows kSpillBytes goes a large piece at a time to a
    // scratch file beside that path, and Run leaves only its tail in memory: a large drawing's
    // file need not be held whole on top of the drawing itself.
    explicit Saver(RSeDatabase* db, const std::string* spillBeside = nullptr)
        : m_db(db), m_spillBeside(spillBeside) {}
    Saver(const Saver&) = delete;
    Saver& operator=(const Saver&) = delete;
    ~Saver() override {
        if (m_spill) std::fclose(m_spill);
    }

    // The body bytes that went to the scratch file, in front of what Run left in memory, and
    // that file (null when nothing went there).
    uint64_t Spilled() const { return m_spilled; }
    std::FILE* SpillFile() const { return m_spill; }

    // From the handle alone: every live identified object of the database is in the save (a
    // database's segments are transient only when the database is), and has its place there.
    uint32_t RefValue(const RSeRefBase& ref) override {
        const RSeHandle* h = ref.GetHandle();
        return h ? PlaceOf(h) : UINT32_MAX;
    }

    // References are filled in a batch at a time after their records: their handles lie
    // anywhere in memory, and one pass over many can fetch ahead of need.
    uint32_t RefValueAt(const RSeRefBase& ref, size_t at) override {
        RSeHandle* h = ref.GetHandle();
        if (!h) return UINT32_MAX;
        // A batch is full only inside one large record (a sheet's list of every node): the
        // rest of it is written at once rather than held a record per reference.
        if (m_refs.size() >= kRefBatch) return PlaceOf(h);
        m_refs.push_back({at, h});
        return UINT32_MAX;
    }

    // Value objects get their number when a payload first points at them.
    uint32_t ObjectIndex(const RSeVMeta* obj) override {
        const RSeSegment* seg = obj->GetSegment();
        if (!seg || seg->GetDatabase() != m_db || seg->IsTransient()) return UINT32_MAX;
        if (obj->GetMeta()->IsIDed()) return UINT32_MAX; // values only
        auto [it, added] = m_valueNumber.emplace(obj, uint32_t(m_valueNumber.size()));
        if (added) m_pending.push_back(obj);
        return it->second;
    }

    uint32_t MetaIndex(const RSeMetaType* mt) override {
        mt = mt->GetClassMeta();
        if (mt == m_lastMeta) return m_lastMetaIndex;
        auto it = m_metaIndex.find(mt);
        uint32_t index;
        if (it != m_metaIndex.end()) {
            index = it->second;
        } else {
            // A class's bases are read with it, so they are declared with it.
            if (mt->GetBase()) MetaIndex(mt->GetBase());
            if (mt->GetEmbedded()) MetaIndex(mt->GetEmbedded());
            index = uint32_t(m_metas.size());
            m_metas.push_back(mt);
            m_metaIndex.emplace(mt, index);
        }
        m_lastMeta = mt;
        m_lastMetaIndex = index;
        return index;
    }

    // The file is `head` then `body`: the meta table is known only once every object is written.
    void Run(std::vector<uint8_t>& head, std::vector<uint8_t>& body) {
        const uint32_t nseg = m_db->GetSegmentCount();
        // Identified objects of each saved segment in id order; each handle learns its place,
        // since references are written from their handles.
        struct Ided {
            uint32_t id;
            RSeIDed* obj;
        };
        // A segment whose objects lie in id order already (made in order, nothing brought back
        // by an undo) is walked as it lies: no list of its objects on top of a large drawing.
        std::vector<RSeBulkVector<Ided>> ided(nseg);
        std::vector<char> inOrder(nseg, 0);
        size_t objects = 0;
        uint32_t total = 0;
        for (uint32_t i = 0; i < nseg; ++i) {
            RSeSegment* seg = m_db->GetSegment(i);
            if (seg->IsTransient()) continue;
            objects += seg->GetObjectCount();
            const uint32_t first = total;
            uint32_t lastId = 0;
            bool ordered = true;
            seg->ForEachObject([&](RSeVMeta* obj) {
                if (!ordered || !obj->GetMeta()->IsIDed()) return;
                auto* o = static_cast<RSeIDed*>(obj);
                if (total > first && o->GetId() <= lastId) {
                    ordered = false;
                    return;
                }
                lastId = o->GetId();
                o->GetHandle()->saveIndex = total++;
            });
            if (ordered) {
                inOrder[i] = 1;
                continue;
            }
            total = first;
            RSeBulkVector<Ided>& list = ided[i];
            list.reserve(seg->GetObjectCount());
            seg->ForEachObject([&](RSeVMeta* obj) {
                if (obj->GetMeta()->IsIDed()) {
                    auto* o = static_cast<RSeIDed*>(obj);
                    list.push_back({o->GetId(), o});
                }
            });
            // Sort by the ids at hand, not through the objects.
            std::sort(list.begin(), list.end(),
                      [](const Ided& a, const Ided& b) { return a.id < b.id; });
            for (const Ided& o : list)
                o.obj->GetHandle()->saveIndex = total++;
        }

        body.clear();
        // Room for the head too, which SaveToBuffer puts in front of the body in place.
        size_t room = objects * (g_recordBytesHint + g_recordBytesHint / 8) + 65536;
        if (m_spillBeside) room = std::min(room, kSpillBytes + kSpillBytes / 4);
        body.reserve(room);
        RSe::AdviseBulk(body.data(), body.capacity());
        m_refs.reserve(kRefBatch); // written a batch at a time, never more
        PutU32(body, nseg);
        RSeStream stream(&body, this);
        size_t records = 0;
        auto record = [&](RSeVMeta* obj, uint32_t key) {
            RSeMetaType* mt = obj->GetMeta();
            const uint32_t frame[3] = {MetaIndex(mt), key, 0};
            const size_t at = body.size();
            body.resize(at + sizeof frame);
            std::memcpy(body.data() + at, frame, sizeof frame);
            mt->_Save(obj, stream);
            const uint32_t length = uint32_t(body.size() - at - sizeof frame);
            std::memcpy(body.data() + at + 8, &length, 4);
            ++records;
            // A batch of references at a time: waiting for all of them held a record per
            // reference for the whole save, more than the file itself on a large drawing.
            if (m_refs.size() >= kRefBatch) WriteRefs(body);
            if (m_spillBeside && body.size() >= kSpillBytes) Spill(body);
        };
        for (uint32_t i = 0; i < nseg; ++i) {
            RSeSegment* seg = m_db->GetSegment(i);
            PutString(body, seg->GetName());
            const uint64_t countAt = m_spilled + body.size(); // from the start of the body
            PutU32(body, 0);
            m_pending.clear();
            uint32_t count = 0;
            if (inOrder[i]) {
                seg->ForEachObject([&](RSeVMeta* obj) {
                    if (!obj->GetMeta()->IsIDed()) return;
                    record(obj, static_cast<RSeIDed*>(obj)->GetId());
                    ++count;
                });
            } else {
                for (const Ided& o : ided[i])
                    record(o.obj, o.id);
                count = uint32_t(ided[i].size());
            }
            // Values found on the way, and the values they point at in turn.
            for (size_t k = 0; k < m_pending.size(); ++k) {
                RSeVMeta* v = const_cast<RSeVMeta*>(m_pending[k]);
                record(v, m_valueNumber[v] + 1);
            }
            count += uint32_t(m_pending.size());
            if (countAt >= m_spilled)
                std::memcpy(body.data() + (countAt - m_spilled), &count, 4);
            else
                PatchSpilled(countAt, count);
        }
        WriteRefs(body);
        PutBytes(body, kTrailer, 4);
        if (records)
            g_recordBytesHint = std::max<size_t>(16, size_t((m_spilled + body.size()) / records));

        head.clear();
        PutBytes(head, kMagic, 8);
        PutU32(head, kFormatVersion);
        PutU32(head, m_db->GetNextId());
        PutU32(head, uint32_t(m_metas.size()));
        for (const RSeMetaType* mt : m_metas) {
            PutString(head, mt->GetName());
            const UTxGUID& g = mt->GetGUID();
            for (int w = 0; w < 4; ++w)
                PutU32(head, g.Word(w));
            PutU16(head, mt->GetVersion());
            PutU16(head, 0);
        }
    }

private:
    // Small beside the drawing (a save is the peak of a large replay's memory), large enough
    // that writing the scratch file costs a call per quarter megabyte.
    static constexpr size_t kSpillBytes = size_t(1) << 18;

    [[noreturn]] static void SpillFailed() {
        throw UTxException(UTxResult(
            kRSeErrWrite, u"cannot write the scratch file: " + UTx::MakeWideString(
                                                                    std::strerror(errno))));
    }
    // The body so far goes to the spill file, its references filled in first.
    void Spill(std::vector<uint8_t>& body) {
        if (!m_spill) {
            std::string why;
            m_spill = UTx::CreateScratchBeside(*m_spillBeside, why);
            if (!m_spill)
                throw UTxException(
                    UTxResult(kRSeErrWrite, UTx::MakeWideString(*m_spillBeside + ": " + why)));
        }
        WriteRefs(body);
        if (std::fwrite(body.data(), 1, body.size(), m_spill) != body.size()) SpillFailed();
        m_spilled += body.size();
        body.clear();
    }
    // A segment's count, known only after its records, some of which went to the file already.
    void PatchSpilled(uint64_t at, uint32_t v) {
        if (std::fseek(m_spill, long(at), SEEK_SET) != 0 || std::fwrite(&v, 1, 4, m_spill) != 4 ||
            std::fseek(m_spill, 0, SEEK_END) != 0)
            SpillFailed();
    }

    uint32_t PlaceOf(const RSeHandle* h) const {
        if (!h->obj || h->db != m_db || m_db->IsTransient()) return UINT32_MAX;
        return h->saveIndex;
    }

    void WriteRefs(std::vector<uint8_t>& body) {
        constexpr size_t kAhead = 16;
        const size_t n = m_refs.size();
        for (size_t k = 0; k < n; ++k) {
            if (k + kAhead < n) {
                const char* h = reinterpret_cast<const char*>(m_refs[k + kAhead].handle);
                __builtin_prefetch(h);
                __builtin_prefetch(h + sizeof(RSeHandle) - 1);
            }
            const uint32_t index = PlaceOf(m_refs[k].handle);
            const uint32_t v = index < 0x7FFFFFFFu ? 2 * index + 1 : 0; // as RSeStream writes
            std::memcpy(body.data() + m_refs[k].at, &v, 4);
        }
        m_refs.clear();
    }

    struct PendingRef {
        size_t at;
        const RSeHandle* handle;
    };
    static constexpr size_t kRefBatch = 16384;
    RSeDatabase* m_db;
    const std::string* m_spillBeside;
    std::FILE* m_spill = nullptr;
    uint64_t m_spilled = 0;
    std::vector<PendingRef> m_refs;
    std::vector<const RSeMetaType*> m_metas;
    std::unordered_map<const RSeMetaType*, uint32_t> m_metaIndex;
    const RSeMetaType* m_lastMeta = nullptr;
    uint32_t m_lastMetaIndex = 0;
    std::unordered_map<const RSeVMeta*, uint32_t> m_valueNumber;
    std::vector<const RSeVMeta*> m_pending;
};

// Reads the file's frame; every count and length is checked against what is left.
class Cursor {
public:
    Cursor(const uint8_t* p, const uint8_t* end) : m_p(p), m_end(end) {}
    size_t Left() const { return size_t(m_end - m_p); }
    const uint8_t* Pos() const { return m_p; }
    const uint8_t* Take(size_t n, const char16_t* what) {
        if (Left() < n) [[unlikely]]
            EndsInside(what);
        const uint8_t* p = m_p;
        m_p += n;
        return p;
    }
    uint32_t U32(const char16_t* what) {
        uint32_t v;
        std::memcpy(&v, Take(4, what), 4);
        return v;
    }
    uint16_t U16(const char16_t* what) {
        uint16_t v;
        std::memcpy(&v, Take(2, what), 2);
        return v;
    }
    UTxString16 String(const char16_t* what) {
        const uint32_t n = U32(what);
        if (n > Left() / 2) EndsInside(what);
        UTxString16 s(n, u'\0');
        if (n) std::memcpy(s.data(), Take(2 * size_t(n), what), 2 * size_t(n));
        return s;
    }
    // A count of items of at least `minBytes` each.
    uint32_t Count(size_t minBytes, const char16_t* what) {
        const uint32_t n = U32(what);
        if (size_t(n) > Left() / minBytes)
            RSe::ThrowDamaged(UTxString16(u"the count of ") + what + u" exceeds the file");
        return n;
    }

private:
    [[noreturn]] static void EndsInside(const char16_t* what) {
        RSe::ThrowDamaged(UTxString16(u"the file ends inside ") + what);
    }
    const uint8_t* m_p;
    const uint8_t* m_end;
};

// The records of one class in one segment: their objects are made together, in one block.
struct Group {
    RSeMetaType* meta;
    uint32_t tableIndex;
    uint32_t segment;
    uint32_t count = 0;
    uint32_t first = 0; // where its objects start in the list of made objects
};

// The segments part of a frame, walked again once checked, to read the objects: each record's
// segment, meta table index, key and payload, in file order. Walking the bytes again is cheaper
// than keeping the bounds of a million payloads.
class RecordWalk {
public:
    RecordWalk(const uint8_t* at, const uint8_t* stop, uint32_t nseg)
        : m_c(at, stop), m_segsLeft(nseg) {}
    // Moves to the next record; false at the end.
    bool Next() {
        while (!m_recsLeft) {
            if (!m_segsLeft) return false;
            --m_segsLeft;
            if (m_started) ++m_segment;
            m_started = true;
            m_c.Take(2 * size_t(m_c.U32(u"a segment name")), u"a segment name");
            m_recsLeft = m_c.U32(u"objects");
        }
        --m_recsLeft;
        uint32_t f[3];
        std::memcpy(f, m_c.Take(12, u"an object record"), 12);
        tableIndex = f[0];
        key = f[1];
        begin = m_c.Take(f[2], u"an object record");
        end = begin + f[2];
        return true;
    }
    uint32_t Segment() const { return m_segment; }

    uint32_t tableIndex = 0;
    uint32_t key = 0;
    const uint8_t* begin = nullptr;
    const uint8_t* end = nullptr;

private:
    Cursor m_c;
    uint32_t m_segsLeft;
    uint32_t m_recsLeft = 0;
    uint32_t m_segment = 0;
    bool m_started = false;
};

// Groups by (segment, class), numbered in order of first appearance. The map from class to group
// holds only the segment being walked, and is cleared class by class as the segment ends.
class GroupMap {
public:
    explicit GroupMap(uint32_t nmeta) : m_ofMeta(nmeta, UINT32_MAX) {}
    uint32_t At(uint32_t segment, uint32_t tableIndex, std::vector<Group>& groups,
                RSeMetaType* meta) {
        if (segment != m_segment) {
            for (uint32_t g = m_segFirst; g < m_next; ++g)
                m_ofMeta[m_tableOf[g - m_segFirst]] = UINT32_MAX;
            m_tableOf.clear();
            m_segment = segment;
            m_segFirst = m_next;
        }
        uint32_t& g = m_ofMeta[tableIndex];
        if (g == UINT32_MAX) {
            g = m_next++;
            m_tableOf.push_back(tableIndex);
            groups.push_back({meta, tableIndex, segment});
        }
        return g;
    }

private:
    std::vector<uint32_t> m_ofMeta;
    std::vector<uint32_t> m_tableOf; // the classes of the current segment's groups
    uint32_t m_segment = 0;
    uint32_t m_segFirst = 0;
    uint32_t m_next = 0;
};

// Two identified objects under one id make references ambiguous.
class IdCheck {
public:
    IdCheck(uint32_t nIded, uint32_t maxId) {
        if (uint64_t(maxId) <= 4 * uint64_t(nIded) + 65536)
            m_seen.assign(size_t(maxId) + 1, 0);
        else
            m_ids.reserve(nIded);
    }
    void Add(uint32_t id) {
        if (m_seen.empty()) {
            m_ids.push_back(id);
        } else {
            if (m_seen[id]) Twice(id);
            m_seen[id] = 1;
        }
    }
    void Finish() {
        if (m_ids.empty()) return;
        std::sort(m_ids.begin(), m_ids.end());
        auto it = std::adjacent_find(m_ids.begin(), m_ids.end());
        if (it != m_ids.end()) Twice(*it);
    }

private:
    [[noreturn]] static void Twice(uint32_t id) {
        RSe::ThrowDamaged(u"two objects have the id " + Num(id));
    }
    RSeBulkVector<uint8_t> m_seen;
    RSeBulkVector<uint32_t> m_ids;
};

// Objects made for the load but not yet in their segments' lists: the load deletes them if it
// fails before it lists them.
struct MadeObjects {
    RSeBulkVector<RSeVMeta*> objects;
    bool listed = false;
    ~MadeObjects() {
        if (listed) return;
        for (size_t i = objects.size(); i-- > 0;)
            delete objects[i];
    }
};

void LoadInto(RSeDatabase* db, RSeLoad& load, const uint8_t* data, size_t size) {
    Cursor c(data, data + size);
    if (size < 8 || std::memcmp(data, kMagic, 8) != 0)
        UTxException::Throw(UTxResult(kRSeErrNotADocument));
    c.Take(8, u"the header");
    const uint32_t format = c.U32(u"the header");
    if (format > kFormatVersion) UTxException::Throw(UTxResult(kRSeErrNewerFormat));
    if (format == 0) RSe::ThrowDamaged(u"the header names no format");
    const uint32_t nextId = c.U32(u"the header");

    // Meta table.
    const uint32_t nmeta = c.Count(4 + 16 + 4, u"classes");
    load.m_tableMetas.reserve(nmeta);
    for (uint32_t i = 0; i < nmeta; ++i) {
        const UTxString16 name = c.String(u"the class table");
        UTxGUID guid;
        for (int w = 0; w < 4; ++w)
            guid.SetWord(w, c.U32(u"the class table"));
        const uint16_t version = c.U16(u"the class table");
        c.U16(u"the class table");
        RSeMetaType* mt = RSeMetaType::Find(name);
        // A class saved under a GUID it no longer has is read as the older form it declared.
        uint16_t readAs = version;
        if (!mt || (mt->GetGUID() != guid && !mt->FindFormerForm(guid, version, readAs)))
            UTxException::Throw(UTxResult(kRSeErrUnknownClass, name + u" " + guid.ToString16()));
        if (mt->GetActiveLoadMeta())
            RSe::ThrowDamaged(u"the class " + name + u" is declared twice");
        if (readAs == version && version > mt->GetVersion())
            UTxException::Throw(UTxResult(kRSeErrNewerClass, name + u" version " + Num(version)));
        RSeMetaType* lm = mt->GetVersionMeta(readAs);
        load.m_tableMetas.push_back(lm);
        mt->SetActiveLoadMeta(lm);
    }

    // Segments and their records, checked whole before anything is made.
    const uint32_t nseg = c.Count(8, u"segments");
    const uint8_t* const segmentsAt = c.Pos();
    std::vector<RSeSegment*> segments;
    segments.reserve(nseg);
    std::vector<Group> groups;
    GroupMap groupOf(nmeta);
    // Each record's group and key, in file order, so that the steps before the objects are
    // read need not walk the file's bytes again. Records take 12 bytes or more: the file's
    // size bounds their number, and untouched room costs nothing.
    struct Rec {
        uint32_t group;
        uint32_t key;
    };
    RSeBulkVector<Rec> recs;
    recs.reserve(size / 12 + 1);
    size_t n = 0;
    uint32_t nIded = 0, nValues = 0, maxId = 0;
    for (uint32_t s = 0; s < nseg; ++s) {
        segments.push_back(db->CreateSegment(c.String(u"a segment name")));
        const uint32_t nrec = c.Count(12, u"objects");
        for (uint32_t r = 0; r < nrec; ++r, ++n) {
            uint32_t f[3];
            std::memcpy(f, c.Take(12, u"an object record"), 12);
            const uint32_t mi = f[0], key = f[1], length = f[2];
            RSeMetaType* lm = load.LoadMetaAt(mi);
            // Which object, in words, only when something is wrong with it.
            auto which = [&] { return u"object " + Num(n); };
            if (!lm) [[unlikely]]
                RSe::ThrowDamaged(which() + u" names no class");
            if (lm->IsAbstract()) [[unlikely]]
                RSe::ThrowDamaged(which() + u" is of the abstract class " + lm->GetName());
            if (!key) [[unlikely]]
                RSe::ThrowDamaged(which() + u" has no id");
            if (lm->IsIDed()) {
                ++nIded;
                maxId = std::max(maxId, key);
            } else if (key != ++nValues) [[unlikely]] {
                RSe::ThrowDamaged(which() + u" is numbered out of order");
            }
            c.Take(length, u"an object record");
            const uint32_t g = groupOf.At(s, mi, groups, lm);
            ++groups[g].count;
            recs.push_back({g, key});
        }
    }
    if (c.Left() != 4 || std::memcmp(c.Pos(), kTrailer, 4) != 0)
        RSe::ThrowDamaged(u"the file does not end where its contents do");
    const uint8_t* const segmentsEnd = c.Pos();

    // The ids of each group's objects, in file order within the group.
    uint32_t at = 0;
    for (Group& g : groups) {
        g.first = at;
        at += g.count;
    }
    RSeBulkVector<uint32_t> next(groups.size());
    auto restart = [&] {
        for (size_t g = 0; g < groups.size(); ++g)
            next[g] = groups[g].first;
    };
    RSeBulkVector<uint32_t> ids(n);
    {
        IdCheck unique(nIded, maxId);
        restart();
        for (const Rec& r : recs) {
            ids[next[r.group]++] = r.key;
            if (groups[r.group].meta->IsIDed()) unique.Add(r.key);
        }
        unique.Finish();
    }

    // Construct every object, a class at a time in one block each; then list them in their
    // segments in file order, then read them all, then resolve, then complete.
    MadeObjects made;
    made.objects.resize(n, nullptr);
    db->ReserveIds(nIded, maxId);
    {
        // Each segment's list grows once, not by doubling while a million objects join it.
        std::vector<size_t> perSegment(nseg);
        for (const Group& g : groups)
            perSegment[g.segment] += g.count;
        for (uint32_t s = 0; s < nseg; ++s)
            segments[s]->Reserve(perSegment[s]);
    }
    for (const Group& g : groups) {
        RSeSegment* seg = segments[g.segment];
        RSeMetaType* classMeta = g.meta->GetClassMeta();
        const bool ided = g.meta->IsIDed();
        RSeVMeta** out = made.objects.data() + g.first;
        if (ided) db->SetPendingIds(ids.data() + g.first, g.count);
        const uint32_t got = classMeta->Construct(seg, g.count, out);
        db->SetPendingIds(nullptr, 0);
        if (got != g.count) {
            std::fill(out, out + g.count, nullptr); // none was made, or they went again
            RSe::ThrowDamaged(u"an object of " + g.meta->GetName() + u" cannot be made");
        }
        if (out[0]->GetSegment() != seg)
            RSe::ThrowDamaged(u"an object of " + g.meta->GetName() + u" cannot be made");
        if (!ided) continue;
        if (!dynamic_cast<RSeIDed*>(out[0]))
            RSe::ThrowDamaged(g.meta->GetName() + u" is not an identified class");
        // References fixed to them later check their type by handle (a block of one class
        // records it as it makes them).
        RSeHandle* first = static_cast<RSeIDed*>(out[0])->GetHandle();
        if (first && !first->type) {
            const std::type_info* type = &typeid(*out[0]);
            for (uint32_t k = 0; k < g.count; ++k)
                if (RSeHandle* h = static_cast<RSeIDed*>(out[k])->GetHandle()) h->type = type;
        }
    }
    RSeBulkVector<uint32_t>().swap(ids);

    load.m_objects.resize(n);
    load.m_recordMetas.resize(n);
    load.m_handles.reserve(nIded);
    load.m_values.reserve(nValues);
    RSeBulkVector<uint32_t> tableIndexOf(n);
    restart();
    for (size_t i = 0; i < n; ++i) {
        const Group& g = groups[recs[i].group];
        RSeVMeta* obj = made.objects[next[recs[i].group]++];
        obj->Enlist();
        RSeMetaType* lm = g.meta;
        load.m_objects[i] = obj;
        load.m_recordMetas[i] = lm;
        tableIndexOf[i] = g.tableIndex;
        if (lm->IsIDed())
            load.m_handles.push_back(static_cast<RSeIDed*>(obj)->GetHandle());
        else
            load.m_values.push_back(obj);
    }
    made.listed = true;
    RSeBulkVector<Rec>().swap(recs);
    load.Context().SetResolution(load.m_handles, load.m_values, true);
    RSeBulkVector<RSeVMeta*>().swap(made.objects);
    RSeBulkVector<uint32_t>().swap(next);

    RSeMetaContext& ctx = load.Context();
    size_t i = 0;
    try {
        RSeStream stream(nullptr, nullptr, &load, nullptr, &ctx);
        // The references each record holds, by object index: the fixing pass fetches their
        // handles ahead of need, as they lie anywhere in memory.
        RSeBulkVector<uint32_t> refs, refsAt(n + 1);
        refs.reserve(n * 2);
        stream.SetReferenceLog(&refs);
        RecordWalk w(segmentsAt, segmentsEnd, nseg);
        for (i = 0; w.Next(); ++i) {
            refsAt[i] = uint32_t(std::min<size_t>(refs.size(), UINT32_MAX));
            stream.SetRecord(w.begin, w.end, segments[w.Segment()]);
            load.m_recordMetas[i]->_Load(load.m_objects[i], stream);
            if (!stream.AtEnd()) RSe::ThrowDamaged(u"stored bytes are left unread");
        }
        refsAt[n] = uint32_t(std::min<size_t>(refs.size(), UINT32_MAX));
        // Classes whose chains do nothing there are passed over.
        std::vector<uint8_t> fixes(nmeta), restores(nmeta);
        for (uint32_t m = 0; m < nmeta; ++m) {
            fixes[m] = !load.m_tableMetas[m]->LoadFixesNothing();
            restores[m] = !load.m_tableMetas[m]->LoadRestoresNothing();
        }
        // Two steps ahead: first the table entry that names a handle, then, once that entry
        // is near, the handle itself; either lies anywhere in a large document.
        constexpr size_t kAhead = 16;
        const RSeBulkVector<RSeHandle*>& handles = load.m_handles;
        auto fetchEntries = [&](size_t k) {
            for (uint32_t j = refsAt[k]; j < refsAt[k + 1]; ++j)
                if (refs[j] < handles.size()) __builtin_prefetch(handles.data() + refs[j]);
        };
        auto fetchHandles = [&](size_t k) {
            for (uint32_t j = refsAt[k]; j < refsAt[k + 1]; ++j)
                if (refs[j] < handles.size()) {
                    const char* h = reinterpret_cast<const char*>(handles[refs[j]]);
                    __builtin_prefetch(h);
                    __builtin_prefetch(h + sizeof(RSeHandle) - 1);
                    // A loop of prefetches alone counts as one without effect, and goes.
                    asm volatile("" : : "r"(h));
                }
        };
        for (size_t k = 0; k < std::min(2 * kAhead, n); ++k)
            fetchEntries(k);
        for (size_t k = 0; k < std::min(kAhead, n); ++k)
            fetchHandles(k);
        for (i = 0; i < n; ++i) {
            if (i + 2 * kAhead < n) fetchEntries(i + 2 * kAhead);
            if (i + kAhead < n) fetchHandles(i + kAhead);
            if (fixes[tableIndexOf[i]]) load.m_recordMetas[i]->_vFixPtrs(load.m_objects[i], ctx);
        }
        for (i = 0; i < n; ++i) {
            if (!restores[tableIndexOf[i]]) continue;
            UTxResult res = load.m_recordMetas[i]->_vPostRestore(load.m_objects[i], ctx);
            if (res.Failed()) UTxException::Throw(res);
        }
    } catch (const UTxException& e) {
        if (i >= n) throw;
        // Name the object that failed, so that the message says where.
        RSeMetaType* lm = load.m_recordMetas[i];
        UTxResult res = e.GetResult();
        UTxString16 where = u"object " + Num(i) + u" (" + lm->GetName() + u", stored at version " +
                            Num(lm->GetVersion()) + u")";
        if (!res.GetDetail().empty()) where += u": " + res.GetDetail();
        res.SetDetail(where);
        UTxException::Throw(res);
    }
    db->RaiseNextId(nextId);
    load.RunMigrators();
    load.RunInitializers();
}

// A whole file's bytes, read with one read of its size (more only if it grew meanwhile).
class FileBytes {
public:
    FileBytes() = default;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    ~FileBytes() { RSe::BulkFree(m_data, m_capacity, 1); }
    const uint8_t* Data() const { return m_data; }
    size_t Size() const { return m_size; }

    bool Read(const std::string& path) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) return false;
        struct stat st {};
        const size_t known = fstat(fileno(f), &st) == 0 && st.st_size > 0 ? size_t(st.st_size) : 0;
        bool ok = true;
        try {
            // One byte more than the size, so that the same read sees the end.
            Grow(known + 1);
            for (;;) {
                m_size += std::fread(m_data + m_size, 1, m_capacity - m_size, f);
                if (m_size < m_capacity) break;
                Grow(std::max<size_t>(2 * m_capacity, 65536));
            }
            ok = !std::ferror(f);
        } catch (const std::bad_alloc&) {
            ok = false;
        }
        std::fclose(f);
        return ok;
    }

private:
    void Grow(size_t capacity) {
        auto* grown = static_cast<uint8_t*>(RSe::BulkAllocate(capacity, 1));
        if (m_size) std::memcpy(grown, m_data, m_size);
        RSe::BulkFree(m_data, m_capacity, 1);
        m_data = grown;
        m_capacity = capacity;
    }

    uint8_t* m_data = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
};
} // namespace

UTxResult RSeDatabase::SaveToBuffer(std::vector<uint8_t>& out) {
    if (m_load) return UTxResult(kRSeErrWrite, u"the document is still loading");
    try {
        std::vector<uint8_t> head;
        Saver(this).Run(head, out);
        out.insert(out.begin(), head.begin(), head.end());
    } catch (const UTxException& e) {
        return e.GetResult();
    } catch (const std::bad_alloc&) {
        return UTxResult(kRSeErrWrite, u"out of memory");
    }
    return {};
}

UTxResult RSeDatabase::Save(const std::string& path) {
    if (m_load) return UTxResult(kRSeErrWrite, u"the document is still loading");
    // The head (its meta-type table) is known only once the body is written: a large body
    // waits in a scratch file beside the target instead of in memory, and is copied behind the
    // head. A small one never needs the scratch file.
    Saver saver(this, &path);
    std::vector<uint8_t> head, body;
    try {
        saver.Run(head, body);
    } catch (const UTxException& e) {
        return e.GetResult();
    } catch (const std::bad_alloc&) {
        return UTxResult(kRSeErrWrite, u"out of memory");
    }
    const uint64_t spilled = saver.Spilled();
    std::FILE* spill = saver.SpillFile();
    // In a few large writes; the file is replaced only when all of it is there.
    std::string why;
    const bool written = UTx::WriteFileAtomically(
        path,
        [&](std::FILE* f, std::string& problem) {
            auto put = [&](const uint8_t* p, size_t n) {
                if (n && std::fwrite(p, 1, n, f) != n) {
                    problem = std::strerror(errno);
                    return false;
                }
                return true;
            };
            if (!put(head.data(), head.size())) return false;
            if (spilled) {
                std::vector<uint8_t> chunk(size_t(1) << 20);
                if (std::fseek(spill, 0, SEEK_SET) != 0) {
                    problem = std::strerror(errno);
                    return false;
                }
                for (uint64_t left = spilled; left;) {
                    const size_t n = size_t(std::min<uint64_t>(left, chunk.size()));
                    if (std::fread(chunk.data(), 1, n, spill) != n) {
                        problem = "cannot read the scratch file back";
                        return false;
                    }
                    if (!put(chunk.data(), n)) return false;
                    left -= n;
                }
            }
            return put(body.data(), body.size());
        },
        why);
    if (!written)
        return UTxResult(kRSeErrWrite,
                         UTx::MakeWideString(path) + u": " + UTx::MakeWideString(why));
    return {};
}

UTxResult RSeDatabase::LoadFromBuffer(const uint8_t* data, size_t size,
                                      std::unique_ptr<RSeDatabase>& out) {
    out.reset();
    auto db = std::make_unique<RSeDatabase>();
    UTxResult res;
    {
        RSeLoad load(db.get());
        try {
            LoadInto(db.get(), load, data, size);
        } catch (const UTxException& e) {
            res = e.GetResult();
        } catch (const std::bad_alloc&) {
            res = UTxResult(kRSeErrDamaged, u"the document asks for more memory than there is");
        }
    }
    if (res.Failed()) return res;
    out = std::move(db);
    return {};
}

UTxResult RSeDatabase::Load(const std::string& path, std::unique_ptr<RSeDatabase>& out) {
    out.reset();
    FileBytes bytes;
    if (!bytes.Read(path)) return UTxResult(kRSeErrRead, UTx::MakeWideString(path));
    UTxResult res = LoadFromBuffer(bytes.Data(), bytes.Size(), out);
    if (res.Failed() && res.GetDetail().find(UTx::MakeWideString(path)) == UTxString16::npos) {
        UTxString16 detail = UTx::MakeWideString(path);
        if (!res.GetDetail().empty()) detail += u": " + res.GetDetail();
        res.SetDetail(detail);
    }
    return res;
}
