#include "store/temporary_files.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <system_error>

namespace veltrun {

namespace {

constexpr std::string_view kMarker = ".tmp-";

// The handler may only read plain memory and call unlink, so each slot holds
// its path in a fixed buffer; state 2 means the path is complete.
struct Slot {
    std::atomic<int> state{0};  // 0 free, 1 being filled, 2 live
    char path[PATH_MAX];
};
std::array<Slot, 64> slots;
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void RemoveTemporariesAndDie(int signal_number) {
    for (auto& slot : slots)
        if (slot.state.load() == 2) ::unlink(slot.path);
    // The handler was reset to the default on entry, so this ends the
    // program with the signal, as the caller expects.
    ::raise(signal_number);
}

// The PID in a name of our pattern, or 0.
pid_t PidOfTemporaryName(const std::string& name) {
    std::size_t marker = name.rfind(kMarker);
    if (name.size() < 2 || name[0] != '.' || marker == std::string::npos || marker < 2) return 0;
    std::string digits = name.substr(marker + kMarker.size());
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
    return static_cast<pid_t>(std::stol(digits));
}

}  // namespace

std::filesystem::path TemporaryPathFor(const std::filesystem::path& target) {
    std::filesystem::path folder = target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    return folder / ("." + target.filename().string() + std::string(kMarker) + std::to_string(::getpid()));
}

LiveTemporaryFile::LiveTemporaryFile(const std::filesystem::path& path) {
    const std::string& text = path.native();
    if (text.size() >= PATH_MAX) return;  // too long to register; it is removed on errors all the same
    for (int i = 0; i < static_cast<int>(slots.size()); ++i) {
        int expected = 0;
        if (!slots[i].state.compare_exchange_strong(expected, 1)) continue;
        std::memcpy(slots[i].path, text.c_str(), text.size() + 1);
        slots[i].state.store(2);
        slot_ = i;
        return;
    }
}

LiveTemporaryFile::~LiveTemporaryFile() {
    if (slot_ >= 0) slots[slot_].state.store(0);
}

void InstallTemporaryFileCleanup() {
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old {};
        if (::sigaction(signal_number, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = RemoveTemporariesAndDie;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND | SA_NODEFER;
        ::sigaction(signal_number, &action, nullptr);
    }
    ::signal(SIGXFSZ, SIG_IGN);
}

void RemoveStaleTemporaryFiles(const std::filesystem::path& folder) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        pid_t pid = PidOfTemporaryName(name);
        if (pid <= 0 || pid == ::getpid()) continue;
        if (::kill(pid, 0) == 0 || errno != ESRCH) continue;  // still running, or not ours to judge
        struct stat state {};
        if (::lstat(it->path().c_str(), &state) == 0 && S_ISREG(state.st_mode)) ::unlink(it->path().c_str());
    }
}

}  // namespace veltrun
