#include "fide/process_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace veltrun {

namespace {

constexpr std::size_t MaxErrorOutput = 64 * 1024;

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }
    void Reset(int fd) {
        Close();
        fd_ = fd;
    }
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

struct Pipe {
    FileDescriptor read;
    FileDescriptor write;
};

void MakePipe(Pipe& pipe) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    pipe.read.Reset(fds[0]);
    pipe.write.Reset(fds[1]);
    ::fcntl(fds[0], F_SETFL, O_NONBLOCK);
}

// Spawn attributes and file actions, destroyed on every path.
class SpawnSetup {
public:
    SpawnSetup() {
        posix_spawnattr_init(&attributes);
        posix_spawn_file_actions_init(&actions);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_t actions;
};

// Reads what is there without blocking; returns false at end of file.
bool DrainAvailable(int fd, std::string& into) {
    char buffer[4096];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            std::size_t room = MaxErrorOutput > into.size() ? MaxErrorOutput - into.size() : 0;
            into.append(buffer, std::min(room, static_cast<std::size_t>(n)));
            continue;
        }
        if (n == 0) return false;
        if (errno == EINTR) continue;
        return errno == EAGAIN || errno == EWOULDBLOCK;
    }
}

// The program runs in its own process group, so that a wrapper script and
// whatever it started are stopped together.
void KillGroup(pid_t pid) {
    ::kill(-pid, SIGKILL);
    ::kill(pid, SIGKILL);
}

int WaitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Whether the program has ended, without reaping it: its id stays taken, so
// its process group can still be stopped safely.
bool HasEnded(pid_t pid) {
    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) < 0)
        if (errno != EINTR) return true;  // nothing left to wait for
    return info.si_pid == pid;
}

pid_t Spawn(const ProcessRequest& request, int errorWriteFd) {
    if (request.arguments.empty()) throw std::invalid_argument("RunAndWait: no program");
    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&setup.actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&setup.actions, errorWriteFd, 2);
    if (!request.workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&setup.actions, request.workingFolder.c_str());
    // We ignore SIGXFSZ for ourselves; the engine gets the usual dispositions.
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGXFSZ);
    posix_spawnattr_setsigdefault(&setup.attributes, &defaults);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&setup.attributes, 0);

    std::vector<char*> argv;
    for (const auto& argument : request.arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, argv[0], &setup.actions, &setup.attributes, argv.data(), environ);
    if (rc != 0) throw ProcessStartError(request.arguments[0], rc);
    return pid;
}

ProcessResult ResultOfStatus(int status) {
    ProcessResult result;
    if (WIFSIGNALED(status)) {
        result.end = ProcessEnd::Signalled;
        result.exitCode = WTERMSIG(status);
    } else {
        result.exitCode = WEXITSTATUS(status);
    }
    return result;
}

}  // namespace

ProcessStartError::ProcessStartError(const std::string& program, int number)
    : std::runtime_error("\"" + program + "\": " + std::strerror(number)), errorNumber(number) {}

ProcessResult RunAndWait(const ProcessRequest& request) {
    Pipe errors;
    MakePipe(errors);
    pid_t pid = Spawn(request, errors.write.Get());
    errors.write.Close();

    std::string errorOutput;
    bool errorOpen = true;
    auto started = std::chrono::steady_clock::now();
    for (;;) {
        if (errorOpen) {
            pollfd fd{errors.read.Get(), POLLIN, 0};
            ::poll(&fd, 1, static_cast<int>(request.step.count()));
            errorOpen = DrainAvailable(errors.read.Get(), errorOutput);
        } else {
            ::poll(nullptr, 0, static_cast<int>(request.step.count()));
        }
        if (HasEnded(pid)) {
            // What the program left running in its group must not outlive it:
            // a child could still write the output file after we have read it.
            // The unreaped program keeps its id, so the group cannot be another one.
            ::kill(-pid, SIGKILL);
            const int status = WaitFor(pid);
            // Whatever is still in the pipe; a left-over grandchild cannot make us wait.
            if (errorOpen) DrainAvailable(errors.read.Get(), errorOutput);
            ProcessResult result = ResultOfStatus(status);
            result.errorOutput = std::move(errorOutput);
            return result;
        }
        ProcessEnd stop = ProcessEnd::Exited;
        if (request.idle && !request.idle()) stop = ProcessEnd::Cancelled;
        else if (std::chrono::steady_clock::now() - started >= request.timeout) stop = ProcessEnd::TimedOut;
        if (stop != ProcessEnd::Exited) {
            KillGroup(pid);
            WaitFor(pid);
            if (errorOpen) DrainAvailable(errors.read.Get(), errorOutput);
            ProcessResult result;
            result.end = stop;
            result.exitCode = -1;
            result.errorOutput = std::move(errorOutput);
            return result;
        }
    }
}

}  // namespace veltrun
