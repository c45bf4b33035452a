#pragma once
// UTx::Cast<T>(p): dynamic_cast<T*>(p), remembering per pair of classes the last two dynamic
// types it was asked about and how each cast. A compute asks the same few questions of objects
// of the same few classes many times (is this input state a symbol state, is this leader node a
// terminal), and a dynamic_cast walks the class tree each time.
//
// The answer for a dynamic type never changes, nor where the T is found from the U it was
// reached through, as long as p's class holds U once: true of the stored classes, which derive
// singly. Not for a class with U twice among its bases (a non-virtual diamond). One thread.
#include <cstdint>
#include <typeinfo>

namespace UTx {

template <class T, class U> T* Cast(U* p) {
    if (!p) return nullptr;
    struct Seen {
        const std::type_info* type = nullptr;
        bool casts = false;
        std::intptr_t delta = 0; // from p to the T
    };
    static Seen seen[2];
    static unsigned next = 0;
    const std::type_info* type = &typeid(*p);
    const auto at = reinterpret_cast<std::intptr_t>(p);
    for (const Seen& s : seen)
        if (s.type == type) return s.casts ? reinterpret_cast<T*>(at + s.delta) : nullptr;
    T* t = dynamic_cast<T*>(p);
    seen[next] = {type, t != nullptr, t ? reinterpret_cast<std::intptr_t>(t) - at : 0};
    next ^= 1u;
    return t;
}

} // namespace UTx
