// The tournament commands end to end, through a temporary program folder:
// what they print, their exit codes and the files they leave on disk.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>
#include <sstream>

#include "cli/commands.h"
#include "support/cli_run.h"
#include "support/store_fixture.h"

namespace veltrun::cli {
namespace {

using veltrun::testing::ReadBytes;
using veltrun::testing::WriteBytes;

class TournamentCli : public ::testing::Test {
protected:
    veltrun::testing::TempFolder home;

    testing::CliRun Run(std::vector<std::string> args) { return testing::RunCliIn(home, std::move(args)); }
    std::filesystem::path Folder(const std::string& name) const { return home.path() / "Tourn" / name; }
    // Every file of a tournament folder but the log, with its bytes.
    std::map<std::string, std::string> Snapshot(const std::string& name) const {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(Folder(name)))
            if (entry.path().filename() != "tournlog.log") files[entry.path().filename().string()] = ReadBytes(entry.path());
        return files;
    }
    static int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }
};

TEST_F(TournamentCli, NewTournamentWritesItsFilesExactly) {
    auto run = Run({"new", "Cup", "--rounds", "5", "--colour", "w", "--tb", "midBH"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("Created tournament " + Folder("Cup").string()), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Tie-breaks (Chess): midBH, BHcut1, SB, DiEnc, cWin"), std::string::npos) << run.out;
    EXPECT_EQ(ReadBytes(Folder("Cup") / "options.txt"),
              ";\r\n; valid values for TB1 - TB5 are:\r\n"
              ";    for TbsType = Chess : BH midBH BHcut1 DiEnc SB PS cWin cWinBl cBlack -\r\n"
              ";    for TbsType = Goals : G1 -G2 G1-G2 G1/G2 DiEnc -\r\n;\r\n[Options]\r\nMaxRound=5\r\n"
              "ColourFor1stPlayer=W\r\nPointsType=1- 0.5 -0\r\nTBsType=Chess\r\nTB1=midBH\r\nTB2=BHcut1\r\n"
              "TB3=SB\r\nTB4=DiEnc\r\nTB5=cWin\r\n\r\n");
    EXPECT_EQ(ReadBytes(Folder("Cup") / "players.txt"), "#on/off|ArrivalID|Name|ELO|FideID|NationalID|TeamID\r\n");

    auto goals = Run({"new", "Goals Cup", "--rounds", "3", "--type", "Goals", "--points", "3-1-0", "--colour", "R"});
    ASSERT_EQ(goals.code, 0) << goals.err;
    std::string options = ReadBytes(Folder("Goals Cup") / "options.txt");
    EXPECT_NE(options.find("ColourFor1stPlayer=R\r\nPointsType=3-1-0\r\nTBsType=Goals\r\nTB1=G1-G2\r\nTB2=G1\r\n"),
              std::string::npos)
        << options;

    // Refusals: the system's message, exit 1, nothing created.
    auto noRounds = Run({"new", "Other"});
    EXPECT_EQ(noRounds.code, 1);
    EXPECT_EQ(noRounds.err, "Error: Number of rounds must be entered.\n");
    EXPECT_EQ(Run({"new", "..", "--rounds", "3"}).code, 1);
    EXPECT_FALSE(std::filesystem::exists(Folder("Other")));
    EXPECT_FALSE(std::filesystem::exists(home.path() / "options.txt"));
    EXPECT_EQ(Run({"new", "X", "--rounds", "3", "--tb", "BH,G1"}).code, 2);
    EXPECT_EQ(Run({"new", "X", "--rounds", "3", "--colour", "Q"}).code, 2);
    EXPECT_EQ(Run({"new", "X", "--rounds", "3", "--points", "2-1-0"}).code, 2);
}

TEST_F(TournamentCli, DirectorRunsATournamentFromTheCommandLine) {
    ASSERT_EQ(Run({"new", "Cup", "--rounds", "7"}).code, 0);
    for (int i = 1; i <= 20; ++i) {
        std::string n = (i < 10 ? "0" : "") + std::to_string(i);
        auto add = Run({"add-player", "Cup", "--name", "Pl" + n + " Smith", "--elo", std::to_string(2500 - i * 10),
                        "--team", i % 2 ? "North" : "South"});
        ASSERT_EQ(add.code, 0) << add.err;
        EXPECT_EQ(add.out, "Added player [APl" + n + "] Pl" + n + " Smith (" + std::to_string(2500 - i * 10) + ")\n");
    }
    auto players = Run({"players", "Cup"});
    ASSERT_EQ(players.code, 0) << players.err;
    EXPECT_EQ(Lines(players.out), 20);
    EXPECT_EQ(players.out.find("[APl01] Pl01 Smith (2490)\n"), 0u);

    // Round 1 made by hand, as an outside pairing would leave it.
    std::string round1 = "# symbol ?-? must be replaced by valid result\n";
    for (int i = 1; i <= 10; ++i) {
        std::string a = (i < 10 ? "0" : "") + std::to_string(i), b = std::to_string(i + 10);
        round1 += "|?-?|||APl" + a + "-APl" + b + "\n";
    }
    WriteBytes(Folder("Cup") / "round1.txt", round1);

    auto suspend = Run({"delete-player", "Cup", "APl20"});
    ASSERT_EQ(suspend.code, 0) << suspend.err;
    EXPECT_EQ(suspend.out, "Suspended player APl20\n");
    EXPECT_EQ(Run({"players", "Cup", "--suspended"}).out, "[APl20] Pl20 Smith (2300)\n");
    EXPECT_EQ(Lines(Run({"players", "Cup", "--active"}).out), 19);
    auto restore = Run({"restore-player", "Cup", "APl20"});
    ASSERT_EQ(restore.code, 0) << restore.err;
    EXPECT_EQ(Run({"players", "Cup", "--suspended"}).out, "");

    auto games = Run({"games", "Cup"});
    ASSERT_EQ(games.code, 0) << games.err;
    EXPECT_EQ(Lines(games.out), 10);
    EXPECT_EQ(games.out.find("[1] Pl01 Smith - Pl11 Smith  APl01-APl11\n"), 0u) << games.out;

    auto result = Run({"result", "Cup", "APl01-APl11", "1-0"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out, "Saved 1-0 for game APl01-APl11 in round1.txt\n");
    ASSERT_EQ(Run({"result", "Cup", "APl02-APl12", "0,5-0,5"}).code, 0);
    std::string file = ReadBytes(Folder("Cup") / "round1.txt");
    EXPECT_EQ(file.find("# symbol ?-? must be replaced by valid result\r\n|1-0|||APl01-APl11\r\n"
                        "|0.5-0.5|||APl02-APl12\r\n|?-?|||APl03-APl13\r\n"),
              0u)
        << file;
    EXPECT_EQ(Lines(Run({"games", "Cup"}).out), 8);

    auto summary = Run({"open", "Cup"});
    ASSERT_EQ(summary.code, 0);
    EXPECT_NE(summary.out.find("Players: 20 (20 active, 0 suspended)\nRounds: 1/7\n"), std::string::npos)
        << summary.out;
}

TEST_F(TournamentCli, RefusalsLeaveEveryFileAsItWas) {
    ASSERT_EQ(Run({"new", "Cup", "--rounds", "3"}).code, 0);
    ASSERT_EQ(Run({"add-player", "Cup", "--name", "Ann Ash", "--elo", "2000"}).code, 0);
    ASSERT_EQ(Run({"add-player", "Cup", "--name", "Ben Bell", "--elo", "1900"}).code, 0);
    WriteBytes(Folder("Cup") / "round1.txt", "|?-?|||AAnn-ABen\r\n");
    auto before = Snapshot("Cup");

    struct Case {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"add-player", "Cup", "--name", "Cid", "--elo", "1800"},
         "Information: Do you really want to add player into running tournament?\n"},
        {{"--yes", "add-player", "Cup", "--name", "ann ash", "--elo", "1800"},
         "Information: Do you really want to add player into running tournament?\n"
         "Error: This is exactly the name of the player already in the tournament.\n"},
        {{"--yes", "add-player", "Cup", "--name", "Cid", "--elo", "-5"},
         "Information: Do you really want to add player into running tournament?\n"
         "Error: ELO must be a positive integer.\n"},
        {{"restore-player", "Cup", "AAnn"}, "Error: No player found for this action.\n"},
        {{"delete-player", "Cup", "Nobody"}, "Error: Player (Nobody) is not among the players for this action.\n"},
        {{"result", "Cup", "AAnn-ABen", "?-?"}, "Error: Result must be entered.\n"},
        {{"result", "Cup", "AAnn-ABen", "3-0"}, "Error: Game (AAnn-ABen) has not valid result (3-0).\n"},
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

    auto late = Run({"--yes", "add-player", "Cup", "--name", "Cid Cole", "--elo", "1800"});
    ASSERT_EQ(late.code, 0) << late.err;
    EXPECT_NE(late.out.find("as a late entrant"), std::string::npos);
    EXPECT_EQ(ReadBytes(Folder("Cup") / "round1.txt"), "|1-0|||AAnn-ABen\r\n|0k-0k|||ACid-stop\r\n");
}

TEST_F(TournamentCli, OpenShowsLoadErrorsAsTheWindowWould) {
    ASSERT_EQ(Run({"new", "Cup", "--rounds", "3", "--type", "Goals"}).code, 0);
    WriteBytes(Folder("Cup") / "players.txt", "1|A|Ann|2000|||\n1|B|Ben|x|||\n");
    WriteBytes(Folder("Cup") / "round1.txt", "|?-?|||A-B|0:0\n");
    auto open = Run({"open", "Cup"});
    ASSERT_EQ(open.code, 0);
    EXPECT_NE(open.err.find("Warning: Player (B) has invalid value at (fourth) field \"ELO\""), std::string::npos);
    EXPECT_NE(open.out.find("Players: 2 (2 active, 0 suspended)\nRounds: 1/3\nPoints: 1- 0.5 -0\n"), std::string::npos)
        << open.out;

    auto noGoals = Run({"result", "Cup", "A-B", "1-0"});
    EXPECT_EQ(noGoals.code, 1);
    // The rating still cannot be read: every opening warns again.
    EXPECT_EQ(noGoals.err.substr(noGoals.err.find("Error: ")), "Error: Result must be entered.\n");
    auto saved = Run({"result", "Cup", "A-B", "1-0", "--goals", "3:1"});
    ASSERT_EQ(saved.code, 0) << saved.err;
    EXPECT_EQ(saved.out, "Saved 1-0 (3:1) for game A-B in round1.txt\n");
    EXPECT_EQ(ReadBytes(Folder("Cup") / "round1.txt"), "|1-0|||A-B|3:1\r\n");
    EXPECT_EQ(Run({"open", "Missing"}).code, 1);
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
    struct Case {
        std::optional<std::string> options;
        std::string expected;
    } cases[] = {
        {std::nullopt, options.string() + " is missing, but the folder holds round files"},
        {noise, options.string() + " holds no valid number of rounds (key MaxRound"},
        {"[Options]\nMaxRound=seven\nTBsType=Chess\n", options.string() + " holds no valid number of rounds (key MaxRound"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(options);
        if (c.options) WriteBytes(options, *c.options);
        auto before = Snapshot("Cup");
        for (std::vector<std::string> args : {std::vector<std::string>{"delete-player", "Cup", "D1"},
                                              {"--yes", "add-player", "Cup", "--name", "Late Lee", "--elo", "1500"},
                                              {"open", "Cup"}}) {
            auto run = testing::RunBinaryIn(home, args);
            EXPECT_EQ(run.code, 1) << args[0] << run.out;
            EXPECT_NE(run.err.find(c.expected), std::string::npos) << run.err;
            EXPECT_EQ(Snapshot("Cup"), before) << args[0];
        }
    }
}

// Opening never writes players.txt; a command that rewrites it refuses while
// it holds a value loading had to convert.
TEST_F(TournamentCli, PlayersFileStaysAsTyped) {
    ASSERT_EQ(Run({"new", "Cup", "--rounds", "3"}).code, 0);
    auto players = Folder("Cup") / "players.txt";
    const std::string typed = "1|B|Ben Bell|1900|||\n1|A|Ann Ash|20x0|||\n1|CKovac\n";
    WriteBytes(players, typed);
    const std::string line2 = "Value \"20x0\" (in file " + players.string() + ", line 2) cannot be read.";
    auto pair = testing::RunBinaryIn(home, {"--yes", "pair", "Cup"});
    EXPECT_EQ(pair.code, 1);
    EXPECT_NE(pair.err.find(line2), std::string::npos) << pair.err;
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
        EXPECT_NE(run.err.find(line2), std::string::npos) << run.err;
        EXPECT_EQ(Snapshot("Cup"), before) << args[0];
    }
}

// The same names give the same starting numbers and the same alphabetical
// list wherever the program runs.
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
