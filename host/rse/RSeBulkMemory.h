#pragma once
// Memory for what a load makes in bulk: blocks of objects and its large tables, written whole
// soon after they are taken. Large requests are mapped in huge pages where the system gives
// them, since faulting such memory in a small page at a time can cost more than the load.
#include <cstddef>
#include <new>
#include <vector>

namespace RSe {
void* BulkAllocate(size_t bytes, size_t align);
// `bytes` and `align` as given to BulkAllocate.
void BulkFree(void* p, size_t bytes, size_t align) noexcept;
// Asks for huge pages under memory taken elsewhere and not yet written (a buffer just reserved).
void AdviseBulk(void* p, size_t bytes) noexcept;
} // namespace RSe

template <class T> struct RSeBulkAllocator {
    using value_type = T;
    RSeBulkAllocator() = default;
    template <class U> RSeBulkAllocator(const RSeBulkAllocator<U>&) {}
    T* allocate(size_t n) {
        if (n > size_t(-1) / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(RSe::BulkAllocate(n * sizeof(T), alignof(T)));
    }
    void deallocate(T* p, size_t n) noexcept { RSe::BulkFree(p, n * sizeof(T), alignof(T)); }
    template <class U> bool operator==(const RSeBulkAllocator<U>&) const { return true; }
};

template <class T> using RSeBulkVector = std::vector<T, RSeBulkAllocator<T>>;
