// The rules inside the reports: starting-list order, round rows of Goals and
// three-point tournaments, draw characters, the standings and card variants.
#include <gtest/gtest.h>

#include <numeric>
#include <regex>
#include <sstream>

#include "app/command_reports.h"
#include "report_fixture.h"
#include "reports/start_list.h"

namespace veltrun {
namespace {

using testing::ReportFixture;

using testing::Contains;

// The rows of a report, each as its text with every run of markup and
// &nbsp; shown as one blank.
std::vector<std::string> Rows(const std::string& page) {
    std::vector<std::string> rows;
    std::istringstream lines(page);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("<TR", 0) == 0) rows.push_back(std::regex_replace(line, std::regex("(<[^>]*>|&nbsp;|\r)+"), " "));
    return rows;
}

// By rating: empty and unreadable ratings first, unrated last, suspended
// players marked; by name, case does not count.
TEST(StartList, ByRatingOrAlphabetically) {
    testing::ScriptedUi ui;
    Session session(ui, "/nonexistent");
    const std::vector<std::string> players{"# comment", "", "1|P1|delta|2100", "1|P2|Alpha|2350", "0|P3|Bravo|2100",
                                           "1|P4|Unrated|0", "1|P5|NoRating|", "1|P6|Odd|21x"};
    auto shown = [&](bool byRating) {
        std::string page;
        for (const std::string& line : StartListBody(session.translation, players, byRating)) page += line + "\n";
        const auto rows = Rows(page);
        return std::accumulate(rows.begin(), rows.end(), std::string());
    };
    // Keys: "" -> 00000, "21x" -> 0021x, 2350 -> 07650, 2100 -> 07900, 0 -> 10000.
    EXPECT_EQ(shown(true), " (1) NoRating  (2) Odd 21x  (3) Alpha 2350  (*4) Bravo 2100  (5) delta 2100  (6) Unrated 0 ");
    EXPECT_EQ(shown(false), " (1) Alpha 2350  (*2) Bravo 2100  (3) delta 2100  (4) NoRating  (5) Odd 21x  (6) Unrated 0 ");
}

TEST(GoalsTournament, RoundRowsShowGoalsAndStandingsAndCardsTheirGoalColumns) {
    ReportFixture f;
    f.Options("3-1-0", "Goals", {"G1", "-", "-G2", "-", "G1/G2"});
    f.Players({"1|H|Home Team|0|||", "1|V|Visitors|0|||", "1|B|Byers|0|||"});
    f.RoundFile(1, {"|3-0|||H-V|2:1", "|3k-0k|||B-bye|0:0"});
    f.RoundFile(2, {"|?-?|||V-B|0:0", "|1-1|||H-bye|0:0"});
    f.Open();
    ASSERT_TRUE(RoundReportOfRound(f.session, 1).done && RoundReportOfRound(f.session, 2).done);
    EXPECT_EQ(Rows(f.Report("round1.html")),
              (std::vector<std::string>{" pl. home visiting ", " (1) [2] Home Team 0 2:1 [3-0] 0 [3] Visitors ",
                                        " (2) [1] Byers 0 0:0 [3k-0k] 0 bye "}));
    // No result yet: empty middle cell; points before the round under "3-1-0".
    EXPECT_EQ(Rows(f.Report("round2.html"))[1], " (1) [3] Visitors 0 3 [1] Byers ");

    ASSERT_TRUE(StandingsAndCardsCommand(f.session).done);
    const auto rows = Rows(f.Report("standings_cards.html"));
    EXPECT_EQ(rows[0], " ord. name st. Points Score G1 -G2 G1/G2 ");
    EXPECT_EQ(rows[1], " 1. Home Team [2] 4 2:1 2 -1 2 ");  // 4 points, goals 2:1, G1 2, -G2 -1, quotient 2
    EXPECT_TRUE(Contains(f.Report("standings_cards.html"), "<TD COLSPAN=3 CLASS=\"blck\">&nbsp;st. <FONT"));
    EXPECT_EQ(rows[5], " 1. [st.3] Visitors 0 0 3 2:1 W ");  // H's card: the game with its goals
    EXPECT_FALSE(Contains(f.Report("standings_cards.html"), "performance"));
}

TEST(Draws, EnhancedCharactersReplaceDrawsAndColoursOnly) {
    ReportFixture f;
    f.Options("1- 0.5 -0", "Chess", {});
    f.Players({"1|A|Anna|2000|||", "1|B|Boris|2000|||", "1|C|Cyril|2000|||"});
    f.RoundFile(1, {"|0.5-0.5|||A-B", "|1k-0k|||C-bye"});
    f.RoundFile(2, {"|0,5-0|||B-C", "|0-0.5|||A-bye"});
    f.Setting("Reports", "EnhancedCharsAreUsed", "true");
    f.Open();
    ASSERT_TRUE(RoundReportOfRound(f.session, 1).done && RoundReportOfRound(f.session, 2).done);
    EXPECT_TRUE(Contains(f.Report("round1.html"), "&nbsp;½-½&nbsp;"));
    EXPECT_TRUE(Contains(f.Report("round2.html"), "&nbsp;0,5-0&nbsp;"));  // not a draw
    ASSERT_TRUE(StandingsAndCardsCommand(f.session).done);
    const std::string page = f.Report("standings_cards.html");
    // B's card: the draw with A as ½ with black, then 0.5 stored as "0.5" from "0,5-0" also as ½;
    // the standings table keeps its own number format.
    for (const char* part : {"&nbsp;½&nbsp;</TD><TD ALIGN=\"RIGHT\" CLASS=\"blck\">&nbsp;●&nbsp;",
                             "&nbsp;½&nbsp;</TD><TD ALIGN=\"RIGHT\" CLASS=\"blck\">&nbsp;○&nbsp;", "<B>1.0</B>"})
        EXPECT_TRUE(Contains(page, part)) << part;
}

TEST(RoundChooser, OffersTheRoundsNewestFirstAndWritesTheChosenOne) {
    ReportFixture f;
    testing::WriteSmallTournament(f);
    f.Open();
    f.ui.choices = {1, std::nullopt};  // "[2]", then cancelled
    EXPECT_EQ(RoundReportCommand(f.session).files, std::vector<std::filesystem::path>{f.folder / "round2.html"});
    ASSERT_EQ(f.ui.choosers.size(), 1u);
    EXPECT_EQ(f.ui.choosers[0].items, (std::vector<std::string>{"[3]", "[2]", "[1]"}));
    EXPECT_EQ(f.ui.choosers[0].preselected, 0);
    EXPECT_FALSE(RoundReportCommand(f.session).done);
    EXPECT_FALSE(std::filesystem::exists(f.folder / "round3.html"));
}

}  // namespace
}  // namespace veltrun
