#include "dc/RDxComputeContext.h"

#include <unordered_map>
#include <variant>
#include <vector>

#include "ge/WqGePoint3d.h"

namespace {
struct Names {
    std::unordered_map<UTxString16, uint32_t> ids;
    std::vector<UTxString16> names; // by id - 1
};
Names& GetNames() {
    static Names n;
    return n;
}

template <class T, class V> bool Take(const V* found, T& value) {
    if (found)
        if (const T* v = std::get_if<T>(found)) {
            value = *v;
            return true;
        }
    value = T();
    return false;
}
} // namespace

struct RDxComputeContext::Attributes {
    using Value = std::variant<int32_t, double, UTxString16, WqGePoint3d, RSeVMeta*>;
    std::unordered_map<uint32_t, Value> values;

    const Value* Find(uint32_t id) const {
        auto it = values.find(id);
        return it == values.end() ? nullptr : &it->second;
    }
};

RDxComputeContext::RDxComputeContext() : m_attrs(std::make_unique<Attributes>()) {}
RDxComputeContext::~RDxComputeContext() = default;

uint32_t RDxComputeContext::AttributeId(const UTxString16& name) {
    Names& n = GetNames();
    auto [it, added] = n.ids.emplace(name, uint32_t(n.names.size() + 1));
    if (added) n.names.push_back(name);
    return it->second;
}

uint32_t RDxComputeContext::FindAttributeId(const UTxString16& name) {
    Names& n = GetNames();
    auto it = n.ids.find(name);
    return it == n.ids.end() ? 0 : it->second;
}

UTxString16 RDxComputeContext::AttributeName(uint32_t id) {
    Names& n = GetNames();
    return id && id <= n.names.size() ? n.names[id - 1] : UTxString16();
}

void RDxComputeContext::SetInt(uint32_t id, int32_t value) {
    m_attrs->values[id] = value;
}
void RDxComputeContext::SetDouble(uint32_t id, double value) {
    m_attrs->values[id] = value;
}
void RDxComputeContext::SetString(uint32_t id, const UTxString16& value) {
    m_attrs->values[id] = value;
}
void RDxComputeContext::SetPoint(uint32_t id, const WqGePoint3d& value) {
    m_attrs->values[id] = value;
}
void RDxComputeContext::SetObject(uint32_t id, RSeVMeta* object) {
    m_attrs->values[id] = object;
}

bool RDxComputeContext::GetInt(uint32_t id, int32_t& value) const {
    return Take(m_attrs->Find(id), value);
}
bool RDxComputeContext::GetDouble(uint32_t id, double& value) const {
    return Take(m_attrs->Find(id), value);
}
bool RDxComputeContext::GetString(uint32_t id, UTxString16& value) const {
    return Take(m_attrs->Find(id), value);
}
bool RDxComputeContext::GetPoint(uint32_t id, WqGePoint3d& value) const {
    return Take(m_attrs->Find(id), value);
}
bool RDxComputeContext::GetObject(uint32_t id, RSeVMeta*& object) const {
    return Take(m_attrs->Find(id), object);
}

bool RDxComputeContext::Has(uint32_t id) const {
    return m_attrs->Find(id) != nullptr;
}
void RDxComputeContext::Remove(uint32_t id) {
    m_attrs->values.erase(id);
}
void RDxComputeContext::Clear() {
    m_attrs->values.clear();
}
