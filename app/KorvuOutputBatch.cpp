#include "KorvuOutputBatch.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "utx/UTxFileWriter.h"

namespace fs = std::filesystem;

KorvuOutputBatch::~KorvuOutputBatch() {
    if (m_committed) return;
    std::error_code ec;
    for (const auto& [staged, target] : m_staged)
        fs::remove(staged, ec);
    // Innermost first; a folder that something else has filled meanwhile stays.
    for (auto it = m_madeFolders.rbegin(); it != m_madeFolders.rend(); ++it)
        fs::remove(*it, ec);
}

bool KorvuOutputBatch::MakeFolder(const std::string& dir, std::string& why) {
    if (dir.empty()) return true;
    // Each missing part in turn, so that exactly the folders made here can be removed again.
    fs::path sofar;
    for (const fs::path& part : fs::path(dir).lexically_normal()) {
        if (part.empty()) continue;
        sofar /= part;
        std::error_code ec;
        const fs::file_status st = fs::status(sofar, ec);
        if (fs::is_directory(st)) continue;
        if (fs::exists(st)) {
            why = "the output folder " + dir + " cannot be made: " + sofar.string() +
                  " is not a folder";
            return false;
        }
        if (!fs::create_directory(sofar, ec) || ec) {
            why = "the output folder " + dir + " cannot be made: " +
                  (ec ? ec.message() : std::string("it is not there"));
            return false;
        }
        m_madeFolders.push_back(sofar.string());
    }
    return true;
}

bool KorvuOutputBatch::MakeFolderOf(const std::string& path, std::string& why) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        why = path + " cannot be written: it is a folder";
        return false;
    }
    return MakeFolder(fs::path(path).parent_path().string(), why);
}

bool KorvuOutputBatch::Stage(const std::string& target, std::string& staged, std::string& why) {
    // Found now, before anything is put in place, rather than by a rename half-way through.
    if (!MakeFolderOf(target, why)) return false;
    std::string reason;
    std::FILE* file = UTx::CreateFileBeside(target, staged, reason);
    if (!file) {
        why = target + " cannot be written: " + reason;
        return false;
    }
    std::fclose(file);
    m_staged.emplace_back(staged, target);
    return true;
}

UTxResult KorvuOutputBatch::Renamed(UTxResult r, const std::string& staged,
                                    const std::string& target) {
    UTxString16 detail = r.GetDetail();
    const UTxString16 from = UTx::MakeWideString(staged);
    if (const size_t at = detail.find(from); at != UTxString16::npos) {
        detail.replace(at, from.size(), UTx::MakeWideString(target));
        r.SetDetail(std::move(detail));
    }
    return r;
}

bool KorvuOutputBatch::Commit(std::vector<std::string>& written, std::string& why) {
    for (const auto& [staged, target] : m_staged) {
        std::error_code ec;
        fs::rename(staged, target, ec);
        if (ec) {
            why = target + " cannot be written: " + ec.message();
            return false;
        }
        written.push_back(target);
    }
    m_committed = true;
    return true;
}
