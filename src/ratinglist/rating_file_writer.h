#pragma once
// Writes a rating file line by line without holding it in memory: the lines go
// to a temporary file in the target's folder, which replaces the target only
// on Commit() (after flush and fsync). Until then the old file stays as it was;
// a writer destroyed without Commit() removes its temporary file.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace veltrun {

class LiveTemporaryFile;

class RatingFileWriter {
public:
    // Throws std::system_error naming the file when the temporary file cannot be
    // made, myException when the target is write-protected.
    explicit RatingFileWriter(std::filesystem::path target);
    ~RatingFileWriter();
    RatingFileWriter(const RatingFileWriter&) = delete;
    RatingFileWriter& operator=(const RatingFileWriter&) = delete;

    // Appends the line and CR LF. Throws std::system_error.
    void WriteLine(std::string_view line);
    // Appends bytes that hold whole lines, each with its CR LF. Throws std::system_error.
    void WriteLines(std::string_view lines);
    // Forgets every line written so far (a reader starts over).
    void Restart();
    // Makes the written lines the target file. Throws std::system_error.
    void Commit();

    const std::filesystem::path& Target() const { return target_; }
    // Test hook: writing fails (as on a full disk) once this many bytes are written.
    void FailAfterBytes(long long bytes) { fail_after_ = bytes; }

private:
    void Flush();
    void WriteOut(std::string_view bytes);
    void Discard() noexcept;

    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::unique_ptr<LiveTemporaryFile> live_;  // removed by the signal handler too
    int fd_ = -1;
    std::string buffer_;
    long long written_ = 0;
    long long handedToDisk_ = 0;
    long long fail_after_ = -1;
};

}  // namespace veltrun
