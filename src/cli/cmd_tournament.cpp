// Commands of the tournament folder: new, open, players, add-player,
// delete-player, restore-player, games and result.
#include <ostream>

#include "app/command_new_tournament.h"
#include "app/command_open.h"
#include "app/command_players.h"
#include "app/command_results.h"
#include "app/command_search.h"
#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "store/new_tournament.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun::cli {

namespace {

// The tournament of a command opened (the command line holds its lock);
// false after the refusal was shown.
bool OpenForCommand(CliContext& c, const std::string& text) {
    return OpenTournamentCommand(c.session, ResolveTournamentFolder(c.session, text));
}

std::string JoinCodes(const Tournament& t) {
    std::string text;
    for (int k = 1; k <= 5; ++k) text += (k > 1 ? ", " : "") + t.TB(k);
    return text;
}

void PrintSummary(const Tournament& t, std::ostream& out) {
    int active = 0;
    for (int i = 1; i <= t.PlayerCount(); ++i) active += t.Player(i).OnOff == 1 ? 1 : 0;
    out << "Tournament: " << t.TournamentFolder << "\n"
        << "Players: " << t.PlayerCount() << " (" << active << " active, " << t.PlayerCount() - active
        << " suspended)\n"
        << "Rounds: " << t.CurrentRound << "/" << t.MaxRound << "\n"
        << "Points: " << t.PointsType << "\n"
        << "Tie-breaks (" << t.TBsType << "): " << JoinCodes(t) << "\n"
        << "First player's colour: " << t.ColourFor1stPlayer << "\n";
}

// --- new ---

std::string ChoiceOption(const CommandArgs& args, const std::string& name, const std::vector<std::string>& allowed,
                         const std::string& fallback) {
    if (!args.Has(name)) return fallback;
    std::string value = args.Value(name);
    for (const auto& a : allowed)
        if (ToLowerAscii(value) == ToLowerAscii(a)) return a;
    std::string list;
    for (const auto& a : allowed) list += (list.empty() ? "" : ", ") + ("\"" + a + "\"");
    throw UsageError(name + " must be one of " + list + ".");
}

std::string PointsOption(const CommandArgs& args) {
    if (!args.Has("--points")) return "1- 0.5 -0";
    std::string compact = ReplaceChar(args.Value("--points"), ' ', "");
    if (compact == "1-0.5-0") return "1- 0.5 -0";
    if (compact == "3-1-0") return "3-1-0";
    throw UsageError("--points must be \"1- 0.5 -0\" or \"3-1-0\".");
}

// Tie-breaks given in order; positions not given keep the settings' defaults.
std::array<std::string, 5> TieBreakOption(const Session& session, const CommandArgs& args, const std::string& type) {
    std::array<std::string, 5> codes = DefaultTieBreaks(session, type);
    if (!args.Has("--tb")) return codes;
    std::string list = args.Value("--tb");
    int count = CountChar(list, ',') + 1;
    if (count > 5) throw UsageError("--tb takes at most five tie-breaks.");
    auto items = TieBreakItems(session, type);
    for (int k = 1; k <= count; ++k) {
        std::string code = Trim(GetField(list, ',', k));
        bool known = false;
        for (const auto& item : items)
            if (item.Code == code) known = true;
        if (!known) {
            std::string valid;
            for (const auto& item : items) valid += " " + item.Code;
            throw UsageError("Tie-break \"" + code + "\" is not one of the " + type + " codes:" + valid + ".");
        }
        codes[static_cast<size_t>(k - 1)] = code;
    }
    return codes;
}

int NewCommand(CliContext& c, const CommandArgs& args) {
    NewTournamentFields fields;
    fields.FolderName = args.Positional().at(0);
    if (!args.Has("--rounds")) throw UsageError("Missing option --rounds. Usage: veltrun new NAME --rounds N");
    fields.MaxRound = args.Value("--rounds");
    fields.Colour = ChoiceOption(args, "--colour", {"R", "W", "B"}, "R");
    fields.PointsType = PointsOption(args);
    fields.TBsType = ChoiceOption(args, "--type", {"Chess", "Goals"}, "Chess");
    fields.TB = TieBreakOption(c.session, args, fields.TBsType);
    if (!CreateTournamentCommand(c.session, fields)) return 1;
    c.out << "Created tournament " << c.session.tournament.TournamentFolder << "\n";
    PrintSummary(c.session.tournament, c.out);
    return 0;
}

// --- open, players ---

int OpenCommand(CliContext& c, const CommandArgs& args) {
    if (!OpenForCommand(c, args.Positional().at(0))) return 1;
    PrintSummary(c.session.tournament, c.out);
    return 0;
}

int PlayersCommand(CliContext& c, const CommandArgs& args) {
    if (args.Has("--active") && args.Has("--suspended")) throw UsageError("Give --active or --suspended, not both.");
    PlayerFilter filter = args.Has("--active")      ? PlayerFilter::Active
                          : args.Has("--suspended") ? PlayerFilter::Suspended
                                                    : PlayerFilter::All;
    if (!OpenForCommand(c, args.Positional().at(0))) return 1;
    for (const auto& item : FillPlayerChooser(c.session, filter))
        if (!item.empty()) c.out << item << "\n";
    return 0;
}

// --- add-player, delete-player, restore-player ---

std::vector<OptionSpec> AddPlayerOptions() {
    return {{"--name", true, "player's name"},
            {"--elo", true, "rating (0 for unrated)"},
            {"--fide-id", true, "FIDE identifier"},
            {"--national-id", true, "national identifier"},
            {"--team", true, "team"},
            {"--search", true, "fill name, rating, FIDE and national ID from a search of the rating files"},
            {"--pick", true, "the row of --search to take (1 = the first)"}};
}

// The add-player dialog's fields as the command line fills them.
AddPlayerFields AddPlayerFieldsFromArgs(const CommandArgs& args) {
    AddPlayerFields fields;
    fields.Name = args.Value("--name");
    fields.ELO = args.Value("--elo");
    fields.FideID = args.Value("--fide-id");
    fields.NationalID = args.Value("--national-id");
    fields.TeamID = args.Value("--team");
    return fields;
}

// --search TERM --pick N: the fields from row N of the search; options given as well win.
bool FillFromSearch(CliContext& c, const CommandArgs& args, AddPlayerFields& fields) {
    if (args.Has("--search") != args.Has("--pick")) throw UsageError("--search and --pick go together.");
    SearchOutcome outcome = SearchCommandOnce(c.session, args.Value("--search"));
    if (outcome.status != SearchOutcome::Status::Found) return false;
    int pick = args.IntValue("--pick", 0);
    if (pick < 1 || pick > static_cast<int>(outcome.rows.size()))
        throw UsageError("--pick needs a row from 1 to " + std::to_string(outcome.rows.size()) + ".");
    PlayerFromSearch player = PlayerFromRow(outcome.rows[static_cast<std::size_t>(pick - 1)]);
    if (!args.Has("--name")) fields.Name = player.name;
    if (!args.Has("--elo")) fields.ELO = player.elo;
    if (!args.Has("--fide-id")) fields.FideID = player.fideId;
    if (!args.Has("--national-id")) fields.NationalID = player.nationalId;
    return true;
}

int AddPlayerCommandLine(CliContext& c, const CommandArgs& args) {
    if (!OpenForCommand(c, args.Positional().at(0))) return 1;
    AddPlayerFields fields = AddPlayerFieldsFromArgs(args);
    if ((args.Has("--search") || args.Has("--pick")) && !FillFromSearch(c, args, fields)) return 1;
    auto alias = AddPlayerCommand(c.session, fields);
    if (!alias) return 1;
    const Tournament& t = c.session.tournament;
    int index = FindPlayerByArrivalID(t, *alias);
    const TPlayer& p = t.Player(index);
    c.out << "Added player [" << p.ArrivalID << "] " << p.Name << " (" << p.ELO << ")";
    if (t.CurrentRound == 1) c.out << " as a late entrant (stop in round 1)";
    if (t.CurrentRound > 1) c.out << " as a late entrant (stop in rounds 1-" << t.CurrentRound << ")";
    c.out << "\n";
    return 0;
}

int DeletePlayerCommandLine(CliContext& c, const CommandArgs& args) {
    if (!OpenForCommand(c, args.Positional().at(0))) return 1;
    bool suspend = c.session.tournament.CurrentRound >= 1;
    const std::string& alias = args.Positional().at(1);
    if (!DeleteOrSuspendPlayerCommand(c.session, alias)) return 1;
    c.out << (suspend ? "Suspended player " : "Deleted player ") << alias << "\n";
    return 0;
}

int RestorePlayerCommandLine(CliContext& c, const CommandArgs& args) {
    if (!OpenForCommand(c, args.Positional().at(0))) return 1;
    const std::string& alias = args.Positional().at(1);
    if (!RestorePlayerCommand(c.session, alias)) return 1;
    c.out << "Restored player " << alias << "\n";
    return 0;
}

// --- games, result ---

int GamesCommand(CliContext& c, const CommandArgs& args) {
    if (!OpenForCommand(c, args.Positional().at(0))) return 1;
    auto items = OpenResultEntry(c.session);
    if (!items) return 1;
    for (const auto& item : *items) c.out << item.Label << "  " << item.GameId << "\n";
    return 0;
}

int ResultCommand(CliContext& c, const CommandArgs& args) {
    std::string white, black;
    if (args.Has("--goals")) {
        std::string goals = args.Value("--goals");
        if (CountChar(goals, ':') != 1) throw UsageError("--goals must be given as W:B, as 3:1.");
        white = GetField(goals, ':', 1);
        black = GetField(goals, ':', 2);
    }
    if (!OpenForCommand(c, args.Positional().at(0))) return 1;
    const Tournament& t = c.session.tournament;
    if (args.Has("--goals") && t.TBsType != "Goals") throw UsageError("--goals is only for Goals tournaments.");
    const std::string& gameId = args.Positional().at(1);
    const std::string result = Trim(args.Positional().at(2));  // " 1-0 " from a script is still 1-0
    const bool correct = args.Has("--correct");
    const ResultEntered entered = EnterResultCommand(c.session, gameId, result, white, black, correct);
    if (entered.outcome == ResultOutcome::refused) return 1;
    if (entered.outcome == ResultOutcome::unchanged) return 0;  // the information said so
    c.out << "Saved " << NormaliseResultCode(result);
    if (t.TBsType == "Goals") c.out << " (" << DecimalText(ParseDecimal(white)) << ":" << DecimalText(ParseDecimal(black)) << ")";
    c.out << " for game " << gameId << " in round" << entered.round << ".txt\n";
    return 0;
}

}  // namespace

void RegisterTournamentCommands(std::vector<Command>& table) {
    table.push_back({"new",
                     "new NAME --rounds N [--colour R|W|B] [--points P] [--type Chess|Goals] [--tb A,B,...]",
                     "create a tournament folder under Tourn/ (missing tie-breaks: the settings' defaults)",
                     {{"--rounds", true, "number of rounds"},
                      {"--colour", true, "first player's colour: R (random), W or B"},
                      {"--points", true, "\"1- 0.5 -0\" or \"3-1-0\""},
                      {"--type", true, "Chess or Goals"},
                      {"--tb", true, "tie-break codes in order, as BH,SB"}},
                     1,
                     1,
                     TakesTournament::No,
                     NewCommand});
    table.push_back({"open", "open T", "open a tournament and show its summary", {}, 1, 1,
                     TakesTournament::Yes, OpenCommand});
    table.push_back({"players",
                     "players T [--active|--suspended]",
                     "the players as the player chooser lists them",
                     {{"--active", false, "only active players"}, {"--suspended", false, "only suspended players"}},
                     1,
                     1,
                     TakesTournament::Yes,
                     PlayersCommand});
    table.push_back({"add-player",
                     "add-player T --name N --elo E [--fide-id ID] [--national-id ID] [--team ID] [--search TERM --pick N]",
                     "register a player (a late entrant after round 1: confirm with --yes)",
                     AddPlayerOptions(),
                     1,
                     1,
                     TakesTournament::Yes,
                     AddPlayerCommandLine});
    table.push_back({"delete-player",
                     "delete-player T ALIAS",
                     "delete a player before round 1, suspend one after it",
                     {},
                     2,
                     2,
                     TakesTournament::Yes,
                     DeletePlayerCommandLine});
    table.push_back({"restore-player", "restore-player T ALIAS", "restore a suspended player", {}, 2, 2,
                     TakesTournament::Yes,
                     RestorePlayerCommandLine});
    table.push_back({"games", "games T", "the current round's games without a result", {}, 1, 1,
                     TakesTournament::Yes, GamesCommand});
    table.push_back({"result",
                     "result T GAMEID RESULT [--goals W:B] [--correct]",
                     "enter the result of a game of the current round",
                     {{"--goals", true, "the score W:B (Goals tournaments)"},
                      {"--correct", false, "change a result already entered (confirm with --yes)"}},
                     3,
                     3,
                     TakesTournament::Yes,
                     ResultCommand});
}

}  // namespace veltrun::cli
