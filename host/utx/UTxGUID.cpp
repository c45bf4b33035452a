#include "utx/UTxGUID.h"

#include <random>

const UTxGUID UTxGUID::c_nil{};

UTxGUID::UTxGUID(ECreate) {
    static std::mt19937_64 gen{std::random_device{}()};
    const uint64_t a = gen(), b = gen();
    m_w[0] = uint32_t(a >> 32);
    m_w[1] = (uint32_t(a) & 0xFFFF0FFFu) | 0x4000u;
    m_w[2] = (uint32_t(b >> 32) & 0x3FFFFFFFu) | 0x80000000u;
    m_w[3] = uint32_t(b);
}

namespace {
template <class Ch> bool ParseImpl(std::basic_string_view<Ch> t, UTxGUID& out) {
    if (t.size() == 38) {
        if (t.front() != Ch('{') || t.back() != Ch('}')) return false;
        t = t.substr(1, 36);
    }
    if (t.size() != 36) return false;
    uint32_t w[4] = {0, 0, 0, 0};
    int nibble = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        const Ch c = t[i];
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (c != Ch('-')) return false;
            continue;
        }
        uint32_t v;
        if (c >= Ch('0') && c <= Ch('9'))
            v = uint32_t(c - Ch('0'));
        else if (c >= Ch('a') && c <= Ch('f'))
            v = uint32_t(c - Ch('a') + 10);
        else if (c >= Ch('A') && c <= Ch('F'))
            v = uint32_t(c - Ch('A') + 10);
        else
            return false;
        w[nibble / 8] = (w[nibble / 8] << 4) | v;
        ++nibble;
    }
    out = UTxGUID(w[0], w[1], w[2], w[3]);
    return true;
}
} // namespace

bool UTxGUID::Parse(std::string_view text, UTxGUID& out) {
    return ParseImpl(text, out);
}
bool UTxGUID::Parse(std::u16string_view text, UTxGUID& out) {
    return ParseImpl(text, out);
}

std::string UTxGUID::ToString() const {
    static const char hex[] = "0123456789ABCDEF";
    std::string s = "{";
    for (int n = 0; n < 32; ++n) {
        if (n == 8 || n == 12 || n == 16 || n == 20) s.push_back('-');
        s.push_back(hex[(m_w[n / 8] >> (28 - 4 * (n % 8))) & 0xF]);
    }
    s.push_back('}');
    return s;
}

UTxString16 UTxGUID::ToString16() const {
    return UTx::MakeWideString(ToString());
}
