// The pairing command: pair T [--dry-run].
#include <ostream>

#include "app/command_open.h"
#include "app/command_pairing.h"
#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "store/session.h"

namespace veltrun::cli {

namespace {

std::string SideText(const Tournament& t, const std::string& side) {
    if (!IsAllDigits(side)) return side;
    const TPlayer& player = t.Player(std::stoi(side));
    return "[" + player.ArrivalID + "] " + player.Name;
}

// One line per board in board order, then the bye and the suspended players.
void PrintBoards(const Tournament& t, const RoundPairing& pairing, bool dryRun, std::ostream& out) {
    out << "Round " << pairing.Round << (dryRun ? " (dry run, nothing written)" : "") << "\n";
    int board = 0;
    for (const RoundPair& pair : pairing.FileOrder()) {
        if (pair.Black == "bye" || pair.Black == "stop")
            out << pair.Black << ": " << SideText(t, pair.White) << "\n";
        else if (pair.White == "bye")
            out << "bye: " << SideText(t, pair.Black) << "\n";
        else
            out << ++board << ". " << SideText(t, pair.White) << " - " << SideText(t, pair.Black) << "\n";
    }
}

int PairCommand(CliContext& c, const CommandArgs& args) {
    bool dryRun = args.Has("--dry-run");
    if (!OpenTournamentCommand(c.session, ResolveTournamentFolder(c.session, args.Positional().at(0)))) return 1;
    if (dryRun) {
        std::optional<RoundPairing> pairing = PairingDryRunCommand(c.session);
        if (!pairing) return 1;
        PrintBoards(c.session.tournament, *pairing, true, c.out);
        return 0;
    }
    c.ui.SetOpenReports(args.Has("--open"));
    PairingOutcome outcome = BTN_PAIRINGClick(c.session, args.Has("--open") ? OpenReports::Yes : OpenReports::No);
    if (!outcome.pairing) return 1;
    PrintBoards(c.session.tournament, *outcome.pairing, false, c.out);
    if (outcome.report) c.out << outcome.report->string() << "\n";
    return 0;
}

}  // namespace

void RegisterPairingCommands(std::vector<Command>& table) {
    table.push_back({"pair",
                     "pair T [--dry-run] [--open]",
                     "pair the next round and show its boards (round 1 asks first: answer with --yes)",
                     {{"--dry-run", false, "pair in memory only and write nothing"},
                      {"--open", false, "with --yes: open the new round's report in the browser"}},
                     1,
                     1,
                     TakesTournament::Yes,
                     PairCommand});
}

}  // namespace veltrun::cli
