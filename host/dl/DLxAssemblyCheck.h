#pragma once
// What makes an assembly sound, checked in one place for the model file (which reports the
// fault with its place in the file) and for a stored drawing (which refuses a damaged one):
//
//   - the root is 0 (no assembly: then nothing else may be given) or a component's id;
//   - component ids are positive and unique; paths are not empty and unique; a component has
//     a name; a mass is finite and not negative; user property names are not empty and unique
//     in their component; representation names are not empty and unique in their component;
//     a family table's members are not empty and unique, its active member one of them, and
//     only a factory has members;
//   - occurrence ids are positive and unique; an occurrence lies in an assembly component and
//     places a known component, at least once (quantity 1 or more);
//   - no assembly contains itself, however deep (a cycle);
//   - numbering format codes are not negative; the structured delimiter is not empty.
//
// An occurrence path names one placement of a component in the root's structure: occurrence
// ids from the root down, the first lying in the root, each next one in the component the one
// before it places.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct DLxAssemblyData;

// Where the fault lies, as a member path under the assembly ("occurrences[3].quantity"), and
// what it is. No fault: both empty.
struct DLxAssemblyFault {
    std::string path;
    std::string what;
    bool Empty() const { return what.empty(); }
};

class DLxAssemblyCheck {
public:
    // The first fault of the assembly in file order, then the first cycle.
    static DLxAssemblyFault Check(const DLxAssemblyData& data);

    // For checking many occurrence paths of a sound assembly: indexes it once.
    explicit DLxAssemblyCheck(const DLxAssemblyData& data);
    // What is wrong with the path (empty when it is sound).
    std::string CheckPath(const std::vector<int32_t>& path) const;

private:
    const DLxAssemblyData& m_data;
    std::unordered_map<int32_t, size_t> m_occurrences; // id -> index
};
