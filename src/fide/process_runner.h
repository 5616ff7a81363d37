#pragma once
// Starts an outside program with an argument vector (never through a shell),
// waits for it in 100 ms steps while the caller keeps the window alive, and
// stops it on cancellation or when it runs past a time limit.
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace veltrun {

struct ProcessRequest {
    std::vector<std::string> arguments;  // arguments[0] is the program, found through PATH
    std::filesystem::path workingFolder;  // empty: the current folder
    std::chrono::milliseconds timeout{300000};
    std::chrono::milliseconds step{100};
    // Called after every step; returning false stops the program.
    std::function<bool()> idle;
};

enum class ProcessEnd { Exited, Signalled, Cancelled, TimedOut };

struct ProcessResult {
    ProcessEnd end = ProcessEnd::Exited;
    int exitCode = 0;         // the exit code, or the signal number when signalled
    std::string errorOutput;  // what the program wrote to stderr (the first 64 KiB)
};

// Thrown when the program cannot be started at all (not found, not executable).
class ProcessStartError : public std::runtime_error {
public:
    ProcessStartError(const std::string& program, int errorNumber);
    int errorNumber;
};

ProcessResult RunAndWait(const ProcessRequest& request);

}  // namespace veltrun
