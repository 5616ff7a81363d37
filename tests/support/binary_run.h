#pragma once
// Runs the real program as a process of its own, for what only a process
// shows: a hang, a signal, a resource limit. A run that outlives its time is
// killed and reported as hung, so that a regression fails instead of hanging.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/store_fixture.h"

namespace veltrun::testing {

struct BinaryRun {
    int code = -1;   // the exit code, -1 when the process ended by a signal
    int signal = 0;  // the signal that ended it
    bool hung = false;
    std::string err;
};

class BinaryProcess {
public:
    // fileSizeLimit >= 0 sets RLIMIT_FSIZE for the program.
    BinaryProcess(const std::filesystem::path& home, std::vector<std::string> args, long long fileSizeLimit = -1)
        : errFile_(home / "stderr.txt") {
        args.insert(args.begin(), {VELTRUN_BINARY, "--home", home.string()});
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_ = fork();
        if (pid_ != 0) return;
        // Only async-signal-safe calls until exec.
        int out = open("/dev/null", O_WRONLY);
        int err = open(errFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        if (fileSizeLimit >= 0) {
            rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    pid_t Pid() const { return pid_; }
    BinaryRun Wait(std::chrono::seconds timeout = std::chrono::seconds(60)) {
        BinaryRun run;
        int status = 0;
        auto deadline = std::chrono::steady_clock::now() + timeout;
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                run.hung = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (WIFEXITED(status)) run.code = WEXITSTATUS(status);
        if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
        run.err = ReadBytes(errFile_);
        std::filesystem::remove(errFile_);
        return run;
    }

private:
    std::filesystem::path errFile_;
    pid_t pid_ = -1;
};

}  // namespace veltrun::testing
