#include "KorvuTestSupport.h"

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "ge/WqGePoint3d.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxString16.h"

KorvuTempDir::KorvuTempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "korvu-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("cannot make a temporary folder");
    m_path = tmpl;
}

KorvuTempDir::~KorvuTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

size_t KorvuFirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    EXPECT_EQ(a.size(), b.size()) << "the two saves differ in more than one field";
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i]) return i;
    ADD_FAILURE() << "the two saves are the same";
    return 0;
}

std::vector<uint8_t> KorvuCorpusFile(const std::string& target, const std::string& name,
                                     const std::vector<uint8_t>& made) {
    const char* root = std::getenv("KORVU_TEST_DATA");
    if (!root) {
        ADD_FAILURE() << "KORVU_TEST_DATA is not set";
        return {};
    }
    const std::filesystem::path path =
        std::filesystem::path(root) / "fuzz" / "corpus" / target / name;
    const char* update = std::getenv("KORVU_UPDATE_CORPUS");
    if (update && std::string(update) == "1") {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(made.data()), std::streamsize(made.size()));
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "no corpus file " << path.string();
        return {};
    }
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
}

KorvuFileSizeLimit::KorvuFileSizeLimit(unsigned long bytes) {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_soft = limit.rlim_cur;
    m_signal = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("cannot limit file sizes");
}

KorvuFileSizeLimit::~KorvuFileSizeLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = m_soft;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_signal);
}

KorvuNoPermissionOverride::KorvuNoPermissionOverride() {
    if (geteuid() != 0) return;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved[2]{};
    static_assert(sizeof saved == sizeof m_saved);
    if (syscall(SYS_capget, &header, saved) != 0) return;
    std::memcpy(m_saved, saved, sizeof saved);
    saved[0].effective &=
        ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
    m_lowered = syscall(SYS_capset, &header, saved) == 0;
}

KorvuNoPermissionOverride::~KorvuNoPermissionOverride() {
    if (!m_lowered) return;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved[2]{};
    std::memcpy(saved, m_saved, sizeof saved);
    syscall(SYS_capset, &header, saved);
}

std::vector<std::string> KorvuFolderNames(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

namespace {
void Describe(const SMxDisplayList& list, const std::string& indent, std::vector<std::string>& out) {
    auto point = [](const WqGePoint3d& p) {
        char b[128];
        std::snprintf(b, sizeof b, " (%a %a %a)", p.x, p.y, p.z);
        return std::string(b);
    };
    for (const SMxDisplayItem& item : list) {
        std::string d =
            indent + std::to_string(int(item.GetKind())) + " " + std::to_string(item.GetId());
        if (const auto* t = item.As<SMxTextItem>())
            d += " " + UTx::ToUtf8(t->text) + point(t->position) + " " + std::to_string(t->height) +
                 " " + std::to_string(int(t->alignment)) + " " + std::to_string(t->fontId);
        else if (const auto* l = item.As<SMxLineItem>())
            d += point(l->start) + point(l->end);
        else if (const auto* p = item.As<SMxPointItem>())
            d += point(p->position) + " " + std::to_string(p->marker);
        out.push_back(std::move(d));
        // A child list draws as part of its parent: its items count too.
        if (const auto* child = item.As<SMxChildItem>()) Describe(child->list, indent + "  ", out);
    }
}
} // namespace

std::vector<std::string> KorvuDescribe(const SMxDisplayList& list) {
    std::vector<std::string> out;
    Describe(list, "", out);
    return out;
}
