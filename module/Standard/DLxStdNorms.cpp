#include "Standard/DLxStdNorms.h"

UTxString16 DLxNormTitle(DLxStdKind kind, DLxStdWhich standard) {
    // Columns ANSI, BSI, DIN, GB, ISO, JIS; JIS balloons and parts lists follow ISO.
    static const char16_t* const kTitles[6][6] = {
        {u"ASME Y14.36M - 1989", u"BS 142 - 1992", u"DIN 6771 - 1987", u"GB/T 4458.2-84",
         u"ISO 7573 - 1983", u"ISO 7573 - 1983"},
        {u"ASME Y14.36M - 1989", u"BS 142 - 1992", u"DIN 6771 - 1987", u"GB/T  GB 10609.2-89",
         u"ISO 7573 - 1983", u"ISO 7573 - 1983"},
        {u"ASME Y14.5M - 1994", u"BS 308 - 1990", u"DIN ISO 1101 - 1983", u"GB/T 1182-96",
         u"ISO 1101 - 1983, ISO 7083 - 1983", u"JIS B 0021 (1984)"},
        {u"ASME Y14.5M - 1994", u"BS 308 - 1990", u"DIN ISO 1101 - 1983", u"GB/T 1182-96",
         u"ISO 1101 - 1983", u"JIS B 0021 (1984)"},
        {u"ASME Y14.5M - 1994", u"BS 308 - 1990", u"DIN ISO 1101 - 1983", u"GB/T 1182-96",
         u"ISO 1101 - 1983", u"JIS B 0021 (1984)"},
        {u"ASME Y14.36M - 1996", u"BS 308 - 1990", u"DIN ISO 1302 : 1992", u"GB/T 131-93",
         u"ISO 1302 - 1978", u"JIS B 0031 (1994)"},
    };
    return kTitles[int(kind)][int(standard)];
}
