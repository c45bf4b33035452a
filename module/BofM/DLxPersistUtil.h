#pragma once
// The persistence routines every stored class of the module shares: counted writes, the base
// parts, vectors, property maps, embedded objects and the refusal of unknown stored versions.
#include <map>
#include <type_traits>
#include <utility>
#include <vector>

#include "rse/RSeCloneCommander.h"
#include "rse/RSeIDed.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeRef.h"
#include "rse/RSeStream.h"
#include "rse/RSeVMeta.h"
#include "utx/UTxResult.h"

// Counting insertions: one typed write, and one more in the stream's count for that type.
RSeBaseStream& operator<<(RSeBaseStream& s, const bool& v);
RSeBaseStream& operator<<(RSeBaseStream& s, const char& v);
RSeBaseStream& operator<<(RSeBaseStream& s, const int16_t& v);
RSeBaseStream& operator<<(RSeBaseStream& s, const int32_t& v);
RSeBaseStream& operator<<(RSeBaseStream& s, const uint32_t& v);
RSeBaseStream& operator<<(RSeBaseStream& s, const float& v);
RSeBaseStream& operator<<(RSeBaseStream& s, const double& v);
RSeBaseStream& operator<<(RSeBaseStream& s, const UTxString16& v);

// Orders references by the id of their target, for maps keyed by stored objects.
struct DLxRefIdLess {
    bool operator()(const RSeRefBase& a, const RSeRefBase& b) const {
        return a.GetId() < b.GetId();
    }
};

class DLxPersistUtil {
public:
    // The base class's part of an object, run before the class's own fields.
    static void LoadBase(RSeVMeta* obj, RSeStream& s);
    static void SaveBase(const RSeVMeta* obj, RSeStream& s);
    static void FixPtrsBase(RSeVMeta* obj, RSeMetaContext& ctx);
    // The base's failure is not passed on: the class answers for itself.
    static void PostRestoreBase(RSeVMeta* obj, RSeMetaContext& ctx);
    static void CloneBase(const RSeVMeta* src, RSeVMeta* dst, RSeCloneCommander* cc);
    static void PostCloneBase(RSeVMeta* dst, const RSeVMeta* src, RSeCloneCommander* cc);

    // The version the class now being read was stored at.
    static uint16_t StoredVersion(RSeStream& s) { return s.GetMetaContext().GetStoredVersion(); }
    static uint16_t StoredVersion(RSeMetaContext& ctx) { return ctx.GetStoredVersion(); }

    // Refuses a stored version the class cannot read; the load of the document ends.
    [[noreturn]] static void RefuseVersion(const char* file, int32_t line);

    // Embedded objects: saved and read through their meta type, marked in the stream.
    static void SaveEmbedded(RSeStream& s, const RSeVMeta& member, RSeMetaType* memberMeta);
    static void LoadEmbedded(RSeStream& s, RSeVMeta& member, RSeMetaType* memberMeta);

    static void FixPtr(void*& p, RSeMetaContext& ctx) { ctx.FixPointer(p); }
    template <class T> static void FixPtr(T*& p, RSeMetaContext& ctx) {
        void* raw = reinterpret_cast<void*>(p);
        ctx.FixPointer(raw);
        p = raw ? dynamic_cast<T*>(static_cast<RSeVMeta*>(raw)) : nullptr;
    }

    // ---- vectors: type code, count, then (when not empty) capacity, element mark, elements.
    template <class T> static void WriteVector(RSeStream& s, const std::vector<T>& v) {
        s << RSeTypeCode::kVector << uint32_t(v.size());
        if (v.empty()) return;
        s << uint32_t(v.capacity());
        s.WriteTypeMark(RSe::_GetMeta(static_cast<const void*>(nullptr)));
        for (const T& e : v)
            WriteElement(s, e);
    }

    template <class T> static void ReadVector(RSeStream& s, std::vector<T>& v) {
        RSeTypeCode code;
        s.Read(code);
        if (code.code != RSeTypeCode::kVector) BadContainer();
        uint32_t n = 0;
        s.Read(n);
        v.clear();
        if (!n) return;
        uint32_t capacity = 0;
        s.Read(capacity);
        s.CheckCount(n, MinElementBytes<T>());
        // The stored capacity comes back exactly, also when reading over a used vector.
        const uint32_t reserve = SaneCapacity(n, capacity);
        if (v.capacity() != reserve) {
            std::vector<T>().swap(v);
            v.reserve(reserve);
        }
        v.resize(n);
        s.ReadTypeMark(RSe::_GetMeta(static_cast<const void*>(nullptr)));
        ReadElements(s, v.data(), n);
    }

    template <class T> static void FixVector(std::vector<RSeRef<T>>& v, RSeMetaContext& ctx) {
        for (RSeRef<T>& r : v)
            r.FixAddress(ctx);
    }

    template <class T>
    static void CloneVector(const std::vector<RSeRef<T>>& src, std::vector<RSeRef<T>>& dst,
                            RSeCloneCommander* cc) {
        dst.resize(src.size());
        for (size_t i = 0; i < src.size(); ++i)
            cc->CloneRef(src[i], dst[i]);
    }

    // The copy of an object the cloned one owns: the clone commander's when it copies that
    // object too, else a private copy made for the target alone (which copies what it owns in
    // turn). Owners delete what they own, so two owners must never share an object.
    template <class T>
    static void CloneOwned(RSeCloneCommander* cc, const RSeRef<T>& src, RSeRef<T>& dst) {
        cc->CloneRef(src, dst);
        RSeIDed* obj = src.GetTarget();
        if (!obj || dst.GetTarget() != obj || !cc->GetTargetSegment()) return;
        RSeCloneCommander own(cc->GetTargetSegment());
        if (own.Clone({obj}).Failed()) {
            dst.Clear();
            return;
        }
        dst.SetTarget(dynamic_cast<RSeIDed*>(own.CloneOf(obj)));
    }
    template <class T>
    static void CloneOwnedVector(const std::vector<RSeRef<T>>& src, std::vector<RSeRef<T>>& dst,
                                 RSeCloneCommander* cc) {
        dst.resize(src.size());
        for (size_t i = 0; i < src.size(); ++i)
            CloneOwned(cc, src[i], dst[i]);
    }

private:
    [[noreturn]] static void BadContainer();
    static uint32_t SaneCapacity(uint32_t n, uint32_t capacity);

    template <class T> struct IsRef : std::false_type {};
    template <class T> struct IsRef<RSeRef<T>> : std::true_type {};
    template <class T> struct IsVector : std::false_type {};
    template <class T> struct IsVector<std::vector<T>> : std::true_type {};

    template <class T> static constexpr size_t MinElementBytes() {
        if constexpr (std::is_same_v<T, double>)
            return 9;
        else
            return 5;
    }

    template <class T> static void WriteElement(RSeStream& s, const T& e) {
        if constexpr (IsRef<T>::value)
            s.Write(static_cast<const RSeRefBase&>(e));
        else if constexpr (IsVector<T>::value)
            WriteVector(s, e);
        else if constexpr (std::is_same_v<T, int32_t> || std::is_same_v<T, uint32_t> ||
                           std::is_same_v<T, double> || std::is_same_v<T, UTxString16>)
            s << e;
        else
            e.Save(s); // a record of fields
    }

    template <class T> static void ReadElements(RSeStream& s, T* p, uint32_t n) {
        if constexpr (IsRef<T>::value) {
            RSeIRefAllocDisable guard(s.GetSegment());
            s.Read(p, n);
        } else if constexpr (std::is_same_v<T, int32_t> || std::is_same_v<T, uint32_t> ||
                             std::is_same_v<T, double>) {
            s.Read(p, n);
        } else if constexpr (std::is_same_v<T, UTxString16>) {
            for (uint32_t i = 0; i < n; ++i)
                s.Read(p[i]);
        } else if constexpr (IsVector<T>::value) {
            for (uint32_t i = 0; i < n; ++i)
                ReadVector(s, p[i]);
        } else {
            for (uint32_t i = 0; i < n; ++i)
                p[i].Load(s);
        }
    }

    template <class K, class V, class C> friend class DLxStoredMap;
};

// A map keyed by stored objects. Its order compares the key objects, which are not resolved
// while a document loads, so Load reads the entries into a flat list, FixPtrs resolves them
// there and PostRestore builds the map once. Clone and PostClone do the same for copies.
// V is a wide string or a plain pointer to a stored value object.
template <class K, class V, class Compare = DLxRefIdLess> class DLxStoredMap {
public:
    using Map = std::map<RSeRef<K>, V, Compare>;
    static constexpr bool kPointerValue = std::is_pointer_v<V>;

    Map& Get() { return m_map; }
    const Map& Get() const { return m_map; }
    bool HasPendingEntries() const { return !m_pending.empty(); }

    void Save(RSeStream& s) const {
        s << RSeTypeCode::kMap << uint32_t(m_map.size());
        if (m_map.empty()) return;
        RSeMetaType* none = RSe::_GetMeta(static_cast<const void*>(nullptr));
        s.WriteTypeMark(none);
        s.WriteTypeMark(none);
        for (const auto& [key, value] : m_map) {
            s.Write(static_cast<const RSeRefBase&>(key));
            if constexpr (kPointerValue)
                s.Write(static_cast<const RSeVMeta*>(value));
            else
                s << value;
        }
    }

    void Load(RSeStream& s) {
        RSeTypeCode code;
        s.Read(code);
        if (code.code != RSeTypeCode::kMap) DLxPersistUtil::BadContainer();
        uint32_t n = 0;
        s.Read(n);
        m_map.clear();
        m_pending.clear();
        if (!n) return;
        s.CheckCount(n, 10);
        RSeMetaType* none = RSe::_GetMeta(static_cast<const void*>(nullptr));
        s.ReadTypeMark(none);
        s.ReadTypeMark(none);
        RSeIRefAllocDisable guard(s.GetSegment());
        m_pending.resize(n);
        for (auto& [key, value] : m_pending) {
            s.Read(static_cast<RSeRefBase&>(key));
            if constexpr (kPointerValue) {
                void* raw = nullptr;
                s.Read(raw);
                value = reinterpret_cast<V>(raw);
            } else {
                s.Read(value);
            }
        }
    }

    void FixPtrs(RSeMetaContext& ctx) {
        for (auto& [key, value] : m_pending) {
            key.FixAddress(ctx);
            if constexpr (kPointerValue) DLxPersistUtil::FixPtr(value, ctx);
        }
    }

    // Builds the map from the entries read or copied, in list order. An entry whose key lost
    // its target stays (under a null key), so that saving again writes what was read.
    void PostRestore() {
        for (auto& [key, value] : m_pending)
            m_map.emplace(std::move(key), std::move(value));
        m_pending.clear();
        m_pending.shrink_to_fit();
    }

    void Clone(DLxStoredMap& dst, RSeCloneCommander* cc) const {
        dst.m_map.clear();
        dst.m_pending.clear();
        dst.m_pending.resize(m_map.size());
        size_t i = 0;
        for (const auto& [key, value] : m_map) {
            auto& [k, v] = dst.m_pending[i++];
            cc->CloneRef(key, k);
            if constexpr (kPointerValue)
                cc->ClonePtr(value, v);
            else
                v = value;
        }
    }

    void PostClone() { PostRestore(); }

private:
    Map m_map;
    std::vector<std::pair<RSeRef<K>, V>> m_pending;
};
