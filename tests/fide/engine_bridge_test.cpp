// The engine bridge against a fake "java" placed first on PATH: a script that
// checks its arguments and answers as told (a prepared output, an error, or
// never ending). No real engine is involved.
#include "fide/engine_bridge.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <thread>

#include "fide_fixture.h"
#include "store/text_file.h"
#include "support/environment_guard.h"

namespace veltrun {
namespace {

using testing::FideFixture;
using testing::ReadBytes;
using testing::WriteBytes;
namespace fs = std::filesystem;

const char* const FakeJava = R"(#!/bin/sh
echo "engine says hello" >&2
if [ "$#" -ne 6 ] || [ "$1" != "-ea" ] || [ "$2" != "-jar" ] || [ "$3" != "$FAKE_JAR" ] ||
   [ "$4" != "$FAKE_IN" ] || [ "$5" != "-p" ] || [ "$6" != "$FAKE_OUT" ]; then
  echo "bad arguments: $*" >&2
  exit 9
fi
cp "$4" "$FAKE_SEEN"
case "$FAKE_MODE" in
  answer) cp "$FAKE_ANSWER" "$6" ;;
  fail) echo "cannot pair" >&2; exit 1 ;;
  answer-and-fail) cp "$FAKE_ANSWER" "$6"; exit 2 ;;
  hang) sleep 60 ;;
  linger) cp "$FAKE_ANSWER" "$6"; (sleep 1; echo "1 2" >> "$6") & ;;
  corrupt) echo "Error: Invalid or corrupt jarfile $3" >&2; exit 1 ;;
  answer-and-complain) cp "$FAKE_ANSWER" "$6"; printf 'trace\n\tat Engine.main\n\n' >&2; exit 3 ;;
esac
)";

class EngineBridgeTest : public FideFixture {
protected:
    fs::path bin = home.path() / "bin", folder, answer, seen;
    testing::EnvironmentGuard path{"PATH", testing::PathWithFirst(bin.string()).c_str()};

    void SetUp() override {
        FideFixture::SetUp();
        // Blanks, quotes and non-ASCII letters in every path the engine gets.
        session.ProgramFolder = home.path() / "Prog 'x' \"ü\"";
        WriteBytes(bin / "java", FakeJava);
        fs::permissions(bin / "java", fs::perms::owner_all);
        WriteBytes(session.ProgramFolder / "javafo.jar", "not a real jar");
        session.settings.ShortFileNameJAVAFOin = "engine in.trf";
        session.settings.ShortFileNameJAVAFOout = "engine out.txt";
        folder = WriteSmallTournament("Open Žilina", 5);
        Open(folder);
        answer = home.path() / "answer.txt";
        seen = home.path() / "seen.trf";
        setenv("FAKE_JAR", (session.ProgramFolder / "javafo.jar").c_str(), 1);
        setenv("FAKE_IN", (folder / "engine in.trf").c_str(), 1);
        setenv("FAKE_OUT", (folder / "engine out.txt").c_str(), 1);
        setenv("FAKE_SEEN", seen.c_str(), 1);
        setenv("FAKE_ANSWER", answer.c_str(), 1);
    }

    void Engine(const std::string& mode, const std::string& output = "") {
        setenv("FAKE_MODE", mode.c_str(), 1);
        WriteBytes(answer, output);
    }
    std::string Pair() { return FailureOf([&] { PairRoundWithEngine(session); }); }
    bool Logged(const std::string& line) { return std::find(logged.begin(), logged.end(), line) != logged.end(); }
    void ExpectNothingPaired() {
        EXPECT_FALSE(fs::exists(folder / "round4.txt"));
        EXPECT_EQ(session.tournament.CurrentRound, 3);
        EXPECT_EQ(ui.busy_depth, 0);
    }
};

TEST_F(EngineBridgeTest, PairsTheNextRoundFromTheEnginesAnswer) {
    Engine("answer", "2\n1 4\n3 2\n");
    EXPECT_EQ(Pair(), "no failure");
    auto lines = ReadTextLines(folder / "round4.txt");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "# symbol ?-? must be replaced by valid result");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()),
              (std::vector<std::string>{"|0k-0k|Lee, Ann-stop|5-stop|A5-stop",
                                        "|?-?|Novák, Jiří-Doe, John|1-4|A1-A4",
                                        "|?-?|Bartholomew-Wolfeschlegelsteinhausen, Maximilian-Šťastná, Žofie|3-2|A3-A2"}));
    EXPECT_EQ(session.tournament.CurrentRound, 4);
    EXPECT_EQ(session.tournament.Player(5).OpponentHistory, "bye|A4|stop|stop|");
    EXPECT_EQ(ui.busy_depth, 0);
    // The engine read the TRF16 input without the date records.
    std::string input = ReadBytes(seen);
    EXPECT_EQ(input.rfind("012 Open Zilina\r\n022 City\r\n032 Federation\r\n062 5\r\n", 0), 0u) << input;
    EXPECT_NE(input.find("\r\nXXZ    5\r\n"), std::string::npos);
    // What the engine said and how it ended reach the log.
    EXPECT_TRUE(Logged("JaVaFo: engine says hello"));
    EXPECT_TRUE(Logged("JaVaFo ended with exit code 0."));
}

TEST_F(EngineBridgeTest, ByeOnEitherSideGetsTheByeResult) {
    WriteTextLines(folder / "players.txt", {"1|A1|a|2310", "1|A2|b|2205", "1|A3|c|2104", "1|A4|d|1850", "1|A5|e|0"});
    WriteTextLines(folder / "round3.txt", {"|0.5-0.5|||A1-A3", "|0k-0k|||A4-A2", "|1k-0k|||A5-bye"});
    Open(folder);
    Engine("answer", "3\n1 4\n0 2\n5 3\n");
    EXPECT_EQ(Pair(), "no failure");
    auto lines = ReadTextLines(folder / "round4.txt");
    EXPECT_EQ(lines[3], "|0k-1k|bye-b|bye-2|bye-A2");
    EXPECT_EQ(session.tournament.Player(2).OpponentHistory, "A3|A1|A4|bye|");
}

// Every way the engine can fail is reported, in the engine's own last words
// where it gave some, logged, and leaves no round file; nothing it started
// outlives it.
TEST_F(EngineBridgeTest, EveryFailureIsReportedAndNoChildIsLeftBehind) {
    const std::string sound = "2\n1 4\n3 2\n", said = "The pairing engine said: ";
    const struct {
        const char* mode;
        std::string answer, expected;
    } cases[] = {
        {"fail", "", "File creation failed (engine out.txt). " + said + "\"cannot pair\""},
        {"answer", "2\n1 4\n1 2\n",
         "Output of the pairing engine (engine out.txt), line 3: \"1 2\" pairs a player a second time."},
        {"answer-and-fail", sound, "The pairing engine ended with exit code 2. " + said + "\"engine says hello\""},
        {"corrupt", "", "File creation failed (engine out.txt). " + said + "\"Error: Invalid or corrupt jarfile " +
                            (session.ProgramFolder / "javafo.jar").string() + "\""},
        {"answer-and-complain", sound, "The pairing engine ended with exit code 3. " + said + "\"at Engine.main\""},
    };
    for (const auto& c : cases) {
        WriteBytes(folder / "engine out.txt", sound);  // left over from an earlier run
        Engine(c.mode, c.answer);
        EXPECT_EQ(Pair(), c.expected) << c.mode;
        ExpectNothingPaired();
    }
    EXPECT_TRUE(Logged("Run of JaVaFo failed."));
    EXPECT_TRUE(Logged("JaVaFo: cannot pair"));

    {
        testing::EnvironmentGuard noJava("PATH", (home.path() / "empty").c_str());
        EXPECT_EQ(Pair(), "The program could not be started: \"java\": No such file or directory. File creation failed "
                          "(engine out.txt). This may mean, that Java is not installed. Install Java, or disable full "
                          "Fide compatibility mode (JaVaFoIsUsed=False) in the INI file. The reason for not creating a "
                          "file can also be the exhaustion of all permissible combinations (few players and many "
                          "rounds -  next round cannot be assembled).");
        ExpectNothingPaired();
    }
    session.settings.ShortFileNameJAVAFOout = "Engine In.trf";
    EXPECT_EQ(Pair(), "The input and output files of the pairing engine must have different names.");
    session.settings.ShortFileNameJAVAFOout = "engine out.txt";

    Engine("linger", sound);  // answers, and leaves a child that writes a second later
    EXPECT_EQ(Pair(), "no failure");
    const std::string output = ReadBytes(folder / "engine out.txt");
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_EQ(ReadBytes(folder / "engine out.txt"), output) << "a left-over child wrote";
    EXPECT_EQ(session.tournament.CurrentRound, 4);

    fs::remove(session.ProgramFolder / "javafo.jar");
    EXPECT_EQ(Pair(), "File not exist (" + (session.ProgramFolder / "javafo.jar").string() + ").");
    EXPECT_FALSE(fs::exists(folder / "round5.txt"));
}

TEST_F(EngineBridgeTest, EngineThatNeverEndsCanBeCancelledOrTimesOut) {
    Engine("hang");
    ui.cancel_idle_after = 3;
    EXPECT_EQ(Pair(), "The pairing engine was cancelled.");
    EXPECT_TRUE(Logged("Run of JaVaFo was cancelled."));
    ExpectNothingPaired();

    ui.cancel_idle_after = -1;
    session.settings.EngineTimeoutSeconds = 1;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Pair(), "The pairing engine was stopped after 1 seconds.");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    ExpectNothingPaired();
}

}  // namespace
}  // namespace veltrun
