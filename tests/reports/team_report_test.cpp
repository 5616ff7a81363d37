// Team standings: which members count, how teams are told apart and ranked.
#include <gtest/gtest.h>

#include <regex>

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
// they were entered in; a three-point tournament scores whole numbers.
TEST(Teams, TheBestPlacedMembersMakeTheScore) {
    TournamentBuilder b;
    Member(b, "m12", "North", 12, 3);
    Member(b, "m3", "North", 3, 5);
    Member(b, "m8", "North", 8, 4);
    auto teams = CollectTeams(b.T(), 2);
    ASSERT_EQ(teams.size(), 1u);
    EXPECT_EQ(teams[0].score, 9);
    const std::string row = TeamReportBody(b.T(), b.session.translation, true, 2)[4];
    // m3 and m8 marked as counted, m12 not, in the order of their places.
    const std::string members = std::regex_replace(row, std::regex("(<[^>]*>|&nbsp;)+"), " ");
    EXPECT_EQ(members, " 1. North 3. Name m3 5.0 *** 8. Name m8 4.0 *** 12. Name m12 3.0 9.0 ");
    EXPECT_EQ(TeamReportBody(b.T(), b.session.translation, false, 2)[4],
              "<TR VALIGN=TOP><TD CLASS=\"blck\">&nbsp;1.&nbsp;</TD><TD CLASS=\"blck\">&nbsp;North&nbsp;</TD>"
              "<TD ALIGN=RIGHT CLASS=\"blck\">&nbsp;9.0&nbsp;</TD></TR>");
    TournamentBuilder three("3-1-0");
    Member(three, "p", "North", 1, 9);
    const std::string whole = TeamReportBody(three.T(), three.session.translation, true, 1)[4];
    EXPECT_NE(whole.find("<TD ALIGN=RIGHT>9</TD>"), std::string::npos);
    EXPECT_NE(whole.find("&nbsp;9&nbsp;</TD></TR>"), std::string::npos);
}

TEST(Teams, NamesAreExactBlankTeamsDoNotCountAndTiesKeepFirstAppearance) {
    TournamentBuilder b;
    const char* members[][2] = {{"p1", "a"}, {"p2", "B"}, {"p3", "A"}, {"p4", "  "}, {"p5", ""}, {"p6", "A"}};
    const double points[] = {4, 3, 3, 9, 9, 1};
    for (int i = 0; i < 6; ++i) Member(b, members[i][0], members[i][1], i + 1, points[i]);
    auto teams = CollectTeams(b.T(), 1);
    RankTeams(teams);
    ASSERT_EQ(teams.size(), 3u);
    EXPECT_EQ(teams[0].name + teams[1].name + teams[2].name, "aBA");  // B has 3 like A, but is named first
    EXPECT_EQ(teams[2].members.size(), 2u);
    for (auto& team : CollectTeams(b.T(), 0)) EXPECT_EQ(team.score, 0);
}

}  // namespace
}  // namespace veltrun
