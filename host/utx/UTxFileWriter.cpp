#include "utx/UTxFileWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {
std::string Reason(int err) {
    return std::strerror(err ? err : EIO);
}
} // namespace

namespace UTx {

std::FILE* CreateFileBeside(const std::string& path, std::string& tempPath, std::string& why) {
    std::string name = path + ".XXXXXX";
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        why = Reason(errno);
        return nullptr;
    }
    // mkstemp makes the file private; the file it becomes gets what a new file gets. One thread
    // only, so reading the mask by setting it is safe.
    const mode_t mask = umask(0);
    umask(mask);
    std::FILE* file = fchmod(fd, 0666 & ~mask) == 0 ? fdopen(fd, "wb") : nullptr;
    if (!file) {
        why = Reason(errno);
        close(fd);
        unlink(name.c_str());
        return nullptr;
    }
    tempPath = std::move(name);
    return file;
}

std::FILE* CreateScratchBeside(const std::string& path, std::string& why) {
    std::string name = path + ".XXXXXX";
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        why = Reason(errno);
        return nullptr;
    }
    unlink(name.c_str());
    std::FILE* file = fdopen(fd, "w+b");
    if (!file) {
        why = Reason(errno);
        close(fd);
    }
    return file;
}

bool WriteFileAtomically(const std::string& path,
                         const std::function<bool(std::FILE*, std::string&)>& write,
                         std::string& why) {
    std::string temp;
    std::FILE* file = CreateFileBeside(path, temp, why);
    if (!file) return false;
    errno = 0;
    bool ok = write(file, why);
    // A write that failed inside the C library (a full disk, say) may leave nothing to flush, and
    // a writer behind a library may not hear of it: the stream's error flag still tells.
    if (ok && (std::fflush(file) != 0 || std::ferror(file))) {
        ok = false;
        why = Reason(errno);
    }
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        why = Reason(errno);
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        why = Reason(errno);
    }
    if (!ok) {
        unlink(temp.c_str());
        if (why.empty()) why = Reason(0);
    }
    return ok;
}

} // namespace UTx
