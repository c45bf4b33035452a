#pragma once
// Symbol types of feature control frames and the descriptors that offer them to the user.
#include <cstdint>
#include <memory>
#include <vector>

#include "utx/UTxString16.h"

struct DLxFCFStdInfo {
    // 1..14 geometric characteristics, 15..26 modifiers, 27..30 only known to the layout.
    enum EGdtSymbolType : int32_t {
        kNone = 0,
        kFirstCharacteristic = 1,
        kLastCharacteristic = 14,
        kFirstModifier = 15,
        kLastModifier = 26,
        kLastLayoutType = 30,
    };
};

// A named, pictured value. The bitmap is the resource module's image; the resource module owns
// it, so copies share it freely.
class DLxCDesc {
public:
    DLxCDesc() = default;
    virtual ~DLxCDesc() = default;
    DLxCDesc(const DLxCDesc&) = default;
    DLxCDesc& operator=(const DLxCDesc&) = default;

    const void* m_hBitmap = nullptr;
    UTxString16 m_name;
    int32_t m_value = 0;
};

class DLxCSymbolDesc : public DLxCDesc {
public:
    bool m_enabled = false;
    int32_t m_position = -1;
    uint32_t m_nameId = 0;
    uint32_t m_bitmapId = 0;
    int32_t m_reserved = 0;
};

struct DLxSymbolStdInfo {
    using DLxSymbolDescs = std::vector<std::unique_ptr<DLxCSymbolDesc>>;
};
