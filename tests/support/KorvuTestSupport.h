#pragma once
#include <string>
#include <vector>

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

// While it lives, no file of this process grows past `bytes`: a write beyond fails as on a full
// disk (EFBIG instead of a signal), root or not.
class KorvuFileSizeLimit {
public:
    explicit KorvuFileSizeLimit(unsigned long bytes);
    ~KorvuFileSizeLimit();
    KorvuFileSizeLimit(const KorvuFileSizeLimit&) = delete;
    KorvuFileSizeLimit& operator=(const KorvuFileSizeLimit&) = delete;

private:
    unsigned long m_soft;
    void (*m_signal)(int);
};

// The names in a folder, sorted.
std::vector<std::string> KorvuFolderNames(const std::string& path);
