// Feeds arbitrary text to transcript replay, one line a request, on a small drawing made from a
// model with the module loaded the way the program loads it. Lines may fail, nothing else may
// go wrong: a failed line leaves the drawing as it was, undoing every request that went through
// gives the drawing from before the replay byte for byte, redoing them all gives the replayed
// drawing back, and the session's own transcript replays to the same drawing.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "KorvuSession.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxModelFile.h"
#include "fw/FWxAppletExtension.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"

namespace {

// One sheet with a view of a few edges of each kind: enough for every request to find an edge,
// a style and a frame to work on, small enough to be made again for every input.
constexpr const char* kModel = R"({
  "format": "korvu-model", "version": 1, "standard": "ISO",
  "sheets": [{"name": "Sheet 1", "width": 420, "height": 297, "views": [
    {"name": "Front", "scale": 1, "center": [140, 210], "orientation": "front",
     "origin": [0, 20, 0], "edges": [
      {"id": 1, "line": [[-60, 0, 40], [60, 0, 40]]},
      {"id": 2, "line": [[60, 0, 40], [60, 10, 40]]},
      {"id": 3, "line": [[60, 10, 40], [-60, 10, 40]]},
      {"id": 4, "line": [[-60, 10, 40], [-60, 0, 40]]},
      {"id": 5, "line": [[-20, 10, 0], [-20, 40, 0]]},
      {"id": 6, "line": [[20, 10, 0], [20, 40, 0]]},
      {"id": 7, "line": [[-20, 40, 0], [20, 40, 0]]},
      {"id": 8, "arc": {"center": [0, 40, 0], "normal": [0, 0, 1], "radius": 20,
                        "start": 0, "end": 180}},
      {"id": 9, "circle": {"center": [0, 25, 0], "normal": [0, 0, 1], "radius": 5}}]}]}]
})";

// Each line that goes through is processed four times (replay, undo, redo, the journal): a
// dozen or so lines reach every request several times and keep an input under a few seconds.
constexpr size_t kMaxLines = 16;

FWxAppletExtension* g_extension = nullptr;

void Check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "fuzz_transcript_replay: %s\n", what);
    std::abort();
}

std::unique_ptr<DLxDrawingDoc> NewDrawing() {
    std::unique_ptr<DLxDrawingDoc> doc;
    Check(!DLxModelFile::LoadFromString(kModel, "model", doc).Failed(), "the model does not load");
    g_extension->CreateDocumentInterfaces(doc.get());
    g_extension->SetUpNewDocument(doc.get());
    return doc;
}

std::vector<uint8_t> Bytes(DLxDrawingDoc& doc) {
    std::vector<uint8_t> out;
    Check(!doc.GetRSeDb()->SaveToBuffer(out).Failed(), "the drawing does not save");
    return out;
}

// The input's lines as replay reads a file: '\n' ends a line, a '\r' before it goes, blank lines
// and comments are skipped.
std::vector<UTxString16> Lines(std::string_view text) {
    std::vector<UTxString16> lines;
    while (!text.empty() && lines.size() < kMaxLines) {
        const size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == '#') continue;
        lines.push_back(UTx::MakeWideString(line));
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string why;
    g_extension = KorvuLoadModule(why);
    if (!g_extension) {
        std::fprintf(stderr, "fuzz_transcript_replay: %s\n", why.c_str());
        std::exit(1);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<UTxString16> lines =
        Lines(std::string_view(reinterpret_cast<const char*>(data), size));
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();

    std::unique_ptr<DLxDrawingDoc> doc = NewDrawing();
    const std::vector<uint8_t> before = Bytes(*doc);
    std::vector<uint8_t> now = before;
    for (const UTxString16& line : lines) {
        if (!mgr.ReplayLine(doc.get(), line).Failed()) {
            now = Bytes(*doc);
            continue;
        }
        Check(Bytes(*doc) == now, "a failed line changed the drawing");
    }
    const std::vector<UTxString16> journal = mgr.GetLines();

    // Undo what went through (and is still done), then redo just that.
    const size_t done = doc->GetUndoDepth();
    for (size_t i = 0; i < done; ++i)
        Check(!doc->Undo().Failed(), "undo failed");
    Check(Bytes(*doc) == before, "undoing every request does not give the drawing back");
    for (size_t i = 0; i < done; ++i)
        Check(!doc->Redo().Failed(), "redo failed");
    Check(Bytes(*doc) == now, "redoing every request does not give the replayed drawing");
    doc.reset();

    // The session's transcript, replayed on the drawing it started from (most inputs have no
    // line that goes through, and making a drawing is most of what an input costs).
    if (journal.empty()) return 0;
    std::unique_ptr<DLxDrawingDoc> again = NewDrawing();
    for (const UTxString16& line : journal)
        Check(!mgr.ReplayLine(again.get(), line).Failed(), "the session's transcript fails");
    Check(Bytes(*again) == now, "the session's transcript replays to another drawing");
    mgr.ClearLines();
    return 0;
}
