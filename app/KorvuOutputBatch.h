#pragma once
// The files one command writes, all of them or none. Their folders are made (when missing)
// before any work, so that a command that cannot write fails before it replays anything; each
// output is then written under a unique temporary name beside its target, and all are renamed
// into place only once every one was written. A command that fails leaves no new file behind:
// staged files and the folders made for it are removed.
#include <string>
#include <utility>
#include <vector>

#include "utx/UTxResult.h"

class KorvuOutputBatch {
public:
    KorvuOutputBatch() = default;
    KorvuOutputBatch(const KorvuOutputBatch&) = delete;
    KorvuOutputBatch& operator=(const KorvuOutputBatch&) = delete;
    ~KorvuOutputBatch();

    // Makes `dir` and its missing parents; false with a message when a part of it is not a
    // folder or it cannot be made.
    bool MakeFolder(const std::string& dir, std::string& why);
    // Makes the folder of the file `path`; false when that cannot be, or `path` is a folder.
    bool MakeFolderOf(const std::string& path, std::string& why);
    // A new, unique file beside `target` to write the output to, for Commit to put in place.
    bool Stage(const std::string& target, std::string& staged, std::string& why);
    // `r` with the staged file's name in its detail replaced by the target's.
    static UTxResult Renamed(UTxResult r, const std::string& staged, const std::string& target);
    // Renames every staged file over its target, in the order staged; `written` lists the
    // targets.
    bool Commit(std::vector<std::string>& written, std::string& why);

private:
    // Staged file, target.
    std::vector<std::pair<std::string, std::string>> m_staged;
    // Outermost first.
    std::vector<std::string> m_madeFolders;
    bool m_committed = false;
};
