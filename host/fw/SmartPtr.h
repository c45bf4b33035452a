#pragma once
// Intrusively counted objects and their owning pointer.
#include <compare>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "Afx.h"

// An object that carries its own reference count. It starts at zero: the first owner takes the
// first reference, and the release of the last one deletes the object.
class CountedCObj : public CObject {
    DECLARE_DYNAMIC(CountedCObj)
    CountedCObj() = default;
    ~CountedCObj() override;

    // Both return the count after the change. Const so that pointers to const objects can own.
    int32_t AddRef() const;
    int32_t Release() const;
    int32_t GetRefCount() const { return m_nRefCount; }

protected:
    // A copy is a new object: it has no owners yet, and assignment never moves owners across.
    CountedCObj(const CountedCObj&) : CObject() {}
    CountedCObj& operator=(const CountedCObj&) { return *this; }

private:
    mutable int32_t m_nRefCount = 0;
};

// Owner of one reference to a CountedCObj. T may be incomplete where a SmartPtr<T> is only
// declared; it must be complete where one is created, copied or destroyed.
template <class T> class SmartPtr {
public:
    using element_type = T;

    SmartPtr() noexcept = default;
    SmartPtr(std::nullptr_t) noexcept {}
    // Implicit, as for the original: any number of owners may be made from the raw pointer.
    SmartPtr(T* p) : m_p(p) { Acquire(m_p); }
    SmartPtr(const SmartPtr& other) : m_p(other.m_p) { Acquire(m_p); }
    SmartPtr(SmartPtr&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    SmartPtr(const SmartPtr<U>& other) : m_p(other.get()) {
        Acquire(m_p);
    }
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    SmartPtr(SmartPtr<U>&& other) noexcept : m_p(other.detach()) {}

    ~SmartPtr() { Drop(m_p); }

    // By value: covers copy, move, conversion and self-assignment in one place.
    SmartPtr& operator=(SmartPtr other) noexcept {
        swap(other);
        return *this;
    }

    void reset(T* p = nullptr) { SmartPtr(p).swap(*this); }
    void swap(SmartPtr& other) noexcept {
        T* p = m_p;
        m_p = other.m_p;
        other.m_p = p;
    }
    // Gives up the reference without releasing it: the caller now holds it.
    T* detach() noexcept {
        T* p = m_p;
        m_p = nullptr;
        return p;
    }

    T* get() const noexcept { return m_p; }
    T* operator->() const noexcept { return m_p; }
    T& operator*() const noexcept { return *m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }

private:
    static void Acquire(T* p) {
        if (p) static_cast<const CountedCObj*>(p)->AddRef();
    }
    static void Drop(T* p) {
        static_assert(std::is_base_of_v<CountedCObj, std::remove_cv_t<T>>,
                      "SmartPtr owns CountedCObj objects only");
        if (p) static_cast<const CountedCObj*>(p)->Release();
    }

    T* m_p = nullptr;
};

// Templates only: a comparison must never build a temporary owner from a raw pointer, which
// would delete an object that nobody owned yet.
template <class T, class U> bool operator==(const SmartPtr<T>& a, const SmartPtr<U>& b) noexcept {
    return a.get() == b.get();
}
template <class T, class U> bool operator==(const SmartPtr<T>& a, U* b) noexcept {
    return a.get() == b;
}
template <class T> bool operator==(const SmartPtr<T>& a, std::nullptr_t) noexcept {
    return !a;
}
template <class T, class U>
std::strong_ordering operator<=>(const SmartPtr<T>& a, const SmartPtr<U>& b) noexcept {
    return std::compare_three_way{}(a.get(), b.get());
}
