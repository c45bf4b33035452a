#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "rse/RSeIdTable.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class RSeSegment;
class RSeIDed;
class RSeDatabaseInterfaces;
class RSeLoad;
class RSeTxnRecord;
class RSeTxnBulletin;
class RSeTxnChange;
struct RSeHandle;

// A document's object store: its segments and the ids of its identified objects.
class RSeDatabase {
public:
    RSeDatabase();
    RSeDatabase(const RSeDatabase&) = delete;
    RSeDatabase& operator=(const RSeDatabase&) = delete;
    ~RSeDatabase();

    RSeSegment* CreateSegment(UTxString16 name = {});
    uint32_t GetSegmentCount() const { return uint32_t(m_segments.size()); }
    RSeSegment* GetSegment(uint32_t index) const;
    // The database of the process's transient segments: never saved.
    bool IsTransient() const { return m_transient; }

    RSeIDed* FindObject(uint32_t id) const;
    uint32_t GetNextId() const { return m_nextId; }
    void RaiseNextId(uint32_t id) {
        if (id > m_nextId) m_nextId = id;
    }

    RSeDatabaseInterfaces& GetInterfaces() { return *m_interfaces; }

    // Document files. Saving writes a temporary file beside the target and renames it, so a
    // failed save leaves the previous file as it was. A failed load gives no database.
    UTxResult Save(const std::string& path);
    UTxResult SaveToBuffer(std::vector<uint8_t>& out);
    static UTxResult Load(const std::string& path, std::unique_ptr<RSeDatabase>& out);
    static UTxResult LoadFromBuffer(const uint8_t* data, size_t size,
                                    std::unique_ptr<RSeDatabase>& out);

    // Transactions. Begin, then commit (the record goes to the caller's undo stack) or abort
    // (the database is as it was at Begin). Undo and Redo take committed records, newest first
    // for undo. No transaction may be open while a record is undone or redone.
    void BeginTxn();
    std::unique_ptr<RSeTxnRecord> CommitTxn();
    void AbortTxn();
    bool InTxn() const { return m_txn != nullptr; }
    // While objects are put back from a transaction's images (abort, undo, redo), or deleted
    // because the database goes: an object's destructor then leaves the other objects alone,
    // since their images, or their own end, take care of them.
    bool IsRestoring() const { return m_inRestore; }
    bool IsClosing() const { return m_closing; }
    void Undo(RSeTxnRecord& record);
    void Redo(RSeTxnRecord& record);
    // Store internals of transactions.
    void NoteWrite(RSeIDed* obj);
    // A transaction is open and objects are not being put back: changes are recorded.
    bool IsRecording() const;
    void AdoptChange(std::unique_ptr<RSeTxnChange> change);
    RSeTxnChange* GetLastChange() const;
    void AdoptBulletin(RSeTxnBulletin* bulletin);

    // The load in progress on this database, if any.
    RSeLoad* GetLoad() const { return m_load; }

    // Store internals: ids of identified objects.
    // A new identified object takes the next id, or, while loading, the id it was stored with.
    RSeHandle* AttachObject(RSeIDed* obj);
    void SetPendingId(uint32_t id) { m_pendingId = id; }
    // Ids for the next identified objects made, in turn (a load making a block of objects).
    void SetPendingIds(const uint32_t* ids, size_t n) {
        m_pendingIds = ids;
        m_pendingIdsEnd = ids + n;
    }
    // Room for n more objects with ids up to maxId.
    void ReserveIds(size_t n, uint32_t maxId) { m_ids.Reserve(maxId, n); }
    void DetachObject(RSeHandle* h);
    void ForgetHandle(RSeHandle* h);
    static RSeDatabase* MakeTransient();

private:
    friend class RSeLoad;
    void Restore(RSeTxnRecord& record, bool undo);
    void RecordCreated(RSeIDed* obj, RSeHandle* h);
    std::vector<std::unique_ptr<RSeSegment>> m_segments;
    RSeIdTable m_ids;
    uint32_t m_nextId = 1;
    bool m_transient = false;
    bool m_closing = false;
    std::unique_ptr<RSeDatabaseInterfaces> m_interfaces;
    RSeLoad* m_load = nullptr;
    uint32_t m_pendingId = 0;
    const uint32_t* m_pendingIds = nullptr;
    const uint32_t* m_pendingIdsEnd = nullptr;
    std::unique_ptr<RSeTxnRecord> m_txn;
    uint32_t m_txnSerial = 0;
    bool m_inRestore = false;
    std::vector<std::unique_ptr<RSeTxnBulletin>> m_looseBulletins;
};
