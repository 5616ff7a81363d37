#include "reports/standings_report.h"

#include <optional>

#include "reports/html_text.h"
#include "reports/number_text.h"
#include "reports/report_frame.h"
#include "standings/player_index.h"
#include "standings/rating_performance.h"
#include "standings/standings_order.h"
#include "store/player_history.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun {
namespace {

std::string HeaderCell(const std::string& text) { return "<TD CLASS=\"blck\">&nbsp;<B>" + text + "</B>&nbsp;</TD>"; }
std::string RightCell(const std::string& text) {
    return "<TD ALIGN=\"RIGHT\" CLASS=\"blck\">&nbsp;" + text + "&nbsp;</TD>";
}
bool IsGoals(const Tournament& t) { return t.TBsType == "Goals"; }
std::string GoalsText(const TPlayer& p) { return DefaultNumberText(p.GoalsFor) + ":" + DefaultNumberText(p.GoalsAgainst); }

std::string TableHeader(const Tournament& t, const Translation& tr) {
    std::string row = "<TR>" + HeaderCell(HtmlEscape(tr(134, "ord."))) +
                      HeaderCell(HtmlEscape(tr(135, "name"))) + HeaderCell(HtmlEscape(tr(136, "st.")));
    if (IsGoals(t))
        row += HeaderCell(HtmlEscape(tr(137, "Points"))) + HeaderCell(HtmlEscape(tr(138, "Score")));
    else
        row += HeaderCell(HtmlEscape(tr(139, "ELO"))) + HeaderCell(HtmlEscape(tr(137, "Points")));
    for (int k : ShownTieBreakSlots(t)) row += HeaderCell(HtmlEscape(t.TB(k)));
    return row + "</TR>";
}

std::string TableRow(const Tournament& t, int place, int player, bool withCards) {
    const TPlayer& p = t.Player(player);
    const std::string name = withCards ? "<A HREF=\"#" + HtmlEscape(p.ArrivalID) + "\">" + HtmlEscape(p.Name) + "</A>"
                                       : HtmlEscape(p.Name);
    std::string row = "<TR><TD CLASS=\"blck\">&nbsp;<B>" + std::to_string(place) + "." +
                      "</B>&nbsp;</TD><TD CLASS=\"blck\">&nbsp;" + name + "&nbsp;</TD><TD CLASS=\"blck\">&nbsp;[" +
                      std::to_string(p.StartNo) + "]&nbsp;</TD>";
    const std::string points = "<TD ALIGN=RIGHT CLASS=\"blck\">&nbsp;<B>" + PointsText(t, p.Points) + "</B>&nbsp;</TD>";
    if (IsGoals(t))
        row += points + "<TD CLASS=\"blck\">&nbsp;" + GoalsText(p) + "&nbsp;</TD>";
    else
        row += "<TD CLASS=\"blck\">&nbsp;" + std::to_string(p.ELO) + "&nbsp;</TD>" + points;
    for (int k : ShownTieBreakSlots(t))
        row += "<TD ALIGN=RIGHT CLASS=\"blck\">&nbsp;" + DefaultNumberText(p.TBValue(k)) + "&nbsp;</TD>";
    return row + "</TR>";
}

std::string CardRow(const Tournament& t, const Translation& tr, const ResultChars& chars, const PlayerIndex& index, int k,
                    const RoundEntry& round) {
    const std::string opponent(round.opponent), colour(ColourText(round.colour)), result(round.result),
        goals(round.goals);
    std::string cell = HtmlEscape(opponent), opponentPoints = "0", opponentRating = "-";
    const int o = index.Find(opponent);
    if (o > 0) {
        const TPlayer& x = t.Player(o);
        cell = "<A HREF=\"#" + HtmlEscape(opponent) + "\">[" + HtmlEscape(tr(136, "st.")) +
               std::to_string(x.StartNo) + "] " + HtmlEscape(x.Name) + "</A>";
        opponentPoints = PointsText(t, x.Points);
        opponentRating = std::to_string(x.ELO);
    }
    std::string colourText = Trim(colour).empty() ? "-" : colour;
    std::string resultText = result;
    if (chars.used) {
        if (Trim(colour) == "W") colourText = chars.white;
        if (Trim(colour) == "B") colourText = chars.black;
        if (ReplaceChar(result, ',', ".") == "0.5") resultText = chars.draw;
    }
    return "<TR><TD CLASS=\"blck\">&nbsp;" + std::to_string(k) + ".&nbsp;</TD><TD CLASS=\"blck\">&nbsp;" + cell +
           "&nbsp;</TD>" + RightCell(opponentPoints) + RightCell(opponentRating) + RightCell(HtmlEscape(resultText)) +
           (IsGoals(t) ? RightCell(HtmlEscape(goals)) : "") + RightCell(HtmlEscape(colourText)) + "</TR>";
}

std::string PerformanceRow(const Translation& tr, const Performance& perf) {
    return "<TR><TD COLSPAN=6 CLASS=\"blck\">&nbsp;" + HtmlEscape(tr(141, "number of games on elo")) + " = " +
           std::to_string(perf.games) + "<BR>" + "&nbsp;" + HtmlEscape(tr(142, "points from counted games")) +
           " (w) = " + FixedText(perf.points, 1) + "<BR>" + "&nbsp;" +
           HtmlEscape(tr(143, "avg. elo of rivals")) + " = " + FixedText(perf.averageRating, 0) + "<BR>" +
           "&nbsp;" + HtmlEscape(tr(144, "expected points")) + " (we) = " + FixedText(perf.expected, 2) +
           "<BR>" + "&nbsp;" + HtmlEscape(tr(145, "performance")) + " = " + FixedText(perf.performance, 0) +
           "&nbsp;</TD></TR>";
}

bool HasPerformance(const Tournament& t) { return t.TBsType == "Chess" && t.PointsType == "1- 0.5 -0"; }

void AppendCard(const Tournament& t, const Translation& tr, const ResultChars& chars, const PlayerIndex& index, int player,
                std::vector<std::string>& body) {
    const TPlayer& p = t.Player(player);
    const std::string id = HtmlEscape(p.ArrivalID);
    body.insert(body.end(), {"<BR>", "<BR>", "<div id=\"" + id + "\"> </div>",
                             "<A HREF=\"#standingsattop\">" + HtmlEscape(tr(140, "(up)")) + "</A>",
                             std::string(TableOpening)});
    body.push_back("<TR><TD COLSPAN=4 CLASS=\"blck\">&nbsp;" + std::to_string(p.Place) + ". <B>" + HtmlEscape(p.Name) +
                   "</B><BR>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;(" + std::to_string(p.ELO) + ")</TD><TD COLSPAN=" +
                   (IsGoals(t) ? "3" : "2") + " CLASS=\"blck\">&nbsp;" + HtmlEscape(tr(136, "st.")) +
                   " <FONT SIZE=\"+2\"><B>" + std::to_string(p.StartNo) + "</B></FONT>&nbsp;</TD></TR>");
    const int r = t.CurrentRound;
    const std::vector<RoundEntry> rounds = ReadHistory(p, r);
    for (int k = 1; k <= r; ++k) body.push_back(CardRow(t, tr, chars, index, k, rounds[k - 1]));
    body.push_back("<TR><TD COLSPAN=4 ALIGN=\"RIGHT\" CLASS=\"blck\">&nbsp;</TD><TD ALIGN=\"RIGHT\" "
                   "CLASS=\"blck\">&nbsp;<B>" +
                   DefaultNumberText(p.Points) + "</B>&nbsp;</TD>" + (IsGoals(t) ? RightCell(GoalsText(p)) : "") +
                   "<TD ALIGN=\"RIGHT\" CLASS=\"blck\">&nbsp;</TD></TR>");
    if (HasPerformance(t))
        if (std::optional<Performance> perf = ComputePerformance(t, index, player)) body.push_back(PerformanceRow(tr, *perf));
    body.emplace_back("</TABLE>");
}

}  // namespace

std::vector<int> ShownTieBreakSlots(const Tournament& t) {
    std::vector<int> slots;
    for (int k = 1; k <= 5; ++k)
        if (t.TB(k) != "-") slots.push_back(k);
    return slots;
}

std::vector<std::string> StandingsBody(const Tournament& t, const Translation& tr, const ResultChars& chars,
                                       bool withCards) {
    const std::vector<int> order = PlayersByPlace(t);
    std::vector<std::string> body{"<div id=\"standingsattop\"> </div>", HtmlEscape(tr(133, "Standings")) + ":",
                                  std::string(TableOpening), TableHeader(t, tr)};
    for (int player : order) body.push_back(TableRow(t, t.Player(player).Place, player, withCards));
    body.emplace_back("</TABLE>");
    if (withCards) {
        const PlayerIndex index(t);
        for (int player : order) AppendCard(t, tr, chars, index, player, body);
    }
    return body;
}

std::filesystem::path WriteStandingsReport(Session& session, bool withCards) {
    const std::string& base = withCards ? session.settings.StandingsCardsListName : session.settings.StandingsListName;
    const std::filesystem::path report =
        ReportPath(session, base, withCards ? "StandingsCardsListName" : "StandingsListName");
    WriteReportFile(session, report,
                    StandingsBody(session.tournament, session.translation, ResultCharsOf(session.settings), withCards));
    return report;
}

namespace {

// Every number of the printed standings in one form, the shortest decimal
// one ("3", "4.5", "12.75"); an estimate is rounded to the places the
// report shows first.
std::string TsvNumber(double value, int shownPlaces = -1) {
    if (shownPlaces < 0) return DefaultNumberText(value);
    std::string text = FixedText(value, shownPlaces);
    if (text.find('.') == std::string::npos) return text;
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

}  // namespace

std::vector<std::string> StandingsTsv(const Tournament& t, bool withPerformance) {
    const std::vector<int> slots = ShownTieBreakSlots(t);
    std::string header = "place\tArrivalID\tName\tELO\tPoints";
    for (int k : slots) header += "\t" + t.TB(k);
    if (withPerformance) header += "\tn\tw\taverage\twe\tperformance";
    std::vector<std::string> lines{header};
    const PlayerIndex index(t);
    for (int player : PlayersByPlace(t)) {
        const TPlayer& p = t.Player(player);
        std::string line = std::to_string(p.Place);
        auto column = [&line](const std::string& text) { line.append("\t").append(text); };
        column(p.ArrivalID);
        column(p.Name);
        column(std::to_string(p.ELO));
        column(TsvNumber(p.Points));
        for (int k : slots) column(TsvNumber(p.TBValue(k)));
        if (withPerformance) {
            std::optional<Performance> perf;
            if (HasPerformance(t)) perf = ComputePerformance(t, index, player);
            column(perf ? std::to_string(perf->games) : "");
            column(perf ? TsvNumber(perf->points) : "");
            column(perf ? TsvNumber(perf->averageRating, 0) : "");
            column(perf ? TsvNumber(perf->expected, 2) : "");
            column(perf ? TsvNumber(perf->performance, 0) : "");
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace veltrun
