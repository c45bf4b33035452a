// Feeds arbitrary bytes to the document loader: it must load them or refuse them, nothing else.
// Stored classes of the host, of the module (linked, so that its meta types are registered) and
// of the tests are all known to it. What loads saves, and the saved bytes load again and save to
// the same bytes: saved bytes depend only on content.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "TstStoredClasses.h"
#include "fw/FWxAppletExtension.h"
#include "rse/RSeDatabase.h"

extern "C" FWxAppletExtension* ExtensionGetExtensionInterface();

namespace {
void Check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "fuzz_document_load: %s\n", what);
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Keeps the module linked in, and its registrations run.
    Check(ExtensionGetExtensionInterface() != nullptr, "the module has no applet extension");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::unique_ptr<RSeDatabase> db;
    const UTxResult r = RSeDatabase::LoadFromBuffer(data, size, db);
    Check(r.Failed() == (db == nullptr), "a result that disagrees with the database");
    if (!db) return 0;
    std::vector<uint8_t> saved;
    Check(!db->SaveToBuffer(saved).Failed(), "a loaded drawing does not save");
    db.reset();
    std::unique_ptr<RSeDatabase> again;
    Check(!RSeDatabase::LoadFromBuffer(saved.data(), saved.size(), again).Failed(),
          "a saved drawing does not load");
    std::vector<uint8_t> resaved;
    Check(!again->SaveToBuffer(resaved).Failed(), "a reloaded drawing does not save");
    Check(resaved == saved, "a reloaded drawing saves to other bytes");
    return 0;
}
