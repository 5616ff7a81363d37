#pragma once
// The command table of the command line. Each area registers its commands in
// its own file (cmd_*.cpp); run_cli.cpp asks every area for them.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/arguments.h"

namespace veltrun {
class Session;
}

namespace veltrun::cli {

class TerminalUi;

struct CliContext {
    Session& session;
    TerminalUi& ui;
    std::ostream& out;
};

// Whether the first argument is a tournament. Such a command writes into the
// folder (opening rewrites players.txt, reports land there), so it holds the
// folder's lock for as long as it runs. Every entry states it, so that no
// tournament command can be registered without the lock by omission.
enum class TakesTournament { No, Yes };

struct Command {
    std::string name;
    std::string usage;    // "open T"
    std::string summary;  // one line for --help
    std::vector<OptionSpec> options;
    int minPositional = 0;
    int maxPositional = 0;
    TakesTournament takes = TakesTournament::No;
    // Returns the exit code: 0 done, 1 refused or failed.
    std::function<int(CliContext&, const CommandArgs&)> run;
};

void RegisterFoundationCommands(std::vector<Command>& table);
void RegisterTournamentCommands(std::vector<Command>& table);
// forbid, allow, forbidden: the players kept apart.
void RegisterForbiddenCommands(std::vector<Command>& table);
void RegisterPairingCommands(std::vector<Command>& table);
void RegisterReportCommands(std::vector<Command>& table);
void RegisterFideCommands(std::vector<Command>& table);
void RegisterRatingCommands(std::vector<Command>& table);
// demo: a whole generated tournament (registered with the report commands).
void RegisterDemoCommand(std::vector<Command>& table);

const std::vector<Command>& CommandTable();

// T of a command: a folder name under Tourn/ or a path to a tournament folder.
std::string ResolveTournamentFolder(const Session& session, const std::string& text);

// Runs the whole command line; returns the exit code.
int RunCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err);

}  // namespace veltrun::cli
