#pragma once
// Meta-type boilerplate of the drafting-standard classes: each registers under its class name,
// with a GUID of the family {7e5d____-...} numbered by `n` and its base's meta type.
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

#define DLX_STD_META_DECL(Cls)                                                                     \
    namespace RSe {                                                                                \
    RSeMetaType* _InitMeta(const Cls*);                                                            \
    RSeMetaType* _GetMeta(const Cls*);                                                             \
    }

#define DLX_STD_META_DEF(Cls, Base, n, version)                                                    \
    namespace {                                                                                    \
    void Cls##_Guid(UTxGUID& g) {                                                                  \
        g = UTxGUID(0x7e5d0000u + (n), 0x06cc11d3, 0xbf270010, 0x4bb5a100);                        \
    }                                                                                              \
    }                                                                                              \
    namespace RSe {                                                                                \
    RSeMetaType* _InitMeta(const Cls*) {                                                           \
        static RSeMetaType* mt =                                                                   \
            RSeMakeMeta<Cls>(u## #Cls, &Cls##_Guid, version, RSeMetaType::kClass,                  \
                             RSe::_InitMeta(static_cast<const Base*>(nullptr)));                   \
        return mt;                                                                                 \
    }                                                                                              \
    RSeMetaType* _GetMeta(const Cls* p) {                                                          \
        return _InitMeta(p);                                                                       \
    }                                                                                              \
    }                                                                                              \
    RSeMetaType* Cls::GetMeta() const {                                                            \
        return RSe::_GetMeta(this);                                                                \
    }
