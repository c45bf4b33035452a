#include "dl/DLxAssemblyCheck.h"

#include <cmath>
#include <unordered_set>

#include "dl/DLxAssemblyData.h"
#include "utx/UTxString16.h"

namespace {
std::string Element(const char* list, size_t i) {
    return std::string(list) + "[" + std::to_string(i) + "]";
}
std::string Quoted(const std::u16string& s) {
    return "\"" + UTx::ToUtf8(s) + "\"";
}

// Names that must be there and differ within one list; the fault names the second use.
DLxAssemblyFault CheckNames(const std::vector<std::u16string>& names, const std::string& list,
                            const char* what) {
    std::unordered_set<std::u16string> seen;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string at = list + "[" + std::to_string(i) + "]";
        if (names[i].empty()) return {at, "a " + std::string(what) + " must not be empty"};
        if (!seen.insert(names[i]).second)
            return {at, "duplicate " + std::string(what) + " " + Quoted(names[i])};
    }
    return {};
}

DLxAssemblyFault CheckComponent(const DLxAssemblyComponent& c, const std::string& at) {
    if (c.kind != DLxAssemblyComponent::Kind::Part &&
        c.kind != DLxAssemblyComponent::Kind::Assembly)
        return {at + ".kind", "unknown kind " + std::to_string(int32_t(c.kind))};
    if (c.name.empty()) return {at + ".name", "must not be empty"};
    if (c.path.empty()) return {at + ".path", "must not be empty"};
    if (c.hasMass && !(std::isfinite(c.mass) && c.mass >= 0.0))
        return {at + ".mass", "must be a finite number, 0 or more"};
    std::vector<std::u16string> names;
    for (const DLxAssemblyProperty& p : c.userProperties)
        names.push_back(p.name);
    if (DLxAssemblyFault f = CheckNames(names, at + ".properties", "property name"); !f.Empty())
        return f;
    if (DLxAssemblyFault f =
            CheckNames(c.representations, at + ".representations", "representation name");
        !f.Empty())
        return f;
    if (!c.isFactory) {
        if (!c.factoryMembers.empty() || !c.activeMember.empty())
            return {at + ".familyTable", "only a factory has members"};
        return {};
    }
    if (DLxAssemblyFault f =
            CheckNames(c.factoryMembers, at + ".familyTable.members", "member name");
        !f.Empty())
        return f;
    if (c.factoryMembers.empty()) return {at + ".familyTable.members", "a factory needs a member"};
    for (const std::u16string& m : c.factoryMembers)
        if (m == c.activeMember) return {};
    return {at + ".familyTable.active", "is not one of the members"};
}
} // namespace

DLxAssemblyFault DLxAssemblyCheck::Check(const DLxAssemblyData& data) {
    if (data.root == 0) {
        if (!data.components.empty() || !data.occurrences.empty())
            return {"root", "is missing (0), but components or occurrences are given"};
        return {};
    }
    std::unordered_map<int32_t, size_t> components;
    std::unordered_set<std::u16string> paths;
    for (size_t i = 0; i < data.components.size(); ++i) {
        const DLxAssemblyComponent& c = data.components[i];
        const std::string at = Element("components", i);
        if (c.id <= 0) return {at + ".id", "must be a positive 32-bit integer"};
        auto [it, added] = components.emplace(c.id, i);
        if (!added)
            return {at + ".id", "duplicate component id " + std::to_string(c.id) + " (also " +
                                    Element("components", it->second) + ")"};
        if (DLxAssemblyFault f = CheckComponent(c, at); !f.Empty()) return f;
        if (!paths.insert(c.path).second)
            return {at + ".path", "duplicate document path " + Quoted(c.path)};
    }
    if (!components.count(data.root))
        return {"root", "names no component (" + std::to_string(data.root) + ")"};

    // Which assemblies each assembly places, for the cycle search below.
    std::unordered_map<int32_t, std::vector<std::pair<int32_t, size_t>>> children;
    std::unordered_set<int32_t> occurrenceIds;
    for (size_t i = 0; i < data.occurrences.size(); ++i) {
        const DLxAssemblyOccurrence& o = data.occurrences[i];
        const std::string at = Element("occurrences", i);
        if (o.id <= 0) return {at + ".id", "must be a positive 32-bit integer"};
        if (!occurrenceIds.insert(o.id).second)
            return {at + ".id", "duplicate occurrence id " + std::to_string(o.id)};
        auto parent = components.find(o.parent);
        if (parent == components.end())
            return {at + ".parent", "unknown component " + std::to_string(o.parent)};
        if (data.components[parent->second].kind != DLxAssemblyComponent::Kind::Assembly)
            return {at + ".parent",
                    "component " + std::to_string(o.parent) + " is a part, not an assembly"};
        if (!components.count(o.component))
            return {at + ".component", "unknown component " + std::to_string(o.component)};
        if (o.quantity < 1)
            return {at + ".quantity", "must be 1 or more, found " + std::to_string(o.quantity)};
        children[o.parent].push_back({o.component, i});
    }

    // Depth-first over the assemblies, without recursion: a deep chain in a hostile file must
    // not exhaust the stack. An edge back to an assembly on the current path closes a cycle.
    enum : uint8_t { kNew, kOpen, kDone };
    std::unordered_map<int32_t, uint8_t> state;
    for (const DLxAssemblyComponent& start : data.components) {
        if (state[start.id] != kNew) continue;
        struct Frame {
            int32_t id;
            size_t next;
        };
        std::vector<Frame> stack{{start.id, 0}};
        state[start.id] = kOpen;
        while (!stack.empty()) {
            Frame& top = stack.back();
            auto kids = children.find(top.id);
            if (kids == children.end() || top.next == kids->second.size()) {
                state[top.id] = kDone;
                stack.pop_back();
                continue;
            }
            const auto [child, index] = kids->second[top.next++];
            uint8_t& s = state[child];
            if (s == kOpen)
                return {Element("occurrences", index) + ".component",
                        "component " + std::to_string(child) + " would contain itself (a cycle)"};
            if (s == kNew) {
                s = kOpen;
                stack.push_back({child, 0});
            }
        }
    }

    const DLxAssemblyBOMScheme& scheme = data.scheme;
    if (scheme.structuredFormat < 0) return {"bomScheme.structuredFormat", "must be 0 or more"};
    if (scheme.partsOnlyFormat < 0) return {"bomScheme.partsOnlyFormat", "must be 0 or more"};
    if (scheme.structuredDelimiter.empty()) return {"bomScheme.delimiter", "must not be empty"};
    return {};
}

DLxAssemblyCheck::DLxAssemblyCheck(const DLxAssemblyData& data) : m_data(data) {
    for (size_t i = 0; i < data.occurrences.size(); ++i)
        m_occurrences.emplace(data.occurrences[i].id, i);
}

std::string DLxAssemblyCheck::CheckPath(const std::vector<int32_t>& path) const {
    if (m_data.Empty()) return "the model has no assembly";
    if (path.empty()) return "an occurrence path names at least one occurrence";
    int32_t within = m_data.root;
    for (int32_t id : path) {
        auto it = m_occurrences.find(id);
        if (it == m_occurrences.end()) return "unknown occurrence " + std::to_string(id);
        const DLxAssemblyOccurrence& o = m_data.occurrences[it->second];
        if (o.parent != within)
            return "occurrence " + std::to_string(id) + " does not lie in component " +
                   std::to_string(within);
        within = o.component;
    }
    return {};
}
