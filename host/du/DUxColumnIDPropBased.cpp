#include "du/DUxColumnIDPropBased.h"

DUxColumnIDPropBased DUxColumnIDPropBased::Of(const DUxTableStyleColumn* column) {
    return column ? DUxColumnIDPropBased(*column->GetPropertyID()) : DUxColumnIDPropBased();
}

bool DUxColumnIDPropBased::IsEqual(const DUxColumnIDPropBased& other) const {
    return m_property.IsPropertySet(other.m_property.GetPropertySet()) &&
           m_property.GetPropertyID() == other.m_property.GetPropertyID() &&
           m_property.GetMemberID() == other.m_property.GetMemberID();
}
