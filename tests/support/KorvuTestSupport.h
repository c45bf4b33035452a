#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class SMxDisplayList;

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

// Where two saves differ, for documents made alike but for one stored field: where a test finds
// that field to damage it. Fails the test (and answers 0) unless both have one size and differ.
size_t KorvuFirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);

// A damaged input kept for the fuzz target `target`, in tests/fuzz/corpus/<target>/<name>, so
// that fuzzing starts from every damage that once got through: its bytes, which the test loads
// as it loads the damage it made. With KORVU_UPDATE_CORPUS=1 in the environment the file is
// (re)written from `made` first. Fails the test (and answers nothing) when the file is missing.
std::vector<uint8_t> KorvuCorpusFile(const std::string& target, const std::string& name,
                                     const std::vector<uint8_t>& made);

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

// While it lives, root loses the right to write where permissions forbid it, so that a
// read-only folder is read-only for this process too. Nothing changes for anyone else.
class KorvuNoPermissionOverride {
public:
    KorvuNoPermissionOverride();
    ~KorvuNoPermissionOverride();
    KorvuNoPermissionOverride(const KorvuNoPermissionOverride&) = delete;
    KorvuNoPermissionOverride& operator=(const KorvuNoPermissionOverride&) = delete;

private:
    uint32_t m_saved[6] = {}; // the capability sets as the kernel gave them
    bool m_lowered = false;
};

// The names in a folder, sorted.
std::vector<std::string> KorvuFolderNames(const std::string& path);

// Every item of the list as text, coordinates to the last bit: two lists that draw the same
// give equal descriptions, item for item.
std::vector<std::string> KorvuDescribe(const SMxDisplayList& list);
