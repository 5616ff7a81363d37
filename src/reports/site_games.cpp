// The pages built from the games: one page per round, the players' cards.
#include <optional>

#include "reports/html_text.h"
#include "reports/number_text.h"
#include "reports/site_pages.h"
#include "standings/rating_performance.h"
#include "store/text_utils.h"

namespace veltrun {
namespace {

std::string Tr(const SiteData& d, int id, std::string_view english) { return HtmlEscape(d.tr(id, english)); }

std::string Num(const std::string& text) { return "<td class=\"num\">" + text + "</td>"; }

// "12 Name" of one side of a game; the side itself for "bye" and "stop".
std::string SideCell(const SiteData& d, const std::string& side) {
    const int p = d.index.Find(side);
    if (p <= 0) return "<td>" + HtmlEscape(side) + "</td>";
    const TPlayer& player = d.t.Player(p);
    return "<td class=\"name\"><small>" + std::to_string(player.StartNo) + "</small> " + PlayerLink(player) +
           SuspendedTag(d, player) + "</td>";
}

std::string PointsBefore(const SiteData& d, const std::string& side, int round) {
    const int p = d.index.Find(side);
    if (p <= 0) return "<td></td>";
    return Num(PointsText(d.t, d.before[static_cast<size_t>(p)][static_cast<size_t>(round - 1)]));
}

void WriteRoundPage(const SiteData& d, const SiteFrame& frame, int round, const SitePageSink& sink) {
    const Translation& tr = d.tr;
    const std::string pts = "<abbr title=\"" + Tr(d, 640, "points before the round") + "\">" + Tr(d, 629, "Pts.") +
                            "</abbr>";
    std::string page = frame.Open(RoundFile(round), tr(3, "Round") + " " + std::to_string(round));
    page += "<div class=\"scroll\"><table>\n<thead><tr>" + ColumnHead(Tr(d, 621, "Board"), "num") +
            ColumnHead(d.Goals() ? Tr(d, 625, "home") : Tr(d, 623, "White")) + ColumnHead(pts, "num") +
            ColumnHead(Tr(d, 622, "Result")) + ColumnHead(pts, "num") +
            ColumnHead(d.Goals() ? Tr(d, 626, "away") : Tr(d, 624, "Black")) + "</tr></thead>\n<tbody>\n";
    std::string absent;
    for (const SiteGame& game : d.rounds[static_cast<size_t>(round - 1)]) {
        if (game.white == "stop" || game.black == "stop") {
            const int p = d.index.Find(game.white == "stop" ? game.black : game.white);
            if (p > 0) absent += (absent.empty() ? "" : ", ") + PlayerLink(d.t.Player(p));
            continue;
        }
        if (game.board == 0) {  // a bye: the player, the points it gives
            const bool first = game.black == "bye";
            const std::string& side = first ? game.white : game.black;
            const auto [white, black] = ResultPoints(game.result);
            page += "<tr><td></td>" + SideCell(d, side) + PointsBefore(d, side, round) + "<td class=\"bye\">" +
                    Tr(d, 630, "bye") + " " + ScoreText(first ? white : black) + "</td><td></td><td></td></tr>\n";
            continue;
        }
        page += "<tr>" + Num(std::to_string(game.board)) + SideCell(d, game.white) +
                PointsBefore(d, game.white, round) + "<td class=\"num\">" + GameResult(d, game) + "</td>" +
                PointsBefore(d, game.black, round) + SideCell(d, game.black) + "</tr>\n";
    }
    page += "</tbody></table></div>\n";
    if (!absent.empty()) page += "<p><span class=\"absent\">" + Tr(d, 631, "absent") + ":</span> " + absent + "</p>\n";
    page += ResultLegend(d);
    page += SiteFrame::Close();
    sink(RoundFile(round), page);
}

std::string CardRow(const SiteData& d, int round, const SiteSeat& seat) {
    std::string row = "<tr>" + Num(std::to_string(round));
    const int o = d.index.Find(seat.opponent);
    if (o > 0) {
        const TPlayer& x = d.t.Player(o);
        row += "<td>" + ColourMark(d, seat.first) + "</td><td class=\"name\">" + PlayerLink(x) + "</td>" +
               Num(std::to_string(x.ELO)) + Num(PointsText(d.t, x.Points));
    } else {
        const std::string what = !seat.game                ? ""
                                 : seat.opponent == "bye" ? "<span class=\"bye\">" + Tr(d, 630, "bye") + "</span>"
                                                          : "<span class=\"absent\">" + Tr(d, 631, "absent") + "</span>";
        row += "<td></td><td>" + what + "</td><td></td><td></td>";
    }
    std::string result;
    if (seat.game && !seat.game->Pending()) {
        if (seat.game->Forfeit() && o > 0)
            result = ForfeitMark(d, seat);
        else if (seat.opponent != "stop")
            result = ScoreText(seat.score);
    }
    row += Num(result);
    if (d.Goals()) {
        std::string goals;
        if (o > 0 && seat.game && !seat.game->Pending() && !seat.game->goals.empty())
            goals = seat.first ? seat.game->goals
                               : GetField(seat.game->goals, ':', 2) + ":" + GetField(seat.game->goals, ':', 1);
        row += Num(HtmlEscape(goals));
    }
    return row + "</tr>\n";
}

std::string PerformanceList(const SiteData& d, int player) {
    if (d.t.TBsType != "Chess" || d.t.PointsType != "1- 0.5 -0") return "";
    const std::optional<Performance> perf = ComputePerformance(d.t, d.index, player);
    if (!perf) return "";
    auto item = [&](int id, std::string_view english, const std::string& value) {
        return "<dt>" + Tr(d, id, english) + "</dt><dd>" + value + "</dd>";
    };
    return "<dl>" + item(141, "number of games on elo", std::to_string(perf->games)) +
           item(142, "points from counted games", FixedText(perf->points, 1)) +
           item(143, "avg. elo of rivals", FixedText(perf->averageRating, 0)) +
           item(144, "expected points", FixedText(perf->expected, 2)) +
           item(145, "performance", FixedText(perf->performance, 0)) + "</dl>";
}

std::string Card(const SiteData& d, int player) {
    const TPlayer& p = d.t.Player(player);
    std::string card = "<section class=\"card\" id=\"p" + std::to_string(p.StartNo) + "\"><h2>" + PlayerLink(p) +
                       SuspendedTag(d, p) + "</h2>\n<p class=\"muted\">" + Tr(d, 615, "No.") + " " +
                       std::to_string(p.StartNo) + " \u00b7 " + Tr(d, 617, "Rating") + " " + std::to_string(p.ELO) +
                       (Trim(p.TeamID).empty() ? "" : " \u00b7 " + Tr(d, 618, "Team") + " " + HtmlEscape(p.TeamID)) +
                       " \u00b7 " + Tr(d, 614, "Rank") + " " + d.rank[static_cast<size_t>(player)] + "</p>\n";
    card += "<div class=\"scroll\"><table>\n<thead><tr>" + ColumnHead(Tr(d, 607, "Rd."), "num") +
            ColumnHead(Tr(d, 628, "Colour")) + ColumnHead(Tr(d, 627, "Opponent")) +
            ColumnHead(Tr(d, 617, "Rating"), "num") + ColumnHead(Tr(d, 629, "Pts."), "num") +
            ColumnHead(Tr(d, 622, "Result"), "num") + (d.Goals() ? ColumnHead(Tr(d, 656, "Goals"), "num") : "") +
            "</tr></thead>\n<tbody>\n";
    const auto& seats = d.seats[static_cast<size_t>(player)];
    for (size_t k = 0; k < seats.size(); ++k) card += CardRow(d, static_cast<int>(k) + 1, seats[k]);
    card += "</tbody>\n<tfoot><tr><th scope=\"row\" colspan=\"5\">" + Tr(d, 635, "Total") +
            "</th><td class=\"num pts\">" + PointsText(d.t, p.Points) + "</td>" +
            (d.Goals() ? Num(DefaultNumberText(p.GoalsFor) + ":" + DefaultNumberText(p.GoalsAgainst)) : "") +
            "</tr></tfoot></table></div>\n" + PerformanceList(d, player) + "</section>\n";
    return card;
}

}  // namespace

void WriteRoundPages(const SiteData& d, const SiteFrame& frame, const SitePageSink& sink) {
    for (int r = 1; r <= d.Rounds(); ++r) WriteRoundPage(d, frame, r, sink);
}

void WritePlayerPages(const SiteData& d, const SiteFrame& frame, const SitePageSink& sink) {
    std::string all = frame.Open("players.html", d.tr(605, "Players"));
    all += "<div class=\"cards\">\n";
    for (int i = 1; i <= d.t.PlayerCount(); ++i) {
        const std::string card = Card(d, i);
        all += card;
        std::string page = frame.Open(PlayerFile(d.t.Player(i)), d.t.Player(i).Name);
        page += card;
        page += ResultLegend(d);
        page += SiteFrame::Close();
        sink(PlayerFile(d.t.Player(i)), page);
    }
    all += "</div>\n" + ResultLegend(d);
    all += SiteFrame::Close();
    sink("players.html", all);
}

}  // namespace veltrun
