#pragma once
// The id of a table column that shows a property: the property set, the property id and (for a
// column repeated per family-table member) the member. Two columns with equal ids show the same
// values; the external name that heads a column is not part of its id. Not stored: a column's
// id is made from its property id whenever it is asked for.
#include "du/DUxTableStyleColumn.h"
#include "utx/UTxString16.h"

class DUxTableStyleColumn;

class DUxColumnIDPropBased {
public:
    DUxColumnIDPropBased() = default;
    explicit DUxColumnIDPropBased(const DUxStyleFormatColumnPropertyID& property)
        : m_property(property) {}
    // The id of the column; an empty id for null.
    static DUxColumnIDPropBased Of(const DUxTableStyleColumn* column);

    // Whether the id names a property at all.
    bool HasTarget() const { return !m_property.GetPropertyID().empty(); }
    const DUxStyleFormatColumnPropertyID& GetPropertyID() const { return m_property; }
    // Property sets compare without case (they are GUID texts), ids and members exactly.
    bool IsEqual(const DUxColumnIDPropBased& other) const;

private:
    DUxStyleFormatColumnPropertyID m_property;
};
