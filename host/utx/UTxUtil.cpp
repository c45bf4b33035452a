#include "utx/UTxUtil.h"

#include <dlfcn.h>

#include <cstdlib>
#include <string>

namespace {

// Any address inside this library will do for dladdr.
const int kAnchor = 0;

std::string ResourceDirectory() {
    if (const char* env = std::getenv("KORVU_RESOURCE_DIR"); env && *env) return env;
    Dl_info info{};
    if (dladdr(&kAnchor, &info) && info.dli_fname) {
        const std::string self = info.dli_fname;
        const size_t slash = self.rfind('/');
        if (slash != std::string::npos) return self.substr(0, slash == 0 ? 1 : slash);
    }
    return {};
}

bool EndsWithDll(const UTxString16& name) {
    if (name.size() < 4) return false;
    const UTxString16 tail = name.substr(name.size() - 4);
    for (size_t i = 0; i < 4; ++i) {
        const char16_t c = tail[i] >= u'A' && tail[i] <= u'Z' ? char16_t(tail[i] + 32) : tail[i];
        if (c != u".dll"[i]) return false;
    }
    return true;
}

} // namespace

UTxString16 UTxUtil::GetResourceDLLPathName(const UTxString16& fileName) {
    UTxString16 name = fileName;
    if (EndsWithDll(name)) name = u"lib" + name.substr(0, name.size() - 4) + u".so";
    UTxString16 dir = UTx::MakeWideString(ResourceDirectory());
    if (dir.empty()) return name;
    if (dir.back() != u'/') dir += u'/';
    return dir + name;
}
