#include "reports/round_report.h"

#include "reports/html_text.h"
#include "reports/number_text.h"
#include "reports/report_frame.h"
#include "standings/player_index.h"
#include "store/file_limits.h"
#include "store/player_history.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"

namespace veltrun {
namespace {

const char* const Cell = "&nbsp;</TD><TD CLASS=\"blck\">&nbsp;";

std::string HeaderRow(const Translation& tr, bool goals) {
    const std::string left = goals ? HtmlEscape(tr(148, "home")) : HtmlEscape(tr(151, "White"));
    const std::string right = goals ? HtmlEscape(tr(149, "visiting")) : HtmlEscape(tr(152, "Black"));
    const std::string board = goals ? HtmlEscape(tr(147, "pl.")) : HtmlEscape(tr(150, "pl."));
    return "<TR><TD CLASS=\"blck\">&nbsp;<B>" + board + "</B>&nbsp;</TD><TD COLSPAN=2 CLASS=\"blck\">&nbsp;<B>" +
           left +
           "</B>&nbsp;</TD><TD CLASS=\"blck\">&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;</TD><TD COLSPAN=2 "
           "CLASS=\"blck\">&nbsp;<B>" +
           right + "</B>&nbsp;</TD></TR>";
}

// Who stands on one side of a game line, as the report shows it.
struct Side {
    std::string cell;    // "[StartNo] Name", or the text itself
    std::string points;  // before this round
};

Side DescribeSide(const Tournament& t, const PlayerIndex& index, const std::string& side, int round) {
    const int p = index.Find(side);
    double before = 0;
    std::string startNo = side, name = side;
    if (p > 0) {
        const TPlayer& player = t.Player(p);
        startNo = std::to_string(player.StartNo);
        name = player.Name;
        for (const RoundEntry& entry : ReadHistory(player, round - 1)) before += entry.points;
    }
    Side result;
    if (side == "bye" || side == "stop") {
        result.cell = HtmlEscape(side);
    } else {
        result.cell.push_back('[');
        result.cell.append(HtmlEscape(startNo)).append("] ").append(HtmlEscape(name));
    }
    result.points = PointsText(t, before);
    return result;
}

}  // namespace

std::vector<std::string> RoundReportBody(const Tournament& t, const Translation& tr, const ResultChars& chars, int round,
                                         const std::vector<std::string>& roundLines) {
    const bool goals = t.TBsType == "Goals";
    const PlayerIndex index(t);
    std::vector<std::string> body{HtmlEscape(tr(3, "Round")) + ": <B>" + std::to_string(round) + "</B>",
                                  std::string(TableOpening), HeaderRow(tr, goals)};
    int board = 0;
    for (const std::string& raw : roundLines) {
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == '#') continue;
        ++board;
        const std::string code = GetField(line, '|', 2);
        const std::string gameId = GetField(line, '|', 5);
        const Side a = DescribeSide(t, index, GetField(gameId, '-', 1), round);
        const Side b = DescribeSide(t, index, GetField(gameId, '-', 2), round);

        std::string result = code == "?-?" ? "" : code;
        if (chars.used && code == "0.5-0.5") result = chars.draw + "-" + chars.draw;
        result = HtmlEscape(result);
        std::string middle = result;
        if (goals)
            middle = result.empty() ? ""
                                    : HtmlEscape(GetField(line, '|', 6)) + "<BR><FONT SIZE=-2>&nbsp;[" + result +
                                          "]</FONT>&nbsp;";

        body.push_back("<TR VALIGN=TOP><TD CLASS=\"blck\">&nbsp;(" + std::to_string(board) + ")" + Cell + a.cell +
                       Cell + a.points + Cell + middle + Cell + b.points + Cell + b.cell + "&nbsp;</TD></TR>");
    }
    body.emplace_back("</TABLE>");
    return body;
}

std::filesystem::path WriteRoundReport(Session& session, int round) {
    const std::filesystem::path folder(session.tournament.TournamentFolder);
    const std::vector<std::string> lines =
        ReadTextLines(folder / ("round" + std::to_string(round) + ".txt"), file_limit::RoundFile);
    const std::filesystem::path report =
        ReportPath(session, session.settings.RoundListName + std::to_string(round), "RoundListName");
    WriteReportFile(session, report,
                    RoundReportBody(session.tournament, session.translation, ResultCharsOf(session.settings), round, lines));
    return report;
}

}  // namespace veltrun
