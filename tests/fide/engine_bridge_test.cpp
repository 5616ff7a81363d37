// The engine bridge against a fake "java" placed first on PATH: a script that
// checks its arguments and answers as told (a prepared output, an error, or
// never ending). No real engine is involved.
#include "fide/engine_bridge.h"

#include <gtest/gtest.h>

#include <thread>

#include "fide_fixture.h"
#include "support/environment_guard.h"

namespace veltrun {
namespace {

using namespace veltrun::testing;

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
    fs::path bin = home.path() / "bin", folder, answer = home.path() / "answer.txt", seen = home.path() / "seen.trf";
    EnvironmentGuard path{"PATH", PathWithFirst(bin.string()).c_str()};

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
        for (const auto& [name, value] : {std::pair{"FAKE_JAR", session.ProgramFolder / "javafo.jar"},
                                          {"FAKE_IN", folder / "engine in.trf"}, {"FAKE_OUT", folder / "engine out.txt"},
                                          {"FAKE_SEEN", seen}, {"FAKE_ANSWER", answer}})
            setenv(name, value.c_str(), 1);
    }

    void Engine(const std::string& mode, const std::string& output = "") {
        setenv("FAKE_MODE", mode.c_str(), 1);
        WriteBytes(answer, output);
    }
    std::string Pair() { return ErrorOf([&] { PairRoundWithEngine(session); }); }
    void ExpectNothingPaired() {
        EXPECT_FALSE(fs::exists(folder / "round4.txt"));
        EXPECT_EQ(session.tournament.CurrentRound, 3);
        EXPECT_EQ(ui.busy_depth, 0);
    }
};

TEST_F(EngineBridgeTest, PairsTheNextRoundFromTheEnginesAnswerWithAByeOnEitherSide) {
    Engine("answer", "2\n1 4\n3 2\n");
    EXPECT_EQ(Pair(), "");
    auto lines = ReadTextLines(folder / "round4.txt");
    ASSERT_EQ(lines.size(), 5u);
    lines.erase(lines.begin() + 1);  // the valid results
    EXPECT_EQ(lines, (std::vector<std::string>{"# symbol ?-? must be replaced by valid result", "|0k-0k|Lee, Ann-stop|5-stop|A5-stop",
                                               "|?-?|Novák, Jiří-Doe, John|1-4|A1-A4",
                                               "|?-?|Bartholomew-Wolfeschlegelsteinhausen, Maximilian-Šťastná, Žofie|3-2|A3-A2"}));
    EXPECT_EQ(std::to_string(session.tournament.CurrentRound) + session.tournament.Player(5).OpponentHistory, "4bye|A4|stop|stop|");
    EXPECT_EQ(ui.busy_depth, 0);
    // JaVaFo reads the TRF16 input it always did, without the date records; what it said and how it ended are logged.
    EXPECT_EQ(ReadBytes(seen), ReadBytes(fs::path(VELTRUN_SOURCE_DIR) / "tests/fide/expected/open_zilina_javafo_in.trf"));
    EXPECT_TRUE(Logged("JaVaFo: engine says hello") && Logged("JaVaFo ended with exit code 0."));

    // A bye on either side gets the bye result.
    fs::remove(folder / "round4.txt");
    WriteTextLines(folder / "players.txt", {"1|A1|a|2310", "1|A2|b|2205", "1|A3|c|2104", "1|A4|d|1850", "1|A5|e|0"});
    WriteTextLines(folder / "round3.txt", {"|0.5-0.5|||A1-A3", "|0k-0k|||A4-A2", "|1k-0k|||A5-bye"});
    Open(folder);
    Engine("answer", "3\n1 4\n0 2\n5 3\n");
    EXPECT_EQ(Pair(), "");
    EXPECT_EQ(ReadTextLines(folder / "round4.txt")[3], "|0k-1k|bye-b|bye-2|bye-A2");
    EXPECT_EQ(session.tournament.Player(2).OpponentHistory, "A3|A1|A4|bye|");
}

// bbpPairings, played by a script that refuses what the real one refuses,
// gets the records it needs and no others: the first player's colour in
// round 1, absences as "240 Z", the points of a win, a draw and a bye.
TEST_F(EngineBridgeTest, BbpPairingsGetsTheRecordsItNeeds) {
    for (const char* name : {"bbpPairings.exe", "other-engine"}) fs::copy_file(fs::path(VELTRUN_SOURCE_DIR) / "tests/fide/fake_bbppairings.sh", session.ProgramFolder / name);
    const std::string bbp = "bbpPairings.exe --dutch {in} -p {out}", said = " The pairing engine said: \"";
    const struct { std::string command, option; int rounds; std::string mode, records, expected; } cases[] = {
        {bbp, "", 3, "answer", "XXR 5\r\n001", ""},
        {bbp, "", 3, "answer", "XXZ    5\r\n240 Z   4    5\r\n", ""},
        {bbp, "ColourFor1stPlayer=B", 0, "answer", "XXR 5\r\nXXC black1\r\n001", ""},
        {bbp, "PointsType=3-1-0", 3, "answer", "XXR 5\r\nBBW  3.0\r\nBBD  1.0\r\nBBU  0.0\r\n001", ""},
        {"other-engine --dutch {in} -p {out}", "", 0, "answer", "", "File creation failed (engine out.txt)." + said + "round 1 needs XXC\""},
        {bbp, "", 3, "none", "", "The pairing engine found no pairing for the next round: with these players, rounds and forbidden pairs none is allowed." + said + "No valid pairing exists\""},
        {"bbpPairings-6 --dutch {in} -p {out}", "", 3, "none", "", "The program could not be started: \"bbpPairings-6\": No such file or directory. File creation failed (engine out.txt). This may mean, that the pairing engine is not installed. Put it in the program folder or on the search path, or correct the setting [JaVaFo] Command in the INI file. The reason"},
    };
    for (const auto& c : cases) {
        WriteSmallTournament("Open Žilina", 5);
        WriteTextLines(folder / "options.txt", {"[Options]", "MaxRound=5", c.option});
        const bool three = c.option == "PointsType=3-1-0";
        session.settings.ByePoints = three ? "asLost" : "asWin";
        if (three) {
            WriteTextLines(folder / "round1.txt", {"|3-0|||A1-A4", "|1-1|||A3-A2", "|0k-0k|||A5-bye"});
            WriteTextLines(folder / "round2.txt", {"|0-3|||A2-A1", "|0k-3k|||A4-A5", "|0k-0k|||A3-bye"});
            WriteTextLines(folder / "round3.txt", {"|1-1|||A1-A3", "|0k-0k|||A4-A2", "|0k-0k|||A5-stop"});
        }
        for (int r = c.rounds + 1; r <= 4; ++r) fs::remove(folder / ("round" + std::to_string(r) + ".txt"));
        Open(folder);
        session.settings.EngineCommand = c.command;
        Engine(c.mode, "2\n1 4\n3 2\n");
        const std::string failure = Pair();
        EXPECT_EQ(failure.substr(0, c.expected.empty() ? failure.size() : c.expected.size()), c.expected) << c.command << " " << c.option;
        EXPECT_EQ(fs::exists(folder / ("round" + std::to_string(c.rounds + 1) + ".txt")), c.expected.empty());
        EXPECT_NE(ReadBytes(seen).find(c.records), std::string::npos) << c.records;
    }
}

// Every way the engine can fail is reported, in the engine's own last words
// where it gave some, logged, and leaves no round file; nothing it started
// outlives it.
TEST_F(EngineBridgeTest, EveryFailureIsReportedAndNoChildIsLeftBehind) {
    const std::string sound = "2\n1 4\n3 2\n", said = "The pairing engine said: ";
    const struct { const char* mode; std::string answer, expected; } cases[] = {
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
    EXPECT_TRUE(Logged("Run of JaVaFo failed.") && Logged("JaVaFo: cannot pair"));
    {
        EnvironmentGuard noJava("PATH", (home.path() / "empty").c_str());
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
    EXPECT_EQ(Pair(), "");
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
