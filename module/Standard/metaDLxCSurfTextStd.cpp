#include "Standard/DLxCSurfTextStd.h"

DLX_STD_META_DEF(DLxCSurfTextStd, DUxCategoryDefault, 0x60, 0)
DLX_STD_META_DEF(DLxCSurfTextStdANSI, DLxCSurfTextStd, 0x61, 0)
DLX_STD_META_DEF(DLxCSurfTextStdBSI, DLxCSurfTextStd, 0x62, 0)
DLX_STD_META_DEF(DLxCSurfTextStdDIN, DLxCSurfTextStd, 0x63, 0)
DLX_STD_META_DEF(DLxCSurfTextStdGB, DLxCSurfTextStdISO, 0x64, 0)
DLX_STD_META_DEF(DLxCSurfTextStdISO, DLxCSurfTextStd, 0x65, 0)
DLX_STD_META_DEF(DLxCSurfTextStdJIS, DLxCSurfTextStd, 0x66, 0)
