#pragma once
// How a parts list numbers the rows of its bill of materials: the scheme it lists, the legacy
// numbering options, the delimiter of structured item numbers and whether sub-rows inherit
// their parent's number. Parts-list data derives from it and stores it.
#include <cstdint>
#include <string>

class DLxLocalBOMSetup {
public:
    int32_t GetSchemeID() const { return m_scheme; }
    // Takes the id as it is, with no check that the model has the scheme.
    void SetSchemeIDRaw(int32_t scheme) { m_scheme = scheme; }
    int32_t GetLegacyOptions() const { return m_legacy; }
    void SetLegacyOptions(int32_t options) { m_legacy = options; }
    const std::u16string& GetDelimiter() const { return m_delimiter; }
    void SetDelimiter(std::u16string delimiter) { m_delimiter = std::move(delimiter); }
    bool GetInheritance() const { return m_inherit; }
    void SetInheritance(bool inherit) { m_inherit = inherit; }

    bool operator==(const DLxLocalBOMSetup&) const = default;

private:
    int32_t m_scheme = 1;
    int32_t m_legacy = 0;
    std::u16string m_delimiter = u".";
    bool m_inherit = true;
};
