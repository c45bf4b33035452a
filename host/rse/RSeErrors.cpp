#include "rse/RSeErrors.h"

#include "utx/UTxException.h"

namespace {
struct Messages {
    Messages() {
        UTx::RegisterMessage(kRSeLibrary, UTxResult::IdOf(kRSeErrUnsupportedVersion),
                             u"The document holds data in a version this program cannot read");
        UTx::RegisterMessage(kRSeLibrary, UTxResult::IdOf(kRSeErrDamaged),
                             u"The document file is damaged");
        UTx::RegisterMessage(kRSeLibrary, UTxResult::IdOf(kRSeErrNotADocument),
                             u"The file is not a Korvu document");
        UTx::RegisterMessage(kRSeLibrary, UTxResult::IdOf(kRSeErrNewerFormat),
                             u"The document was written by a newer version of Korvu");
        UTx::RegisterMessage(kRSeLibrary, UTxResult::IdOf(kRSeErrUnknownClass),
                             u"The document holds objects of a class this program does not know");
        UTx::RegisterMessage(kRSeLibrary, UTxResult::IdOf(kRSeErrRead), u"The file cannot be read");
        UTx::RegisterMessage(kRSeLibrary, UTxResult::IdOf(kRSeErrWrite),
                             u"The file cannot be written");
        UTx::RegisterMessage(
            kRSeLibrary, UTxResult::IdOf(kRSeErrNewerClass),
            u"The document holds objects stored by a newer version of their class");
    }
} g_messages;
} // namespace

namespace RSe {
void ThrowDamaged(const UTxString16& what) {
    UTxException::Throw(UTxResult(kRSeErrDamaged, what));
}
} // namespace RSe
