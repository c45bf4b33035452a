#include "KorvuTestSupport.h"

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
