#pragma once
// Runs the real program as a process of its own, for what only a process shows: its exit
// code and output, a hang, a signal, a resource limit. A run that outlives its time is
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

extern char** environ;

namespace veltrun::testing {

struct BinaryRun {
    int code = -1, signal = 0;  // the exit code (-1 when ended by a signal), the signal that ended it
    bool hung = false;
    std::string out, err;
};

class BinaryProcess {
public:
    // fileSizeLimit >= 0 sets RLIMIT_FSIZE; environment adds settings such as "LC_ALL=cs_CZ.UTF-8".
    BinaryProcess(const std::filesystem::path& home, std::vector<std::string> args, long long fileSizeLimit = -1,
                  std::vector<std::string> environment = {})
        : outFile_(home / ".stdout"), errFile_(home / ".stderr") {
        args.insert(args.begin(), {VELTRUN_BINARY, "--home", home.string()});
        for (char** e = environ; *e; ++e) environment.push_back(*e);  // the first of a name counts
        std::vector<char*> argv, envp;
        for (auto& a : args) argv.push_back(a.data());
        for (auto& e : environment) envp.push_back(e.data());
        argv.push_back(nullptr), envp.push_back(nullptr);
        pid_ = fork();
        if (pid_ != 0) return;
        // Only async-signal-safe calls until exec.
        dup2(open("/dev/null", O_RDONLY), 0);
        dup2(open(outFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        dup2(open(errFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        if (fileSizeLimit >= 0) {
            rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        execve(argv[0], argv.data(), envp.data());
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
        run.out = ReadBytes(outFile_), run.err = ReadBytes(errFile_);
        std::filesystem::remove(outFile_), std::filesystem::remove(errFile_);
        return run;
    }

private:
    std::filesystem::path outFile_, errFile_;
    pid_t pid_ = -1;
};

inline BinaryRun RunBinaryIn(const TempFolder& home, const std::vector<std::string>& args,
                             const std::vector<std::string>& environment = {}) {
    return BinaryProcess(home.path(), args, -1, environment).Wait();
}

}  // namespace veltrun::testing
