#include "store/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include "store/platform_file_calls.h"
#include "store/safe_open.h"

namespace veltrun {

namespace {

constexpr std::size_t kBufferBytes = 1 << 20;
constexpr long long kHandToDiskBytes = 8 << 20;

// Process-wide on purpose: the write it breaks sits deep inside the commands
// under test, which cannot pass it down.
std::atomic<long long> simulated_failure_after{-1};

[[noreturn]] void ThrowFileError(int error, const std::filesystem::path& file) {
    throw std::system_error(error, std::generic_category(), file.string());
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    return file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
}

// Makes the rename itself durable. Some file systems refuse to sync a folder;
// the data is in place by then, so that is no failed write.
void SyncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {
    RefuseWriteProtected(target_);
    fail_after_ = simulated_failure_after.exchange(-1);
    temp_ = TemporaryPathFor(target_);
    live_.emplace(temp_);
    ::unlink(temp_.c_str());  // left by a crashed run with the same process id
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0) ThrowFileError(errno, target_);
    struct stat old_state {};
    if (::stat(target_.c_str(), &old_state) == 0) ::fchmod(fd_, old_state.st_mode & 07777);
}

AtomicFile::~AtomicFile() { Discard(); }

void AtomicFile::Write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() < kBufferBytes) {
        buffer_.append(bytes);
        return;
    }
    Flush();
    WriteOut(bytes);
}

void AtomicFile::WriteLine(std::string_view line) {
    buffer_.append(line);
    buffer_.append("\r\n");
    if (buffer_.size() >= kBufferBytes) Flush();
}

void AtomicFile::Restart() {
    buffer_.clear();
    written_ = 0;
    handedToDisk_ = 0;
    if (::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0) ThrowFileError(errno, target_);
}

void AtomicFile::Flush() {
    WriteOut(buffer_);
    buffer_.clear();
}

void AtomicFile::WriteOut(std::string_view rest) {
    while (!rest.empty()) {
        std::size_t allowed = rest.size();
        if (fail_after_ >= 0 && written_ + static_cast<long long>(allowed) > fail_after_) {
            allowed = static_cast<std::size_t>(std::max(0LL, fail_after_ - written_));
            if (allowed == 0) ThrowFileError(ENOSPC, target_);
        }
        ssize_t n = ::write(fd_, rest.data(), allowed);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ThrowFileError(n < 0 ? errno : EIO, target_);
        written_ += n;
        rest.remove_prefix(static_cast<std::size_t>(n));
    }
    // The disk starts on a large file while it is written, so the sync at
    // the end has little left to wait for.
    if (written_ - handedToDisk_ >= kHandToDiskBytes) {
        StartWriteBack(fd_, handedToDisk_, written_ - handedToDisk_);
        handedToDisk_ = written_;
    }
}

// Returns 0 or the error. With the test hook set, every byte fitted (or
// WriteOut would have thrown), so this is where the full disk shows.
int AtomicFile::SyncToDisk() {
    if (fail_after_ >= 0) return ENOSPC;
    return ::fsync(fd_) == 0 ? 0 : errno;
}

void AtomicFile::Commit() {
    Flush();
    int error = SyncToDisk();
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(temp_.c_str(), target_.c_str()) != 0) error = errno;
    if (error != 0) {
        Discard();
        ThrowFileError(error, target_);
    }
    temp_.clear();
    live_.reset();
    SyncFolder(FolderOf(target_));
}

void AtomicFile::Discard() noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
    live_.reset();
}

void SimulateWriteFailureAfter(long long bytes) { simulated_failure_after.store(bytes); }

}  // namespace veltrun
