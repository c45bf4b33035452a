// korvu: drives the Korvu module the way the CAD host did, from the command line.
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "WinModule.h"
#include "ge/WqGePoint3d.h"
#include "rd/RDxValue.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeIDed.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSegment.h"
#include "utx/UTxResult.h"

namespace {
const char* kUsage =
    "usage: korvu <verb> [arguments]\n"
    "\n"
    "verbs:\n"
    "  sample OUT             write a small sample document to OUT\n"
    "  dump DRAWING           print the structure of a stored document\n"
    "  resave DRAWING OUT     load a stored document (upgrading it) and save it to OUT\n"
    "  --help                 this text\n"
    "  --version              the program's version\n";

int Fail(const std::string& message, int code = 2) {
    std::fprintf(stderr, "korvu: %s\n", message.c_str());
    return code;
}

int FailResult(const UTxResult& r) {
    return Fail(r.GetMessageUtf8());
}

std::string ExeDir() {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    buf[n] = 0;
    std::string p(buf);
    const size_t slash = p.rfind('/');
    return slash == std::string::npos ? "." : p.substr(0, slash);
}

// The module registers its stored classes when it is loaded, as it did inside the host; it
// refuses to load without its resource module.
bool LoadModule() {
    const std::string path = ExeDir() + "/libkorvu.so";
    if (!LoadLibraryW(UTx::MakeWideString(path).c_str())) {
        const char* why = dlerror();
        Fail("cannot load the module " + path + (why ? std::string(": ") + why : std::string()) +
             " (is libKorvuRes.so beside it?)");
        return false;
    }
    return true;
}

int Sample(const std::string& out) {
    RSeDatabase db;
    RSeSegment* sheet = db.CreateSegment(u"Sheet:1");
    RSeSegment* styles = db.CreateSegment(u"Styles");
    auto* title = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)), sheet) RDxString();
    title->SetSimpleValue(u"Gear housing \u00d8 40");
    auto* corner = new (RSe::_GetMeta(static_cast<const RDxPoint3*>(nullptr)), sheet) RDxPoint3();
    corner->SetPoint(WqGePoint3d(420.0, 297.0, 0.0));
    auto* count = new (RSe::_GetMeta(static_cast<const RDxInt*>(nullptr)), styles) RDxInt();
    count->SetValue(6);
    UTxResult r = db.Save(out);
    if (r.Failed()) return FailResult(r);
    std::printf("wrote %s\n", out.c_str());
    return 0;
}

int Dump(const std::string& path) {
    std::unique_ptr<RSeDatabase> db;
    UTxResult r = RSeDatabase::Load(path, db);
    if (r.Failed()) return FailResult(r);
    std::printf("%s: %u segments\n", path.c_str(), db->GetSegmentCount());
    for (uint32_t i = 0; i < db->GetSegmentCount(); ++i) {
        RSeSegment* seg = db->GetSegment(i);
        std::printf("segment %u \"%s\": %zu objects\n", i, UTx::ToUtf8(seg->GetName()).c_str(),
                    seg->GetObjectCount());
        seg->ForEachObject([](RSeVMeta* obj) {
            RSeMetaType* mt = obj->GetMeta();
            std::string line = "  " + UTx::ToUtf8(mt->GetName());
            if (auto* ided = dynamic_cast<RSeIDed*>(obj))
                line += " #" + std::to_string(ided->GetId());
            if (auto* s = dynamic_cast<RDxString*>(obj))
                line += " \"" + UTx::ToUtf8(s->GetSimpleValue()) + "\"";
            else if (auto* n = dynamic_cast<RDxInt*>(obj))
                line += " " + std::to_string(n->GetValue());
            else if (auto* p = dynamic_cast<RDxPoint3*>(obj)) {
                char buf[96];
                std::snprintf(buf, sizeof buf, " (%g,%g,%g)", p->GetPoint().x, p->GetPoint().y,
                              p->GetPoint().z);
                line += buf;
            }
            std::printf("%s\n", line.c_str());
        });
    }
    return 0;
}

int Resave(const std::string& in, const std::string& out) {
    std::unique_ptr<RSeDatabase> db;
    UTxResult r = RSeDatabase::Load(in, db);
    if (r.Failed()) return FailResult(r);
    r = db->Save(out);
    if (r.Failed()) return FailResult(r);
    std::printf("wrote %s\n", out.c_str());
    return 0;
}
} // namespace

int main(int argc, char** argv) {
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
    auto need = [&](int n) { return argc == 2 + n; };
    if (!LoadModule()) return 2;
    if (verb == "sample" && need(1)) return Sample(argv[2]);
    if (verb == "dump" && need(1)) return Dump(argv[2]);
    if (verb == "resave" && need(2)) return Resave(argv[2], argv[3]);
    if (verb == "sample" || verb == "dump" || verb == "resave")
        return Fail("wrong number of arguments for '" + verb + "'\n" + kUsage);
    return Fail("unknown verb '" + verb + "'\n" + kUsage);
}
