#include "Standard/DLxCPartListStd.h"

DLX_STD_META_DEF(DLxCPartListStd, DUxCategoryDefault, 0x20, 0)
DLX_STD_META_DEF(DLxCPartListStdANSI, DLxCPartListStd, 0x21, 0)
DLX_STD_META_DEF(DLxCPartListStdBSI, DLxCPartListStdISO, 0x22, 0)
DLX_STD_META_DEF(DLxCPartListStdDIN, DLxCPartListStd, 0x23, 0)
DLX_STD_META_DEF(DLxCPartListStdGB, DLxCPartListStdISO, 0x24, 0)
DLX_STD_META_DEF(DLxCPartListStdISO, DLxCPartListStd, 0x25, 0)
DLX_STD_META_DEF(DLxCPartListStdJIS, DLxCPartListStd, 0x26, 0)
