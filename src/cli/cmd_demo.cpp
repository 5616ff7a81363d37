// demo: a generated tournament, paired and played round by round, with every report.
#include <chrono>
#include <ostream>

#include "app/demo_tournament.h"
#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "store/tournament.h"

namespace veltrun::cli {

namespace {

int Demo(CliContext& c, const CommandArgs& args) {
    DemoOptions options;
    options.players = args.IntValue("--players", 64);
    options.rounds = args.IntValue("--rounds", 9);
    options.teams = args.IntValue("--teams", 0);
    const auto clock = std::chrono::system_clock::now().time_since_epoch().count();
    options.seed = static_cast<unsigned>(args.IntValue("--seed", static_cast<int>(clock & 0x7fffffff)));
    if (options.players < 2 || options.players > MaxPlayers)
        throw UsageError("--players must be between 2 and " + std::to_string(MaxPlayers) + ".");
    if (options.rounds < 1 || options.rounds >= options.players)
        throw UsageError("--rounds must be at least 1 and less than the number of players.");
    if (options.teams < 0 || options.teams > options.players) throw UsageError("--teams must be between 0 and --players.");
    options.open = args.Has("--open") ? OpenReports::Yes : OpenReports::No;
    c.ui.SetOpenReports(args.Has("--open"));

    const DemoResult result = RunDemo(c.session, options);
    if (!result.folder.empty()) c.out << "Tournament: " << result.folder.string() << " (seed " << options.seed << ")\n";
    for (const auto& report : result.reports) c.out << report.string() << "\n";
    return result.done ? 0 : 1;
}

}  // namespace

void RegisterDemoCommand(std::vector<Command>& table) {
    table.push_back({"demo",
                     "demo [--players 64] [--rounds 9] [--seed S] [--teams K]",
                     "create, pair and play a whole generated tournament and write every report",
                     {{"--players", true, "number of players (2-2000)"},
                      {"--rounds", true, "number of rounds"},
                      {"--seed", true, "seed of the random players and results"},
                      {"--teams", true, "spread the players over K clubs"},
                      {"--open", false, "open the reports in the browser"}},
                     0, 0, TakesTournament::No, Demo});
}

}  // namespace veltrun::cli
