#include "pairing/player_changes.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "store/errors.h"
#include "store/field_error.h"
#include "store/file_limits.h"
#include "store/file_messages.h"
#include "store/open_tournament.h"
#include "store/players_file.h"
#include "store/round_file.h"
#include "store/safe_open.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"
#include "store/tournament.h"

namespace veltrun {

namespace {

std::filesystem::path PlayersFile(const Session& session) {
    return PlayersFilePath(session.tournament.TournamentFolder);
}

std::string RemovePipes(std::string_view text) { return Trim(ReplaceChar(Trim(text), '|', "")); }

// An alias the players loader will accept again.
bool IsAcceptableAlias(const Tournament& t, const std::string& alias) {
    std::string lower = ToLowerAscii(Trim(alias));
    return IsArrivalIDUnique(t, alias) && alias == Trim(alias) && alias.find('-') == std::string::npos &&
           alias.find('|') == std::string::npos && lower != "bye" && lower != "stop";
}

std::optional<std::string> ReadBytes(const std::filesystem::path& file) {
    std::error_code missing;
    if (!std::filesystem::exists(file, missing)) return std::nullopt;
    return ReadFileBytes(file);
}

// Writes several files as one change: when one write fails, the files
// already written get their old content back, so players.txt and the round
// files never disagree.
void WriteFilesTogether(const std::vector<std::pair<std::filesystem::path, StringList>>& files) {
    std::vector<std::pair<std::filesystem::path, std::string>> written;
    try {
        for (const auto& [file, lines] : files) {
            auto old = ReadBytes(file);
            WriteTextLines(file, lines);
            if (old) written.emplace_back(file, *old);
        }
    } catch (...) {
        for (const auto& [file, bytes] : written) {
            try {
                WriteFileAtomically(file, bytes);
            } catch (...) {
            }
        }
        throw;
    }
}

StringList WithLine(const std::filesystem::path& file, const std::string& line) {
    StringList lines = ReadTextLines(file, file_limit::PlayersFile);
    lines.push_back(line);
    return lines;
}

// The round file with a "stop" line for the alias, unless an interrupted
// earlier addition left one there already.
StringList WithStopLine(const std::filesystem::path& file, const std::string& alias) {
    StringList lines = ReadTextLines(file);
    for (const auto& line : lines) {
        std::string trimmed = Trim(line);
        if (!IsRoundFileComment(trimmed) && ParseGameLine(trimmed).GameId == JoinSides(alias, "stop")) return lines;
    }
    lines.push_back("|0k-0k|||" + JoinSides(alias, "stop"));
    return lines;
}

struct CheckedPlayer {
    std::string Name, FideID, NationalID, TeamID;
    int ELO = 0;
    std::string cutWarning;  // the fields cut to their longest length, if any
};

// Cuts a field to the length every file and report can hold, noting it.
void CutField(const Session& session, std::string& value, int labelId, const char* label, int maxChars,
              std::string& warning) {
    bool cut = false;
    value = Trim(CutToChars(value, maxChars, &cut));
    if (!cut) return;
    warning += (warning.empty() ? "" : "\n") + session.tr(labelId, label) + " " + session.tr(448, "was cut to") + " " +
               std::to_string(maxChars) + " " + session.tr(449, "characters, the most a field can hold.");
}

CheckedPlayer CheckAddPlayerFields(const Session& session, const AddPlayerFields& fields) {
    CheckedPlayer p;
    // Round files join two names with "-", so a name must not hold one.
    p.Name = Trim(ReplaceChar(RemovePipes(fields.Name), '-', " "));
    CutField(session, p.Name, 174, "Name", MaxNameChars, p.cutWarning);
    if (p.Name.empty()) throw FieldError("E_PLAYER", session.tr(70, "Player name must be entered."));
    std::string elo = Trim(fields.ELO);
    if (elo.empty()) throw FieldError("E_ELO", session.tr(71, "ELO must be entered."));
    if (!IsAllDigits(elo) || !TryParseInt(elo, p.ELO))
        throw FieldError("E_ELO", session.tr(72, "ELO must be a positive integer."));
    p.FideID = RemovePipes(fields.FideID);
    CutField(session, p.FideID, 68, "FIDE ID", MaxIdChars, p.cutWarning);
    p.NationalID = RemovePipes(fields.NationalID);
    CutField(session, p.NationalID, 189, "National ID", MaxIdChars, p.cutWarning);
    p.TeamID = RemovePipes(fields.TeamID);
    CutField(session, p.TeamID, 190, "Team ID", MaxNameChars, p.cutWarning);
    if (!IsNameUnique(session.tournament, p.Name))
        throw FieldError("E_PLAYER", session.tr(73, "This is exactly the name of the player already in the tournament."));
    return p;
}

const char* ActionLogName(PlayerAction action) {
    switch (action) {
        case PlayerAction::Delete: return "delete";
        case PlayerAction::Suspend: return "suspend";
        case PlayerAction::Restore: return "restoration";
    }
    return "";
}

}  // namespace

void ChangePlayerLine(Session& session, const std::string& arrivalID, PlayerAction action) {
    const Tournament& t = session.tournament;
    if (action != PlayerAction::Delete) {
        int index = FindPlayerByArrivalID(t, arrivalID);
        int wanted = action == PlayerAction::Suspend ? 0 : 1;
        if (index < 0 || t.Player(index).OnOff == wanted)
            ShowWarning(session, session.tr(123, "OnOff mismatch was detected. There is something different in the "
                                                 "players.txt file than in the program memory. We recommend restart "
                                                 "the program."));
    }
    auto path = PlayersFile(session);
    RefuseUnreadablePlayerValues(session, path);
    StringList kept;
    bool found = false;
    for (const auto& line : ReadTrimmedLines(path, file_limit::PlayersFile)) {
        PlayerLineFields f = SplitPlayerLine(line);
        if (IsPlayersFileComment(line) || f.ArrivalID != arrivalID) {
            kept.push_back(line);
            continue;
        }
        found = true;
        if (action == PlayerAction::Delete) continue;
        f.OnOff = action == PlayerAction::Suspend ? "0" : "1";
        kept.push_back(JoinPlayerLine(f));
    }
    if (!found)
        Fail(session, "Fatal error: line (for change) was not found (" + arrivalID + ") in file players.txt",
             session.tr(109, "Fatal error: line (for change) not found") + " (" + arrivalID + ") " +
                 session.tr(99, "in file") + " players.txt");
    WriteTextLines(path, kept);
    session.AppendToLog("Action [" + std::string(ActionLogName(action)) + "] for player (" + arrivalID +
                        ") successfully completed (=write to file players.txt).");
}

bool ApplyPlayerAction(Tournament& t, const std::string& arrivalID, PlayerAction action) {
    int index = FindPlayerByArrivalID(t, arrivalID);
    if (action == PlayerAction::Delete) {
        // The record stays until the next opening; its alias and name are
        // freed for a player added before that.
        if (index > 0) {
            t.Player(index).ArrivalID = "deleted" + t.Player(index).ArrivalID;
            t.Player(index).Name = "deleted" + t.Player(index).Name;
        }
        return true;
    }
    if (index <= 0) return false;
    t.Player(index).OnOff = action == PlayerAction::Suspend ? 0 : 1;
    return true;
}

std::string GenerateArrivalID(const Tournament& t, const Settings& settings, const std::string& name) {
    // A prefix with "-" or "|" would make every generated alias unreadable.
    std::string prefix = Trim(ReplaceChar(ReplaceChar(settings.SystemPrefixForAlias, '-', ""), '|', ""));
    std::string numbered = prefix + std::to_string(t.PlayerCount() + 1);
    std::string alias = numbered;
    if (!settings.ArrUseNumbersOnly) {
        std::string firstWord = CutToChars(GetField(name, ' ', 1), MaxIdChars);
        alias = prefix + KeepPrintableAscii(RemoveDiacritics(firstWord));
    }
    if (!IsAcceptableAlias(t, alias)) alias = numbered;
    while (!IsAcceptableAlias(t, alias)) alias += "d1";
    return alias;
}

std::string AddPlayer(Session& session, const AddPlayerFields& fields) {
    Tournament& t = session.tournament;
    CheckedPlayer p = CheckAddPlayerFields(session, fields);
    // Refused before any file is touched.
    if (t.PlayerCount() >= MaxPlayers)
        throw myException(session.tr(157, "The maximum number of players in a tournament is") + " " +
                          std::to_string(MaxPlayers) + ".");
    if (!p.cutWarning.empty()) ShowWarning(session, p.cutWarning);
    std::string alias = GenerateArrivalID(t, session.settings, p.Name);
    std::filesystem::path folder = t.TournamentFolder;

    TPlayer player;
    player.Name = p.Name;
    player.ELO = p.ELO;
    player.FideID = p.FideID;
    player.NationalID = p.NationalID;
    player.TeamID = p.TeamID;
    player.ArrivalID = alias;
    player.OnOff = 1;
    std::vector<std::pair<std::filesystem::path, StringList>> files;
    auto playersPath = PlayersFilePath(folder);
    RefuseUnreadablePlayerValues(session, playersPath);
    // The round files first: interrupted before players.txt, they hold only
    // stop lines that opening passes over; the other way round the new
    // player would have no line in a round.
    for (int r = 1; r <= t.CurrentRound; ++r) {
        auto roundPath = RoundFilePath(folder, r);
        RequireRegularFile(session, roundPath);
        files.emplace_back(roundPath, WithStopLine(roundPath, alias));
    }
    files.emplace_back(playersPath, WithLine(playersPath, FormatPlayerLine(player)));
    WriteFilesTogether(files);

    int index = t.glob_ARRAY_PLAYERS.Add(std::move(player), "");
    t.Player(index).StartNo = index;
    const TPlayer& added = t.Player(index);
    session.AppendToLog("Add player: " + added.Name + "|" + std::to_string(added.ELO) + "|" + added.ArrivalID + "|" +
                        added.FideID + "|" + added.NationalID + "|" + added.TeamID + "|" +
                        std::to_string(added.OnOff) + ".");
    if (t.CurrentRound >= 1) OpenTournament(session, folder);
    return alias;
}

}  // namespace veltrun
