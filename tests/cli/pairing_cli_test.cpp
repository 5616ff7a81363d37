// A whole tournament run from the command line: new, players, then pair and
// results round after round until the tournament is over.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/commands.h"
#include "support/cli_run.h"
#include "support/store_fixture.h"

namespace veltrun::cli {
namespace {

using veltrun::testing::CliRun;
using veltrun::testing::ReadBytes;

class PairingCli : public ::testing::Test {
protected:
    veltrun::testing::TempFolder home;

    testing::CliRun Run(std::vector<std::string> args) { return testing::RunCliIn(home, std::move(args)); }
    std::filesystem::path Round(int round) const {
        return home.path() / "Tourn" / "Open" / ("round" + std::to_string(round) + ".txt");
    }
    // The game ids of the games still without a result.
    std::vector<std::string> OpenGames() {
        std::vector<std::string> ids;
        std::istringstream lines(Run({"games", "Open"}).out);
        for (std::string line; std::getline(lines, line);)
            if (!line.empty()) ids.push_back(line.substr(line.rfind(' ') + 1));
        return ids;
    }
};

TEST_F(PairingCli, WholeTournamentRoundByRound) {
    ASSERT_EQ(Run({"new", "Open", "--rounds", "3", "--colour", "W"}).code, 0);
    const char* names[] = {"Ann", "Ben", "Cid", "Dan", "Eve"};
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(Run({"add-player", "Open", "--name", names[i], "--elo", std::to_string(2500 - 100 * i)}).code, 0);

    // Round 1 asks first; without an answer the default (No) refuses.
    CliRun refused = Run({"pair", "Open"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("Do you want to close the starting list of players and pair the 1st round?"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Round(1)));

    CliRun dry = Run({"pair", "Open", "--dry-run"});
    ASSERT_EQ(dry.code, 0) << dry.err;
    EXPECT_FALSE(std::filesystem::exists(Round(1)));

    CliRun first = Run({"--yes", "pair", "Open"});
    ASSERT_EQ(first.code, 0) << first.err;
    EXPECT_EQ(first.out, "Round 1\n1. [AAnn] Ann - [ACid] Cid\n2. [ADan] Dan - [ABen] Ben\nbye: [AEve] Eve\n");
    EXPECT_EQ(dry.out, "Round 1 (dry run, nothing written)\n" + first.out.substr(first.out.find('\n') + 1));
    EXPECT_NE(ReadBytes(Round(1)).find("|1k-0k|Eve-bye|5-bye|AEve-bye\r\n"), std::string::npos);

    // Results missing: refused.
    EXPECT_EQ(Run({"pair", "Open"}).code, 1);
    for (int round = 1; round <= 3; ++round) {
        for (const std::string& game : OpenGames()) ASSERT_EQ(Run({"result", "Open", game, "1-0"}).code, 0) << game;
        CliRun next = Run({"pair", "Open"});
        if (round == 3) {
            EXPECT_EQ(next.code, 1);
            EXPECT_NE(next.err.find("Tournament is over."), std::string::npos);
            break;
        }
        ASSERT_EQ(next.code, 0) << next.err;
        EXPECT_EQ(next.out.rfind("Round " + std::to_string(round + 1) + "\n", 0), 0U) << next.out;
        EXPECT_TRUE(std::filesystem::exists(Round(round + 1)));
    }
    // Three different byes, and no two players met twice.
    std::string all = ReadBytes(Round(1)) + ReadBytes(Round(2)) + ReadBytes(Round(3));
    std::vector<std::string> games;
    std::istringstream lines(all);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("|", 0) == 0) games.push_back(line.substr(line.rfind('|') + 1, line.size() - line.rfind('|') - 2));
    ASSERT_EQ(games.size(), 9U);
    for (std::size_t i = 0; i < games.size(); ++i)
        for (std::size_t j = i + 1; j < games.size(); ++j) {
            std::string a = games[i], b = games[j];
            std::string swapped = b.substr(b.find('-') + 1) + "-" + b.substr(0, b.find('-'));
            EXPECT_TRUE(a != b && a != swapped) << a;
        }
}

TEST_F(PairingCli, UsageAndUnknownTournament) {
    EXPECT_EQ(Run({"pair"}).code, 2);
    EXPECT_EQ(Run({"pair", "Open", "--fast"}).code, 2);
    EXPECT_EQ(Run({"pair", "Nowhere"}).code, 1);
}

}  // namespace
}  // namespace veltrun::cli
