// The overview and the pages that list every player once: standings,
// crosstable, starting list and teams.
#include "reports/html_text.h"
#include "reports/number_text.h"
#include "reports/site_pages.h"
#include "reports/standings_report.h"
#include "reports/team_report.h"
#include "store/new_tournament.h"
#include "store/text_utils.h"

namespace veltrun {
namespace {

std::string Tr(const SiteData& d, int id, std::string_view english) { return HtmlEscape(d.tr(id, english)); }

bool HasTeams(const SiteData& d) {
    for (int i = 1; i <= d.t.PlayerCount(); ++i)
        if (!Trim(d.t.Player(i).TeamID).empty()) return true;
    return false;
}

// The full name of a tie-break code, as the new-tournament dialog lists it.
std::string TieBreakName(const SiteData& d, const std::string& code) {
    for (const char* type : {"Chess", "Goals"})
        for (const ListItem& item : TieBreakItems(d.tr, type))
            if (item.Code == code) {
                const size_t bracket = item.Text.find("] ");
                return bracket == std::string::npos ? item.Text : item.Text.substr(bracket + 2);
            }
    return code;
}

std::string NameCell(const SiteData& d, const TPlayer& p) {
    return "<th scope=\"row\" class=\"sticky name\">" + PlayerLink(p) + SuspendedTag(d, p) + "</th>";
}

std::string Num(const std::string& text, const char* extra = "") {
    return std::string("<td class=\"num") + extra + "\">" + text + "</td>";
}

}  // namespace

void WriteIndexPage(const SiteData& d, const SiteFrame& frame, const SitePageSink& sink) {
    std::string page = frame.Open("index.html", d.tr(601, "Overview"));
    page += "<dl class=\"legend\"><dt>" + Tr(d, 605, "Players") + "</dt><dd>" + std::to_string(d.t.PlayerCount()) +
            "</dd><dt>" + Tr(d, 613, "Rounds") + "</dt><dd>" + std::to_string(d.Rounds()) + " / " +
            std::to_string(d.t.MaxRound) + "</dd></dl>\n<ul class=\"links\">";
    for (size_t k = 1; k < frame.links.size(); ++k)
        page += "<li><a href=\"" + frame.links[k].first + "\">" + frame.links[k].second + "</a></li>";
    for (int r = 1; r <= d.Rounds(); ++r)
        page += "<li><a href=\"" + RoundFile(r) + "\">" + frame.roundWord + " " + std::to_string(r) + "</a></li>";
    page += "</ul>\n";
    page += SiteFrame::Close();
    sink("index.html", page);
}

void WriteStandingsPage(const SiteData& d, const SiteFrame& frame, const SitePageSink& sink) {
    const Tournament& t = d.t;
    const std::vector<int> slots = ShownTieBreakSlots(t);
    const bool teams = HasTeams(d);
    std::string page = frame.Open("standings.html", d.tr(602, "Standings"));
    page += "<div class=\"scroll\"><table>\n<thead><tr>" + ColumnHead(Tr(d, 614, "Rank"), "num") +
            ColumnHead(Tr(d, 615, "No."), "num") + ColumnHead(Tr(d, 616, "Name"), "sticky name") +
            ColumnHead(Tr(d, 619, "Points"), "num") + (d.Goals() ? ColumnHead(Tr(d, 620, "Score"), "num") : "");
    for (int k : slots)
        page += ColumnHead("<abbr title=\"" + HtmlEscape(TieBreakName(d, t.TB(k))) + "\">" + HtmlEscape(t.TB(k)) +
                               "</abbr>",
                           "num");
    page += ColumnHead(Tr(d, 617, "Rating"), "num") + (teams ? ColumnHead(Tr(d, 618, "Team")) : "") +
            "</tr></thead>\n<tbody>\n";
    for (int i : d.order) {
        const TPlayer& p = t.Player(i);
        // Points right after the name: what a phone shows without scrolling.
        page += "<tr>" + Num(d.rank[static_cast<size_t>(i)]) + Num(std::to_string(p.StartNo)) + NameCell(d, p) +
                Num(PointsText(t, p.Points), " pts");
        if (d.Goals()) page += Num(DefaultNumberText(p.GoalsFor) + ":" + DefaultNumberText(p.GoalsAgainst));
        for (int k : slots) page += Num(DefaultNumberText(p.TBValue(k)));
        page += Num(std::to_string(p.ELO)) + (teams ? "<td>" + HtmlEscape(p.TeamID) + "</td>" : "") + "</tr>\n";
    }
    page += "</tbody></table></div>\n";
    if (!slots.empty()) {
        page += "<h2>" + Tr(d, 634, "Tie-breaks") + "</h2>\n<dl class=\"legend\">";
        for (int k : slots)
            page += "<dt>" + HtmlEscape(t.TB(k)) + "</dt><dd>" + HtmlEscape(TieBreakName(d, t.TB(k))) + "</dd>";
        page += "</dl>\n";
    }
    page += SiteFrame::Close();
    sink("standings.html", page);
}

void WriteCrosstablePage(const SiteData& d, const SiteFrame& frame, const SitePageSink& sink) {
    const Tournament& t = d.t;
    std::string page = frame.Open("crosstable.html", d.tr(603, "Crosstable"));
    page.reserve(page.size() + d.order.size() * (120 + 60 * static_cast<size_t>(d.Rounds())));
    page += "<div class=\"scroll\"><table class=\"cross\">\n<thead><tr>" + ColumnHead(Tr(d, 614, "Rank"), "num") +
            ColumnHead(Tr(d, 616, "Name"), "sticky name");
    for (int r = 1; r <= d.Rounds(); ++r) page += ColumnHead(std::to_string(r));
    page += ColumnHead(Tr(d, 619, "Points"), "num") + "</tr></thead>\n<tbody>\n";
    for (int i : d.order) {
        const TPlayer& p = t.Player(i);
        page += "<tr>" + Num(d.rank[static_cast<size_t>(i)]) + NameCell(d, p);
        for (const SiteSeat& seat : d.seats[static_cast<size_t>(i)]) {
            page += "<td>";
            page += SeatResult(d, seat, true);
            page += "</td>";
        }
        page += Num(PointsText(t, p.Points), " pts") + "</tr>\n";
    }
    page += "</tbody></table></div>\n" + ResultLegend(d);
    page += SiteFrame::Close();
    sink("crosstable.html", page);
}

void WriteStartListPage(const SiteData& d, const SiteFrame& frame, const SitePageSink& sink) {
    const Tournament& t = d.t;
    const bool teams = HasTeams(d);
    std::string page = frame.Open("startlist.html", d.tr(604, "Starting list"));
    page += "<div class=\"scroll\"><table>\n<thead><tr>" + ColumnHead(Tr(d, 615, "No."), "num") +
            ColumnHead(Tr(d, 616, "Name"), "sticky name") + ColumnHead(Tr(d, 617, "Rating"), "num") +
            ColumnHead(Tr(d, 636, "FIDE ID"), "num") + (teams ? ColumnHead(Tr(d, 618, "Team")) : "") +
            "</tr></thead>\n<tbody>\n";
    for (int i = 1; i <= t.PlayerCount(); ++i) {
        const TPlayer& p = t.Player(i);
        page += "<tr>" + Num(std::to_string(p.StartNo)) + NameCell(d, p) + Num(std::to_string(p.ELO)) +
                Num(HtmlEscape(p.FideID)) + (teams ? "<td>" + HtmlEscape(p.TeamID) + "</td>" : "") + "</tr>\n";
    }
    page += "</tbody></table></div>\n";
    page += SiteFrame::Close();
    sink("startlist.html", page);
}

void WriteTeamsPage(const SiteData& d, const SiteFrame& frame, const SitePageSink& sink) {
    if (!HasTeams(d)) return;
    const Tournament& t = d.t;
    const int topN = d.teamTopN;
    std::vector<TeamStanding> teams = CollectTeams(d.t, topN);
    RankTeams(teams);
    std::string page = frame.Open("teams.html", d.tr(606, "Teams"));
    page += "<div class=\"scroll\"><table>\n<thead><tr>" + ColumnHead(Tr(d, 614, "Rank"), "num") +
            ColumnHead(Tr(d, 618, "Team"), "sticky name") + ColumnHead(Tr(d, 619, "Points"), "num") +
            ColumnHead(Tr(d, 637, "Members")) + "</tr></thead>\n<tbody>\n";
    int j = 0;
    for (const TeamStanding& team : teams) {
        page += "<tr>" + Num(std::to_string(++j)) + "<th scope=\"row\" class=\"sticky name\">" +
                HtmlEscape(team.name) + "</th>" + Num(PointsText(t, team.score), " pts") + "<td><ol class=\"members\">";
        int m = 0;
        for (const TeamMember& member : team.members) {
            const bool counts = ++m <= topN;
            page += std::string("<li value=\"") + std::to_string(member.place) + "\">" + (counts ? "<strong>" : "") +
                    PlayerLink(t.Player(member.player)) + " " + PointsText(t, member.points) +
                    (counts ? "</strong>" : "") + "</li>";
        }
        page += "</ol></td></tr>\n";
    }
    page += "</tbody></table></div>\n";
    page += SiteFrame::Close();
    sink("teams.html", page);
}

}  // namespace veltrun
