#include "fw/SmartPtr.h"

#include <cassert>

IMPLEMENT_DYNAMIC(CountedCObj, CObject)

CountedCObj::~CountedCObj() {
    // Deleting an object that still has owners leaves them dangling.
    assert(m_nRefCount == 0);
}

int32_t CountedCObj::AddRef() const {
    return ++m_nRefCount;
}

int32_t CountedCObj::Release() const {
    assert(m_nRefCount > 0 && "released more often than referenced");
    if (m_nRefCount <= 0) return 0;
    const int32_t remaining = --m_nRefCount;
    if (remaining == 0) delete this;
    return remaining;
}
