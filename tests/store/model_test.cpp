// The in-memory tournament: result codes, default results, games applied to
// the histories, alias look-ups and the player table's bounds.
#include <gtest/gtest.h>

#include "store/errors.h"
#include "store/session.h"
#include "store/tournament.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

TPlayer MakePlayer(const std::string& alias, const std::string& name = "") {
    TPlayer p;
    p.ArrivalID = alias;
    p.Name = name.empty() ? "Player " + alias : name;
    p.OnOff = 1;
    return p;
}

class ModelTest : public ::testing::Test, public testing::StoreFixture {
protected:
    std::vector<std::string>& logged = log;

    void SetUp() override {
        Use("1- 0.5 -0");
        for (const char* alias : {"A1", "A2", "A3"}) Table().Add(MakePlayer(alias), "full");
    }
    void Use(const std::string& pointsType) {
        session.tournament.PointsType = pointsType;
        FillValidResults(session.tournament, pointsType);
    }
    PlayerTable& Table() { return session.tournament.glob_ARRAY_PLAYERS; }
    TPlayer& P(int i) { return session.tournament.Player(i); }
    void Insert(const std::string& game, const std::string& result, const std::string& goals = "", int round = 3) {
        InsertGame(session, session.tournament, game, result, goals, round);
    }
    std::string FailureOf(const std::string& game, const std::string& result) {
        return testing::ErrorOf([&] { Insert(game, result); });
    }
};

TEST_F(ModelTest, ValidResultsAndTheirPointsFollowThePointsSystem) {
    EXPECT_FALSE(IsValidResult(session.tournament, "2-1"));
    EXPECT_FALSE(IsValidResult(session.tournament, "1K-0K"));  // exact, case-sensitive
    Use("3-1-0");
    EXPECT_TRUE(IsValidResult(session.tournament, "2-1"));
    EXPECT_FALSE(IsValidResult(session.tournament, "0.5-0.5"));
    EXPECT_EQ(ResultPoints("0k-1k"), std::make_pair(0.0, 1.0));
    EXPECT_EQ(ResultPoints("?-?"), std::make_pair(0.0, 0.0));
    EXPECT_EQ(PointsFromText("0,5"), 0.5);
    EXPECT_EQ(PointsFromText("1x"), 0.0);
}

TEST_F(ModelTest, DefaultResultForByesAndSuspensions) {
    struct Row {
        std::string points, bye, white, black, expected;
    };
    for (const Row& r : std::vector<Row>{{"1- 0.5 -0", "asWin", "A1", "A2", "?-?"},
                                         {"1- 0.5 -0", "asWin", "bye", "A1", "0k-1k"},
                                         {"1- 0.5 -0", "asLost", "A1", "bye", "0k-0k"},
                                         {"1- 0.5 -0", "asWin", "stop", "A1", "0k-0k"},
                                         {"3-1-0", "asWin", "A1", "bye", "3k-0k"},
                                         {"3-1-0", "asLost", "bye", "A1", "0k-0k"}}) {
        SCOPED_TRACE(r.points + " " + r.bye + " " + r.white + "-" + r.black);
        Use(r.points);
        EXPECT_EQ(DefaultResult(session.tournament, r.bye, "?-?", r.white, r.black), r.expected);
    }
}

TEST_F(ModelTest, LooseSpellingsAreNormalisedButLoggedAsWritten) {
    Insert("A1-A2", "1K-0K");
    Insert("A2-A3", "0,5-0,5");
    EXPECT_EQ(P(1).PointsHistory + P(2).PointsHistory, "1|0|0.5|");
    EXPECT_EQ(logged.front(), "Game A1-A2 (1K-0K) inserted into structure glob_ARRAY_PLAYERS.");
    Use("3-1-0");
    session.tournament.TBsType = "Goals";
    Insert("A3-A1", "0-3", "0,5:2");
    EXPECT_EQ(P(1).PointsHistory + " " + P(1).GoalsHistory, "1|3| 0:0|2:0.5|");
    EXPECT_EQ(P(3).GoalsAgainst, 2.0);
}

TEST_F(ModelTest, InvalidResultOrUnknownAliasIsFatalAndTouchesNoHistory) {
    EXPECT_NE(FailureOf("A1-A2", "1:0"), "");
    EXPECT_EQ(logged.back(), "Fatal error (in file round3.txt). Game (A1-A2) has not valid result (1:0).");
    EXPECT_NE(FailureOf("A1-A2", "2-1"), "");  // only valid under 3-1-0
    EXPECT_EQ(FailureOf("a1-A2", "1-0"),
              "Fatal error (in file round3.txt). Alias (a1) not found in file players.txt.");
    EXPECT_EQ(testing::Histories(P(1)) + testing::Histories(P(2)), "   0   0");  // Black's side untouched too
}

TEST_F(ModelTest, FatalMessagesAreAssembledFromTranslatedPieces) {
    session.translation.EnglishBuiltIn = false;
    session.translation.LanguageTable[94] = "Fataler Fehler";
    session.translation.LanguageTable[99] = "in Datei";
    session.translation.LanguageTable[102] = "Kürzel";
    session.translation.LanguageTable[103] = "nicht gefunden in Datei";
    EXPECT_EQ(FailureOf("A1-X9", "1-0"),
              "Fataler Fehler (in Datei round3.txt). Kürzel (X9) nicht gefunden in Datei players.txt.");
    // The log stays English.
    EXPECT_EQ(logged.back(), "Fatal error (in file round3.txt). Alias (X9) not found in file players.txt.");
}

TEST_F(ModelTest, AliasLookUpIsExactWhileUniquenessIgnoresCase) {
    EXPECT_EQ(FindPlayerByArrivalID(session.tournament, " A2 "), 2);
    EXPECT_EQ(FindPlayerByArrivalID(session.tournament, "a1"), -1);
    EXPECT_FALSE(IsArrivalIDUnique(session.tournament, "a1"));
    EXPECT_FALSE(IsArrivalIDUnique(session.tournament, "  "));
    P(3).ArrivalID = "Ä1";
    EXPECT_TRUE(IsArrivalIDUnique(session.tournament, "ä1"));  // only a-z fold
    EXPECT_FALSE(IsNameUnique(session.tournament, "player a1"));
    EXPECT_TRUE(IsNameUnique(session.tournament, "Player A9"));
}

TEST_F(ModelTest, ClearTournamentLeavesNoHistoryForTheNextTournament) {
    Insert("A1-A2", "1-0");
    session.tournament.TB(3) = "SB";
    ClearTournament(session.tournament);
    EXPECT_EQ(session.tournament.PlayerCount(), 0);
    EXPECT_EQ(P(1).PointsHistory, "");
    EXPECT_EQ(session.tournament.TB3, "-");
}

}  // namespace
}  // namespace veltrun
