#pragma once
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes.
class KorvuTempDir {
public:
    KorvuTempDir();
    ~KorvuTempDir();
    KorvuTempDir(const KorvuTempDir&) = delete;
    KorvuTempDir& operator=(const KorvuTempDir&) = delete;
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};
