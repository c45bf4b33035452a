// The document file: header, meta-type table, then each segment's object records.
//
//   "KORVUDOC" u32 format   u32 next-id
//   u32 n-metas   { u32 name-length  name (UTF-16)  16-byte GUID  u16 version  u16 0 }
//   u32 n-segments { u32 name-length  name  u32 n-records
//                    { u32 meta-index  u32 key  u32 byte-length  payload } }
//   "END."
//
// All numbers are little-endian. A segment's identified objects come first, in the order of
// their ids (the key is the id); then the value objects they hold, in the order the payloads
// first point at them (the key is the value's number, from 1, over the whole file). References
// name identified objects by their position among all identified objects of the file; value
// pointers name values by number. The file therefore depends only on what the objects hold,
// not on the order in which they were made, undone or redone; a value object that nothing
// points at is not saved.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <unordered_map>

#include "rse/RSeDatabase.h"
#include "rse/RSeErrors.h"
#include "rse/RSeIDed.h"
#include "rse/RSeLoad.h"
#include "rse/RSeSegment.h"
#include "rse/RSeSegmentMigrator.h"
#include "rse/RSeStream.h"
#include "utx/UTxException.h"

namespace {
constexpr char kMagic[8] = {'K', 'O', 'R', 'V', 'U', 'D', 'O', 'C'};
constexpr char kTrailer[4] = {'E', 'N', 'D', '.'};
constexpr uint32_t kFormatVersion = 1;

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

class Saver : public RSeSaveSite {
public:
    explicit Saver(RSeDatabase* db) : m_db(db) {}

    uint32_t RefIndex(const RSeIDed* obj) override {
        const RSeHandle* h = obj->GetHandle();
        const RSeSegment* seg = obj->GetSegment();
        if (!h || !seg || h->db != m_db || seg->IsTransient()) return UINT32_MAX;
        return h->saveIndex;
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
        auto it = m_metaIndex.find(mt);
        if (it != m_metaIndex.end()) return it->second;
        // A class's bases are read with it, so they are declared with it.
        if (mt->GetBase()) MetaIndex(mt->GetBase());
        if (mt->GetEmbedded()) MetaIndex(mt->GetEmbedded());
        const uint32_t index = uint32_t(m_metas.size());
        m_metas.push_back(mt);
        m_metaIndex.emplace(mt, index);
        return index;
    }

    void Run(std::vector<uint8_t>& out) {
        const uint32_t nseg = m_db->GetSegmentCount();
        // Identified objects of each saved segment in id order; each handle learns its place,
        // since references are written from their handles.
        std::vector<std::vector<RSeIDed*>> ided(nseg);
        uint32_t total = 0;
        for (uint32_t i = 0; i < nseg; ++i) {
            RSeSegment* seg = m_db->GetSegment(i);
            if (seg->IsTransient()) continue;
            ided[i].reserve(seg->GetObjectCount());
            seg->ForEachObject([&](RSeVMeta* obj) {
                if (obj->GetMeta()->IsIDed()) ided[i].push_back(static_cast<RSeIDed*>(obj));
            });
            std::sort(ided[i].begin(), ided[i].end(),
                      [](const RSeIDed* a, const RSeIDed* b) { return a->GetId() < b->GetId(); });
            for (RSeIDed* o : ided[i])
                o->GetHandle()->saveIndex = total++;
        }

        std::vector<uint8_t> body;
        body.reserve(size_t(total) * 64 + 64);
        PutU32(body, nseg);
        RSeStream stream(&body, this);
        auto record = [&](RSeVMeta* obj, uint32_t key) {
            RSeMetaType* mt = obj->GetMeta();
            PutU32(body, MetaIndex(mt));
            PutU32(body, key);
            const size_t lengthAt = body.size();
            PutU32(body, 0);
            mt->_Save(obj, stream);
            const uint32_t length = uint32_t(body.size() - lengthAt - 4);
            std::memcpy(body.data() + lengthAt, &length, 4);
        };
        for (uint32_t i = 0; i < nseg; ++i) {
            RSeSegment* seg = m_db->GetSegment(i);
            PutString(body, seg->GetName());
            const size_t countAt = body.size();
            PutU32(body, 0);
            m_pending.clear();
            for (RSeIDed* o : ided[i])
                record(o, o->GetId());
            // Values found on the way, and the values they point at in turn.
            for (size_t k = 0; k < m_pending.size(); ++k) {
                RSeVMeta* v = const_cast<RSeVMeta*>(m_pending[k]);
                record(v, m_valueNumber[v] + 1);
            }
            const uint32_t count = uint32_t(ided[i].size() + m_pending.size());
            std::memcpy(body.data() + countAt, &count, 4);
        }

        out.clear();
        out.reserve(body.size() + 64 * m_metas.size() + 32);
        out.insert(out.end(), kMagic, kMagic + 8);
        PutU32(out, kFormatVersion);
        PutU32(out, m_db->GetNextId());
        PutU32(out, uint32_t(m_metas.size()));
        for (const RSeMetaType* mt : m_metas) {
            PutString(out, mt->GetName());
            const UTxGUID& g = mt->GetGUID();
            for (int w = 0; w < 4; ++w)
                PutU32(out, g.Word(w));
            PutU16(out, mt->GetVersion());
            PutU16(out, 0);
        }
        out.insert(out.end(), body.begin(), body.end());
        out.insert(out.end(), kTrailer, kTrailer + 4);
    }

private:
    RSeDatabase* m_db;
    std::vector<const RSeMetaType*> m_metas;
    std::unordered_map<const RSeMetaType*, uint32_t> m_metaIndex;
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
        if (Left() < n) RSe::ThrowDamaged(UTxString16(u"the file ends inside ") + what);
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
        if (n > Left() / 2) RSe::ThrowDamaged(UTxString16(u"the file ends inside ") + what);
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
    const uint8_t* m_p;
    const uint8_t* m_end;
};

struct Record {
    RSeMetaType* meta;
    RSeSegment* segment;
    uint32_t id;
    const uint8_t* begin;
    const uint8_t* end;
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
        if (!mt || mt->GetGUID() != guid)
            UTxException::Throw(UTxResult(kRSeErrUnknownClass, name + u" " + guid.ToString16()));
        if (mt->GetActiveLoadMeta())
            RSe::ThrowDamaged(u"the class " + name + u" is declared twice");
        if (version > mt->GetVersion())
            UTxException::Throw(UTxResult(kRSeErrNewerClass, name + u" version " + Num(version)));
        RSeMetaType* lm = mt->GetVersionMeta(version);
        load.m_tableMetas.push_back(lm);
        mt->SetActiveLoadMeta(lm);
    }

    // Segments and their records.
    std::vector<Record> records;
    uint32_t nIded = 0, nValues = 0;
    const uint32_t nseg = c.Count(8, u"segments");
    for (uint32_t s = 0; s < nseg; ++s) {
        RSeSegment* seg = db->CreateSegment(c.String(u"a segment name"));
        const uint32_t nrec = c.Count(12, u"objects");
        records.reserve(records.size() + nrec);
        for (uint32_t r = 0; r < nrec; ++r) {
            const uint32_t mi = c.U32(u"an object record");
            const uint32_t key = c.U32(u"an object record");
            const uint32_t length = c.U32(u"an object record");
            RSeMetaType* lm = load.LoadMetaAt(mi);
            const UTxString16 which = u"object " + Num(records.size());
            if (!lm) RSe::ThrowDamaged(which + u" names no class");
            if (lm->IsAbstract())
                RSe::ThrowDamaged(which + u" is of the abstract class " + lm->GetName());
            if (!key) RSe::ThrowDamaged(which + u" has no id");
            if (lm->IsIDed())
                ++nIded;
            else if (key != ++nValues)
                RSe::ThrowDamaged(which + u" is numbered out of order");
            const uint8_t* begin = c.Take(length, u"an object record");
            records.push_back({lm, seg, key, begin, begin + length});
        }
    }
    if (c.Left() != 4 || std::memcmp(c.Pos(), kTrailer, 4) != 0)
        RSe::ThrowDamaged(u"the file does not end where its contents do");

    // Construct every object, then read them all, then resolve, then complete.
    load.m_objects.resize(records.size(), nullptr);
    load.m_recordMetas.resize(records.size(), nullptr);
    load.m_handles.reserve(nIded);
    load.m_values.reserve(nValues);
    db->ReserveIds(nIded);
    for (size_t i = 0; i < records.size(); ++i) {
        const Record& r = records[i];
        const bool ided = r.meta->IsIDed();
        if (ided && db->FindObject(r.id))
            RSe::ThrowDamaged(u"two objects have the id " + Num(r.id));
        db->SetPendingId(ided ? r.id : 0);
        RSeVMeta* obj = r.meta->GetClassMeta()->Construct(r.segment);
        db->SetPendingId(0);
        if (!obj || obj->GetSegment() != r.segment)
            RSe::ThrowDamaged(u"an object of " + r.meta->GetName() + u" cannot be made");
        load.m_objects[i] = obj;
        load.m_recordMetas[i] = r.meta;
        // While the object is at hand: references fixed to it later check its type by handle.
        if (ided)
            if (RSeHandle* h = static_cast<RSeIDed*>(obj)->GetHandle()) h->type = &typeid(*obj);
        if (!ided) {
            load.m_values.push_back(obj);
        } else if (auto* o = dynamic_cast<RSeIDed*>(obj)) {
            load.m_handles.push_back(o->GetHandle());
        } else {
            RSe::ThrowDamaged(r.meta->GetName() + u" is not an identified class");
        }
    }
    RSeMetaContext& ctx = load.Context();
    size_t i = 0;
    try {
        for (i = 0; i < records.size(); ++i) {
            const Record& r = records[i];
            RSeStream stream(r.begin, r.end, &load, r.segment, &ctx);
            r.meta->_Load(load.m_objects[i], stream);
            if (!stream.AtEnd()) RSe::ThrowDamaged(u"stored bytes are left unread");
        }
        for (i = 0; i < records.size(); ++i)
            records[i].meta->_vFixPtrs(load.m_objects[i], ctx);
        for (i = 0; i < records.size(); ++i) {
            UTxResult res = records[i].meta->_vPostRestore(load.m_objects[i], ctx);
            if (res.Failed()) UTxException::Throw(res);
        }
    } catch (const UTxException& e) {
        // Name the object that failed, so that the message says where.
        UTxResult res = e.GetResult();
        UTxString16 where = u"object " + Num(i) + u" (" + records[i].meta->GetName() +
                            u", stored at version " + Num(records[i].meta->GetVersion()) + u")";
        if (!res.GetDetail().empty()) where += u": " + res.GetDetail();
        res.SetDetail(where);
        UTxException::Throw(res);
    }
    db->RaiseNextId(nextId);
    load.RunMigrators();
    RSeInitializer::RunAll(db);
}
} // namespace

UTxResult RSeDatabase::SaveToBuffer(std::vector<uint8_t>& out) {
    if (m_load) return UTxResult(kRSeErrWrite, u"the document is still loading");
    try {
        Saver(this).Run(out);
    } catch (const UTxException& e) {
        return e.GetResult();
    } catch (const std::bad_alloc&) {
        return UTxResult(kRSeErrWrite, u"out of memory");
    }
    return {};
}

UTxResult RSeDatabase::Save(const std::string& path) {
    std::vector<uint8_t> bytes;
    UTxResult res = SaveToBuffer(bytes);
    if (res.Failed()) return res;
    const std::string tmp = path + ".tmp";
    const UTxString16 where = UTx::MakeWideString(path);
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f)
        return UTxResult(kRSeErrWrite, where + u": " + UTx::MakeWideString(std::strerror(errno)));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed || std::rename(tmp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        std::remove(tmp.c_str());
        return UTxResult(kRSeErrWrite, where + u": " + UTx::MakeWideString(std::strerror(err)));
    }
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
    std::ifstream in(path, std::ios::binary);
    if (!in) return UTxResult(kRSeErrRead, UTx::MakeWideString(path));
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (in.bad()) return UTxResult(kRSeErrRead, UTx::MakeWideString(path));
    UTxResult res = LoadFromBuffer(bytes.data(), bytes.size(), out);
    if (res.Failed() && res.GetDetail().find(UTx::MakeWideString(path)) == UTxString16::npos) {
        UTxString16 detail = UTx::MakeWideString(path);
        if (!res.GetDetail().empty()) detail += u": " + res.GetDetail();
        res.SetDetail(detail);
    }
    return res;
}
