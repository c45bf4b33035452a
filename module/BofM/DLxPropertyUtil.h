#pragma once
// Conversions between the two ways tables name the property a column shows: the table styles'
// (a property set GUID text, a property id text and an external name, with the display values
// of DUxColumnInterface) and the parts-list model's (DLxPartListPropertyId in a
// DLxPartListColumn), and the hole-table editor's column record. What they make is made in the
// segment the caller passes and belongs to the caller.
//
// Property sets:
//   {BEB6B91C-AF44-4f9b-AD9E-1E0570A168F9}  parts-list properties "1" to "9" (types 3 to 11)
//   {D5CDD505-2E9C-101B-9397-08002B2CF9AE}  user-defined properties of parts lists, by name
//   {5401A7EA-6565-463a-9201-D2D56419257B}  user-defined properties of hole tables, by name
//   {04570C0A-FA19-4d76-A48F-D5A662908B35}  hole-table properties "1" to "25"
//   three category sets; any other set holds general (document) properties by number.
#include "BofM/DLxPartListPropertyId.h"
#include "Symbol/DLxSym.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxPartListColumn;
class DUxHoleTableStyleColumnItem;
class DUxRowKey;
class DUxStyleFormatColumnPropertyID;
class DUxTableColumnDef;
class DUxTableStylePartsListColumn;
class RSeSegment;

namespace DLxPropertyUtil {
inline constexpr const char16_t* kPartsListSet = u"{BEB6B91C-AF44-4f9b-AD9E-1E0570A168F9}";
inline constexpr const char16_t* kPartsListUserSet = u"{D5CDD505-2E9C-101B-9397-08002B2CF9AE}";
inline constexpr const char16_t* kHoleTableUserSet = u"{5401A7EA-6565-463a-9201-D2D56419257B}";
inline constexpr const char16_t* kHoleTableSet = u"{04570C0A-FA19-4d76-A48F-D5A662908B35}";
inline constexpr const char16_t* kCategory1Set = u"{32853F0F-3444-11d1-9E93-0060B03C1CA6}";
inline constexpr const char16_t* kCategory2Set = u"{3D38DE39-0588-4c14-BB37-18F4D5DD31C7}";
inline constexpr const char16_t* kCategory3Set = u"{8CF58000-DA66-4ae6-8FF0-7B58406FB049}";

bool ColumnIsInCategory(const DUxStyleFormatColumnPropertyID* property,
                        DLxSym::PropertyCategory category);
RSeRef<DLxPartListPropertyId> createPropertyIdFromStyle(const DUxStyleFormatColumnPropertyID* p,
                                                        RSeSegment* segment);
DLxPartListColumn* createColumnFromPropertyID(const DUxStyleFormatColumnPropertyID* p,
                                              RSeSegment* segment);
DLxPartListColumn* createColumnFromStyleItem(DUxTableStylePartsListColumn* column,
                                             RSeSegment* segment);
bool createStyleIdFromPropertyId(const DLxPartListPropertyId* id,
                                 DUxStyleFormatColumnPropertyID* out);
bool createStyleIdFromRowMerge(const RSeRef<DUxRowKey>& key, DUxStyleFormatColumnPropertyID* out);
// The external name becomes the column's heading whether or not the property converts.
bool createPropertyIDFromColumn(const DLxPartListColumn* column,
                                DUxStyleFormatColumnPropertyID* out);
// A column with a format mode but no unit values keeps the new style column's unit settings
// (the migration: its defaults) instead of reading through the missing values.
RSeRef<DUxTableStylePartsListColumn> createStyleItemFromColumn(const DLxPartListColumn* column,
                                                               RSeSegment* segment);
// As above, but a format mode of 0 gives the migration's unit defaults: marker 0, no unit
// string, leading and trailing zeros shown, precision 6, no fractions.
RSeRef<DUxTableStylePartsListColumn>
createStyleItemFromColumnMigration(const DLxPartListColumn* column, RSeSegment* segment);
UTxString16 GetHoleTableColumnPropertyName(const DUxStyleFormatColumnPropertyID* property);
RSeRef<DUxHoleTableStyleColumnItem> createStyleItemFromColumnDef(const DUxTableColumnDef* def,
                                                                 RSeSegment* segment);
// A new column record owned by the caller; the hole-table editor keeps it in memory.
DUxTableColumnDef* createColumnDefFromStyleItem(DUxHoleTableStyleColumnItem* item,
                                                RSeSegment* segment);
} // namespace DLxPropertyUtil
