#pragma once
#include <cstddef>
#include <cstdint>
#include <typeinfo>

class RSeIDed;
class RSeDatabase;
class RSeMetaContext;

// The shared record behind every reference to one identified object. It outlives its object
// while references remain, so that a reference to a deleted object answers null, and an object
// brought back under the same id (undo) is found again by the references that kept its record.
struct RSeHandle {
    RSeIDed* obj = nullptr;
    RSeDatabase* db = nullptr;
    uint32_t id = 0;
    uint32_t refs = 0;
    uint32_t saveIndex = 0; // the object's place in the document file being written
    uint32_t txnMark = 0;   // the transaction that has recorded the object already
    bool inTable = false;   // the database's id table keeps it
    // The object's dynamic type when the loader made it (typed references then check it without
    // reaching the object); cleared when the object goes. Not taken from an object under
    // construction, whose dynamic type is not yet its own.
    const std::type_info* type = nullptr;

    // Handles are many and small: they come from a pool.
    static void* operator new(size_t size);
    static void operator delete(void* p);
};

// While a transaction is open, reaching an object through a reference may change it: the
// transaction records how the object was before (once), so that it can be put back.
extern int g_rseOpenTxns;
void RSeNoteAccess(RSeIDed* obj);
// A reference reached its target: recorded like RSeNoteAccess, except within RSeReadOnlyScope.
void RSeNoteReach(RSeIDed* obj);

// Counted reference to an identified object: (database, object id) through its handle.
// While a document loads, a reference read from the stream holds the stored value (object index
// times two plus one) until FixAddress resolves it; such a reference has no target.
class RSeRefBase {
public:
    RSeRefBase() = default;
    explicit RSeRefBase(const RSeIDed* obj);
    RSeRefBase(const RSeRefBase& o) : m_v(o.m_v) { AddRef(); }
    RSeRefBase(RSeRefBase&& o) noexcept : m_v(o.m_v) { o.m_v = 0; }
    RSeRefBase& operator=(const RSeRefBase& o) {
        if (this != &o) {
            o.AddRef();
            Release();
            m_v = o.m_v;
        }
        return *this;
    }
    RSeRefBase& operator=(RSeRefBase&& o) noexcept {
        if (this != &o) {
            Release();
            m_v = o.m_v;
            o.m_v = 0;
        }
        return *this;
    }
    ~RSeRefBase() { Release(); }

    RSeIDed* GetTarget() const {
        return (m_v & 1) || !m_v ? nullptr : reinterpret_cast<RSeHandle*>(m_v)->obj;
    }
    bool HasTarget() const { return GetTarget() != nullptr; }
    bool IsNull() const { return !HasTarget(); }
    bool IsNotNull() const { return HasTarget(); }
    // The reference named an object that no longer exists.
    bool IsTargetDeleted() const {
        return m_v && !(m_v & 1) && !reinterpret_cast<RSeHandle*>(m_v)->obj;
    }
    bool IsTargetBogus() const { return (m_v & 1) != 0; }
    bool IsLoaded() const { return HasTarget(); }
    uint32_t GetId() const { return (m_v & 1) || !m_v ? 0 : reinterpret_cast<RSeHandle*>(m_v)->id; }
    RSeDatabase* GetDatabase() const {
        return (m_v & 1) || !m_v ? nullptr : reinterpret_cast<RSeHandle*>(m_v)->db;
    }
    size_t HashVal() const { return size_t(m_v >> 4) * 0x9E3779B97F4A7C15ull; }
    // The start slot of the reference in a table of maxSlot + 1 slots.
    size_t HashVal(size_t maxSlot) const { return HashVal() % (maxSlot + 1); }
    // Two references hold the same value: one handle, or one stored value while a load reads.
    bool IsSameValue(const RSeRefBase& o) const { return m_v == o.m_v; }
    void Clear() {
        Release();
        m_v = 0;
    }
    void SetTarget(const RSeIDed* obj);

    // Load support: the stored value as read, and its resolution through the load's addresses.
    void SetStoredValue(uint32_t v) {
        Release();
        m_v = v;
    }
    bool IsStoredValue() const { return (m_v & 1) != 0; }
    uint32_t GetStoredValue() const { return (m_v & 1) ? uint32_t(m_v) : 0; }
    void FixAddress(RSeMetaContext& ctx);

    // Two references are equal when they name the same object (or are both null).
    friend bool operator==(const RSeRefBase& a, const RSeRefBase& b) {
        return a.GetTarget() == b.GetTarget();
    }
    friend bool operator!=(const RSeRefBase& a, const RSeRefBase& b) { return !(a == b); }

    RSeHandle* GetHandle() const { return (m_v & 1) ? nullptr : reinterpret_cast<RSeHandle*>(m_v); }
    // Points the reference at a handle (the store's own restores).
    void SetHandle(RSeHandle* h) {
        if (h) ++h->refs;
        Release();
        m_v = reinterpret_cast<uintptr_t>(h);
    }

protected:
    void AddRef() const {
        if (m_v && !(m_v & 1)) ++reinterpret_cast<RSeHandle*>(m_v)->refs;
    }
    void Release() {
        if (m_v && !(m_v & 1)) ReleaseHandle(reinterpret_cast<RSeHandle*>(m_v));
    }
    static void ReleaseHandle(RSeHandle* h);
    static const std::type_info& TargetType(const RSeIDed* obj);

    uintptr_t m_v = 0;
};

// Typed reference: null when the target is not a T (a failed downcast) or no longer exists.
template <class T> class RSeRef : public RSeRefBase {
public:
    RSeRef() = default;
    RSeRef(std::nullptr_t) {}
    RSeRef(const T* obj) : RSeRefBase(ToIDed(obj)) {}
    RSeRef(const RSeRef& o) = default;
    RSeRef(RSeRef&& o) noexcept = default;
    RSeRef& operator=(const RSeRef& o) = default;
    RSeRef& operator=(RSeRef&& o) noexcept = default;
    // From any other reference: keeps the target only when it is a T.
    template <class U> RSeRef(const RSeRef<U>& o) : RSeRefBase(o) { CheckType(); }
    explicit RSeRef(const RSeRefBase& o) : RSeRefBase(o) { CheckType(); }
    RSeRef& operator=(const T* obj) {
        SetTarget(ToIDed(obj));
        return *this;
    }

    T* get() const {
        RSeIDed* t = GetTarget();
        if (g_rseOpenTxns && t) RSeNoteReach(t);
        return Cast(t);
    }
    T* operator->() const { return get(); }
    T& operator*() const { return *get(); }
    explicit operator bool() const { return GetTarget() != nullptr; }
    // The target for reading only: an open transaction does not record it, so a read of a
    // large object (a view and its edges) costs nothing in the history.
    const T* Read() const { return Cast(GetTarget()); }

    // Resolves a stored reference and keeps it only when the target is a T.
    void FixAddress(RSeMetaContext& ctx) {
        RSeRefBase::FixAddress(ctx);
        CheckType();
    }

private:
    static const RSeIDed* ToIDed(const T* obj) { return obj; }
    static T* Cast(RSeIDed* obj) { return obj ? static_cast<T*>(obj) : nullptr; }
    void CheckType() {
        RSeIDed* t = GetTarget();
        if (!t) return;
        // The same dynamic type always casts the same way; most references of one kind name
        // objects of one class, so the last class that passed is remembered.
        static const std::type_info* s_passed = nullptr;
        RSeHandle* h = reinterpret_cast<RSeHandle*>(m_v);
        const std::type_info* type = h->type ? h->type : &TargetType(t);
        if (type == s_passed) return;
        if (dynamic_cast<T*>(t))
            s_passed = type;
        else
            Clear();
    }
};

template <class T, class U> RSeRef<T> RSeRefCast(const RSeRef<U>& r) {
    return RSeRef<T>(r);
}
