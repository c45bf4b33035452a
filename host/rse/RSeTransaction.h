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

// A change to a container inside an object (a fragment's node list, say), recorded as what
// changed rather than as an image of the whole container, so that a change costs, and the
// history keeps, what it touched. The owner's image leaves such a container out (its Save and
// Load skip it while RSe::InTxnImage()), and the owner records every change of it while
// RSe::IsRecording(owner): insertions, removals, and what is left when the owner goes.
// Restoring makes the owner exist first, then undoes or redoes its changes in order, then
// reads its image.
class RSeTxnChange {
public:
    explicit RSeTxnChange(RSeIDed* owner);
    RSeTxnChange(const RSeTxnChange&) = delete;
    RSeTxnChange& operator=(const RSeTxnChange&) = delete;
    virtual ~RSeTxnChange();
    // The owner, null while it does not exist.
    RSeIDed* GetOwner() const;
    const RSeHandle* OwnerHandle() const { return m_owner.GetHandle(); }
    virtual void Undo(RSeIDed* owner) = 0;
    virtual void Redo(RSeIDed* owner) = 0;

private:
    RSeRefBase m_owner; // by handle: the owner may go and come back
};

class RSeTxnRecord {
public:
    RSeTxnRecord();
    ~RSeTxnRecord();
    bool IsEmpty() const {
        return m_entries.empty() && m_changes.empty() && m_bulletins.empty();
    }
    size_t ObjectCount() const { return m_entries.size(); }
    size_t ChangeCount() const { return m_changes.size(); }
    // Whether the record keeps `obj` (an image of it, or its creation or deletion).
    bool Holds(const RSeIDed* obj) const;
    // The bytes the record keeps (images and the values inside them), for measuring the history.
    size_t ByteSize() const;

private:
    friend class RSeDatabase;
    struct Images {
        RSeSegment* segment = nullptr; // where the object is made again
        std::unique_ptr<RSeImage> before; // null: made by the transaction
        // Taken by an undo for the redo that may follow; null otherwise, and for an object
        // deleted by the transaction.
        std::unique_ptr<RSeImage> after;
    };
    // Most objects a change reaches are ones it made, which need no image until an undo: their
    // entry is the handle alone, and the images hang off it when there are any.
    struct Entry {
        RSeRefBase ref; // keeps the object's handle, and so its id, across deletion
        std::unique_ptr<Images> images; // null: made by the transaction, not undone since
        RSeImage* Before() const { return images ? images->before.get() : nullptr; }
        RSeImage* After() const { return images ? images->after.get() : nullptr; }
    };
    std::vector<Entry> m_entries;
    std::vector<std::unique_ptr<RSeTxnChange>> m_changes; // in the order they happened
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

// Within its scope, targets reached through references are not recorded: for reads that by
// their contract change nothing (collecting what a node depends on). A change made within it
// must still record itself (RSe::PrepareWrite).
class RSeReadOnlyScope {
public:
    RSeReadOnlyScope();
    ~RSeReadOnlyScope();
    RSeReadOnlyScope(const RSeReadOnlyScope&) = delete;
    RSeReadOnlyScope& operator=(const RSeReadOnlyScope&) = delete;
};

namespace RSe {
// Records `obj` in its database's open transaction before a change made through a plain pointer.
void PrepareWrite(RSeIDed* obj);
// Deletes an identified object so that its transaction can bring it back; nothing while its
// database closes, which deletes every object itself.
void DeleteObject(RSeIDed* obj);
// Whether deleting `obj` now is a change of its document, made by the program: not an undo, a
// redo or an abort putting objects back from their images, and not the document closing. Only
// then does a destructor delete what the object owns and tell the objects that know of it;
// otherwise the images (or the closing) take care of them.
bool IsLiveDeletion(const RSeIDed* obj);
// Captures and puts back objects (the transaction's own tools; also used by tests).
std::unique_ptr<RSeImage> Capture(const RSeVMeta* obj);
// True while an object is saved to, or read back from, a transaction image (not a file): what
// an object records as RSeTxnChanges stays out of its image.
bool InTxnImage();
// Whether changes of `owner` are being recorded: its database has a transaction open and is
// not putting objects back.
bool IsRecording(const RSeIDed* owner);
// Adds a change to the owner's open transaction; without one (IsRecording false) it is dropped.
void RecordChange(std::unique_ptr<RSeTxnChange> change);
// The change recorded last in the owner's open transaction, when it is the owner's: a change
// that continues it (one more node at the end of a list) may extend it instead of adding one.
RSeTxnChange* LastChange(const RSeIDed* owner);
// Called after a database put objects back from their images (abort, undo, redo) with every
// object it restored; a higher library that keeps facts about objects mends them here. One
// hook a process.
using RestoreHook = void (*)(const std::vector<RSeIDed*>& restored);
void SetRestoreHook(RestoreHook hook);
// Counts the times any database put objects back from their images (abort, undo, redo).
uint64_t RestoreCount();
} // namespace RSe
