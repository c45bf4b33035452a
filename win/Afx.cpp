#include "Afx.h"

#include <cstring>
#include <map>
#include <string_view>

namespace {

using ClassRegistry = std::map<std::string_view, CRuntimeClass*>;

// Built on first use, so a class registered during any library's start-up finds it ready; never
// destroyed, so a library unloaded late at exit can still unregister.
ClassRegistry& Registry() {
    static ClassRegistry& registry = *new ClassRegistry;
    return registry;
}

} // namespace

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    if (!pBaseClass) return false;
    for (const CRuntimeClass* c = this; c;
         c = c->m_pfnGetBaseClass ? c->m_pfnGetBaseClass() : nullptr) {
        if (c == pBaseClass) return true;
    }
    return false;
}

CRuntimeClass* CRuntimeClass::FromName(const char* lpszClassName) {
    if (!lpszClassName) return nullptr;
    const ClassRegistry& registry = Registry();
    auto it = registry.find(lpszClassName);
    return it == registry.end() ? nullptr : it->second;
}

CObject* CRuntimeClass::CreateObject(const char* lpszClassName) {
    const CRuntimeClass* c = FromName(lpszClassName);
    return c ? c->CreateObject() : nullptr;
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) : m_pClass(pNewClass) {
    // The first registration of a name wins; one name is never meant to be defined twice.
    Registry().emplace(pNewClass->m_lpszClassName, pNewClass);
}

AFX_CLASSINIT::~AFX_CLASSINIT() {
    ClassRegistry& registry = Registry();
    auto it = registry.find(m_pClass->m_lpszClassName);
    if (it != registry.end() && it->second == m_pClass) registry.erase(it);
}

CObject::~CObject() = default;

CRuntimeClass* CObject::GetThisClass() {
    static CRuntimeClass rc = {"CObject", static_cast<int32_t>(sizeof(CObject)), 0xFFFF, nullptr,
                               nullptr};
    return &rc;
}

CRuntimeClass* CObject::GetRuntimeClass() const {
    return GetThisClass();
}

static const AFX_CLASSINIT korvuClassInit_CObject(CObject::GetThisClass());

bool CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

CObject* AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* pObject) {
    return pObject && pObject->IsKindOf(pClass) ? pObject : nullptr;
}

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::~CCmdTarget() = default;
