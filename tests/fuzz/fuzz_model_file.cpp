// Feeds arbitrary text to the model-file reader: it must build a drawing or refuse the text with
// a message, nothing else. A drawing it builds computes, draws its views, and saves to bytes
// that load again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxModelFile.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "rse/RSeDatabase.h"
#include "sm/SMxDisplayList.h"

namespace {
void Check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "fuzz_model_file: %s\n", what);
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::unique_ptr<DLxDrawingDoc> doc;
    const UTxResult r = DLxModelFile::LoadFromString(
        std::string(reinterpret_cast<const char*>(data), size), "model.json", doc);
    Check(r.Failed() != (doc != nullptr), "a result that disagrees with the document");
    if (!doc) {
        Check(!r.GetMessageUtf8().empty(), "a refusal without a message");
        return 0;
    }
    Check(!doc->GetSheets().empty(), "a drawing without sheets");
    for (DLxSheet* sheet : doc->GetSheets()) {
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
        for (DLxViewInstance* view : sheet->GetViews()) {
            SMxDisplayList list;
            view->BuildDisplayList(list);
        }
    }
    std::vector<uint8_t> bytes;
    Check(!doc->GetRSeDb()->SaveToBuffer(bytes).Failed(), "the drawing does not save");
    std::unique_ptr<RSeDatabase> loaded;
    Check(!RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded).Failed(),
          "the saved drawing does not load");
    std::vector<uint8_t> again;
    Check(!loaded->SaveToBuffer(again).Failed() && again == bytes,
          "the loaded drawing saves to other bytes");
    return 0;
}
