#include "rse/RSeDatabase.h"

#include "rse/RSe.h"
#include "rse/RSeIDed.h"
#include "rse/RSeInterface.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"

#include <cassert>

RSeDatabase::RSeDatabase() : m_interfaces(std::make_unique<RSeDatabaseInterfaces>(this)) {}

RSeDatabase::~RSeDatabase() {
    m_closing = true;
    if (m_txn) --g_rseOpenTxns;
    m_txn.reset();
    m_looseBulletins.clear();
    // Newest segment first; the objects go before the id table so that their references can
    // still be released.
    for (size_t i = m_segments.size(); i-- > 0;)
        m_segments[i]->DeleteAll();
    m_segments.clear();
    m_ids.ForEach([](RSeHandle* h) {
        h->inTable = 0;
        h->db = nullptr;
        h->obj = nullptr;
        if (h->refs == 0) delete h;
    });
    m_ids.Clear();
}

RSeSegment* RSeDatabase::CreateSegment(UTxString16 name) {
    m_segments.push_back(std::make_unique<RSeSegment>(this, uint32_t(m_segments.size()),
                                                      std::move(name), m_transient));
    return m_segments.back().get();
}

RSeSegment* RSeDatabase::GetSegment(uint32_t index) const {
    return index < m_segments.size() ? m_segments[index].get() : nullptr;
}

RSeIDed* RSeDatabase::FindObject(uint32_t id) const {
    RSeHandle* h = m_ids.Find(id);
    return h ? h->obj : nullptr;
}

RSeHandle* RSeDatabase::AttachObject(RSeIDed* obj) {
    uint32_t id = m_pendingId;
    m_pendingId = 0;
    if (!id && m_pendingIds != m_pendingIdsEnd) id = *m_pendingIds++;
    if (!id) id = m_nextId;
    RSeHandle* taken = id ? m_ids.Find(id) : nullptr;
    if (!id || (taken && taken->obj)) {
        // The counter ran past the last id (a damaged file's ids reach the top): the first id no
        // live object holds, never one taken from a live object.
        id = m_nextId ? m_nextId : 1;
        while ((taken = m_ids.Find(id)) && taken->obj)
            id = id == UINT32_MAX ? 1 : id + 1;
    }
    if (id >= m_nextId && id != UINT32_MAX) m_nextId = id + 1;
    if (RSeHandle* slot = m_ids.Find(id)) {
        // An id coming back (an undone deletion): the references that kept its handle see
        // the object again.
        slot->obj = obj;
        RecordCreated(obj, slot);
        return slot;
    }
    RSeHandle* h = new RSeHandle{.obj = obj, .db = this, .id = id, .refs = 0, .inTable = 1};
    m_ids.Insert(id, h);
    RecordCreated(obj, h);
    return h;
}

void RSeDatabase::DetachObject(RSeHandle* h) {
    // A transaction can only bring back what it recorded before the deletion.
    assert(!m_txn || m_inRestore || m_closing || h->txnMark == m_txnSerial);
    h->obj = nullptr;
    if (h->refs == 0 && !m_closing) {
        m_ids.Erase(h->id);
        delete h;
    }
}

void RSeDatabase::ForgetHandle(RSeHandle* h) {
    if (m_closing) return; // the closing sweep frees it
    m_ids.Erase(h->id);
    delete h;
}

RSeDatabase* RSeDatabase::MakeTransient() {
    auto* db = new RSeDatabase();
    db->m_transient = true;
    db->CreateSegment(u"Transient");
    db->CreateSegment(u"Transient (transacted)");
    return db;
}

namespace RSe {
RSeSegment* SegmentOf(const RSeVMeta* obj) {
    return obj ? obj->GetSegment() : nullptr;
}
RSeSegment* SegmentOf(RSeDatabase* db) {
    return db ? db->GetSegment(0) : nullptr;
}
RSeDatabase* DatabaseOf(const RSeVMeta* obj) {
    return obj && obj->GetSegment() ? obj->GetSegment()->GetDatabase() : nullptr;
}
RSeDatabase* DatabaseOf(const RSeSegment* segment) {
    return segment ? segment->GetDatabase() : nullptr;
}
RSeSegment* TransientSegment(bool transacted) {
    static std::unique_ptr<RSeDatabase> db(RSeDatabase::MakeTransient());
    return db->GetSegment(transacted ? 1 : 0);
}
RSeDatabaseInterfaces* InterfaceSet(RSeDatabase* db) {
    return db ? &db->GetInterfaces() : nullptr;
}
} // namespace RSe
