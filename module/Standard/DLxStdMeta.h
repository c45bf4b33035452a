#pragma once
// Meta-type boilerplate of the drafting-standard classes: each registers under its class name,
// its own type GUID (words w0..w3), its current version and its base's meta type.
//
// Earlier builds saved these classes at version 0 under a GUID of the family {7e5d____-...},
// numbered by `n`. Such files are read as the stored version kDLxStdFormerForm, which the
// classes with a record of their own read in the field order of those builds.
#include <cstdint>

#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

inline constexpr uint16_t kDLxStdFormerForm = 0xFFFF;

#define DLX_STD_META_DECL(Cls)                                                                     \
    namespace RSe {                                                                                \
    RSeMetaType* _InitMeta(const Cls*);                                                            \
    RSeMetaType* _GetMeta(const Cls*);                                                             \
    }

#define DLX_STD_META_DEF(Cls, Base, n, version, w0, w1, w2, w3)                                    \
    namespace {                                                                                    \
    void Cls##_Guid(UTxGUID& g) {                                                                  \
        g = UTxGUID(w0, w1, w2, w3);                                                               \
    }                                                                                              \
    RSeMetaType* Cls##_MakeMeta() {                                                                \
        RSeMetaType* mt = RSeMakeMeta<Cls>(u## #Cls, &Cls##_Guid, version, RSeMetaType::kClass,    \
                                           RSe::_InitMeta(static_cast<const Base*>(nullptr)));     \
        mt->AddFormerForm(UTxGUID(0x7e5d0000u + (n), 0x06cc11d3, 0xbf270010, 0x4bb5a100), 0,       \
                          kDLxStdFormerForm);                                                      \
        return mt;                                                                                 \
    }                                                                                              \
    }                                                                                              \
    namespace RSe {                                                                                \
    RSeMetaType* _InitMeta(const Cls*) {                                                           \
        static RSeMetaType* mt = Cls##_MakeMeta();                                                 \
        return mt;                                                                                 \
    }                                                                                              \
    RSeMetaType* _GetMeta(const Cls* p) {                                                          \
        return _InitMeta(p);                                                                       \
    }                                                                                              \
    }                                                                                              \
    RSeMetaType* Cls::GetMeta() const {                                                            \
        return RSe::_GetMeta(this);                                                                \
    }
