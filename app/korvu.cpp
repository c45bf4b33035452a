// korvu: drives the Korvu module the way the CAD host did, from the command line.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include <unistd.h>

#include "KorvuInput.h"
#include "KorvuOutputBatch.h"
#include "KorvuSession.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxModelFile.h"
#include "fw/FWxAppletExtension.h"
#include "fw/FWxTableExport.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

namespace {
const char* kUsage =
    "usage:\n"
    "  korvu run MODEL.json TRANSCRIPT [-o DRAWING] [--svg DIR] [--pdf FILE] [--png DIR]\n"
    "            [--transcript FILE] [--input FILE]\n"
    "      make a drawing from a model, replay a transcript on it, save and draw it;\n"
    "      --input then plays a user's drags on it (see the README), --transcript writes\n"
    "      the session's own transcript of what it did\n"
    "  korvu open DRAWING [-o DRAWING] [--svg DIR] [--pdf FILE] [--png DIR]\n"
    "      load (and upgrade) a stored drawing, then save and draw it the same way\n"
    "  korvu dump DRAWING\n"
    "      print the structure of a stored drawing\n"
    "  korvu export DRAWING --parts-list NAME FILE [--columns N,N,...] [--title] [--unicode]\n"
    "               [--dbase3]\n"
    "      write a parts list (NAME as 'korvu dump' shows its key) to FILE, by its extension:\n"
    "        .txt  text, tab-separated (--unicode: UTF-16)\n"
    "        .csv  comma-separated values (--unicode: UTF-16)\n"
    "        .xls  spreadsheet workbook, one sheet named after the parts list's title\n"
    "        .mdb  Access database, one table named after the parts list's title\n"
    "        .dbf  dBASE IV table (--dbase3: dBASE III)\n"
    "      --columns picks columns by number (1 the first), --title writes the title first\n"
    "      (text and workbook files only)\n"
    "  korvu --help | --version\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "korvu: %s\n", message.c_str());
    return 2;
}

// What could not be foreseen ends the program like bad input, with one message: never with an
// abort and its core. Allocates nothing, for when memory is what ran out.
int FailUnexpected(std::exception_ptr e) {
    const char* what = nullptr;
    bool memory = false;
    try {
        if (e) std::rethrow_exception(e);
    } catch (const std::bad_alloc&) {
        memory = true;
    } catch (const std::exception& x) {
        what = x.what();
    } catch (...) {
    }
    if (memory)
        std::fputs("korvu: out of memory\n", stderr);
    else if (what && *what)
        std::fprintf(stderr, "korvu: unexpected error: %s\n", what);
    else
        std::fputs("korvu: unexpected error\n", stderr);
    return 2;
}

struct Options {
    std::vector<std::string> positional;
    std::string save;
    std::string transcript;
    std::string input;
    KorvuOutputs outputs;
};

// False with a message on an unknown option or a missing value.
bool ParseOptions(int argc, char** argv, int first, Options& o, std::string& why) {
    for (int i = first; i < argc; ++i) {
        const std::string a = argv[i];
        std::string* target = nullptr;
        if (a == "-o")
            target = &o.save;
        else if (a == "--svg")
            target = &o.outputs.svgDir;
        else if (a == "--png")
            target = &o.outputs.pngDir;
        else if (a == "--pdf")
            target = &o.outputs.pdfFile;
        else if (a == "--transcript")
            target = &o.transcript;
        else if (a == "--input")
            target = &o.input;
        else if (a.size() > 1 && a[0] == '-') {
            why = "unknown option '" + a + "'";
            return false;
        }
        if (!target) {
            o.positional.push_back(a);
            continue;
        }
        if (i + 1 >= argc) {
            why = "option '" + a + "' needs a value";
            return false;
        }
        *target = argv[++i];
    }
    return true;
}

// Makes the folders that the outputs go to, before any work: a command that cannot write its
// outputs fails before it replays anything.
bool PrepareOutputs(const Options& o, KorvuOutputBatch& batch, std::string& why) {
    for (const std::string* file : {&o.save, &o.outputs.pdfFile, &o.transcript})
        if (!file->empty() && !batch.MakeFolderOf(*file, why)) return false;
    for (const std::string* dir : {&o.outputs.svgDir, &o.outputs.pngDir})
        if (!batch.MakeFolder(*dir, why)) return false;
    return true;
}

// Saves and draws as the options say, then puts every file in place at once; 0, or 2 with the
// message and no file written.
int Finish(DLxDrawingDoc& doc, const Options& o, KorvuOutputBatch& batch) {
    std::string why;
    if (!o.save.empty()) {
        std::string staged;
        if (!batch.Stage(o.save, staged, why)) return Fail(why);
        UTxResult r = doc.Save(staged);
        if (r.Failed()) return Fail(KorvuOutputBatch::Renamed(r, staged, o.save).GetMessageUtf8());
    }
    UTxResult r = KorvuDrawSheets(doc, o.outputs, batch);
    if (r.Failed()) return Fail(r.GetMessageUtf8());
    std::vector<std::string> written;
    const bool committed = batch.Commit(written, why);
    for (const std::string& file : written)
        std::printf("wrote %s\n", file.c_str());
    if (!committed) return Fail(why);
    return 0;
}

// The program ends after its last output: freeing a drawing of thousands of annotations object
// by object would take longer than the system takes to drop the whole process. Sanitized builds
// free it, so that their leak check still sees every object.
int Done(std::unique_ptr<DLxDrawingDoc> doc, int code) {
#if !defined(__SANITIZE_ADDRESS__)
    if (code == 0) {
        std::fflush(stdout);
        std::_Exit(code);
    }
#endif
    doc.reset();
    return code;
}

int Run(const Options& o, FWxAppletExtension* ext) {
    if (o.positional.size() != 2)
        return Fail(std::string("'run' takes a model and a transcript\n") + kUsage);
    KorvuOutputBatch batch;
    std::string why;
    if (!PrepareOutputs(o, batch, why)) return Fail(why);
    std::unique_ptr<DLxDrawingDoc> doc;
    UTxResult r = DLxModelFile::Load(o.positional[0], doc);
    if (r.Failed()) return Fail(r.GetMessageUtf8());
    ext->CreateDocumentInterfaces(doc.get());
    ext->SetUpNewDocument(doc.get());
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.SetKeepLines(false); // journalled to the file, when asked for one
    if (!o.transcript.empty()) {
        std::string staged;
        if (!batch.Stage(o.transcript, staged, why)) return Fail(why);
        r = mgr.OpenFile(staged);
        if (r.Failed()) return Fail(o.transcript + ": " + r.GetMessageUtf8());
    }
    r = mgr.ReplayFile(doc.get(), o.positional[1]);
    if (r.Failed()) {
        (void)mgr.CloseFile();
        return Fail(o.positional[1] + ": " + r.GetMessageUtf8());
    }
    // The user's drags act on the drawing as the transcript left it, journalled after it.
    if (!o.input.empty()) {
        if (!KorvuPlayInput(*doc, o.input, why)) {
            (void)mgr.CloseFile();
            return Fail(why);
        }
    }
    UTxResult closed = mgr.CloseFile();
    if (closed.Failed()) return Fail(o.transcript + ": " + closed.GetMessageUtf8());
    const int code = Finish(*doc, o, batch);
    return Done(std::move(doc), code);
}

int Open(const Options& o, FWxAppletExtension* ext) {
    if (o.positional.size() != 1 || !o.transcript.empty() || !o.input.empty())
        return Fail(std::string("'open' takes one drawing\n") + kUsage);
    KorvuOutputBatch batch;
    std::string why;
    if (!PrepareOutputs(o, batch, why)) return Fail(why);
    std::unique_ptr<DLxDrawingDoc> doc;
    UTxResult r = DLxDrawingDoc::Open(o.positional[0], doc);
    if (r.Failed()) return Fail(r.GetMessageUtf8());
    ext->CreateDocumentInterfaces(doc.get());
    ext->SetUpLoadedDocument(doc.get());
    const int code = Finish(*doc, o, batch);
    return Done(std::move(doc), code);
}

int Dump(const Options& o) {
    if (o.positional.size() != 1 || !o.save.empty() || !o.transcript.empty() || !o.input.empty() ||
        !o.outputs.svgDir.empty() || !o.outputs.pngDir.empty() || !o.outputs.pdfFile.empty())
        return Fail(std::string("'dump' takes one drawing\n") + kUsage);
    std::unique_ptr<DLxDrawingDoc> doc;
    UTxResult r = DLxDrawingDoc::Open(o.positional[0], doc);
    if (r.Failed()) return Fail(r.GetMessageUtf8());
    std::fputs(KorvuDump(*doc).c_str(), stdout);
    return 0;
}

// The export type id by the file's extension, as the export dialog's types name them; 0 when
// the file names no type. A ".dbf" file is dBASE IV, the type the dialog offers first.
int32_t ExportTypeOf(const std::string& file, bool unicode, bool dBase3, std::string& why) {
    const size_t dot = file.rfind('.');
    std::string ext = dot == std::string::npos ? "" : file.substr(dot);
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (dBase3 && ext != ".dbf") {
        why = "--dbase3 is for .dbf files only";
        return 0;
    }
    if (ext == ".txt") return unicode ? 7 : 5;
    if (ext == ".csv") return unicode ? 8 : 6;
    if (ext == ".xls") return 1;
    if (ext == ".mdb") return 2;
    if (ext == ".dbf") return dBase3 ? 3 : 4;
    why = "cannot tell the export type of '" + file + "': use .txt, .csv, .xls, .mdb or .dbf";
    return 0;
}

int Export(int argc, char** argv, FWxAppletExtension* ext) {
    std::vector<std::string> positional;
    std::string name, columns;
    bool title = false, unicode = false, dBase3 = false;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--title") {
            title = true;
        } else if (a == "--dbase3") {
            dBase3 = true;
        } else if (a == "--unicode") {
            unicode = true;
        } else if (a == "--parts-list" || a == "--columns") {
            if (i + 1 >= argc) return Fail("option '" + a + "' needs a value");
            (a == "--columns" ? columns : name) = argv[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            return Fail("unknown option '" + a + "'");
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2 || name.empty())
        return Fail(std::string("'export' takes a drawing, --parts-list NAME and a file\n") +
                    kUsage);
    FWxTableExportRequest request;
    request.table = UTx::MakeWideString(name);
    request.path = UTx::MakeWideString(positional[1]);
    request.title = title;
    std::string why;
    request.typeId = ExportTypeOf(positional[1], unicode, dBase3, why);
    if (!request.typeId) return Fail(why);
    for (size_t at = 0; !columns.empty() && at <= columns.size();) {
        const size_t comma = std::min(columns.find(',', at), columns.size());
        const std::string n = columns.substr(at, comma - at);
        char* end = nullptr;
        const long v = std::strtol(n.c_str(), &end, 10);
        if (n.empty() || *end || v < 1 || v > 100000)
            return Fail("--columns takes column numbers from 1, separated by commas");
        request.columns.push_back(int32_t(v - 1));
        at = comma + 1;
    }
    std::unique_ptr<DLxDrawingDoc> doc;
    UTxResult r = DLxDrawingDoc::Open(positional[0], doc);
    if (r.Failed()) return Fail(r.GetMessageUtf8());
    ext->CreateDocumentInterfaces(doc.get());
    ext->SetUpLoadedDocument(doc.get());
    for (DLxSheet* sheet : doc->GetSheets()) KorvuShowSheet(sheet);
    r = FWxExportTable(doc.get(), request);
    if (r.Failed()) return Fail(UTx::ToUtf8(r.GetDetail()));
    std::printf("wrote %s\n", positional[1].c_str());
    return 0;
}

int Main(int argc, char** argv) {
    if (argc < 2) return Fail(std::string("no verb given\n") + kUsage);
    const std::string verb = argv[1];
    if (verb == "--help" || verb == "-h" || verb == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (verb == "--version") {
        std::puts("korvu 0.1.0");
        return 0;
    }
    if (verb != "run" && verb != "open" && verb != "dump" && verb != "export")
        return Fail("unknown verb '" + verb + "'\n" + kUsage);
    Options o;
    std::string why;
    if (verb == "export") {
        FWxAppletExtension* ext = KorvuLoadModule(why);
        if (!ext) return Fail(why);
        return Export(argc, argv, ext);
    }
    if (!ParseOptions(argc, argv, 2, o, why)) return Fail(why);
    FWxAppletExtension* ext = KorvuLoadModule(why);
    if (!ext) return Fail(why);
    if (verb == "run") return Run(o, ext);
    if (verb == "open") return Open(o, ext);
    return Dump(o);
}
} // namespace

// A drawing's objects are many and small: a sheet of thousands of annotations grows the C
// library's heap by hundreds of megabytes, and on virtual machines a fault on each fresh 4 KiB
// page costs more than the work done in it. The library backs its heap with huge pages only
// when asked before the program starts, so the program asks, and starts itself again once.
// A request also allocates and frees hundreds of small blocks: the library keeps 7 freed blocks
// of a size at hand, and past that each malloc and free takes its slow path; 64 hold a request's
// churn. Where huge pages are off, or the address sanitizer owns the heap, only the second is
// asked; a setting already in GLIBC_TUNABLES is left as it is.
#if !defined(__SANITIZE_ADDRESS__)
static bool HugePagesAvailable() {
    std::FILE* f = std::fopen("/sys/kernel/mm/transparent_hugepage/enabled", "r");
    if (!f) return false;
    char mode[128] = {};
    const bool read = std::fgets(mode, sizeof mode, f) != nullptr;
    std::fclose(f);
    return read && !std::strstr(mode, "[never]");
}
#endif

static void AskForHeapTunables(char** argv) {
#if !defined(__SANITIZE_ADDRESS__)
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    std::string value = tunables ? tunables : "";
    bool asked = false;
    const auto ask = [&](const char* name, const char* setting) {
        if (value.find(name) != std::string::npos) return; // asked, or refused
        if (!value.empty()) value += ":";
        value += setting;
        asked = true;
    };
    ask("glibc.malloc.tcache_count", "glibc.malloc.tcache_count=64");
    if (HugePagesAvailable()) ask("glibc.malloc.hugetlb", "glibc.malloc.hugetlb=1");
    if (!asked || setenv("GLIBC_TUNABLES", value.c_str(), 1) != 0) return;
    execv("/proc/self/exe", argv);
    // Still here: run as we are.
#else
    (void)argv;
#endif
}

int main(int argc, char** argv) {
    // Only the verbs that build or load a whole drawing are worth a second start.
    if (argc > 1 && (std::strcmp(argv[1], "run") == 0 || std::strcmp(argv[1], "open") == 0))
        AskForHeapTunables(argv);
    // An exception that cannot reach the handler below (out of a destructor, say) would end
    // in std::terminate: it ends the same way instead.
    std::set_terminate([] {
        std::fflush(stdout);
        std::_Exit(FailUnexpected(std::current_exception()));
    });
    try {
        return Main(argc, argv);
    } catch (...) {
        return FailUnexpected(std::current_exception());
    }
}
