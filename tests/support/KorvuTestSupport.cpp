#include "KorvuTestSupport.h"

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

KorvuTempDir::KorvuTempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "korvu-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("cannot make a temporary folder");
    m_path = tmpl;
}

KorvuTempDir::~KorvuTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
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

std::vector<std::string> KorvuFolderNames(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
