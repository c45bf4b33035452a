#pragma once
// A column of the local bill of materials: one property of the rows. The module's parts-list
// columns name their property this way when they ask the bill for values. A user property is
// named by its name in the components.
#include <cstdint>
#include <string>

class DUxStyleFormatColumnPropertyID;

class DLxLocalBOMColumn {
public:
    enum Kind : int32_t {
        Item = 1,
        Quantity = 2,
        PartNumber = 3,
        Description = 4,
        Material = 5,
        Mass = 6,
        Vendor = 7,
        Name = 8,          // the component document's name
        Path = 9,          // the component document's path in the model repository
        Purchased = 10,    // "Yes" or "No"
        StandardPart = 11, // "Yes" or "No"
        User = 12,
    };

    DLxLocalBOMColumn() = default;
    DLxLocalBOMColumn(Kind kind) : m_kind(kind) {} // NOLINT: a kind is a column
    static DLxLocalBOMColumn UserProperty(std::u16string name);

    Kind GetKind() const { return m_kind; }
    const std::u16string& GetName() const { return m_name; }
    bool IsQuantity() const { return m_kind == Quantity; }
    // A value that push-back may write into the model's component.
    bool IsModelProperty() const;

    // The text the bill stores the column under: "PartNumber", "User:Finish".
    std::u16string Key() const;
    // The column a table style's column shows: the parts-list properties "1" to "9" (item,
    // quantity, name, mass, material, part number, description, vendor, purchased) and the
    // user-defined parts-list properties by name, and the general properties the bill holds
    // (part number, vendor, description) by their property set and number; false for any
    // other property.
    static bool FromPropertyID(const DUxStyleFormatColumnPropertyID& property,
                               DLxLocalBOMColumn& out);
    // The column of a stored key; false for a key no column has.
    static bool FromKey(const std::u16string& key, DLxLocalBOMColumn& out);

    bool operator==(const DLxLocalBOMColumn& o) const = default;

private:
    Kind m_kind = Item;
    std::u16string m_name;
};
