#pragma once
// Replacing a file as a whole, so that a crash leaves the old file or the new
// one, never half of one: the bytes go to a temporary file beside the target
// (removed on signals, temporary_files.h), which Commit() syncs to the disk
// and renames over the target before it syncs the folder. The new file keeps
// the old one's mode; a write-protected target is refused before anything is
// written. Every single file that replaces another goes through here (a
// published site and an imported tournament are staged and swapped as whole
// folders instead).
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "store/temporary_files.h"

namespace veltrun {

class AtomicFile {
public:
    // Throws myException when the target is write-protected, std::system_error
    // naming the target when the temporary file cannot be made.
    explicit AtomicFile(std::filesystem::path target);
    // Without Commit(), the temporary file goes and the target stays as it was.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Both throw std::system_error naming the target.
    void Write(std::string_view bytes);
    void WriteLine(std::string_view line);  // the line and CR LF
    // Forgets everything written so far (a reader starts over).
    void Restart();
    // Makes the written bytes the target. Throws std::system_error naming the
    // target; the target then stays as it was and the temporary file is gone.
    void Commit();

    const std::filesystem::path& Target() const { return target_; }

private:
    void Flush();
    void WriteOut(std::string_view bytes);
    int SyncToDisk();
    void Discard() noexcept;

    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::optional<LiveTemporaryFile> live_;
    int fd_ = -1;
    std::string buffer_;
    long long written_ = 0;
    long long handedToDisk_ = 0;
    long long fail_after_ = -1;  // the test hook, taken when the file is made
};

// Test hook, the one way to make a write fail as a full disk would: the next
// AtomicFile refuses the bytes past this many, or, when they all fit, fails
// the sync before the rename, where a disk that fills late reports it. -1 is off.
void SimulateWriteFailureAfter(long long bytes);

}  // namespace veltrun
