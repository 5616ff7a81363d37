#pragma once
// The team report: teams ranked by the points of their best-placed members.
// It reads Place, so the standings order must be computed first.
#include <filesystem>
#include <string>
#include <vector>

namespace veltrun {

class Session;
struct Tournament;
struct Translation;

struct TeamMember {
    int player = 0;  // table index
    int place = 0;
    double points = 0;
};

struct TeamStanding {
    std::string name;
    double score = 0;
    std::vector<TeamMember> members;  // best place first
};

// Every team in order of first appearance in the table, members by place;
// the score sums the first topN members (none when topN is 0 or less).
std::vector<TeamStanding> CollectTeams(const Tournament& t, int topN);
// Highest score first; equal scores keep their order.
void RankTeams(std::vector<TeamStanding>& teams);

std::vector<std::string> TeamReportBody(const Tournament& t, const Translation& tr, bool withPlayersList, int topN);
// WriteTeamReport: writes `fileName` in the tournament folder and returns its path.
std::filesystem::path WriteTeamReport(Session& session, const std::string& fileName, bool withPlayersList, int topN);

}  // namespace veltrun
