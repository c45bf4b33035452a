#pragma once
// The meta type of one stored class T. Its callbacks forward to T's persistence members:
//   T(const RSeStream*)                      load constructor (reads nothing)
//   void Load(RSeStream&) / LoadMigrate(RSeStream&)
//   void FixPtrs(RSeMetaContext&) / FixPtrsMigrate(RSeMetaContext&)
//   UTxResult PostRestore(RSeMetaContext&) / PostRestoreMigrate(RSeMetaContext&)
//   void Save(RSeStream&) const
//   UTxResult Clone(T* target, RSeCloneCommander*) const   (on the source)
//   UTxResult PostClone(T* source, RSeCloneCommander*)     (on the copy)
// A member that T does not declare itself takes the plain form (the base's part only); a
// missing migrate variant takes the current one, as a class at version 0 does. The members must
// be accessible here: public, or the class befriends RSeMeta<T>.
#include <new>
#include <type_traits>
#include <typeinfo>

#include "rse/RSeIDed.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeStream.h"
#include "rse/RSeVMeta.h"

template <class T> class RSeMeta : public RSeMetaType {
public:
    RSeMeta(const char16_t* name, uint32_t size, const UTxGUID* owner, void (*guidInit)(UTxGUID&),
            uint16_t version, uint32_t flags, uint16_t reserved, RSeMetaType* base,
            uint32_t embeddedCount, int32_t hasBase, bool b, const char16_t* s1, const char16_t* s2)
        : RSeMetaType(name, size, owner, guidInit, version, flags, reserved, base, embeddedCount,
                      hasBase, b, s1, s2) {
        // Plain forms stay recognisable, so that a load can pass over a part that does nothing.
        SetLoadCallbacks(kOwnLoad ? &LoadCb : &PlainLoad, kOwnFix ? &FixPtrsCb : &PlainFixPtrs,
                         kOwnRestore ? &PostRestoreCb : &PlainPostRestore);
        SetSavesOwnPart(kOwnSave);
    }
    RSeMeta(const RSeMeta& other, uint16_t index) : RSeMetaType(other, index) {}

    RSeMetaType* CreateVersionMeta(uint16_t storedVersion, uint16_t index) override {
        auto* mt = new RSeMeta<T>(*this, index);
        mt->AddFlags(kVersionMeta);
        // Plain forms stay recognisable, so that a load can pass over a chain that does nothing.
        mt->SetLoadCallbacks(
            kOwnLoadMigrate || kOwnLoad ? &LoadMigrateCb : &PlainLoad,
            kOwnFixMigrate || kOwnFix ? &FixPtrsMigrateCb : &PlainFixPtrs,
            kOwnRestoreMigrate || kOwnRestore ? &PostRestoreMigrateCb : &PlainPostRestore);
        mt->SetVersion(storedVersion);
        return mt;
    }

    RSeVMeta* Construct(RSeSegment* segment) override {
        if constexpr (std::is_abstract_v<T> || !std::is_constructible_v<T, const RSeStream*>) {
            return RSeMetaType::Construct(segment);
        } else {
            return new (GetClassMeta(), segment) T(static_cast<const RSeStream*>(nullptr));
        }
    }

    uint32_t Construct(RSeSegment* segment, uint32_t n, RSeVMeta** out) override {
        if constexpr (std::is_abstract_v<T> || !std::is_constructible_v<T, const RSeStream*>) {
            return RSeMetaType::Construct(segment, n, out);
        } else {
            if (!n) return 0;
            void* memory = nullptr;
            const uint32_t block = RSeVMeta::OpenBlock(sizeof(T) * size_t(n), alignof(T), memory);
            T* at = static_cast<T*>(memory);
            uint32_t i = 0;
            try {
                for (; i < n; ++i) {
                    RSeVMeta::PlaceInBlock(block, at + i, sizeof(T), segment);
                    T* obj = ::new (static_cast<void*>(at + i))
                        T(static_cast<const RSeStream*>(nullptr));
                    out[i] = obj;
                    // References fixed to it later check its type by its handle.
                    if constexpr (std::is_base_of_v<RSeIDed, T>)
                        if (RSeHandle* h = obj->GetHandle()) h->type = &typeid(T);
                }
            } catch (...) {
                RSeVMeta::AbandonPlacement();
                while (i-- > 0)
                    delete out[i];
                RSeVMeta::CloseBlock(block);
                throw;
            }
            RSeVMeta::CloseBlock(block);
            return n;
        }
    }

    void Save(const RSeVMeta* obj, RSeStream& stream) override {
        if constexpr (kOwnSave)
            static_cast<const T*>(obj)->Save(stream);
        else
            RSeMetaType::Save(obj, stream);
    }
    UTxResult Clone(const RSeVMeta* src, RSeVMeta* dst, RSeCloneCommander* cc) override {
        if constexpr (kOwnClone)
            return static_cast<const T*>(src)->Clone(static_cast<T*>(dst), cc);
        else
            return RSeMetaType::Clone(src, dst, cc);
    }
    UTxResult PostClone(RSeVMeta* dst, const RSeVMeta* src, RSeCloneCommander* cc) override {
        if constexpr (kOwnPostClone)
            return static_cast<T*>(dst)->PostClone(const_cast<T*>(static_cast<const T*>(src)), cc);
        else
            return RSeMetaType::PostClone(dst, src, cc);
    }

private:
    static constexpr bool kOwnLoad = requires {
        requires std::is_same_v<decltype(&T::Load), void (T::*)(RSeStream&)>;
    };
    static constexpr bool kOwnLoadMigrate = requires {
        requires std::is_same_v<decltype(&T::LoadMigrate), void (T::*)(RSeStream&)>;
    };
    static constexpr bool kOwnFix = requires {
        requires std::is_same_v<decltype(&T::FixPtrs), void (T::*)(RSeMetaContext&)>;
    };
    static constexpr bool kOwnFixMigrate = requires {
        requires std::is_same_v<decltype(&T::FixPtrsMigrate), void (T::*)(RSeMetaContext&)>;
    };
    static constexpr bool kOwnRestore = requires {
        requires std::is_same_v<decltype(&T::PostRestore), UTxResult (T::*)(RSeMetaContext&)>;
    };
    static constexpr bool kOwnRestoreMigrate = requires {
        requires std::is_same_v<decltype(&T::PostRestoreMigrate),
                                UTxResult (T::*)(RSeMetaContext&)>;
    };
    static constexpr bool kOwnSave = requires {
        requires std::is_same_v<decltype(&T::Save), void (T::*)(RSeStream&) const>;
    };
    static constexpr bool kOwnClone = requires {
        requires std::is_same_v<decltype(&T::Clone),
                                UTxResult (T::*)(T*, RSeCloneCommander*) const>;
    };
    static constexpr bool kOwnPostClone = requires {
        requires std::is_same_v<decltype(&T::PostClone), UTxResult (T::*)(T*, RSeCloneCommander*)>;
    };

    static void LoadCb(RSeVMeta* obj, RSeStream& s) {
        if constexpr (kOwnLoad)
            static_cast<T*>(obj)->Load(s);
        else
            PlainLoad(obj, s);
    }
    static void LoadMigrateCb(RSeVMeta* obj, RSeStream& s) {
        if constexpr (kOwnLoadMigrate)
            static_cast<T*>(obj)->LoadMigrate(s);
        else
            LoadCb(obj, s);
    }
    static void FixPtrsCb(RSeVMeta* obj, RSeMetaContext& c) {
        if constexpr (kOwnFix)
            static_cast<T*>(obj)->FixPtrs(c);
        else
            PlainFixPtrs(obj, c);
    }
    static void FixPtrsMigrateCb(RSeVMeta* obj, RSeMetaContext& c) {
        if constexpr (kOwnFixMigrate)
            static_cast<T*>(obj)->FixPtrsMigrate(c);
        else
            FixPtrsCb(obj, c);
    }
    static UTxResult PostRestoreCb(RSeVMeta* obj, RSeMetaContext& c) {
        if constexpr (kOwnRestore)
            return static_cast<T*>(obj)->PostRestore(c);
        else
            return PlainPostRestore(obj, c);
    }
    static UTxResult PostRestoreMigrateCb(RSeVMeta* obj, RSeMetaContext& c) {
        if constexpr (kOwnRestoreMigrate)
            return static_cast<T*>(obj)->PostRestoreMigrate(c);
        else
            return PostRestoreCb(obj, c);
    }
};

// Builds and registers the meta type of T once. Call it from the class's RSe::_InitMeta.
template <class T>
RSeMetaType* RSeMakeMeta(const char16_t* name, void (*guidInit)(UTxGUID&), uint16_t version,
                         uint32_t flags, RSeMetaType* base, RSeMetaType* embedded = nullptr,
                         const UTxGUID* owner = nullptr) {
    auto* mt = new RSeMeta<T>(name, uint32_t(sizeof(T)), owner, guidInit, version, flags, 0, base,
                              embedded ? 1 : 0, base ? 1 : 0, false, nullptr, nullptr);
    if (embedded) mt->SetEmbedded(embedded);
    mt->Register();
    return mt;
}
