// Team standings: which members count, how teams are told apart and ranked.
#include <gtest/gtest.h>

#include "reports/team_report.h"
#include "support/tournament_builder.h"

namespace veltrun {
namespace {

using testing::TournamentBuilder;

void Member(TournamentBuilder& b, const std::string& alias, const std::string& team, int place, double points) {
    int i = b.Player(alias, "Name " + alias, 0, team);
    b.P(i).Place = place;
    b.P(i).Points = points;
}

// The best placed members make the score and are marked, whatever the order
// they were entered in.
TEST(Teams, TheBestPlacedMembersMakeTheScore) {
    TournamentBuilder b;
    Member(b, "m12", "North", 12, 3);
    Member(b, "m3", "North", 3, 5);
    Member(b, "m8", "North", 8, 4);
    auto teams = CollectTeams(b.session, 2);
    ASSERT_EQ(teams.size(), 1u);
    EXPECT_EQ(teams[0].score, 9);
    const std::string row = TeamReportBody(b.session, true, 2)[4];
    std::vector<std::string> members;
    for (size_t at = row.find("<TR><TD>&nbsp;"); at != std::string::npos; at = row.find("<TR><TD>&nbsp;", at + 1))
        members.push_back(row.substr(at, row.find("</TR>", at) - at));
    ASSERT_EQ(members.size(), 3u);
    const std::string shown[] = {"3. Name m3", "8. Name m8", "12. Name m12"};
    for (int k = 0; k < 3; ++k) {
        EXPECT_NE(members[k].find(shown[k]), std::string::npos) << members[k];
        EXPECT_EQ(members[k].find("***") != std::string::npos, k < 2) << members[k];
    }
    EXPECT_NE(row.find("&nbsp;9.0&nbsp;</TD></TR>"), std::string::npos);
    EXPECT_EQ(TeamReportBody(b.session, false, 2)[4],
              "<TR VALIGN=TOP><TD CLASS=\"blck\">&nbsp;1.&nbsp;</TD><TD CLASS=\"blck\">&nbsp;North&nbsp;</TD>"
              "<TD ALIGN=RIGHT CLASS=\"blck\">&nbsp;9.0&nbsp;</TD></TR>");
}

TEST(Teams, NamesAreExactBlankTeamsDoNotCountAndTiesKeepFirstAppearance) {
    TournamentBuilder b;
    Member(b, "p1", "a", 1, 4);
    Member(b, "p2", "B", 2, 3);
    Member(b, "p3", "A", 3, 3);
    Member(b, "p4", "  ", 4, 9);
    Member(b, "p5", "", 5, 9);
    Member(b, "p6", "A", 6, 1);
    auto teams = CollectTeams(b.session, 1);
    RankTeams(teams);
    ASSERT_EQ(teams.size(), 3u);
    EXPECT_EQ(teams[0].name + teams[1].name + teams[2].name, "aBA");  // B has 3 like A, but is named first
    EXPECT_EQ(teams[2].members.size(), 2u);
    for (auto& team : CollectTeams(b.session, 0)) EXPECT_EQ(team.score, 0);
}

TEST(Teams, ScoresOfThreePointTournamentsAreWholeNumbers) {
    TournamentBuilder b("3-1-0");
    Member(b, "p", "North", 1, 9);
    auto body = TeamReportBody(b.session, true, 1);
    EXPECT_NE(body[4].find("<TD ALIGN=RIGHT>9</TD>"), std::string::npos);
    EXPECT_NE(body[4].find("&nbsp;9&nbsp;</TD></TR>"), std::string::npos);
}

}  // namespace
}  // namespace veltrun
