#pragma once
// The model's bill-of-materials settings as the drawing's parts lists ask for them: which
// schemes the root document has enabled, their numbering formats, and the family table of
// a document. It reads the assembly it was made on, which must outlive it.
#include <cstdint>
#include <string>
#include <vector>

struct DLxAssemblyComponent;
struct DLxAssemblyData;

class GBxBOMDescriptor {
public:
    explicit GBxBOMDescriptor(const DLxAssemblyData& assembly) : m_assembly(assembly) {}

    // Scheme 1 is the structured bill, scheme 2 the parts-only one; any other is off.
    bool IsBOMSchemeEnabled(int32_t scheme) const;
    int32_t GetBOMStructuredFormat() const;
    int32_t GetBOMAllPartsFormat() const;
    const std::u16string& GetBOMStructuredDelimiter() const;
    bool IsBOMStructuredAllLevels() const;
    bool IsBOMUpdatePending() const;
    // The model keeps item numbers of its top level only (its structured scheme does not list
    // every level), so only those can be pushed back.
    bool DetailIDNotAvailable() const;

    // Family tables, of the document at that path (the root document for an empty path).
    // A document that is no factory has no members and no active member.
    bool IsBOMFactory(const std::u16string& path = {}) const;
    std::vector<std::u16string> GetBOMFactoryMembers(const std::u16string& path = {}) const;
    std::u16string GetActiveFactoryMember(const std::u16string& path = {}) const;

private:
    const DLxAssemblyComponent* Document(const std::u16string& path) const;
    const DLxAssemblyData& m_assembly;
};
