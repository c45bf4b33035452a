#pragma once
// Files replaced whole. The new content goes to a temporary file of a unique name beside the
// target ("<target>.XXXXXX", so that two writers, or one killed mid-way, never share one and a
// stale file or link of a fixed name is never written through), and is renamed over the target
// only when every byte was written, flushed and closed: a failed write leaves the previous file,
// or none, in place. The temporary file is removed on every failure path.
#include <cstdio>
#include <functional>
#include <string>

namespace UTx {
// Creates and opens a new temporary file beside `path`, with the permissions a new file at
// `path` would get. Null, with the system's reason in `why`, when it cannot be made.
std::FILE* CreateFileBeside(const std::string& path, std::string& tempPath, std::string& why);

// A scratch file beside `path`, open for writing and reading back, that has no name: it goes
// when it is closed, even when the process dies. Null, with the reason in `why`, when it cannot
// be made.
std::FILE* CreateScratchBeside(const std::string& path, std::string& why);

// Writes `path` through `write`, which answers false with its reason in `why`. False, with the
// reason, when `write` failed or any byte, the flush, the close or the rename did.
bool WriteFileAtomically(const std::string& path,
                         const std::function<bool(std::FILE*, std::string& why)>& write,
                         std::string& why);
} // namespace UTx
