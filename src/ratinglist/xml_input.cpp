#include "ratinglist/xml_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace veltrun {

namespace {

[[noreturn]] void ThrowReadError(int error) {
    throw XmlConversionError(XmlConversionError::Kind::Read, std::strerror(error));
}

}  // namespace

XmlInputFile::XmlInputFile(const std::filesystem::path& path) : path_(path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) ThrowReadError(errno);
    struct stat state {};
    if (::fstat(fd_, &state) != 0) ThrowReadError(errno);
    if (S_ISDIR(state.st_mode)) ThrowReadError(EISDIR);
    size_ = state.st_size;
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
}

XmlInputFile::~XmlInputFile() {
    if (fd_ >= 0) ::close(fd_);
}

std::size_t XmlInputFile::Read(char* buffer, std::size_t size) {
    for (;;) {
        ssize_t n = ::read(fd_, buffer, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) ThrowReadError(errno);
    }
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
