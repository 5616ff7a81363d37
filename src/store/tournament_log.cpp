// The tournament log: lines are gathered in memory and appended to the file
// in one go, so that a pairing with thousands of steps opens the file once.
#include "store/tournament_log.h"

#include <ctime>
#include <fstream>

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
}

void TournamentLog::AppendToLog(std::string_view message) {
    if (capture_) capture_->push_back(std::string(message));
    // Without an open tournament there is no file: the line is lost.
    if (!enabled_ || file_.empty()) return;
    pending_ += DateTimeText() + "  " + OneLine(message) + "\r\n";
    if (pending_.size() > FlushThreshold) Flush();
}

void TournamentLog::Flush() {
    if (pending_.empty()) return;
    if (!file_.empty()) {
        std::ofstream out(file_, std::ios::binary | std::ios::app);
        if (out) out.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
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
