#pragma once
// Transactions of a database: what one change did, so that it can be rolled back, undone and
// redone. An object is recorded the first time the transaction reaches it (through a reference,
// RSe::PrepareWrite, its creation or RSe::DeleteObject), so a record costs in proportion to what
// the change touched, not to the size of the document.
#include <cstdint>
#include <memory>
#include <vector>

#include "rse/RSeRef.h"

class RSeDatabase;
class RSeIDed;
class RSeMetaType;
class RSeSegment;
class RSeVMeta;
class RSeTxnBulletin;

// How one object was: its stored fields, the references among them (kept by handle, so that
// they survive the deletion and return of their targets) and the value objects it holds.
struct RSeImage {
    RSeImage();
    ~RSeImage();
    RSeMetaType* meta = nullptr;
    std::vector<uint8_t> bytes;
    std::vector<RSeMetaType*> metas; // type marks inside the bytes, by index
    std::vector<RSeRefBase> refs;    // references inside the bytes, by index
    struct Value {
        const RSeVMeta* original;
        std::unique_ptr<RSeImage> image;
    };
    std::vector<Value> values; // value pointers inside the bytes, by number - 1
};

class RSeTxnRecord {
public:
    RSeTxnRecord();
    ~RSeTxnRecord();
    bool IsEmpty() const { return m_entries.empty() && m_bulletins.empty(); }
    size_t ObjectCount() const { return m_entries.size(); }

private:
    friend class RSeDatabase;
    struct Entry {
        RSeRefBase ref; // keeps the object's handle, and so its id, across deletion
        RSeSegment* segment = nullptr;
        std::unique_ptr<RSeImage> before; // null: made by the transaction
        std::unique_ptr<RSeImage> after;  // null: deleted by the transaction
    };
    std::vector<Entry> m_entries;
    std::vector<std::unique_ptr<RSeTxnBulletin>> m_bulletins;
    uint32_t m_nextIdBefore = 0;
    uint32_t m_nextIdAfter = 0;
};

// A note that a change leaves with its transaction; it is told when the transaction is undone
// and redone. The database owns it (through the open transaction) from its construction.
class RSeTxnBulletin {
public:
    RSeTxnBulletin(RSeDatabase* db, RSeSegment* segment, int32_t motive, int32_t placement,
                   bool flag);
    RSeTxnBulletin(const RSeTxnBulletin&) = delete;
    RSeTxnBulletin& operator=(const RSeTxnBulletin&) = delete;
    virtual ~RSeTxnBulletin();

    RSeDatabase* GetDatabase() const { return m_db; }

    // In this order around an undo of the transaction, then around a redo.
    virtual void PreUndo() {}
    virtual void AbortUndo() {}
    virtual void PostUndo() {}
    virtual void PreRedo() {}
    virtual void AbortRedo() {}
    virtual void PostRedo() {}

private:
    RSeDatabase* m_db;
};

namespace RSe {
// Records `obj` in its database's open transaction before a change made through a plain pointer.
void PrepareWrite(RSeIDed* obj);
// Deletes an identified object so that its transaction can bring it back.
void DeleteObject(RSeIDed* obj);
// Captures and puts back objects (the transaction's own tools; also used by tests).
std::unique_ptr<RSeImage> Capture(const RSeVMeta* obj);
// Counts the times any database put objects back from their images (abort, undo, redo): what
// caches facts about objects throws them away when the count moves.
uint64_t RestoreCount();
} // namespace RSe
