#include "app/command_reports.h"

#include <string>

#include "app/show_errors.h"
#include "fide/trf16_writer.h"
#include "reports/report_frame.h"
#include "reports/round_report.h"
#include "reports/standings_report.h"
#include "reports/start_list.h"
#include "reports/team_report.h"
#include "standings/standings_order.h"
#include "store/errors.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun {
namespace {

void RequireTournament(const Session& session) {
    if (!session.HasTournament()) throw myException(session.tr(260, "No tournament is open."));
}

// False after the information that no round exists yet.
bool HasRounds(Session& session) {
    if (session.tournament.CurrentRound > 0) return true;
    ShowInformation(session, session.tr(146, "No round has been pair yet."));
    return false;
}

void Written(Session& session, ReportsWritten& result, const std::filesystem::path& file, OpenReports open) {
    result.files.push_back(file);
    if (open == OpenReports::Yes) OpenReportInBrowser(session, file);
}

// The TRF16 files that go with the standings with cards, when configured.
void WriteTrf16Files(Session& session) {
    const Settings& s = session.settings;
    if (session.tournament.CurrentRound <= 0) return;
    if (s.MakeOutputTRF16) WriteTrf16File(session, s.ShortFileNameTRF16, "fide");
    if (s.MakeOutputTRF16National) WriteTrf16File(session, s.ShortFileNameTRF16National, "national");
}

}  // namespace

ReportsWritten StartListCommand(Session& session, OpenReports open) {
    ReportsWritten result;
    result.done = CatchAndShowError(session, [&] {
        RequireTournament(session);
        Written(session, result, WriteStartList(session), open);
    });
    return result;
}

ReportsWritten RoundReportOfRound(Session& session, int round, OpenReports open) {
    ReportsWritten result;
    result.done = CatchAndShowError(session, [&] {
        RequireTournament(session);
        if (round < 1 || round > session.tournament.CurrentRound)
            throw myException(session.tr(3, "Round") + " " + std::to_string(round) + " " +
                              session.tr(263, "has not been paired."));
        Written(session, result, WriteRoundReport(session, round), open);
    });
    return result;
}

ReportsWritten RoundReportCommand(Session& session, OpenReports open) {
    if (!HasRounds(session)) return {};
    ChooserRequest request;
    request.width = 300;
    request.caption = session.tr(155, "Rounds pairing");
    request.label = session.tr(156, "Select round") + ":";
    for (int r = session.tournament.CurrentRound; r >= 1; --r) {
        std::string item = "[";
        request.items.push_back(item.append(std::to_string(r)).append("]"));
    }
    const std::optional<int> chosen = session.ui.Choose(request);
    if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(request.items.size())) return {};
    std::string text = request.items[static_cast<size_t>(*chosen)];
    text = ReplaceChar(ReplaceChar(text, '[', ""), ']', "");
    if (!IsAllDigits(text)) return {};
    return RoundReportOfRound(session, std::stoi(text), open);
}

ReportsWritten StandingsCommand(Session& session, bool withCards, OpenReports open) {
    if (session.HasTournament() && !HasRounds(session)) return {};
    ReportsWritten result;
    result.done = CatchAndShowError(session, [&] {
        RequireTournament(session);
        PrepareStandings(session);
        Written(session, result, WriteStandingsReport(session, withCards), open);
    });
    return result;
}

ReportsWritten StandingsAndCardsCommand(Session& session, OpenReports open) {
    if (!CatchAndShowError(session, [&] { WriteTrf16Files(session); })) return {};
    ReportsWritten result = StandingsCommand(session, true, open);
    const Settings& s = session.settings;
    if (!result.done || !s.TeamReport_IsUsed || session.tournament.CurrentRound <= 0) return result;
    result.done = CatchAndShowError(session, [&] {
        result.files.push_back(
            WriteTeamReport(session, s.TeamReport_ShortFileName, s.TeamReport_WithPlayersList, s.TeamReport_TopNplayers));
    });
    return result;
}

ReportsWritten TeamReportCommand(Session& session, OpenReports open) {
    ReportsWritten result;
    const Settings& s = session.settings;
    result.done = CatchAndShowError(session, [&] {
        RequireTournament(session);
        PrepareStandings(session);
        Written(session, result,
                WriteTeamReport(session, s.TeamReport_ShortFileName, s.TeamReport_WithPlayersList,
                                s.TeamReport_TopNplayers),
                open);
    });
    return result;
}

void PrepareStandings(Session& session) {
    BusyCursor busy(session.ui);
    ComputeStandings(session.tournament, GoalsQuotientRuleOf(session.settings));
}

}  // namespace veltrun
