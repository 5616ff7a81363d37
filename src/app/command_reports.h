#pragma once
// The four report buttons of the main window: starting list, round report,
// standings, standings with player cards (and the team report after it).
#include <filesystem>
#include <optional>
#include <vector>

namespace veltrun {

class Session;

// Whether a written report is opened in the browser (the command line opens
// only when asked to).
enum class OpenReports { Yes, No };

struct ReportsWritten {
    bool done = false;  // false: refused, cancelled or failed (the reason was shown)
    std::vector<std::filesystem::path> files;
};

ReportsWritten StartListCommand(Session& session, OpenReports open = OpenReports::Yes);
// RoundReportCommand: asks for the round with the chooser (newest first).
ReportsWritten RoundReportCommand(Session& session, OpenReports open = OpenReports::Yes);
// The report of one round, without asking; refused when the round is not paired.
ReportsWritten RoundReportOfRound(Session& session, int round, OpenReports open = OpenReports::Yes);
ReportsWritten StandingsCommand(Session& session, bool withCards, OpenReports open = OpenReports::Yes);
// TRF16 files when configured, the standings with cards, then the team report
// when configured.
ReportsWritten StandingsAndCardsCommand(Session& session, OpenReports open = OpenReports::Yes);
// The team report on its own, after computing the standings order.
ReportsWritten TeamReportCommand(Session& session, OpenReports open = OpenReports::No);

// Places and tie-breaks of the open tournament under the busy cursor: what
// every standings reader runs first.
void PrepareStandings(Session& session);

}  // namespace veltrun
