#pragma once
// Temporary files of the atomic writers: their names, a registry of those that
// exist right now so that SIGINT, SIGTERM and SIGHUP remove them before the
// program ends, and the removal of those that a killed run left behind.
#include <filesystem>

namespace veltrun {

// ".name.tmp-PID" beside the target: hidden, and the PID tells whether the
// writer still runs.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& target);

// Registers a temporary path for the signal handler while it lives.
class LiveTemporaryFile {
public:
    explicit LiveTemporaryFile(const std::filesystem::path& path);
    ~LiveTemporaryFile();
    LiveTemporaryFile(const LiveTemporaryFile&) = delete;
    LiveTemporaryFile& operator=(const LiveTemporaryFile&) = delete;

private:
    int slot_ = -1;
};

// Installs the handler for SIGINT, SIGTERM and SIGHUP (unless the signal is
// ignored, as under nohup), and ignores SIGXFSZ so that a write past the file
// size limit is an ordinary write error instead of the end of the program.
void InstallTemporaryFileCleanup();

// Removes the temporary files of our pattern in the folder whose process no
// longer runs. Links and anything else are left alone.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder);

}  // namespace veltrun
