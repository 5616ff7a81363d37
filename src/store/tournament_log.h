#pragma once
// The tournament log "tournlog.log": one line per step of consequence, as
// "date time" + two blanks + message. Lines are buffered and written through
// one open of the file per command; Flush() runs at the end of every command
// and on error, and the destructor flushes too. A log that is a link or not a
// regular file is warned about once and not written in that run. A log that
// would pass its size limit moves to "tournlog.1.log" (one kept) first.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace veltrun {

class TournamentLog {
public:
    TournamentLog() = default;
    ~TournamentLog();
    TournamentLog(const TournamentLog&) = delete;
    TournamentLog& operator=(const TournamentLog&) = delete;

    void SetEnabled(bool enabled) { enabled_ = enabled; }
    // Flushes what is pending to the old file first. Empty path: no tournament.
    void SetFile(const std::filesystem::path& file);
    const std::filesystem::path& File() const { return file_; }

    // AppendToLog: adds the date-time text and two blanks itself.
    void AppendToLog(std::string_view message);
    void Flush();

    // Tests: a small limit instead of writing megabytes.
    void SetSizeLimit(std::uintmax_t bytes) { size_limit_ = bytes; }
    // "tournlog.log" -> "tournlog.1.log".
    static std::filesystem::path KeptFile(const std::filesystem::path& file);

    // Tests: every message (without the date-time text) is also copied here.
    void SetCapture(std::vector<std::string>* capture) { capture_ = capture; }

    static std::string DateTimeText();

private:
    void Refuse();
    void MoveAsideWhenFull();

    bool enabled_ = true;
    bool refused_ = false;
    std::filesystem::path file_;
    std::string pending_;
    std::vector<std::string>* capture_ = nullptr;
    std::uintmax_t size_limit_ = 5 * 1024 * 1024;
};

}  // namespace veltrun
