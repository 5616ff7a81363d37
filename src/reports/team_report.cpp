#include "reports/team_report.h"

#include <algorithm>

#include "reports/html_text.h"
#include "reports/number_text.h"
#include "reports/report_frame.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun {

std::vector<TeamStanding> CollectTeams(const Tournament& t, int topN) {
    std::vector<TeamStanding> teams;
    for (int i = 1; i <= t.PlayerCount(); ++i) {
        const TPlayer& p = t.Player(i);
        if (Trim(p.TeamID).empty()) continue;
        auto team = std::find_if(teams.begin(), teams.end(), [&p](const TeamStanding& s) { return s.name == p.TeamID; });
        if (team == teams.end()) {
            teams.push_back({p.TeamID, 0, {}});
            team = teams.end() - 1;
        }
        team->members.push_back({i, p.Place, p.Points});
    }
    for (TeamStanding& team : teams) {
        std::stable_sort(team.members.begin(), team.members.end(),
                         [](const TeamMember& a, const TeamMember& b) { return a.place < b.place; });
        for (size_t m = 0; m < team.members.size() && static_cast<int>(m) < topN; ++m)
            team.score += team.members[m].points;
    }
    return teams;
}

void RankTeams(std::vector<TeamStanding>& teams) {
    std::stable_sort(teams.begin(), teams.end(),
                     [](const TeamStanding& a, const TeamStanding& b) { return a.score > b.score; });
}

namespace {

std::string MemberTable(const Tournament& t, const TeamStanding& team, int topN) {
    std::string table = "<TABLE BORDER=0>";
    int m = 0;
    for (const TeamMember& member : team.members) {
        ++m;
        table += "<TR><TD>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;</TD><TD>" + std::to_string(member.place) + ". " +
                 HtmlEscape(t.Player(member.player).Name) + "&nbsp;&nbsp;&nbsp;</TD><TD ALIGN=RIGHT>" +
                 PointsText(t, member.points) + "</TD><TD>&nbsp;&nbsp;&nbsp;" + (m <= topN ? "***" : "") +
                 "</TD></TR>";
    }
    return table + "</TABLE>";
}

}  // namespace

std::vector<std::string> TeamReportBody(const Tournament& t, const Translation& tr, bool withPlayersList, int topN) {
    std::vector<TeamStanding> teams = CollectTeams(t, topN);
    RankTeams(teams);
    std::vector<std::string> body{
        "<div id=\"standingsattop\"> </div>", HtmlEscape(tr(133, "Standings")) + ":", std::string(TableOpening),
        "<TR><TD CLASS=\"blck\">&nbsp;<B>" + HtmlEscape(tr(134, "ord.")) +
            "</B>&nbsp;</TD><TD CLASS=\"blck\">&nbsp;<B>" + HtmlEscape(tr(190, "Team ID")) +
            "</B>&nbsp;</TD><TD CLASS=\"blck\">&nbsp;<B>" + HtmlEscape(tr(137, "Points")) +
            "</B>&nbsp;</TD></TR>"};
    int j = 0;
    for (const TeamStanding& team : teams) {
        ++j;
        const std::string members = withPlayersList ? MemberTable(t, team, topN) : "";
        body.push_back("<TR VALIGN=TOP><TD CLASS=\"blck\">&nbsp;" + std::to_string(j) +
                       ".&nbsp;</TD><TD CLASS=\"blck\">&nbsp;" + HtmlEscape(team.name) + "&nbsp;" + members +
                       "</TD><TD ALIGN=RIGHT CLASS=\"blck\">&nbsp;" + PointsText(t, team.score) +
                       "&nbsp;</TD></TR>");
    }
    body.emplace_back("</TABLE>");
    return body;
}

std::filesystem::path WriteTeamReport(Session& session, const std::string& fileName, bool withPlayersList, int topN) {
    const std::filesystem::path report = ReportFile(session, fileName, "[Reports] TeamReport_ShortFileName");
    WriteReportFile(session, report, TeamReportBody(session.tournament, session.translation, withPlayersList, topN));
    return report;
}

}  // namespace veltrun
