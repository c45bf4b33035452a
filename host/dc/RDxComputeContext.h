#pragma once
#include <cstdint>
#include <memory>

#include "rse/RSeVMeta.h"
#include "utx/UTxString16.h"

class WqGePoint3d;

// What one compute pass hands to the nodes it computes: typed attributes by name or by id.
// A name has one id for the life of the process. Reading an attribute that is absent, or that
// holds another type, answers false and the type's default.
class RDxComputeContext {
public:
    RDxComputeContext();
    ~RDxComputeContext();
    RDxComputeContext(const RDxComputeContext&) = delete;
    RDxComputeContext& operator=(const RDxComputeContext&) = delete;

    // The id of a name, given on first asking; ids start at 1.
    static uint32_t AttributeId(const UTxString16& name);
    // The id of a name that has one, else 0.
    static uint32_t FindAttributeId(const UTxString16& name);
    static UTxString16 AttributeName(uint32_t id);

    void SetInt(uint32_t id, int32_t value);
    void SetDouble(uint32_t id, double value);
    void SetString(uint32_t id, const UTxString16& value);
    void SetPoint(uint32_t id, const WqGePoint3d& value);
    // The context does not own the object; it must outlive the pass.
    void SetObject(uint32_t id, RSeVMeta* object);

    bool GetInt(uint32_t id, int32_t& value) const;
    bool GetDouble(uint32_t id, double& value) const;
    bool GetString(uint32_t id, UTxString16& value) const;
    bool GetPoint(uint32_t id, WqGePoint3d& value) const;
    bool GetObject(uint32_t id, RSeVMeta*& object) const;
    template <class T> T* GetObjectAs(uint32_t id) const {
        RSeVMeta* o = nullptr;
        return GetObject(id, o) ? dynamic_cast<T*>(o) : nullptr;
    }

    // The same by name.
    void SetInt(const UTxString16& name, int32_t value) { SetInt(AttributeId(name), value); }
    void SetDouble(const UTxString16& name, double value) { SetDouble(AttributeId(name), value); }
    void SetString(const UTxString16& name, const UTxString16& value) {
        SetString(AttributeId(name), value);
    }
    void SetPoint(const UTxString16& name, const WqGePoint3d& value) {
        SetPoint(AttributeId(name), value);
    }
    void SetObject(const UTxString16& name, RSeVMeta* object) {
        SetObject(AttributeId(name), object);
    }
    bool GetInt(const UTxString16& name, int32_t& value) const {
        return GetInt(FindAttributeId(name), value);
    }
    bool GetDouble(const UTxString16& name, double& value) const {
        return GetDouble(FindAttributeId(name), value);
    }
    bool GetString(const UTxString16& name, UTxString16& value) const {
        return GetString(FindAttributeId(name), value);
    }
    bool GetPoint(const UTxString16& name, WqGePoint3d& value) const {
        return GetPoint(FindAttributeId(name), value);
    }
    bool GetObject(const UTxString16& name, RSeVMeta*& object) const {
        return GetObject(FindAttributeId(name), object);
    }
    template <class T> T* GetObjectAs(const UTxString16& name) const {
        return GetObjectAs<T>(FindAttributeId(name));
    }

    bool Has(uint32_t id) const;
    bool Has(const UTxString16& name) const { return Has(FindAttributeId(name)); }
    void Remove(uint32_t id);
    void Clear();

private:
    struct Attributes;
    std::unique_ptr<Attributes> m_attrs;
};
