// Feeds arbitrary bytes to the document loader: it must load them or refuse them, nothing else.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "TstStoredClasses.h"
#include "rse/RSeDatabase.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::unique_ptr<RSeDatabase> db;
    UTxResult r = RSeDatabase::LoadFromBuffer(data, size, db);
    if (r.Failed() != (db == nullptr)) std::abort();
    if (db) {
        std::vector<uint8_t> again;
        if (db->SaveToBuffer(again).Failed()) std::abort();
    }
    return 0;
}
