#include "reports/start_list.h"

#include "reports/html_text.h"
#include "reports/report_frame.h"
#include "store/file_limits.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"

namespace veltrun {
namespace {

// 10000 minus the rating, five digits: the highest rating sorts first. A
// rating that is no whole number keeps its own text as key.
std::string RatingKey(const std::string& ratingText) {
    int rating = 0;
    std::string key = TryParseInt(ratingText, rating) ? std::to_string(10000 - rating) : ratingText;
    return PadLeft(key, "0", 5);
}

}  // namespace

std::vector<std::string> StartListBody(const Translation& tr, const std::vector<std::string>& playerLines, bool byRating) {
    StringList sortLines;
    for (const std::string& raw : playerLines) {
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == '#') continue;
        const std::string onOff = GetField(line, '|', 1);
        const std::string alias = GetField(line, '|', 2);
        const std::string name = GetField(line, '|', 3);
        const std::string rating = GetField(line, '|', 4);
        const std::string rest = name + "|" + rating + "|" + alias + "|" + onOff;
        sortLines.push_back(byRating ? RatingKey(rating) + name + "|" + rest : name + "|" + rest);
    }
    SortAlphabetical(sortLines);

    std::vector<std::string> body;
    body.push_back(byRating ? HtmlEscape(tr(185, "Starting list (by ELO)")) + ":"
                            : HtmlEscape(tr(128, "Starting list (alphabetically)")) + ":");
    body.emplace_back(TableOpening);
    body.insert(body.end(), {"", ""});
    int n = 0;
    for (const std::string& sortLine : sortLines) {
        ++n;
        body.push_back("<TR><TD CLASS=\"blck\">&nbsp;(" + SuspendedMark(GetField(sortLine, '|', 5)) +
                       std::to_string(n) + ")&nbsp;</TD><TD CLASS=\"blck\">&nbsp;" +
                       HtmlEscape(GetField(sortLine, '|', 2)) + "&nbsp;</TD><TD CLASS=\"blck\">&nbsp;" +
                       HtmlEscape(GetField(sortLine, '|', 3)) + "&nbsp;</TD></TR>");
    }
    body.insert(body.end(), {"", "", "</TABLE>"});
    return body;
}

std::filesystem::path WriteStartList(Session& session) {
    const std::filesystem::path players = std::filesystem::path(session.tournament.TournamentFolder) / "players.txt";
    const std::vector<std::string> lines = ReadTextLines(players, file_limit::PlayersFile);
    const bool byRating = session.settings.StartListSortingType == "2";
    const std::filesystem::path report = ReportPath(session, session.settings.StartListName, "StartListName");
    WriteReportFile(session, report, StartListBody(session.translation, lines, byRating));
    return report;
}

}  // namespace veltrun
