#include "Standard/DLxCDatumStd.h"

DLX_STD_META_DEF(DLxCDatumStd, DUxCategoryDefault, 0x30, 0)
DLX_STD_META_DEF(DLxCDatumStdANSI, DLxCDatumStd, 0x31, 0)
DLX_STD_META_DEF(DLxCDatumStdBSI, DLxCDatumStdISO, 0x32, 0)
DLX_STD_META_DEF(DLxCDatumStdDIN, DLxCDatumStd, 0x33, 0)
DLX_STD_META_DEF(DLxCDatumStdGB, DLxCDatumStdISO, 0x34, 0)
DLX_STD_META_DEF(DLxCDatumStdISO, DLxCDatumStd, 0x35, 0)
DLX_STD_META_DEF(DLxCDatumStdJIS, DLxCDatumStd, 0x36, 0)
