#include "store/platform_file_calls.h"

#if defined(__linux__)
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

namespace veltrun {

#if defined(__linux__)

std::string_view MapUnderReadLease(int fd, std::size_t size) {
    // A writer breaking the lease signals the holder; SIGURG is ignored unless
    // handled, where the default SIGIO would end the program.
    if (size == 0 || ::fcntl(fd, F_SETSIG, SIGURG) != 0 || ::fcntl(fd, F_SETLEASE, F_RDLCK) != 0) return {};
    // The size checked again under the lease: the file may have changed before it.
    struct stat state {};
    void* mapping = MAP_FAILED;
    if (::fstat(fd, &state) == 0 && static_cast<std::size_t>(state.st_size) == size)
        mapping = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (mapping == MAP_FAILED) {
        ::fcntl(fd, F_SETLEASE, F_UNLCK);
        return {};
    }
    ::madvise(mapping, size, MADV_SEQUENTIAL);
    return {static_cast<const char*>(mapping), size};
}

void UnmapAndEndLease(int fd, std::string_view mapping) {
    if (mapping.empty()) return;
    ::munmap(const_cast<char*>(mapping.data()), mapping.size());
    ::fcntl(fd, F_SETLEASE, F_UNLCK);
}

void ReleaseMappedPages(std::string_view mapping, std::size_t bytes) {
    ::madvise(const_cast<char*>(mapping.data()), bytes, MADV_DONTNEED);
}

void AdviseSequentialReading(int fd) { ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL); }

void StartWriteBack(int fd, long long offset, long long bytes) {
    ::sync_file_range(fd, offset, bytes, SYNC_FILE_RANGE_WRITE);
}

#else

std::string_view MapUnderReadLease(int, std::size_t) { return {}; }
void UnmapAndEndLease(int, std::string_view) {}
void ReleaseMappedPages(std::string_view, std::size_t) {}
void AdviseSequentialReading(int) {}
void StartWriteBack(int, long long, long long) {}

#endif

}  // namespace veltrun
