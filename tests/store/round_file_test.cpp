// Round files: the loader, the list of games without a result, writing a
// newly paired round and its backup.
#include <gtest/gtest.h>

#include "store/errors.h"
#include "store/open_tournament.h"
#include "store/round_file.h"
#include "store/tournament.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

using testing::Crlf;
using testing::ReadBytes;
using testing::StoreFixture;
using testing::WriteBytes;

// Four players A1..A4 (by rating), a chess or Goals tournament of five rounds.
std::filesystem::path FourPlayers(StoreFixture& f, const std::string& type = "Chess") {
    auto folder = f.Folder();
    WriteBytes(folder / "options.txt", "[Options]\nMaxRound=5\nColourFor1stPlayer=W\nTBsType=" + type + "\n");
    WriteBytes(folder / "players.txt",
               "1|A1|Ann|2400|||\n1|A2|Ben|2300|||\n1|A3|Cid|2200|||\n0|A4|Dan|2100|||\n");
    return folder;
}

std::string LoadError(StoreFixture& f, const std::filesystem::path& folder) {
    return testing::ErrorOf([&] { OpenTournament(f.session, folder); });
}

TEST(RoundFile, GamesWithoutResultAndUnknownAliases) {
    StoreFixture f;
    auto folder = FourPlayers(f);
    WriteBytes(folder / "round1.txt", "|?-?|||A3-A1\n|1k-0k|||A2-bye\n|0k-0k|||A4-stop\n");
    OpenTournament(f.session, folder);
    EXPECT_EQ(f.session.tournament.Player(1).OpponentHistory, "");
    EXPECT_TRUE(f.Logged("Load list of games from file (" + (folder / "round1.txt").string() + "): 3 games."));
    EXPECT_FALSE(f.Logged("A3-A1"));

    // An unknown alias is fatal even in a game without a result.
    WriteBytes(folder / "round1.txt", "# c\n\n|1-0|||A1-A2\n|?-?|||A3-X9\n");
    std::string message = LoadError(f, folder);
    EXPECT_EQ(message, "Fatal error. Alias (X9) not found in file players.txt. (in file " +
                           (folder / "round1.txt").string() + ", line 4)");
    EXPECT_TRUE(f.Logged("Error: " + message));

    WriteBytes(folder / "round1.txt", "|1:0|||A1-A2\n");
    message = LoadError(f, folder);
    EXPECT_EQ(message.rfind("Fatal error. Game (A1-A2) has not valid result (1:0).", 0), 0u) << message;
    EXPECT_NE(message.find(", line 1"), std::string::npos) << message;

    // A line with fewer than five fields has an empty first side.
    WriteBytes(folder / "round1.txt", "|1-0|Ann-Ben\n");
    EXPECT_NE(LoadError(f, folder).find("Alias () not found"), std::string::npos);
}

// Every player stands on exactly one line of each round, played or not.
TEST(RoundFile, EveryPlayerOnExactlyOneLine) {
    StoreFixture f;
    auto folder = FourPlayers(f);
    auto path = (folder / "round1.txt").string();
    const std::string rest = "|1k-0k|||A3-bye\n|0k-0k|||A4-stop\n";
    struct Case {
        std::string round, expected;
    } cases[] = {
        {"", "no line of the round: A1, A2, A3, A4. Every player stands on exactly one line of each round file; a player "
             "who did not play is written as |0k-0k|||ALIAS-stop (|0k-0k|||A1-stop)."},
        {"# header\n|1-0|||A1-A2\n|1k-0k|||A3-bye\n", "no line of the round: A4. "},  // last line removed
        {"|?-?|||A1-A2\n" + rest + "|1-0|||A1-bye\n", "(A1) stands on more than one line of the round, on lines 1 and 4."},
        {"|?-?|||A1-A2\n|?-?|||A3-A1\n|0k-0k|||A4-stop\n", "(A1) stands on more than one line of the round, on lines 1 and 2."},
        {"|1-0|||A1-A1\n|1k-0k|||A2-bye\n" + rest, "(A1) stands on more than one line of the round, on lines 1 and 1."},
        {"|1-0|||A1-A2\n|0-1|||A3-A2\n|0k-0k|||A4-stop\n", "(A2) stands on more than one line of the round, on lines 1 and 2."},
        {"|1-0|||A1-A2\n|1k-0k|||A3-bye\n|0-1|||A3-A4\n", "(A3) stands on more than one line of the round, on lines 2 and 3."},
    };
    for (const Case& c : cases) {
        WriteBytes(folder / "round1.txt", c.round);
        std::string message = LoadError(f, folder);
        EXPECT_NE(message.find("File " + path + ": "), std::string::npos) << c.round << message;
        EXPECT_NE(message.find(c.expected), std::string::npos) << c.round << message;
        EXPECT_FALSE(f.session.HasTournament());
    }
    // Byes, stops and games with or without a result, each player once: accepted,
    // as is the stop line of an entrant whose registration was interrupted.
    WriteBytes(folder / "round1.txt", "|?-?|||A1-A2\n" + rest + "|0k-0k|||Z9-stop\n");
    EXPECT_EQ(LoadError(f, folder), "");
}

TEST(RoundFile, GoalsAreReadOnlyInGoalsTournaments) {
    StoreFixture f;
    auto folder = FourPlayers(f, "Goals");
    WriteBytes(folder / "round1.txt", "|1-0|||A1-A2|1,5:0,5\n|0-1|||A3-A4\n");
    OpenTournament(f.session, folder);
    const Tournament& t = f.session.tournament;
    EXPECT_EQ(t.Player(1).GoalsHistory, "1.5:0.5|");
    EXPECT_DOUBLE_EQ(t.Player(2).GoalsFor, 0.5);
    EXPECT_EQ(t.Player(3).GoalsHistory, "0:0|");

    StoreFixture g;
    auto chess = FourPlayers(g);
    WriteBytes(chess / "round1.txt", "|1-0|||A1-A2|3:1\n|0-1|||A3-A4\n");
    OpenTournament(g.session, chess);
    EXPECT_EQ(g.session.tournament.Player(1).GoalsHistory, "0:0|");
    EXPECT_DOUBLE_EQ(g.session.tournament.Player(1).GoalsFor, 0.0);
}

TEST(RoundFile, GameListCountsGameLinesAndSelectsMissingResults) {
    StoreFixture f;
    auto folder = FourPlayers(f);
    WriteBytes(folder / "round1.txt", "# header\n|1-0|||A1-A2\n|0-1|||A3-A4\n");
    WriteBytes(folder / "round2.txt",
               "# header\n|?-?|||A2-A1\n# a comment does not count\n\n|1k-0k|||A3-bye\n|?-?|||A4-stop\n");
    OpenTournament(f.session, folder);
    const Tournament& t = f.session.tournament;
    GameList round2 = BuildGameList(f.session, t, 2);
    ASSERT_EQ(round2.size(), 2u);
    EXPECT_EQ(round2[0].Text(), "|2|1|?-?|A2-A1|");
    EXPECT_EQ(round2[1].Text(), "|2|3|?-?|A4-stop|");
    EXPECT_EQ(BuildGameList(f.session, t, -1).size(), 2u);
    EXPECT_TRUE(BuildGameList(f.session, t, 1).empty());

    std::filesystem::remove(folder / "round1.txt");
    EXPECT_EQ(testing::ErrorOf([&] { BuildGameList(f.session, t, -1); }),
              "File not exist (" + (folder / "round1.txt").string() + ").");
}

// The layout, byes, stops and the backup are checked through the pairing
// command; here the goals column and the bye that gives no points.
TEST(RoundFile, NewRoundFileInAGoalsTournamentWithALostBye) {
    StoreFixture f;
    f.session.settings.ByePoints = "asLost";
    auto folder = FourPlayers(f, "Goals");
    OpenTournament(f.session, folder);
    Tournament& t = f.session.tournament;
    WriteNewRoundFile(f.session, t, 1, {{"1", "2"}, {"bye", "3"}, {"4", "stop"}});
    EXPECT_NE(ReadBytes(folder / "round1.txt")
                  .find(Crlf({"|?-?|Ann-Ben|1-2|A1-A2|0:0", "|0k-0k|bye-Cid|bye-3|bye-A3|0:0",
                              "|0k-0k|Dan-stop|4-stop|A4-stop|0:0"})),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder / "bak_round1.txt"));
    // The bye and the suspension are in the model at once; the game is not.
    EXPECT_EQ(t.Player(3).OpponentHistory, "bye|");
    EXPECT_EQ(t.Player(4).OpponentHistory, "stop|");
    EXPECT_EQ(t.Player(1).OpponentHistory, "");
}

}  // namespace
}  // namespace veltrun
