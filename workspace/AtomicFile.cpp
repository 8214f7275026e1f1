#include "AtomicFile.h"

#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "PlatformPath.h"

namespace trend {

std::optional<std::string> ReadWholeFile(const std::string& path) {
    const std::string fsPath = ToFileSystemPath(path);
    struct stat info {};
    if (::stat(fsPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    std::ifstream in(fsPath, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return std::move(bytes).str();
}

namespace {

bool fail(std::string* reason, int error) {
    if (reason != nullptr) {
        *reason = std::strerror(error);
    }
    return false;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string* reason) {
    static std::atomic<unsigned> counter{0};
    std::string fsPath = ToFileSystemPath(path);
    // The link stays a link: the file it points to is the one replaced.
    std::error_code ignored;
    if (std::filesystem::is_symlink(fsPath, ignored)) {
        const auto target = std::filesystem::canonical(fsPath, ignored);
        if (!ignored) {
            fsPath = target.string();
        }
    }
    const std::string temporary =
        fsPath + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
    // Created with the usual mode (umask applies); an existing file's mode is kept.
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return fail(reason, errno);
    }
    struct stat existing {};
    if (::stat(fsPath.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        ::fchmod(fd, existing.st_mode & 07777);
    }
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        return fail(reason, error);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return fail(reason, error);
    }
    if (::rename(temporary.c_str(), fsPath.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return fail(reason, error);
    }
    return true;
}

}  // namespace trend
