#pragma once
#include <cstdint>
#include <string_view>

#include "utx/UTxString16.h"

// A GUID kept as the four 32-bit words that class GUID initialisers write. As text, word 0 is
// the first group, word 1 the second and third groups, words 2 and 3 the last two groups.
class UTxGUID {
public:
    enum ECreate { E_Create };

    constexpr UTxGUID() = default;
    constexpr UTxGUID(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) : m_w{w0, w1, w2, w3} {}
    // A new random GUID (version 4).
    explicit UTxGUID(ECreate);

    static const UTxGUID c_nil;

    // Accepts "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with or without braces, any case.
    static bool Parse(std::string_view text, UTxGUID& out);
    static bool Parse(std::u16string_view text, UTxGUID& out);
    // Upper case, with braces.
    std::string ToString() const;
    UTxString16 ToString16() const;

    bool IsNil() const { return (m_w[0] | m_w[1] | m_w[2] | m_w[3]) == 0; }
    uint32_t Word(int i) const { return m_w[i]; }
    void SetWord(int i, uint32_t w) { m_w[i] = w; }

    friend bool operator==(const UTxGUID& a, const UTxGUID& b) {
        return a.m_w[0] == b.m_w[0] && a.m_w[1] == b.m_w[1] && a.m_w[2] == b.m_w[2] &&
               a.m_w[3] == b.m_w[3];
    }
    friend bool operator!=(const UTxGUID& a, const UTxGUID& b) { return !(a == b); }
    friend bool operator<(const UTxGUID& a, const UTxGUID& b) {
        for (int i = 0; i < 4; ++i)
            if (a.m_w[i] != b.m_w[i]) return a.m_w[i] < b.m_w[i];
        return false;
    }

private:
    uint32_t m_w[4] = {0, 0, 0, 0};
};

struct UTxGUIDHash {
    size_t operator()(const UTxGUID& g) const {
        return (size_t(g.Word(0)) * 0x9E3779B97F4A7C15ull) ^ g.Word(1) ^ (size_t(g.Word(2)) << 7) ^
               g.Word(3);
    }
};
