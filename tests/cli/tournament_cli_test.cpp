// The tournament commands end to end, through a temporary program folder:
// what they print, their exit codes and the files they leave on disk.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <sstream>

#include "support/cli_run.h"
#include "support/store_fixture.h"

namespace veltrun::cli {
namespace {

using ::testing::HasSubstr;
using veltrun::testing::ReadBytes;
using veltrun::testing::WriteBytes;
using TournamentCli = testing::CliTest;

TEST_F(TournamentCli, DirectorRunsATournamentFromTheCommandLine) {
    auto run = Run({"new", "Cup", "--rounds", "7", "--colour", "w", "--tb", "midBH"});
    EXPECT_THAT(run.out, HasSubstr("Created tournament " + Folder("Cup").string())) << run.out << run.err;
    EXPECT_EQ(ReadBytes(Folder("Cup") / "options.txt"),
              ";\r\n; valid values for TB1 - TB5 are:\r\n"
              ";    for TbsType = Chess : BH midBH BHcut1 DiEnc SB PS cWin cWinBl cBlack -\r\n"
              ";    for TbsType = Goals : G1 -G2 G1-G2 G1/G2 DiEnc -\r\n;\r\n[Options]\r\nMaxRound=7\r\n"
              "ColourFor1stPlayer=W\r\nPointsType=1- 0.5 -0\r\nTBsType=Chess\r\nTB1=midBH\r\nTB2=BHcut1\r\n"
              "TB3=SB\r\nTB4=DiEnc\r\nTB5=cWin\r\n\r\n");
    EXPECT_EQ(ReadBytes(Folder("Cup") / "players.txt"), "#on/off|ArrivalID|Name|ELO|FideID|NationalID|TeamID\r\n");
    ASSERT_EQ(Run({"new", "Goals Cup", "--rounds", "3", "--type", "Goals", "--points", "3-1-0", "--colour", "R"}).code, 0);
    EXPECT_NE(ReadBytes(Folder("Goals Cup") / "options.txt")
                  .find("ColourFor1stPlayer=R\r\nPointsType=3-1-0\r\nTBsType=Goals\r\nTB1=G1-G2\r\nTB2=G1\r\n"),
              std::string::npos);
    // A result of a Goals tournament needs the goals.
    WriteBytes(Folder("Goals Cup") / "players.txt", "1|A|Ann|2000|||\n1|B|Ben|1900|||\n");
    WriteBytes(Folder("Goals Cup") / "round1.txt", "|?-?|||A-B|0:0\n");
    auto noGoals = Run({"result", "Goals Cup", "A-B", "1-0"});
    EXPECT_EQ(noGoals.code, 1);
    EXPECT_EQ(noGoals.err, "Error: The goals of the game are missing: give them with --goals W:B.\n");
    EXPECT_EQ(Run({"result", "Goals Cup", "A-B", "1-0", "--goals", "3:1"}).out, "Saved 1-0 (3:1) for game A-B in round1.txt\n");

    for (int i = 1; i <= 4; ++i) {
        const std::string n = std::to_string(i), elo = std::to_string(2500 - i * 10);
        auto add = Run({"add-player", "Cup", "--name", "Pl" + n + " Smith", "--elo", elo, "--team", "North"});
        ASSERT_EQ(add.code, 0) << add.err;
        EXPECT_EQ(add.out, "Added player [APl" + n + "] Pl" + n + " Smith (" + elo + ")\n");
    }
    EXPECT_EQ(Run({"players", "Cup"}).out.find("[APl1] Pl1 Smith (2490)\n"), 0u);

    // Round 1 made by hand, as an outside pairing would leave it.
    WriteBytes(Folder("Cup") / "round1.txt",
               "# symbol ?-? must be replaced by valid result\n|?-?|||APl1-APl3\n|?-?|||APl2-APl4\n");
    EXPECT_EQ(Run({"delete-player", "Cup", "APl4"}).out, "Suspended player APl4\n");
    EXPECT_EQ(Run({"players", "Cup", "--suspended"}).out, "[APl4] Pl4 Smith (2460)\n");
    ASSERT_EQ(Run({"restore-player", "Cup", "APl4"}).code, 0);
    EXPECT_EQ(Run({"players", "Cup", "--suspended"}).out, "");

    EXPECT_EQ(Run({"games", "Cup"}).out, "[1] Pl1 Smith - Pl3 Smith  APl1-APl3\n[2] Pl2 Smith - Pl4 Smith  APl2-APl4\n");
    EXPECT_EQ(Run({"result", "Cup", "APl1-APl3", "1-0"}).out, "Saved 1-0 for game APl1-APl3 in round1.txt\n");
    ASSERT_EQ(Run({"result", "Cup", "APl2-APl4", " 0,5-0,5 "}).code, 0);  // blanks around it are ignored
    EXPECT_EQ(ReadBytes(Folder("Cup") / "round1.txt"),
              "# symbol ?-? must be replaced by valid result\r\n|1-0|||APl1-APl3\r\n|0.5-0.5|||APl2-APl4\r\n");
    EXPECT_EQ(Run({"games", "Cup"}).out, "");
    EXPECT_THAT(Run({"open", "Cup"}).out, HasSubstr("Players: 4 (4 active, 0 suspended)\nRounds: 1/7\n"));
}

// pair and result round after round until the tournament is over.
TEST_F(TournamentCli, PairingRoundByRound) {
    ASSERT_EQ(Run({"new", "Open", "--rounds", "3", "--colour", "W"}).code, 0);
    const char* names[] = {"Ann", "Ben", "Cid", "Dan", "Eve"};
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(Run({"add-player", "Open", "--name", names[i], "--elo", std::to_string(2500 - 100 * i)}).code, 0);
    auto round = [&](int r) { return Folder("Open") / ("round" + std::to_string(r) + ".txt"); };

    // Round 1 asks first; without a terminal nobody answers and nothing changes.
    auto refused = testing::RunBinaryIn(home, {"pair", "Open"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, "Warning: Do you want to close the starting list of players and pair the 1st round?\n"
                           "Information: Nothing was changed: answer with --yes or --no.\n");
    // A trial neither asks nor writes, not even the log's pairing lines.
    const auto files = Snapshot("Open");
    auto dry = Run({"pair", "Open", "--dry-run"});
    ASSERT_EQ(dry.code, 0) << dry.err;
    EXPECT_EQ(Snapshot("Open"), files);
    EXPECT_EQ(ReadBytes(Folder("Open") / "tournlog.log").find("Pairing"), std::string::npos);

    auto first = Run({"--yes", "pair", "Open"});
    ASSERT_EQ(first.code, 0) << first.err;
    // --yes took the offer too: the new round's report follows the boards.
    EXPECT_EQ(first.out, "Round 1\n1. [AAnn] Ann - [ACid] Cid\n2. [ADan] Dan - [ABen] Ben\nbye: [AEve] Eve\n" +
                             (Folder("Open") / "round1.html").string() + "\n");
    EXPECT_EQ(dry.out + (Folder("Open") / "round1.html").string() + "\n",
              "Round 1 (dry run, nothing written)\n" + first.out.substr(first.out.find('\n') + 1));

    for (int r = 1; r <= 3; ++r) {
        std::istringstream games(Run({"games", "Open"}).out);
        for (std::string line; std::getline(games, line);)
            ASSERT_EQ(Run({"result", "Open", line.substr(line.rfind(' ') + 1), "1-0"}).code, 0) << line;
        auto next = Run({"pair", "Open"});
        if (r == 3) {
            EXPECT_EQ(next.code, 1);
            EXPECT_THAT(next.err, HasSubstr("Tournament is over."));
            auto late = Run({"--yes", "add-player", "Open", "--name", "Fay", "--elo", "1500"});
            EXPECT_EQ(late.code, 1);
            EXPECT_EQ(late.err, "Error: Tournament is over.\n");
            break;
        }
        ASSERT_EQ(next.code, 0) << next.err;
        EXPECT_EQ(next.out.rfind("Round " + std::to_string(r + 1) + "\n", 0), 0U) << next.out;
        EXPECT_TRUE(std::filesystem::exists(round(r + 1)));
    }
    // An earlier round's result: a second question says later rounds stay as they were paired.
    auto early = Run({"--yes", "result", "Open", "AAnn-ACid", "0-1", "--correct"});
    ASSERT_EQ(early.code, 0) << early.err;
    EXPECT_EQ(early.out, "Saved 0-1 for game AAnn-ACid in round1.txt\n");
    EXPECT_THAT(early.err, HasSubstr("Later rounds were paired from the old result"));
    EXPECT_THAT(ReadBytes(round(1)), HasSubstr("|0-1|Ann-Cid|"));
}

TEST_F(TournamentCli, RefusalsLeaveEveryFileAsItWas) {
    ASSERT_EQ(Run({"new", "Cup", "--rounds", "3"}).code, 0);
    ASSERT_EQ(Run({"add-player", "Cup", "--name", "Ann Ash", "--elo", "2000"}).code, 0);
    ASSERT_EQ(Run({"add-player", "Cup", "--name", "Ben Bell", "--elo", "1900"}).code, 0);
    WriteBytes(Folder("Cup") / "round1.txt", "|?-?|||AAnn-ABen\r\n");
    auto before = Snapshot("Cup");

    const std::string ask = "Information: Do you really want to add player into running tournament?\n";
    const struct { std::vector<std::string> args; std::string err; } cases[] = {
        {{"add-player", "Cup", "--name", "Cid", "--elo", "1800"}, ask + "Information: Nothing was changed: answer with --yes or --no.\n"},
        {{"--yes", "add-player", "Cup", "--name", "ann ash", "--elo", "1800"},
         ask + "Error: This is exactly the name of the player already in the tournament.\n"},
        {{"--yes", "add-player", "Cup", "--name", "Cid", "--elo", "-5"}, ask + "Error: ELO must be a positive integer.\n"},
        {{"restore-player", "Cup", "AAnn"}, "Error: No player found for this action.\n"},
        {{"delete-player", "Cup", "Nobody"}, "Error: Player (Nobody) is not among the players for this action.\n"},
        {{"result", "Cup", "AAnn-ABen", "?-?"}, "Error: Result must be entered.\n"},
        {{"result", "Cup", "AAnn-ABen", "3-0"}, "Error: Game (AAnn-ABen) has not valid result (3-0). Valid results: "
                                                 "1-0, 0-1, 0.5-0.5, 1k-0k, 0k-1k, 0k-0k, 0.5-0, 0-0.5, 0-0.\n"},
        {{"result", "Cup", "ABen-AAnn", "1-0"}, "Error: Fatal error: game ABen-AAnn was not found in file round1.txt\n"},
    };
    for (const auto& c : cases) {
        auto run = Run(c.args);
        EXPECT_EQ(run.code, 1) << c.args[0];
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(Snapshot("Cup"), before) << c.args[0];
    }
    EXPECT_EQ(Run({"result", "Cup", "AAnn-ABen", "1-0", "--goals", "1:0"}).code, 2);

    ASSERT_EQ(Run({"result", "Cup", "AAnn-ABen", "1-0"}).code, 0);
    auto again = Run({"result", "Cup", "AAnn-ABen", "0-1"});
    EXPECT_EQ(again.code, 1);
    EXPECT_EQ(again.err,
              "Information: There is nothing to enter (all results have already been inserted). Use button for "
              "pairing next round.\n");
    // A wrong result is changed only with --correct, after the old and the new result were shown.
    for (const char* answer : {"--no", "--yes"}) {
        auto correct = Run({answer, "result", "Cup", "AAnn-ABen", "0-1", "--correct"});
        EXPECT_EQ(correct.code, answer[2] == 'y' ? 0 : 1) << correct.err;
        EXPECT_THAT(correct.err, HasSubstr("Round 1, Game [1] Ann Ash - Ben Bell\nChange the result 1-0 to 0-1?"));
    }
    EXPECT_NE(ReadBytes(Folder("Cup") / "tournlog.log").find("AAnn-ABen in round1.txt corrected from 1-0 to 0-1"),
              std::string::npos);
    ASSERT_EQ(Run({"--yes", "result", "Cup", "AAnn-ABen", "1-0", "--correct"}).code, 0);
    // The same result again writes nothing and says so, not "Saved".
    const std::string round1 = ReadBytes(Folder("Cup") / "round1.txt");
    auto same = Run({"result", "Cup", "AAnn-ABen", "1-0", "--correct"});
    EXPECT_EQ(same.code, 0);
    EXPECT_EQ(same.out, "");
    EXPECT_THAT(same.err, HasSubstr("already has this result; nothing was changed."));
    EXPECT_EQ(ReadBytes(Folder("Cup") / "round1.txt"), round1);

    auto late = Run({"--yes", "add-player", "Cup", "--name", "Cid Cole", "--elo", "1800"});
    ASSERT_EQ(late.code, 0) << late.err;
    EXPECT_THAT(late.out, HasSubstr("as a late entrant"));
}

// A folder with round files whose options.txt is gone or damaged is not a
// tournament before round 1: every command refuses and changes nothing.
TEST_F(TournamentCli, DamagedOptionsStopEveryCommandOfARunningTournament) {
    ASSERT_EQ(Run({"new", "Cup", "--rounds", "5"}).code, 0);
    auto options = Folder("Cup") / "options.txt";
    WriteBytes(Folder("Cup") / "players.txt", "1|D1|Dan One|2000|||\n1|D2|Dan Two|1900|||\n");
    WriteBytes(Folder("Cup") / "round1.txt", "|1-0|||D1-D2\n");
    std::string noise;
    std::mt19937 random(14);
    for (int i = 0; i < 300; ++i) noise += static_cast<char>(random() % 256);
    const struct { std::optional<std::string> options; std::string expected; } cases[] = {
        {std::nullopt, options.string() + " is missing, but the folder holds round files"},
        {noise, options.string() + " holds no valid number of rounds (key MaxRound"},
        {"[Options]\nMaxRound=seven\nTBsType=Chess\n", options.string() + " holds no valid number of rounds (key MaxRound"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(options);
        if (c.options) WriteBytes(options, *c.options);
        auto before = Snapshot("Cup");
        for (std::vector<std::string> args : {std::vector<std::string>{"delete-player", "Cup", "D1"},
                                              {"--yes", "add-player", "Cup", "--name", "Late Lee", "--elo", "1500"},
                                              {"open", "Cup"}}) {
            auto run = testing::RunBinaryIn(home, args);
            EXPECT_EQ(run.code, 1) << args[0] << run.out;
            EXPECT_THAT(run.err, HasSubstr(c.expected));
            EXPECT_EQ(Snapshot("Cup"), before) << args[0];
        }
    }
}

// Opening never writes players.txt; a command that rewrites it refuses while it holds a value loading had to convert.
TEST_F(TournamentCli, PlayersFileStaysAsTyped) {
    ASSERT_EQ(Run({"new", "Cup", "--rounds", "3"}).code, 0);
    auto players = Folder("Cup") / "players.txt";
    const std::string typed = "1|B|Ben Bell|1900|||\n1|A|Ann Ash|20x0|||\n1|CKovac\n";
    WriteBytes(players, typed);
    const std::string line2 = "Value \"20x0\" (in file " + players.string() + ", line 2) cannot be read.";
    auto pair = testing::RunBinaryIn(home, {"--yes", "pair", "Cup"});
    EXPECT_EQ(pair.code, 1);
    EXPECT_THAT(pair.err, HasSubstr(line2));
    EXPECT_FALSE(std::filesystem::exists(Folder("Cup") / "round1.txt"));

    WriteBytes(Folder("Cup") / "round1.txt", "|1-0|||B-A\n|0k-0k|||CKovac-stop\n");
    for (std::vector<std::string> args : {std::vector<std::string>{"open", "Cup"}, {"standings", "Cup", "--print"},
                                          {"standings", "Cup", "--cards"}, {"start-list", "Cup"},
                                          {"round-report", "Cup", "1"}, {"games", "Cup"}, {"players", "Cup"}}) {
        auto run = testing::RunBinaryIn(home, args);
        EXPECT_EQ(run.code, 0) << args[0] << run.err;
        EXPECT_NE(run.err.find("Warning: Player (A) has invalid value at (fourth) field"), std::string::npos)
            << args[0] << run.err;
        EXPECT_EQ(ReadBytes(players), typed) << args[0];
    }
    auto before = Snapshot("Cup");
    for (std::vector<std::string> args : {std::vector<std::string>{"delete-player", "Cup", "B"},
                                          {"--yes", "add-player", "Cup", "--name", "Dan Dee", "--elo", "1500"}}) {
        auto run = testing::RunBinaryIn(home, args);
        EXPECT_EQ(run.code, 1) << args[0];
        EXPECT_THAT(run.err, HasSubstr(line2));
        EXPECT_EQ(Snapshot("Cup"), before) << args[0];
    }
}

// The same names give the same starting numbers and the same alphabetical list wherever the program runs.
TEST_F(TournamentCli, NameOrderDoesNotDependOnTheLocale) {
    ASSERT_EQ(Run({"new", "Cup", "--rounds", "3"}).code, 0);
    WriteBytes(Folder("Cup") / "players.txt",
               "1|W|Wang Otto|1800|||\n1|S|dos Santos Marco|1800|||\n1|N1|NOVÁK Jan|1800|||\n1|N2|Novak Jan|1800|||\n"
               "1|L|Łukasz Lis|1800|||\n1|O|Øster Ole|1800|||\n1|H|Hrad Hugo|1800|||\n1|C|Chata Cyril|1800|||\n");
    const std::string alphabetical =
        "[C] Chata Cyril (1800)\n[S] dos Santos Marco (1800)\n[H] Hrad Hugo (1800)\n[L] Łukasz Lis (1800)\n"
        "[N1] NOVÁK Jan (1800)\n[N2] Novak Jan (1800)\n[O] Øster Ole (1800)\n[W] Wang Otto (1800)\n";
    std::string firstTrf;
    for (std::string locale : {"C", "POSIX", "C.UTF-8", "en_US.UTF-8", "cs_CZ.UTF-8", "da_DK.UTF-8"}) {
        auto list = testing::RunBinaryIn(home, {"players", "Cup"}, {"LC_ALL=" + locale, "LANG=" + locale});
        EXPECT_EQ(list.out, alphabetical) << locale;
        auto trf = testing::RunBinaryIn(home, {"trf", "Cup"}, {"LC_ALL=" + locale});
        ASSERT_EQ(trf.code, 0) << trf.err;
        std::string text = ReadBytes(trf.out.substr(0, trf.out.find('\n')));
        auto first = text.find("001    1 ");
        ASSERT_NE(first, std::string::npos) << text;
        EXPECT_NE(text.find("Chata", first), std::string::npos);
        EXPECT_LT(text.find("Chata", first), text.find("dos Santos", first)) << locale;
        EXPECT_LT(text.find("NOVAK", first), text.find("Novak", first)) << locale;  // TRF names are ASCII
        if (firstTrf.empty()) firstTrf = text;
        EXPECT_EQ(text.substr(first), firstTrf.substr(firstTrf.find("001    1 "))) << locale;
    }
}

}  // namespace
}  // namespace veltrun::cli
