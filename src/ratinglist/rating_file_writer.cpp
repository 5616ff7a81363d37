#include "ratinglist/rating_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include "ratinglist/platform_file_calls.h"
#include "store/safe_open.h"
#include "store/temporary_files.h"

namespace veltrun {

namespace {

constexpr std::size_t kBufferBytes = 1 << 20;
constexpr long long kHandToDiskBytes = 8 << 20;

[[noreturn]] void ThrowFileError(int error, const std::filesystem::path& file) {
    throw std::system_error(error, std::generic_category(), file.string());
}

void SyncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // some file systems refuse; the rename is done by then
    ::close(fd);
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    return file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
}

}  // namespace

RatingFileWriter::RatingFileWriter(std::filesystem::path target) : target_(std::move(target)) {
    RefuseWriteProtected(target_);
    RemoveStaleTemporaryFiles(FolderOf(target_));
    temp_ = TemporaryPathFor(target_);
    live_ = std::make_unique<LiveTemporaryFile>(temp_);
    ::unlink(temp_.c_str());  // left over by a crashed run with the same process id
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd_ < 0) ThrowFileError(errno, target_);
    struct stat old_state {};
    if (::stat(target_.c_str(), &old_state) == 0) ::fchmod(fd_, old_state.st_mode & 07777);
    buffer_.reserve(kBufferBytes + 4096);
}

RatingFileWriter::~RatingFileWriter() { Discard(); }

void RatingFileWriter::WriteLine(std::string_view line) {
    buffer_.append(line);
    buffer_.append("\r\n");
    if (buffer_.size() >= kBufferBytes) Flush();
}

void RatingFileWriter::WriteLines(std::string_view lines) {
    if (buffer_.size() + lines.size() < kBufferBytes) {
        buffer_.append(lines);
        return;
    }
    Flush();
    WriteOut(lines);
}

void RatingFileWriter::Restart() {
    buffer_.clear();
    written_ = 0;
    handedToDisk_ = 0;
    if (::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0) ThrowFileError(errno, target_);
}

void RatingFileWriter::Flush() {
    WriteOut(buffer_);
    buffer_.clear();
}

void RatingFileWriter::WriteOut(std::string_view rest) {
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
    // The disk starts on what is written while the conversion goes on, so
    // the sync at the end has little left to wait for.
    if (written_ - handedToDisk_ >= kHandToDiskBytes) {
        StartWriteBack(fd_, handedToDisk_, written_ - handedToDisk_);
        handedToDisk_ = written_;
    }
}

void RatingFileWriter::Commit() {
    Flush();
    if (::fsync(fd_) != 0) ThrowFileError(errno, target_);
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        int error = errno;
        Discard();
        ThrowFileError(error, target_);
    }
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) {
        int error = errno;
        Discard();
        ThrowFileError(error, target_);
    }
    temp_.clear();
    live_.reset();
    SyncFolder(FolderOf(target_));
}

void RatingFileWriter::Discard() noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
    live_.reset();
}

}  // namespace veltrun
