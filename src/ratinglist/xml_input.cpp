#include "ratinglist/xml_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "store/platform_file_calls.h"
#include "store/file_notices.h"

namespace veltrun {

namespace {

[[noreturn]] void ThrowReadError(int error) {
    throw XmlConversionError(XmlConversionError::Kind::Read, std::strerror(error));
}

}  // namespace

XmlInputFile::XmlInputFile(const std::filesystem::path& path) : path_(path) {
    // Non-blocking, or a named pipe without a writer would hang the conversion.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) ThrowReadError(errno);
    struct stat state {};
    if (::fstat(fd_, &state) != 0) ThrowReadError(errno);
    if (!S_ISREG(state.st_mode)) {
        ::close(fd_);
        throw XmlConversionError(XmlConversionError::Kind::Read,
                                 FileText(429, "it is not a regular file (a folder, a pipe or a device)"));
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    size_ = state.st_size;
    AdviseSequentialReading(fd_);
}

XmlInputFile::~XmlInputFile() {
    Unmap();
    if (fd_ >= 0) ::close(fd_);  // also ends the lease
}

std::string_view XmlInputFile::MapUnderLease() {
    if (mapping_.empty()) {
        mapping_ = MapUnderReadLease(fd_, static_cast<std::size_t>(size_));
        releasedBytes_ = 0;
    }
    return mapping_;
}

void XmlInputFile::ReleaseMappedBefore(long long offset) {
    if (mapping_.empty() || offset <= 0) return;
    auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    std::size_t end = std::min(static_cast<std::size_t>(offset), mapping_.size()) / page * page;
    if (end <= releasedBytes_) return;
    ReleaseMappedPages(mapping_.substr(releasedBytes_), end - releasedBytes_);
    releasedBytes_ = end;
}

void XmlInputFile::Unmap() {
    UnmapAndEndLease(fd_, mapping_);
    mapping_ = {};
}

std::size_t XmlInputFile::Read(char* buffer, std::size_t size) {
    for (;;) {
        ssize_t n = ::read(fd_, buffer, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) ThrowReadError(errno);
    }
}

std::size_t XmlInputFile::ReadAt(long long offset, char* buffer, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        ssize_t n = ::pread(fd_, buffer + got, size - got, static_cast<off_t>(offset) + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ThrowReadError(errno);
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    return got;
}

void XmlInputFile::Rewind() {
    if (::lseek(fd_, 0, SEEK_SET) != 0) ThrowReadError(errno);
}

ProgressMeter::ProgressMeter(const ConversionProgressFn& callback, long long total)
    : callback_(callback), total_(total), start_(std::chrono::steady_clock::now()), last_(start_) {
    Report(0, 0);
}

void ProgressMeter::Update(long long bytesDone, long long players) {
    auto now = std::chrono::steady_clock::now();
    if (now - last_ < std::chrono::milliseconds(100)) return;
    last_ = now;
    Report(bytesDone, players);
}

void ProgressMeter::Finish(long long players) { Report(total_, players); }

void ProgressMeter::Report(long long bytesDone, long long players) {
    if (!callback_) return;
    ConversionProgress p;
    p.bytesDone = bytesDone;
    p.bytesTotal = total_;
    p.players = players;
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    p.megabytesPerSecond = seconds > 0 ? static_cast<double>(bytesDone) / 1e6 / seconds : 0;
    if (!callback_(p)) throw XmlConversionError(XmlConversionError::Kind::Cancelled, "");
}

}  // namespace veltrun
