#pragma once
// An advisory lock on a tournament folder for the duration of a command that
// writes, so that two Veltrun processes never change one tournament at once.
// Hand editing is not affected: the lock is advisory and held only while a
// command runs.
#include <filesystem>

namespace veltrun {

class TournamentLock {
public:
    TournamentLock() = default;
    // Returns false when another process holds the folder; a folder that does
    // not exist (yet) needs no lock and gives true.
    bool TryLock(const std::filesystem::path& folder);
    void Unlock();
    bool Locked() const { return fd_ >= 0; }
    ~TournamentLock() { Unlock(); }
    TournamentLock(const TournamentLock&) = delete;
    TournamentLock& operator=(const TournamentLock&) = delete;

private:
    int fd_ = -1;
};

}  // namespace veltrun
