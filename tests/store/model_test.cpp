// Results: the codes, default results, games applied to the histories, alias
// look-ups, and a result entered, rewriting one line of its round file.
#include <gtest/gtest.h>

#include "store/open_tournament.h"
#include "store/result_entry.h"
#include "store/text_file.h"
#include "support/tournament_builder.h"

namespace veltrun {
namespace {

using namespace veltrun::testing;

class ModelTest : public ::testing::Test, public TournamentBuilder {
protected:
    void SetUp() override {
        for (const char* alias : {"A1", "A2", "A3"}) Player(alias, std::string("Player ") + alias);
    }
    void Use(const std::string& pointsType) { SetPointsSystem(session.tournament, pointsType); }
    void Insert(const std::string& game, const std::string& result, const std::string& goals = "") {
        InsertGame(session, session.tournament, game, result, goals, 3);
    }
    std::string FailureOf(const std::string& game, const std::string& result) {
        return ErrorOf([&] { Insert(game, result); });
    }
};

TEST_F(ModelTest, InvalidResultOrUnknownAliasIsFatalInTranslatedPiecesAndLooseSpellingsAreNormalised) {
    EXPECT_NE(FailureOf("A1-A2", "1:0"), "");
    EXPECT_EQ(log.back(), "Fatal error (in file round3.txt). Game (A1-A2) has not valid result (1:0).");
    EXPECT_NE(FailureOf("A1-A2", "2-1"), "");  // only valid under 3-1-0
    EXPECT_EQ(FailureOf("a1-A2", "1-0"), "Fatal error (in file round3.txt). Alias (a1) not found in file players.txt.");
    EXPECT_EQ(Histories(P(1)) + Histories(P(2)), "   0   0");  // Black's side untouched too
    session.translation.EnglishBuiltIn = false;
    for (auto [id, text] : std::vector<std::pair<int, const char*>>{
             {94, "Fataler Fehler"}, {99, "in Datei"}, {102, "Kürzel"}, {103, "nicht gefunden in Datei"}})
        session.translation.LanguageTable[id] = text;
    EXPECT_EQ(FailureOf("A1-X9", "1-0"),
              "Fataler Fehler (in Datei round3.txt). Kürzel (X9) nicht gefunden in Datei players.txt.");
    // The log stays English.
    EXPECT_EQ(log.back(), "Fatal error (in file round3.txt). Alias (X9) not found in file players.txt.");
    // Loose spellings are normalised but logged as written.
    log.clear();
    Insert("A1-A2", "1K-0K");
    Insert("A2-A3", "0,5-0,5");
    EXPECT_EQ(P(1).PointsHistory + P(2).PointsHistory, "1|0|0.5|");
    EXPECT_EQ(log.front(), "Game A1-A2 (1K-0K) inserted into structure glob_ARRAY_PLAYERS.");
    Use("3-1-0");
    session.tournament.TBsType = "Goals";
    Insert("A3-A1", "0-3", "0,5:2");
    EXPECT_EQ(P(1).PointsHistory + " " + P(1).GoalsHistory, "1|3| 0:0|2:0.5|");
    EXPECT_EQ(P(3).GoalsAgainst, 2.0);
}

// Default results of byes and suspensions; exact look-up and case-blind uniqueness are met
// through forbid, add-player and players.txt, here the blanks around an alias and the
// letters that do not fold; clearing leaves no history for the next tournament.
TEST_F(ModelTest, DefaultResultsAliasLookUpAndClearing) {
    struct Row { std::string points, bye, white, black, expected; };
    const std::string c = "1- 0.5 -0";
    for (const Row& r : std::vector<Row>{{c, "asWin", "A1", "A2", "?-?"}, {c, "asWin", "bye", "A1", "0k-1k"},
                                         {c, "asLost", "A1", "bye", "0k-0k"}, {c, "asWin", "stop", "A1", "0k-0k"},
                                         {"3-1-0", "asWin", "A1", "bye", "3k-0k"}, {"3-1-0", "asLost", "bye", "A1", "0k-0k"}}) {
        Use(r.points);
        EXPECT_EQ(DefaultResult(session.tournament, r.bye, "?-?", r.white, r.black), r.expected)
            << r.points << " " << r.bye << " " << r.white << "-" << r.black;
    }
    EXPECT_EQ(FindPlayerByArrivalID(session.tournament, " A2 "), 2);
    EXPECT_FALSE(IsArrivalIDUnique(session.tournament, "  "));
    P(3).ArrivalID = "Ä1";
    EXPECT_TRUE(IsArrivalIDUnique(session.tournament, "ä1"));
    Insert("A1-A2", "1-0");
    session.tournament.TB(3) = "SB";
    ClearTournament(session.tournament);
    EXPECT_EQ(session.tournament.PlayerCount(), 0);
    EXPECT_EQ(P(1).PointsHistory, "");
    EXPECT_EQ(session.tournament.TB3, "-");
}

std::filesystem::path Tournament2Rounds(StoreFixture& f, const std::string& type, const std::string& round2) {
    auto folder = f.Folder();
    WriteBytes(folder / "options.txt", "[Options]\nMaxRound=5\nTBsType=" + type + "\n");
    WriteBytes(folder / "players.txt", "1|A1|Ann|2400|||\n1|A2|Ben|2300|||\n1|A3|Cid|2200|||\n1|A4|Dan|2100|||\n");
    WriteBytes(folder / "round1.txt", "|1-0|||A1-A2\n|1-0|||A3-A4\n");
    WriteBytes(folder / "round2.txt", round2);
    OpenTournament(f.session, folder);
    return folder;
}

std::string Refusal(StoreFixture& f, const ResultFields& fields) {
    return ErrorOf([&] { SaveResult(f.session, fields); });
}

TEST(ResultEntry, SavingRewritesOnlyItsLineAndKeepsComments) {
    StoreFixture f;
    auto folder = Tournament2Rounds(f, "Chess", "# symbol ?-? must be replaced by valid result\r\n\r\n"
                                                "  |?-?|Ann Ash-Cid Cole|1-3|A1-A3  \r\n# between\n|?-?|Ben-Dan|2-4|A2-A4|7:7\n");
    auto items = FillGameList(f.session.tournament, GamesToEnter(f.session, f.session.tournament));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].Text() + items[1].Label, "[1] Ann - Cid    |A1-A3|2|[2] Ben - Dan");
    EXPECT_EQ(ResultChoices(f.session.tournament).front(), "?-?");

    SaveResult(f.session, {"A2-A4", 2, "0.5-0.5", "", ""});
    EXPECT_EQ(ReadBytes(folder / "round2.txt"),
              "# symbol ?-? must be replaced by valid result\r\n\r\n|?-?|Ann Ash-Cid Cole|1-3|A1-A3\r\n"
              "# between\r\n|0.5-0.5|Ben-Dan|2-4|A2-A4\r\n");
    EXPECT_TRUE(f.Logged("Game A2-A4 (0.5-0.5) inserted into file round2.txt"));
    auto points = [&f] { return std::make_pair(f.session.tournament.Player(2).Points, f.session.tournament.Player(4).Points); };
    EXPECT_EQ(points(), std::make_pair(0.5, 0.5));
    EXPECT_EQ(GamesToEnter(f.session, f.session.tournament).size(), 1u);
    OpenTournament(f.session, folder);  // after a reload the file says the same as the model did
    EXPECT_EQ(points(), std::make_pair(0.5, 0.5));
}

// Refused fields are met through the window and the command line, the file a full
// disk leaves through the command; here the goals written, and the model after a failed write.
TEST(ResultEntry, GoalsAreWrittenAsTypedChessDropsThemAndFailuresKeepTheModel) {
    StoreFixture f;
    auto folder = Tournament2Rounds(f, "Goals", "|?-?|||A1-A3|0:0\n|?-?|||A2-A4|0:0\n");
    EXPECT_EQ(Refusal(f, {"A1-A3", 2, "0.5-0.5", "2,5", "2"}), "");  // the score is not compared with the result
    EXPECT_NE(ReadBytes(folder / "round2.txt").find("|0.5-0.5|||A1-A3|2.5:2\r\n"), std::string::npos);
    EXPECT_EQ(f.session.tournament.Player(3).GoalsHistory, "0:0|2:2.5|");
    EXPECT_TRUE(f.Logged("Game A1-A3 (0.5-0.5) [2.5:2] inserted into file round2.txt"));

    StoreFixture g;
    folder = Tournament2Rounds(g, "Chess", "|?-?|||A1-A3|9:9\n|?-?|||A2-A4\n");
    SimulateWriteFailureAfter(5);
    EXPECT_THROW(SaveResult(g.session, {"A1-A3", 2, "1-0", "", ""}), myException);
    EXPECT_DOUBLE_EQ(g.session.tournament.Player(1).Points, 1.0);
    EXPECT_EQ(GamesToEnter(g.session, g.session.tournament).size(), 2u);
    SaveResult(g.session, {"A1-A3", 2, "0-1", "", ""});
    EXPECT_EQ(ReadBytes(folder / "round2.txt"), "|0-1|||A1-A3\r\n|?-?|||A2-A4\r\n");
    // An alias edited away since the opening is refused before the file changes.
    WriteBytes(folder / "round2.txt", "|?-?|||A1-Q7\n");
    EXPECT_EQ(Refusal(g, {"A1-Q7", 2, "1-0", "", ""}), "Fatal error (in file round2.txt). Alias (Q7) not found in file players.txt.");
    EXPECT_EQ(ReadBytes(folder / "round2.txt"), "|?-?|||A1-Q7\n");
    std::filesystem::remove(folder / "round2.txt");
    EXPECT_EQ(Refusal(g, {"A2-A4", 2, "1-0", "", ""}), "File not exist (" + (folder / "round2.txt").string() + ").");
}

}  // namespace
}  // namespace veltrun
