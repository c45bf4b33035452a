#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "utx/UTxGUID.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class RSeVMeta;
struct RSeHandle;
class RSeSegment;
class RSeStream;
class RSeMetaContext;
class RSeCloneCommander;
class RSeAddrMap;

using RSeLoadFn = void (*)(RSeVMeta*, RSeStream&);
using RSeFixPtrsFn = void (*)(RSeVMeta*, RSeMetaContext&);
using RSePostRestoreFn = UTxResult (*)(RSeVMeta*, RSeMetaContext&);

// The meta type of a stored class: its name, GUID, current version, flags, base meta type and
// the callbacks through which the store creates, saves, loads and clones its objects.
class RSeMetaType {
public:
    enum Flags : uint32_t {
        kIDed = 0x10,        // objects are RSeIDed and can be targets of references
        kVersionMeta = 0x40, // made for one older stored version of its class
        kAbstract = 0x8000,  // no object of this class exists by itself
        // The whole flag words that registrations pass; the bits not named above are the
        // host's own, kept as its classes were always registered.
        kClass = 0x0F18,                     // an identified class
        kAbstractClass = kClass | kAbstract, // an identified class with no objects of its own
        kValueClass = kClass & ~kIDed,       // a value class, held by plain pointer
        kDiagnosisClass = 0x0E88,            // diagnoses, value objects of their own kind
    };

    RSeMetaType(const char16_t* name, uint32_t size, const UTxGUID* owner,
                void (*guidInit)(UTxGUID&), uint16_t version, uint32_t flags, uint16_t reserved,
                RSeMetaType* base, uint32_t embeddedCount, int32_t hasBase, bool, const char16_t*,
                const char16_t*);
    // Version clone: a copy of `other` for one stored version.
    RSeMetaType(const RSeMetaType& other, uint16_t index);
    RSeMetaType& operator=(const RSeMetaType&) = delete;
    virtual ~RSeMetaType();

    // Joins the process-wide registry of meta types, by name and by GUID.
    void Register();
    static RSeMetaType* Find(const UTxString16& name);
    static RSeMetaType* FindByGUID(const UTxGUID& guid);

    const UTxString16& GetName() const { return m_name; }
    const UTxGUID& GetGUID() const { return m_guid; }
    const UTxGUID* GetOwnerGUID() const { return m_hasOwner ? &m_owner : nullptr; }
    uint16_t GetVersion() const { return m_version; }
    void SetVersion(uint16_t v) { m_version = v; }
    uint32_t GetFlags() const { return m_flags; }
    void AddFlags(uint32_t f) { m_flags |= f; }
    uint32_t GetSize() const { return m_size; }
    bool IsIDed() const { return (m_flags & kIDed) != 0; }
    bool IsAbstract() const { return (m_flags & kAbstract) != 0; }
    bool IsVersionMeta() const { return (m_flags & kVersionMeta) != 0; }
    RSeMetaType* GetBase() const { return m_base; }
    RSeMetaType* GetEmbedded() const { return m_embedded; }
    void SetEmbedded(RSeMetaType* mt) { m_embedded = mt; }
    // The class's own meta type (itself, or the one a version meta was made from).
    RSeMetaType* GetClassMeta() { return m_classMeta ? m_classMeta : this; }
    const RSeMetaType* GetClassMeta() const { return m_classMeta ? m_classMeta : this; }
    // True when this class is `other` or derives from it.
    bool IsKindOf(const RSeMetaType* other) const;

    // The meta type for objects stored at `storedVersion`: this one when it is current, else
    // the version meta made once by CreateVersionMeta and kept.
    RSeMetaType* GetVersionMeta(uint16_t storedVersion);

    // A form the class was once saved in under another GUID: a file naming the class with
    // `guid` at `storedVersion` is read as the stored version `asVersion`, which the class's
    // LoadMigrate tells apart from its real older versions.
    void AddFormerForm(const UTxGUID& guid, uint16_t storedVersion, uint16_t asVersion);
    // The version a former form is read as, or false when `guid` at `storedVersion` is none.
    bool FindFormerForm(const UTxGUID& guid, uint16_t storedVersion, uint16_t& asVersion) const;

    void SetLoadCallbacks(RSeLoadFn load, RSeFixPtrsFn fix, RSePostRestoreFn restore) {
        m_load = load;
        m_fixPtrs = fix;
        m_postRestore = restore;
    }
    // Whether the class's Save is only its base's part (RSeMeta<T> says, for T).
    void SetSavesOwnPart(bool own) { m_ownSave = own; }

    virtual RSeMetaType* CreateVersionMeta(uint16_t storedVersion, uint16_t index);
    virtual RSeVMeta* Construct(RSeSegment* segment);
    // Makes n objects of this class for a load, in one block of memory, into out[0..n): they
    // belong to `segment` (identified ones take the database's pending ids in turn) and join
    // its list of objects as the loader enlists them (RSeVMeta::Enlist). Answers how many were
    // made: n, or 0 when the class makes no objects.
    virtual uint32_t Construct(RSeSegment* segment, uint32_t n, RSeVMeta** out);
    virtual void SeedPtrs(RSeVMeta* obj, RSeAddrMap& map, uint32_t n);
    virtual void Save(const RSeVMeta* obj, RSeStream& stream);
    virtual bool CloneEnabled() const { return true; }
    virtual UTxResult Clone(const RSeVMeta* src, RSeVMeta* dst, RSeCloneCommander* cc);
    virtual UTxResult PostClone(RSeVMeta* dst, const RSeVMeta* src, RSeCloneCommander* cc);

    // Entry points of the chain through the bases: each runs this class's part with this meta
    // type current in the context. While a document loads, the load-side ones run the meta type
    // of the version this class was stored at.
    void _Load(RSeVMeta* obj, RSeStream& stream);
    void _Save(const RSeVMeta* obj, RSeStream& stream);
    void _vFixPtrs(RSeVMeta* obj, RSeMetaContext& ctx);
    UTxResult _vPostRestore(RSeVMeta* obj, RSeMetaContext& ctx);
    UTxResult _Clone(const RSeVMeta* src, RSeVMeta* dst, RSeCloneCommander* cc);
    UTxResult _PostClone(RSeVMeta* dst, const RSeVMeta* src, RSeCloneCommander* cc);

    // The plain forms: only the base's part, taken from the context's current meta type.
    static void PlainLoad(RSeVMeta* obj, RSeStream& stream);
    static void PlainSave(const RSeVMeta* obj, RSeStream& stream);
    static void PlainFixPtrs(RSeVMeta* obj, RSeMetaContext& ctx);
    static UTxResult PlainPostRestore(RSeVMeta* obj, RSeMetaContext& ctx);
    static UTxResult PlainClone(const RSeVMeta* src, RSeVMeta* dst, RSeCloneCommander* cc);
    static UTxResult PlainPostClone(RSeVMeta* dst, const RSeVMeta* src, RSeCloneCommander* cc);

    // Load support: whether FixPtrs (or PostRestore) of an object read by this meta type runs
    // only plain forms all the way through its bases, so that the load need not call it.
    bool LoadFixesNothing() const { return ChainIsPlain(false); }
    bool LoadRestoresNothing() const { return ChainIsPlain(true); }

    // Load support: which meta type reads this class in the document being loaded.
    RSeMetaType* GetActiveLoadMeta() const { return m_activeLoad; }
    void SetActiveLoadMeta(RSeMetaType* mt) { m_activeLoad = mt; }

private:
    RSeMetaType* LoadSide(RSeMetaContext& ctx);
    bool ChainIsPlain(bool restore) const;
    // A class with no base whose part of a load (or fix, or save) is the plain form does
    // nothing there: a derived class's call of its base part passes it over instead of
    // making the call through the context. Asked of the meta type the call would run.
    bool LoadPartIsEmpty(RSeMetaContext& ctx, bool fix);
    bool SavePartIsEmpty() const { return !m_ownSave && !m_base; }

    UTxString16 m_name;
    uint32_t m_size;
    UTxGUID m_owner;
    bool m_hasOwner = false;
    UTxGUID m_guid;
    uint16_t m_version;
    uint32_t m_flags;
    RSeMetaType* m_base;
    RSeMetaType* m_embedded = nullptr;
    RSeMetaType* m_classMeta = nullptr;
    RSeMetaType* m_activeLoad = nullptr;
    RSeLoadFn m_load = &PlainLoad;
    RSeFixPtrsFn m_fixPtrs = &PlainFixPtrs;
    RSePostRestoreFn m_postRestore = &PlainPostRestore;
    bool m_ownSave = true;
    std::map<uint16_t, RSeMetaType*> m_versionMetas;
    struct FormerForm {
        UTxGUID guid;
        uint16_t storedVersion;
        uint16_t asVersion;
    };
    std::vector<FormerForm> m_formerForms;
};

// The flag words are written into no file, but the classes have always been registered with
// them: they stay as they were.
static_assert(RSeMetaType::kAbstractClass == 0x8F18 && RSeMetaType::kValueClass == 0x0F08);

// Where a callback stands: the meta type whose part of the object runs now, and, while loading,
// the addresses of the loaded objects by stored index.
class RSeMetaContext {
public:
    RSeMetaType* GetMetaType() const { return m_stack.empty() ? nullptr : m_stack.back(); }
    RSeMetaType* GetBaseMT() const {
        RSeMetaType* mt = GetMetaType();
        return mt ? mt->GetBase() : nullptr;
    }
    RSeMetaType* GetEmbeddedMT() const {
        RSeMetaType* mt = GetMetaType();
        return mt ? mt->GetEmbedded() : nullptr;
    }
    // The version the current class was stored at (its current version outside a load).
    uint16_t GetStoredVersion() const {
        RSeMetaType* mt = GetMetaType();
        return mt ? mt->GetVersion() : 0;
    }

    void Push(RSeMetaType* mt) { m_stack.push_back(mt); }
    void Pop() { m_stack.pop_back(); }

    // Reading support: stored references resolve by index to handles, stored value pointers by
    // number (1 and up) to objects. A document load reads every class at its stored version;
    // a transaction's restore reads the current versions.
    // The tables are taken as they are now: set them again after they change.
    template <class Handles, class Values>
    void SetResolution(const Handles& handles, const Values& values, bool storedVersions) {
        m_handles = handles.data();
        m_handleCount = handles.size();
        m_values = values.data();
        m_valueCount = values.size();
        m_storedVersions = storedVersions;
        m_reading = true;
    }
    bool IsLoading() const { return m_storedVersions; }
    bool IsReading() const { return m_reading; }
    // The handle a stored reference names; a bad index fails the load.
    RSeHandle* HandleAt(uint32_t index) const {
        if (index >= m_handleCount) BadHandleIndex();
        return m_handles[index];
    }
    // Resolves a plain pointer read with RSeStream::Read(void*&).
    void FixPointer(void*& p) const;

private:
    [[noreturn]] static void BadHandleIndex();

    std::vector<RSeMetaType*> m_stack;
    RSeHandle* const* m_handles = nullptr;
    size_t m_handleCount = 0;
    RSeVMeta* const* m_values = nullptr;
    size_t m_valueCount = 0;
    bool m_storedVersions = false;
    bool m_reading = false;
};

namespace RSe {
// The meta type of elements that have none of their own.
RSeMetaType* _GetMeta(const void*);
RSeMetaType* MetaTypeOf(const RSeVMeta* obj);
} // namespace RSe
