#pragma once
// Transcript exchanges of the style records: lists of column property ids, and parts-list
// table-style columns. Both follow the _TDX_ conventions (the first error is kept; reading an
// absent optional key keeps the value).
#include <vector>

#include "rse/RSeRef.h"
#include "uc/UCxTranscriptDataExchange.h"

class DUxStyleFormatColumnPropertyID;
class DUxPartsListStyleColumnItem;
class DUxTableStylePartsListColumn;

// The count under "<key>_Count", then each property id under "<key>_<i in lower-case hex>" as
// the list of its texts [set, id, external name, member]. Reading resizes the list to the count.
bool _TDX_StyleFormatColumnPropertyIDVect(UCxTranscriptDataExchange& tdx, const char16_t* key,
                                          std::vector<DUxStyleFormatColumnPropertyID>& ids,
                                          bool required);

// A column's property, format and substitute under "<key>_<value>" keys. Reading needs the
// column to be there already (the record makes it) and fails for a null one.
bool _TDX_TableStylePartsListColumn(UCxTranscriptDataExchange& tdx, const char16_t* key,
                                    const RSeRef<DUxTableStylePartsListColumn>& column,
                                    bool required);

// A column of the older parts-list style: the column part above alone.
bool _TDX_StyleFormatColumnItem(UCxTranscriptDataExchange& tdx, const char16_t* key,
                                const RSeRef<DUxPartsListStyleColumnItem>& column, bool required);
