// Starting an outside program without a shell: its exit code and stderr,
// arguments passed verbatim, a missing program, cancellation and time limit.
#include <gtest/gtest.h>

#include <chrono>

#include "fide/process_runner.h"

namespace veltrun {
namespace {

using Clock = std::chrono::steady_clock;

ProcessRequest Request(std::vector<std::string> arguments) {
    ProcessRequest request;
    request.arguments = std::move(arguments);
    request.timeout = std::chrono::seconds(20);
    return request;
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST(ProcessRunnerTest, ExitCodeAndErrorOutputAreCaptured) {
    ProcessResult result = RunAndWait(Request({"sh", "-c", "echo first >&2; echo second >&2; exit 3"}));
    EXPECT_EQ(result.end, ProcessEnd::Exited);
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.errorOutput, "first\nsecond\n");
}

TEST(ProcessRunnerTest, ArgumentsReachTheProgramVerbatim) {
    // No shell sees these words: blanks, quotes, "$" and non-ASCII letters stay as they are.
    ProcessResult result = RunAndWait(Request(
        {"sh", "-c", "printf '%s|' \"$@\" >&2", "sh", "a b", "it's \"q\"", "$HOME;rm", "Žofie ü"}));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.errorOutput, "a b|it's \"q\"|$HOME;rm|Žofie ü|");
}

TEST(ProcessRunnerTest, MissingProgramIsAnErrorNotACrash) {
    try {
        RunAndWait(Request({"veltrun-no-such-program-here", "x"}));
        FAIL() << "no error";
    } catch (const ProcessStartError& e) {
        EXPECT_NE(std::string(e.what()).find("veltrun-no-such-program-here"), std::string::npos);
    }
}

TEST(ProcessRunnerTest, IdleIsCalledWhileWaitingAndCanCancel) {
    int calls = 0;
    ProcessRequest request = Request({"sh", "-c", "sleep 30"});
    request.idle = [&calls] { return ++calls < 4; };
    auto start = Clock::now();
    ProcessResult result = RunAndWait(request);
    EXPECT_EQ(result.end, ProcessEnd::Cancelled);
    EXPECT_EQ(calls, 4);
    EXPECT_LT(SecondsSince(start), 5.0);
}

TEST(ProcessRunnerTest, TimeLimitStopsTheProgramAndWhatItStarted) {
    ProcessRequest request = Request({"sh", "-c", "sleep 30 & sleep 30; echo never >&2"});
    request.timeout = std::chrono::milliseconds(300);
    auto start = Clock::now();
    ProcessResult result = RunAndWait(request);
    EXPECT_EQ(result.end, ProcessEnd::TimedOut);
    EXPECT_EQ(result.errorOutput, "");
    EXPECT_LT(SecondsSince(start), 5.0);
}

TEST(ProcessRunnerTest, LeftOverChildHoldingTheErrorPipeDoesNotBlock) {
    auto start = Clock::now();
    ProcessResult result = RunAndWait(Request({"sh", "-c", "sleep 3 & echo done >&2; exit 0"}));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.errorOutput, "done\n");
    EXPECT_LT(SecondsSince(start), 2.5);
}

}  // namespace
}  // namespace veltrun
