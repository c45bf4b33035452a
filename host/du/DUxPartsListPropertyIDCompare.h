#pragma once
// Orders parts-list property ids as the columns that show them tell them apart: by property set
// (its case ignored), property id and member; the external name is only a heading.
#include "du/DUxTableStyleColumn.h"

struct DUxPartsListPropertyIDCompare {
    bool operator()(const DUxStyleFormatColumnPropertyID& a,
                    const DUxStyleFormatColumnPropertyID& b) const;
};
