// Commands of the forbidden pairs: forbid, allow and forbidden.
#include <ostream>

#include "app/command_forbidden.h"
#include "app/command_open.h"
#include "cli/commands.h"
#include "store/session.h"

namespace veltrun::cli {

namespace {

bool OpenForCommand(CliContext& c, const CommandArgs& args) {
    return OpenTournamentCommand(c.session, ResolveTournamentFolder(c.session, args.Positional().at(0)));
}

int ForbidCommandLine(CliContext& c, const CommandArgs& args) {
    if (!OpenForCommand(c, args)) return 1;
    std::vector<std::string> aliases(args.Positional().begin() + 1, args.Positional().end());
    std::size_t before = c.session.tournament.ForbiddenGroups.size();
    if (!ForbidCommand(c.session, aliases)) return 1;
    // Players already kept apart: the information said so, nothing was added.
    if (c.session.tournament.ForbiddenGroups.size() == before) return 0;
    c.out << "Forbidden group:";
    for (const auto& alias : aliases) c.out << " " << alias;
    c.out << "\n";
    return 0;
}

int AllowCommandLine(CliContext& c, const CommandArgs& args) {
    if (!OpenForCommand(c, args)) return 1;
    const auto& p = args.Positional();
    if (!AllowCommand(c.session, p.at(1), p.at(2))) return 1;
    c.out << "Allowed pair: " << p.at(1) << " " << p.at(2) << "\n";
    return 0;
}

int ForbiddenCommandLine(CliContext& c, const CommandArgs& args) {
    if (!OpenForCommand(c, args)) return 1;
    auto texts = ForbiddenGroupTexts(c.session);
    if (texts.empty()) c.out << c.session.tr(708, "No forbidden pairs.") << "\n";
    for (std::size_t i = 0; i < texts.size(); ++i) c.out << i + 1 << ": " << texts[i] << "\n";
    return 0;
}

}  // namespace

void RegisterForbiddenCommands(std::vector<Command>& table) {
    table.push_back({"forbid",
                     "forbid T ALIAS ALIAS [ALIAS...]",
                     "keep a group of players apart: none of them is paired with another of them",
                     {},
                     3,
                     MaxPlayers + 1,
                     TakesTournament::Yes,
                     ForbidCommandLine});
    table.push_back({"allow", "allow T ALIAS ALIAS", "let a forbidden pair meet again (its groups are split)", {}, 3, 3,
                     TakesTournament::Yes,
                     AllowCommandLine});
    table.push_back({"forbidden", "forbidden T", "the groups of players kept apart, with names", {}, 1, 1,
                     TakesTournament::Yes,
                     ForbiddenCommandLine});
}

}  // namespace veltrun::cli
