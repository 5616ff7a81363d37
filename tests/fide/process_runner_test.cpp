// Starting an outside program without a shell: exit code and stderr,
// arguments passed verbatim, a missing program, cancellation, time limit.
#include <gtest/gtest.h>

#include <chrono>

#include "fide/process_runner.h"

namespace veltrun {
namespace {

using Clock = std::chrono::steady_clock;

ProcessResult Spawn(std::vector<std::string> arguments, std::function<bool()> idle = {},
                  std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    ProcessRequest request;
    request.arguments = std::move(arguments);
    request.idle = std::move(idle);
    request.timeout = timeout;
    return RunAndWait(request);
}

TEST(ProcessRunnerTest, ArgumentsGoVerbatimTheAnswerIsCapturedAndCancelOrTimeLimitStopAll) {
    // No shell sees these words: blanks, quotes, "$" and non-ASCII letters stay as they are.
    ProcessResult result =
        Spawn({"sh", "-c", "printf '%s|' \"$@\" >&2; exit 3", "sh", "a b", "it's \"q\"", "$HOME;rm", "Žofie ü"});
    EXPECT_EQ(result.end, ProcessEnd::Exited);
    EXPECT_EQ(std::to_string(result.exitCode) + result.errorOutput, "3a b|it's \"q\"|$HOME;rm|Žofie ü|");
    EXPECT_THROW(Spawn({"veltrun-no-such-program-here"}), ProcessStartError);
    auto start = Clock::now();  // a left-over child holding the error pipe does not hold up the end
    EXPECT_EQ(Spawn({"sh", "-c", "sleep 3 & echo done >&2; exit 0"}).errorOutput, "done\n");
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2500));
    // Cancelling and the time limit stop the program and what it started.
    start = Clock::now();
    int calls = 0;
    EXPECT_EQ(Spawn({"sh", "-c", "sleep 30"}, [&calls] { return ++calls < 4; }).end, ProcessEnd::Cancelled);
    EXPECT_EQ(calls, 4);
    ProcessResult late = Spawn({"sh", "-c", "sleep 30 & sleep 30; echo never >&2"}, {}, std::chrono::milliseconds(300));
    EXPECT_EQ(late.end, ProcessEnd::TimedOut);
    EXPECT_EQ(late.errorOutput, "");
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
}  // namespace veltrun
