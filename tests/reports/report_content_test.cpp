// The rules inside the reports: starting-list order, round rows of Goals and
// three-point tournaments, draw characters, the standings and card variants.
#include <gtest/gtest.h>

#include "app/command_reports.h"
#include "report_fixture.h"
#include "reports/start_list.h"

namespace veltrun {
namespace {

using testing::ReportFixture;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The rows of a report: its lines that begin with "<TR".
std::vector<std::string> Rows(const std::string& page) {
    std::vector<std::string> rows;
    size_t start = 0;
    while (start < page.size()) {
        size_t end = page.find("\r\n", start);
        if (end == std::string::npos) end = page.size();
        std::string line = page.substr(start, end - start);
        if (line.rfind("<TR", 0) == 0) rows.push_back(line);
        start = end + 2;
    }
    return rows;
}

// By rating: empty and unreadable ratings first, unrated last, suspended
// players marked; by name, case does not count.
TEST(StartList, ByRatingOrAlphabetically) {
    testing::ScriptedUi ui;
    Session session(ui, "/nonexistent");
    const std::vector<std::string> players{"# comment", "", "1|P1|delta|2100", "1|P2|Alpha|2350", "0|P3|Bravo|2100",
                                           "1|P4|Unrated|0", "1|P5|NoRating|", "1|P6|Odd|21x"};
    const struct {
        bool byRating;
        std::vector<std::string> order;
    } cases[] = {
        // Keys: "" -> 00000, "21x" -> 0021x, 2350 -> 07650, 2100 -> 07900, 0 -> 10000.
        {true, {"NoRating", "Odd", "Alpha", "Bravo", "delta", "Unrated"}},
        {false, {"Alpha", "Bravo", "delta", "NoRating", "Odd", "Unrated"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> rows;
        for (const std::string& line : StartListBody(session, players, c.byRating))
            if (line.rfind("<TR>", 0) == 0) rows.push_back(line);
        ASSERT_EQ(rows.size(), 6u);
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_TRUE(Contains(rows[i], "&nbsp;" + c.order[i] + "&nbsp;")) << rows[i];
            if (c.byRating) {
                EXPECT_TRUE(Contains(rows[i], std::string(c.order[i] == "Bravo" ? "(*" : "(") + std::to_string(i + 1) + ")"))
                    << rows[i];
            }
        }
    }
}

TEST(GoalsTournament, RoundRowsShowGoalsAndStandingsAndCardsTheirGoalColumns) {
    ReportFixture f;
    f.Options("3-1-0", "Goals", {"G1", "-", "-G2", "-", "G1/G2"});
    f.Players({"1|H|Home Team|0|||", "1|V|Visitors|0|||", "1|B|Byers|0|||"});
    f.RoundFile(1, {"|3-0|||H-V|2:1", "|3k-0k|||B-bye|0:0"});
    f.RoundFile(2, {"|?-?|||V-B|0:0", "|1-1|||H-bye|0:0"});
    f.Open();
    ASSERT_TRUE(RoundReportOfRound(f.session, 1).done);
    ASSERT_TRUE(RoundReportOfRound(f.session, 2).done);
    const auto first = Rows(f.Report("round1.html"));
    ASSERT_EQ(first.size(), 3u);
    EXPECT_TRUE(Contains(first[0], "<B>home</B>") && Contains(first[0], "<B>visiting</B>"));
    EXPECT_EQ(first[1],
              "<TR VALIGN=TOP><TD CLASS=\"blck\">&nbsp;(1)&nbsp;</TD><TD CLASS=\"blck\">&nbsp;[2] Home Team&nbsp;</TD>"
              "<TD CLASS=\"blck\">&nbsp;0&nbsp;</TD><TD CLASS=\"blck\">&nbsp;2:1<BR><FONT SIZE=-2>&nbsp;[3-0]</FONT>"
              "&nbsp;&nbsp;</TD><TD CLASS=\"blck\">&nbsp;0&nbsp;</TD><TD CLASS=\"blck\">&nbsp;[3] Visitors&nbsp;</TD></TR>");
    const auto second = Rows(f.Report("round2.html"));
    // No result yet: empty middle cell; points before the round under "3-1-0".
    EXPECT_TRUE(Contains(second[1], "&nbsp;0&nbsp;</TD><TD CLASS=\"blck\">&nbsp;&nbsp;</TD><TD CLASS=\"blck\">&nbsp;3&nbsp;"))
        << second[1];

    ASSERT_TRUE(StandingsAndCardsCommand(f.session).done);
    const auto rows = Rows(f.Report("standings_cards.html"));
    EXPECT_TRUE(Contains(rows[0], "<B>Points</B>&nbsp;</TD><TD CLASS=\"blck\">&nbsp;<B>Score</B>"));
    EXPECT_FALSE(Contains(rows[0], "ELO"));
    EXPECT_TRUE(Contains(rows[0], "<B>G1</B>") && Contains(rows[0], "<B>-G2</B>") && Contains(rows[0], "<B>G1/G2</B>"));
    // H: 4 points, goals 2:1, G1 2, -G2 -1, quotient 2.
    EXPECT_EQ(rows[1],
              "<TR><TD CLASS=\"blck\">&nbsp;<B>1.</B>&nbsp;</TD><TD CLASS=\"blck\">&nbsp;<A HREF=\"#H\">Home Team</A>"
              "&nbsp;</TD><TD CLASS=\"blck\">&nbsp;[2]&nbsp;</TD><TD ALIGN=RIGHT CLASS=\"blck\">&nbsp;<B>4</B>&nbsp;</TD>"
              "<TD CLASS=\"blck\">&nbsp;2:1&nbsp;</TD><TD ALIGN=RIGHT CLASS=\"blck\">&nbsp;2&nbsp;</TD>"
              "<TD ALIGN=RIGHT CLASS=\"blck\">&nbsp;-1&nbsp;</TD><TD ALIGN=RIGHT CLASS=\"blck\">&nbsp;2&nbsp;</TD></TR>");
    const std::string page = f.Report("standings_cards.html");
    EXPECT_TRUE(Contains(page, "<TD COLSPAN=3 CLASS=\"blck\">&nbsp;st. <FONT"));
    EXPECT_TRUE(Contains(page, "<TD ALIGN=\"RIGHT\" CLASS=\"blck\">&nbsp;2:1&nbsp;</TD><TD ALIGN=\"RIGHT\" "
                               "CLASS=\"blck\">&nbsp;W&nbsp;</TD></TR>"));
    EXPECT_FALSE(Contains(page, "performance"));
}

TEST(Draws, EnhancedCharactersReplaceDrawsAndColoursOnly) {
    ReportFixture f;
    f.Options("1- 0.5 -0", "Chess", {});
    f.Players({"1|A|Anna|2000|||", "1|B|Boris|2000|||", "1|C|Cyril|2000|||"});
    f.RoundFile(1, {"|0.5-0.5|||A-B", "|1k-0k|||C-bye"});
    f.RoundFile(2, {"|0,5-0|||B-C", "|0-0.5|||A-bye"});
    f.Setting("Reports", "EnhancedCharsAreUsed", "true");
    f.Open();
    ASSERT_TRUE(RoundReportOfRound(f.session, 1).done);
    ASSERT_TRUE(RoundReportOfRound(f.session, 2).done);
    EXPECT_TRUE(Contains(f.Report("round1.html"), "&nbsp;½-½&nbsp;"));
    EXPECT_TRUE(Contains(f.Report("round2.html"), "&nbsp;0,5-0&nbsp;"));  // not a draw
    ASSERT_TRUE(StandingsAndCardsCommand(f.session).done);
    const std::string page = f.Report("standings_cards.html");
    // B's card: the draw with A as ½ with black, then 0.5 stored as "0.5" from "0,5-0" also as ½.
    EXPECT_TRUE(Contains(page, "&nbsp;½&nbsp;</TD><TD ALIGN=\"RIGHT\" CLASS=\"blck\">&nbsp;●&nbsp;"));
    EXPECT_TRUE(Contains(page, "&nbsp;½&nbsp;</TD><TD ALIGN=\"RIGHT\" CLASS=\"blck\">&nbsp;○&nbsp;"));
    // The standings table keeps its own number format.
    EXPECT_TRUE(Contains(page, "<B>1.0</B>"));
}

TEST(ThreePoints, TableShowsWholePointsAndCardsNoPerformance) {
    ReportFixture f;
    f.Options("3-1-0", "Chess", {"BH"});
    f.Players({"1|A|Anna|2000|||", "1|B|Boris|1900|||"});
    f.RoundFile(1, {"|3-0|||A-B"});
    f.RoundFile(2, {"|0-3|||B-A"});
    f.RoundFile(3, {"|3-0|||A-B"});
    f.Open();
    ASSERT_TRUE(StandingsCommand(f.session, true).done);
    const std::string page = f.Report("standings_cards.html");
    EXPECT_TRUE(Contains(page, "&nbsp;<B>9</B>&nbsp;"));
    EXPECT_FALSE(Contains(page, "performance"));
}

TEST(RoundChooser, OffersTheRoundsNewestFirstAndWritesTheChosenOne) {
    ReportFixture f;
    testing::WriteSmallTournament(f);
    f.Open();
    f.ui.choices.push_back(1);             // "[2]"
    f.ui.choices.push_back(std::nullopt);  // cancelled
    ReportsWritten written = RoundReportCommand(f.session);
    ASSERT_EQ(f.ui.choosers.size(), 1u);
    const ChooserRequest& chooser = f.ui.choosers[0];
    EXPECT_EQ(chooser.items, (std::vector<std::string>{"[3]", "[2]", "[1]"}));
    EXPECT_EQ(chooser.preselected, 0);
    EXPECT_EQ(written.files, std::vector<std::filesystem::path>{f.folder / "round2.html"});
    EXPECT_FALSE(RoundReportCommand(f.session).done);
    EXPECT_FALSE(std::filesystem::exists(f.folder / "round3.html"));
    EXPECT_FALSE(RoundReportOfRound(f.session, 4).done);
    EXPECT_EQ(f.ui.Texts(MessageKind::Error), std::vector<std::string>{"Round 4 has not been paired."});
}

}  // namespace
}  // namespace veltrun
