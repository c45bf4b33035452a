#pragma once
// Helpers of the host's formatted text.
#include "utx/UTxString16.h"

class TXTxBaseUtil {
public:
    // Escapes the characters that formatted text reads as codes: "{" and "}" become "\{" and
    // "\}". slashHandling 1 keeps a backslash and the character after it as they are (codes
    // already written); 0 doubles every backslash. `newLines` true writes line breaks as "\P".
    // False, with out untouched, when nothing needs escaping.
    static bool EscapeSpecialChars(const UTxString16& in, UTxString16& out, int slashHandling,
                                   bool newLines);
};
