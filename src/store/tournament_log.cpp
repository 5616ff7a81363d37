// The tournament log: lines are gathered in memory and appended to the file
// in one go, so that a pairing with thousands of steps opens the file once.
#include "store/tournament_log.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "store/file_notices.h"
#include "store/safe_open.h"

namespace veltrun {

namespace {

constexpr size_t FlushThreshold = 64 * 1024;

// One message is one line of the file, whatever the caller passed.
std::string OneLine(std::string_view message) {
    std::string line(message);
    for (auto& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    return line;
}

}  // namespace

TournamentLog::~TournamentLog() {
    try {
        Flush();
    } catch (...) {
        // Logging never stops anything, least of all a destructor.
    }
}

void TournamentLog::SetFile(const std::filesystem::path& file) {
    Flush();
    file_ = file;
    refused_ = false;
    // A log that is a link could make every command append to any file the
    // link names (folders travel as archives, which keep links).
    struct stat state {};
    if (enabled_ && !file_.empty() && ::lstat(file_.c_str(), &state) == 0 && !S_ISREG(state.st_mode)) Refuse();
}

void TournamentLog::Refuse() {
    if (refused_) return;
    refused_ = true;
    pending_.clear();
    WarnOnceAboutFile(file_, "log",
                      TheFile(file_) + " " +
                          FileText(426, "is a link or not a regular file; nothing is written to the log in this run."));
}

void TournamentLog::AppendToLog(std::string_view message) {
    if (capture_) capture_->push_back(std::string(message));
    // Without an open tournament there is no file: the line is lost.
    if (!enabled_ || file_.empty() || refused_) return;
    pending_ += DateTimeText() + "  " + OneLine(message) + "\r\n";
    if (pending_.size() > FlushThreshold) Flush();
}

std::filesystem::path TournamentLog::KeptFile(const std::filesystem::path& file) {
    return file.parent_path() / (file.stem().string() + ".1" + file.extension().string());
}

// Only a regular file is moved (rename moves a link itself, never its
// target); a failed move leaves the log growing rather than losing lines.
void TournamentLog::MoveAsideWhenFull() {
    struct stat state {};
    if (::lstat(file_.c_str(), &state) != 0 || !S_ISREG(state.st_mode) || state.st_size == 0) return;
    if (static_cast<std::uintmax_t>(state.st_size) + pending_.size() <= size_limit_) return;
    std::error_code ignored;
    std::filesystem::rename(file_, KeptFile(file_), ignored);
}

void TournamentLog::Flush() {
    if (pending_.empty()) return;
    if (!file_.empty() && !refused_) {
        MoveAsideWhenFull();
        int fd = OpenRegularFileForAppend(file_);
        struct stat state {};
        if (fd < 0 && ::lstat(file_.c_str(), &state) == 0 && !S_ISREG(state.st_mode)) Refuse();
        std::string_view rest = pending_;
        while (fd >= 0 && !rest.empty()) {
            ssize_t n = ::write(fd, rest.data(), rest.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            rest.remove_prefix(static_cast<std::size_t>(n));
        }
        if (fd >= 0) ::close(fd);
    }
    // Errors are ignored: the lines are dropped rather than retried forever.
    pending_.clear();
}

std::string TournamentLog::DateTimeText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

}  // namespace veltrun
