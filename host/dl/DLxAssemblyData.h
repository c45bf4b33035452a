#pragma once
// The assembly a drawing documents, as plain values: the components (part documents and
// sub-assemblies) with their properties, the structure (which component occurs how often under
// which assembly), the representations and family tables of the model repository, and the
// bill-of-materials scheme settings. The model file reads into it and the drawing keeps a copy
// with its stored data; the host's structure and its local bill of materials are built over
// it. It holds no references: components and occurrences name each other by id.
#include <cstdint>
#include <string>
#include <vector>

struct DLxAssemblyProperty {
    std::u16string name;   // a user property's name, unique in its component
    std::u16string value;
    bool operator==(const DLxAssemblyProperty&) const = default;
};

struct DLxAssemblyComponent {
    enum class Kind : int32_t { Part = 1, Assembly = 2 };

    int32_t id = 0;             // positive, unique in the assembly
    Kind kind = Kind::Part;
    std::u16string name;        // the document's name, e.g. u"bolt M8x30"
    std::u16string path;        // the document's path in the model repository, unique
    std::u16string partNumber;
    std::u16string description;
    std::u16string material;
    std::u16string vendor;
    double mass = 0.0;          // kg; meaningful when hasMass
    bool hasMass = false;
    bool purchased = false;
    bool standardPart = false;
    std::vector<DLxAssemblyProperty> userProperties;   // in file order
    // The document's representations; the first is the one a drawing shows.
    std::vector<std::u16string> representations;
    // Family table: a factory lists its members' names and the active one.
    bool isFactory = false;
    std::vector<std::u16string> factoryMembers;
    std::u16string activeMember;
    bool operator==(const DLxAssemblyComponent&) const = default;
};

// One occurrence of a component under an assembly. Four bolts are four occurrences (or one
// with quantity 4 when the model does not tell them apart).
struct DLxAssemblyOccurrence {
    int32_t id = 0;          // positive, unique in the assembly
    int32_t parent = 0;      // the assembly component it lies in
    int32_t component = 0;   // the component it places
    int32_t quantity = 1;    // at least 1
    bool operator==(const DLxAssemblyOccurrence&) const = default;
};

// The bill-of-materials scheme settings of the root assembly's document.
struct DLxAssemblyBOMScheme {
    bool structuredEnabled = true;      // scheme 1
    bool partsOnlyEnabled = false;      // scheme 2
    bool structuredAllLevels = false;
    int32_t structuredFormat = 0;       // numbering format code of scheme 1
    std::u16string structuredDelimiter = u".";
    int32_t partsOnlyFormat = 0;        // numbering format code of scheme 2
    bool updatePending = false;
    bool operator==(const DLxAssemblyBOMScheme&) const = default;
};

struct DLxAssemblyData {
    int32_t root = 0;                                // the root component's id; 0: no assembly
    std::vector<DLxAssemblyComponent> components;    // in file order
    std::vector<DLxAssemblyOccurrence> occurrences;  // in file order; siblings keep this order
    DLxAssemblyBOMScheme scheme;

    bool Empty() const { return root == 0; }
    bool operator==(const DLxAssemblyData&) const = default;
};
