#include "Standard/DLxCSurfTextStd.h"

DLX_STD_META_DEF(DLxCSurfTextStd, DUxCategoryDefault, 0x60, 0, 0x43d96080, 0x3b8e11d2, 0xbe860800,
                 0x09dc42f8)
DLX_STD_META_DEF(DLxCSurfTextStdANSI, DLxCSurfTextStd, 0x61, 0, 0x79dc4dec, 0x3c4111d2, 0xbe870800,
                 0x09dc42f8)
DLX_STD_META_DEF(DLxCSurfTextStdBSI, DLxCSurfTextStd, 0x62, 0, 0xa7e957e2, 0x13fe11d3, 0xbf330010,
                 0x4bb54a0b)
DLX_STD_META_DEF(DLxCSurfTextStdDIN, DLxCSurfTextStd, 0x63, 0, 0xe39bac24, 0x53e911d2, 0x9b940060,
                 0xb087bcec)
DLX_STD_META_DEF(DLxCSurfTextStdGB, DLxCSurfTextStdISO, 0x64, 0, 0xd0d954a0, 0x06de11d3, 0xbf270010,
                 0x4bb54a0b)
DLX_STD_META_DEF(DLxCSurfTextStdISO, DLxCSurfTextStd, 0x65, 0, 0x55b0843e, 0x3d1411d2, 0xbe880800,
                 0x09dc42f8)
DLX_STD_META_DEF(DLxCSurfTextStdJIS, DLxCSurfTextStd, 0x66, 0, 0x968f69b8, 0x534211d2, 0x9b930060,
                 0xb087bcec)
