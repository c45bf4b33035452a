#include "uc/TXTxBaseUtil.h"

bool TXTxBaseUtil::EscapeSpecialChars(const UTxString16& in, UTxString16& out, int slashHandling,
                                      bool newLines) {
    UTxString16 r;
    r.reserve(in.size() + 4);
    bool changed = false;
    for (size_t i = 0; i < in.size(); ++i) {
        const char16_t c = in[i];
        if (c == u'\\') {
            if (slashHandling == 1 && i + 1 < in.size()) {
                r += c;
                r += in[++i];
                continue;
            }
            r += u"\\\\";
            changed = true;
        } else if (c == u'{' || c == u'}') {
            r += u'\\';
            r += c;
            changed = true;
        } else if (newLines && c == u'\n') {
            r += u"\\P";
            changed = true;
        } else {
            r += c;
        }
    }
    if (!changed) return false;
    out = std::move(r);
    return true;
}
