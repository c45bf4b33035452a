#pragma once
// The object base of the class library: runtime classes, their factories and lookup by name.
#include <cstdint>

class CObject;

// What a class knows about itself at run time. Every instance is constant-initialised by the
// IMPLEMENT_ macros, so it is usable at any point of start-up; only the lookup by name needs the
// class to have been registered, which happens while its library initialises.
struct CRuntimeClass {
    const char* m_lpszClassName;
    int32_t m_nObjectSize;
    uint32_t m_wSchema; // 0xFFFF: not serialisable
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* (*m_pfnGetBaseClass)();

    // A new default-constructed instance; null when the class has no factory (no DYNCREATE).
    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Any class declared with the macros, in any loaded library; null when unknown.
    static CRuntimeClass* FromName(const char* lpszClassName);
    static CObject* CreateObject(const char* lpszClassName);
};

// Registers a runtime class for FromName while it exists; the IMPLEMENT_ macros make one per
// class. It unregisters so that an unloaded library leaves no dangling entry behind.
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
    ~AFX_CLASSINIT();
    AFX_CLASSINIT(const AFX_CLASSINIT&) = delete;
    AFX_CLASSINIT& operator=(const AFX_CLASSINIT&) = delete;

private:
    CRuntimeClass* m_pClass;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

// Leaves the access at public, as the original macros do.
#define DECLARE_DYNAMIC(class_name)                                                                \
public:                                                                                            \
    static CRuntimeClass* GetThisClass();                                                          \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                              \
    DECLARE_DYNAMIC(class_name)                                                                    \
    static CObject* CreateObject();

#define KORVU_IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, pfnNew)                         \
    CRuntimeClass* class_name::GetThisClass() {                                                    \
        static CRuntimeClass rc = {#class_name, static_cast<int32_t>(sizeof(class_name)), 0xFFFF,  \
                                   pfnNew, &base_class_name::GetThisClass};                        \
        return &rc;                                                                                \
    }                                                                                              \
    CRuntimeClass* class_name::GetRuntimeClass() const {                                           \
        return class_name::GetThisClass();                                                         \
    }                                                                                              \
    static const AFX_CLASSINIT korvuClassInit_##class_name(class_name::GetThisClass());

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                             \
    KORVU_IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                           \
    CObject* class_name::CreateObject() {                                                          \
        return new class_name;                                                                     \
    }                                                                                              \
    KORVU_IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, &class_name::CreateObject)

class CObject {
public:
    virtual ~CObject();
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    static CRuntimeClass* GetThisClass();
    virtual CRuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const CRuntimeClass* pClass) const;

protected:
    CObject() = default;
};

// pObject when it is of class pClass or derived from it, else null.
CObject* AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* pObject);

#define DYNAMIC_DOWNCAST(class_name, object)                                                       \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object)))

// Base of everything that receives commands: windows, documents, the application.
class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
    CCmdTarget() = default;
    ~CCmdTarget() override;
};
