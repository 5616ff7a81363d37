// Report commands: start-list, round-report, standings, team-report; and demo.
#include <ostream>

#include "app/command_open.h"
#include "app/command_publish.h"
#include "app/command_reports.h"
#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "reports/standings_report.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun::cli {

namespace {

const OptionSpec OpenOption{"--open", false, "open the report in the browser"};

// The command line has locked the folder before the command runs.
bool OpenForReport(CliContext& c, const CommandArgs& args) {
    return OpenTournamentCommand(c.session, ResolveTournamentFolder(c.session, args.Positional().at(0)));
}

OpenReports OpenChoice(CliContext& c, const CommandArgs& args) {
    c.ui.SetOpenReports(args.Has("--open"));
    return args.Has("--open") ? OpenReports::Yes : OpenReports::No;
}

int Finish(CliContext& c, const ReportsWritten& written) {
    for (const auto& file : written.files) c.out << file.string() << "\n";
    return written.done ? 0 : 1;
}

int StartList(CliContext& c, const CommandArgs& args) {
    if (!OpenForReport(c, args)) return 1;
    return Finish(c, StartListCommand(c.session, OpenChoice(c, args)));
}

int RoundReport(CliContext& c, const CommandArgs& args) {
    int round = 0;
    if (args.Positional().size() > 1 && (!TryParseInt(args.Positional()[1], round) || round < 1))
        throw UsageError("R must be a round number (1, 2, ...).");
    if (!OpenForReport(c, args)) return 1;
    const OpenReports open = OpenChoice(c, args);
    // Without R: the chooser, which lists the rounds on a terminal and takes
    // the newest round otherwise.
    return Finish(c, round > 0 ? RoundReportOfRound(c.session, round, open) : RoundReportCommand(c.session, open));
}

int PrintStandings(CliContext& c, bool withPerformance) {
    if (c.session.tournament.CurrentRound <= 0) {
        ShowInformation(c.session, c.session.tr(146, "No round has been pair yet."));
        return 1;
    }
    PrepareStandings(c.session);
    for (const std::string& line : StandingsTsv(c.session.tournament, withPerformance)) c.out << line << "\n";
    return 0;
}

int Standings(CliContext& c, const CommandArgs& args) {
    if (args.Has("--perf") && !args.Has("--print")) throw UsageError("--perf goes with --print.");
    if (!OpenForReport(c, args)) return 1;
    if (args.Has("--print")) return PrintStandings(c, args.Has("--perf"));
    const OpenReports open = OpenChoice(c, args);
    return Finish(c, args.Has("--cards") ? StandingsAndCardsCommand(c.session, open)
                                         : StandingsCommand(c.session, false, open));
}

int TeamReport(CliContext& c, const CommandArgs& args) {
    if (!OpenForReport(c, args)) return 1;
    return Finish(c, TeamReportCommand(c.session, OpenChoice(c, args)));
}

int Publish(CliContext& c, const CommandArgs& args) {
    const std::string out = args.Value("--out");
    if (args.Has("--out") && out.empty()) throw UsageError("--out needs a folder.");
    if (!OpenForReport(c, args)) return 1;
    return Finish(c, PublishCommand(c.session, out, OpenChoice(c, args)));
}

}  // namespace

void RegisterReportCommands(std::vector<Command>& table) {
    table.push_back({"start-list", "start-list T", "write the starting list", {OpenOption}, 1, 1,
                     TakesTournament::Yes, StartList});
    table.push_back({"round-report", "round-report T [R]",
                     "write the pairings and results of round R (default: the current round)", {OpenOption}, 1, 2,
                     TakesTournament::Yes,
                     RoundReport});
    table.push_back({"standings",
                     "standings T [--cards] [--print] [--perf]",
                     "write the standings (with player cards, TRF16 and team report as configured)",
                     {{"--cards", false, "with player cards, then the team report when configured"},
                      {"--print", false, "print the standings as tab-separated values instead"},
                      {"--perf", false, "with --print: add the rating-performance columns"},
                      OpenOption},
                     1, 1, TakesTournament::Yes, Standings});
    table.push_back({"team-report", "team-report T", "write the team standings", {OpenOption}, 1, 1,
                     TakesTournament::Yes, TeamReport});
    table.push_back({"publish", "publish T [--out DIR] [--open]",
                     "write the results site (default: the folder site in the tournament folder)",
                     {{"--out", true, "the site's folder: missing, empty or an earlier site"}, OpenOption}, 1, 1,
                     TakesTournament::Yes,
                     Publish});
    RegisterDemoCommand(table);
}

}  // namespace veltrun::cli
