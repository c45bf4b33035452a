#include "BenchAssembly.h"

#include <string>

namespace {
std::u16string U16(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

} // namespace

DLxAssemblyData BenchGeneratedAssembly(int32_t parts) {
    DLxAssemblyData a;
    a.root = 1;
    a.scheme.structuredEnabled = true;
    a.scheme.partsOnlyEnabled = true;
    a.scheme.structuredAllLevels = true;
    DLxAssemblyComponent root;
    root.id = 1;
    root.kind = DLxAssemblyComponent::Kind::Assembly;
    root.name = u"root";
    root.path = u"root.asm";
    a.components.push_back(root);
    int32_t next = 2, occ = 0, made = 0;
    auto part = [&](int32_t parent) {
        DLxAssemblyComponent c;
        c.id = next++;
        c.name = U16("part " + std::to_string(c.id));
        c.path = U16("parts/" + std::to_string(c.id) + ".part");
        c.partNumber = U16("P-" + std::to_string((c.id * 7919) % 100003));
        c.description = U16("Part " + std::to_string(c.id) + " of the generated assembly");
        c.material = U16("Material " + std::to_string(c.id % 20));
        c.mass = 0.001 * c.id;
        c.hasMass = true;
        a.components.push_back(c);
        a.occurrences.push_back({++occ, parent, c.id, 1 + c.id % 4});
        ++made;
    };
    for (int i = 0; i < 100 && made < parts; ++i)
        part(1);
    while (made < parts) {
        DLxAssemblyComponent sub;
        sub.id = next++;
        sub.kind = DLxAssemblyComponent::Kind::Assembly;
        sub.name = U16("sub " + std::to_string(sub.id));
        sub.path = U16("subs/" + std::to_string(sub.id) + ".asm");
        sub.partNumber = U16("S-" + std::to_string(sub.id));
        sub.material = U16("Material " + std::to_string(sub.id % 20));
        a.components.push_back(sub);
        a.occurrences.push_back({++occ, 1, sub.id, 1});
        for (int i = 0; i < 100 && made < parts; ++i)
            part(sub.id);
    }
    return a;
}

