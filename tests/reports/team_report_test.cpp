// Team standings: which members count, how teams are told apart and ranked.
#include <gtest/gtest.h>

#include "reports/team_report.h"
#include "support/tournament_builder.h"

namespace veltrun {
namespace {

using testing::TournamentBuilder;

class Teams : public ::testing::Test {
protected:
    TournamentBuilder b;
    void Member(const std::string& alias, const std::string& team, int place, double points) {
        int i = b.Player(alias, "Name " + alias, 0, team);
        b.P(i).Place = place;
        b.P(i).Points = points;
    }
    std::vector<std::string> MemberRows(const std::string& line) {
        std::vector<std::string> rows;
        for (size_t at = line.find("<TR><TD>&nbsp;"); at != std::string::npos; at = line.find("<TR><TD>&nbsp;", at + 1))
            rows.push_back(line.substr(at, line.find("</TR>", at) - at));
        return rows;
    }
};

TEST_F(Teams, TheBestPlacedMembersMakeTheScore) {
    Member("m12", "North", 12, 3);
    Member("m3", "North", 3, 5);
    Member("m8", "North", 8, 4);
    auto teams = CollectTeams(b.session, 2);
    ASSERT_EQ(teams.size(), 1u);
    EXPECT_EQ(teams[0].score, 9);
    auto body = TeamReportBody(b.session, true, 2);
    auto rows = MemberRows(body[4]);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_NE(rows[0].find("3. Name m3"), std::string::npos);
    EXPECT_NE(rows[0].find("***"), std::string::npos);
    EXPECT_NE(rows[1].find("8. Name m8"), std::string::npos);
    EXPECT_NE(rows[1].find("***"), std::string::npos);
    EXPECT_EQ(rows[2].find("***"), std::string::npos);
    EXPECT_NE(body[4].find("&nbsp;9.0&nbsp;</TD></TR>"), std::string::npos);
}

TEST_F(Teams, NamesAreExactBlankTeamsDoNotCountAndTiesKeepFirstAppearance) {
    Member("p1", "a", 1, 4);
    Member("p2", "B", 2, 3);
    Member("p3", "A", 3, 3);
    Member("p4", "  ", 4, 9);
    Member("p5", "", 5, 9);
    Member("p6", "A", 6, 1);
    auto teams = CollectTeams(b.session, 1);
    RankTeams(teams);
    ASSERT_EQ(teams.size(), 3u);
    EXPECT_EQ(teams[0].name, "a");
    EXPECT_EQ(teams[1].name, "B");  // 3 like "A", but named first
    EXPECT_EQ(teams[2].name, "A");
    EXPECT_EQ(teams[2].members.size(), 2u);
    for (auto& team : CollectTeams(b.session, 0)) EXPECT_EQ(team.score, 0);
}

TEST_F(Teams, WithoutPlayersListTheCellHoldsOnlyTheName) {
    Member("p1", "North", 1, 2);
    auto body = TeamReportBody(b.session, false, 1);
    EXPECT_EQ(body[4], "<TR VALIGN=TOP><TD CLASS=\"blck\">&nbsp;1.&nbsp;</TD><TD CLASS=\"blck\">&nbsp;North&nbsp;</TD>"
                       "<TD ALIGN=RIGHT CLASS=\"blck\">&nbsp;2.0&nbsp;</TD></TR>");
}

TEST(TeamsThreePoints, ScoresAreWholeNumbers) {
    TournamentBuilder b("3-1-0");
    int i = b.Player("p", "P", 0, "North");
    b.P(i).Place = 1;
    b.P(i).Points = 9;
    auto body = TeamReportBody(b.session, true, 1);
    EXPECT_NE(body[4].find("<TD ALIGN=RIGHT>9</TD>"), std::string::npos);
    EXPECT_NE(body[4].find("&nbsp;9&nbsp;</TD></TR>"), std::string::npos);
}

}  // namespace
}  // namespace veltrun
