#include "store/safe_open.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "store/errors.h"
#include "store/file_notices.h"

namespace veltrun {

namespace {

[[noreturn]] void ThrowCannotRead(const std::filesystem::path& file, int error) {
    throw myException(TheFile(file) + " " + FileText(421, "could not be read:") + " " + std::strerror(error));
}

}  // namespace

int OpenRegularFileForReading(const std::filesystem::path& file) {
    // Non-blocking, or opening a pipe with no writer would wait forever.
    int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) ThrowCannotRead(file, errno);
    struct stat state {};
    if (::fstat(fd, &state) != 0) {
        int error = errno;
        ::close(fd);
        ThrowCannotRead(file, error);
    }
    if (!S_ISREG(state.st_mode)) {
        ::close(fd);
        throw myException(TheFile(file) + " " +
                          FileText(423, "is not a regular file (a folder, a pipe or a device); it was not read."));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

std::string ReadFileBytes(const std::filesystem::path& file) {
    int fd = OpenRegularFileForReading(file);
    std::string bytes;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int error = errno;
            ::close(fd);
            ThrowCannotRead(file, error);
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

int OpenRegularFileForAppend(const std::filesystem::path& file) {
    int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (fd < 0) return -1;
    struct stat state {};
    if (::fstat(fd, &state) != 0 || !S_ISREG(state.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void RefuseWriteProtected(const std::filesystem::path& file) {
    struct stat state {};
    if (::lstat(file.c_str(), &state) != 0 || !S_ISREG(state.st_mode)) return;
    // The mode bits count too: the superuser may write anything, but a file
    // without a write bit was protected on purpose.
    bool writable = ::access(file.c_str(), W_OK) == 0 && (state.st_mode & 0222) != 0;
    if (!writable)
        throw myException(TheFile(file) + " " + FileText(424, "is write-protected; it was left unchanged."));
}

}  // namespace veltrun
