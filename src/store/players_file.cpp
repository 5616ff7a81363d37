#include "store/file_limits.h"
#include "store/players_file.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "store/errors.h"
#include "store/file_messages.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"
#include "store/tournament.h"

namespace veltrun {

namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The warning of a field that is replaced by 0 (ELO) or taken as suspended (on/off).
std::string InvalidFieldWarning(const Session& session, const std::string& alias, const std::string& fieldText,
                                const std::string& value, const std::filesystem::path& path, int lineNumber) {
    return session.tr(97, "Player") + " (" + alias + ") " + fieldText + " (" + session.tr(99, "in file") + " " +
           path.string() + ", " + session.tr(200, "line") + " " + std::to_string(lineNumber) + "). " +
           session.tr(100, "Value") + " " + Quoted(value) + " " + session.tr(101, "was converted to 0.");
}

// The file is named once, with the line; a second ArrivalID names both lines.
// firstLine: the line of an earlier player with the same ArrivalID, or 0.
void CheckArrivalID(Session& session, const std::string& id, const std::filesystem::path& path, int lineNumber,
                    int firstLine) {
    std::string where = AtFileLine(session, path, lineNumber) + ".";
    if (id.empty())
        Fail(session, "Fatal error. Empty ArrivalID was founded.",
             session.tr(92, "Fatal error. Empty ArrivalID was found") + where);
    if (id == "bye")
        Fail(session, "Fatal error. ArrivalID is bye.", session.tr(93, "Fatal error. ArrivalID is") + " bye" + where);
    if (id == "stop")
        Fail(session, "Fatal error. ArrivalID is stop.", session.tr(93, "Fatal error. ArrivalID is") + " stop" + where);
    if (id.find('-') != std::string::npos)
        Fail(session, "Fatal error. ArrivalID (" + id + ") contain dash [-].",
             session.tr(94, "Fatal error") + ". ArrivalID (" + id + ") " + session.tr(95, "contains dash") + " [-]" +
                 where);
    if (firstLine > 0)
        Fail(session, "Fatal error. ArrivalID (" + id + ") is not unique.",
             session.tr(94, "Fatal error") + ". ArrivalID (" + id + ") " + session.tr(96, "is not unique") +
                 AtFileLine(session, path, lineNumber) + ", " + session.tr(484, "the same as on line") + " " +
                 std::to_string(firstLine) + ".");
}

}  // namespace

std::filesystem::path PlayersFilePath(const std::filesystem::path& folder) { return folder / "players.txt"; }

PlayerLineFields SplitPlayerLine(std::string_view line) {
    auto field = [&](int n) { return Trim(GetField(line, '|', n)); };
    return {field(1), field(2), field(3), field(4), field(5), field(6), field(7)};
}

std::string JoinPlayerLine(const PlayerLineFields& f) {
    return f.OnOff + "|" + f.ArrivalID + "|" + f.Name + "|" + f.ELO + "|" + f.FideID + "|" + f.NationalID + "|" +
           f.TeamID;
}

std::string FormatPlayerLine(const TPlayer& p) {
    return JoinPlayerLine({std::to_string(p.OnOff), p.ArrivalID, p.Name, std::to_string(p.ELO), p.FideID,
                           p.NationalID, p.TeamID});
}

bool IsPlayersFileComment(std::string_view line) { return line.empty() || line.front() == '#'; }

void LoadPlayers(Session& session, Tournament& t, const std::filesystem::path& path) {
    RequireRegularFile(session, path);
    t.glob_ARRAY_PLAYERS.Clear();
    std::vector<std::string> lines = ReadTrimmedLines(path, file_limit::PlayersFile);
    std::string tooMany = session.tr(157, "The maximum number of players in a tournament is") + " " +
                          std::to_string(MaxPlayers) + ".";
    std::unordered_map<std::string, int> lineOfArrivalID;  // upper case, as IsArrivalIDUnique compares
    for (size_t i = 0; i < lines.size(); ++i) {
        int lineNumber = static_cast<int>(i) + 1;
        std::string line = CleanLine(lines[i]);
        if (IsPlayersFileComment(Trim(line))) continue;
        if (t.PlayerCount() >= MaxPlayers) throw myException(tooMany + AtFileLine(session, path, lineNumber));
        PlayerLineFields f = SplitPlayerLine(line);
        const auto [first, isNew] = lineOfArrivalID.emplace(ToUpperAscii(f.ArrivalID), lineNumber);
        CheckArrivalID(session, f.ArrivalID, path, lineNumber, isNew ? 0 : first->second);

        TPlayer player;
        player.ArrivalID = f.ArrivalID;
        player.Name = f.Name;
        if (!TryParseInt(f.ELO, player.ELO)) {
            player.ELO = 0;
            ShowWarning(session, InvalidFieldWarning(session, f.ArrivalID,
                                                     session.tr(98, "has invalid value at (fourth) field \"ELO\""),
                                                     f.ELO, path, lineNumber));
        }
        player.FideID = f.FideID;
        player.NationalID = f.NationalID;
        player.TeamID = f.TeamID;
        player.OnOff = f.OnOff == "1" ? 1 : 0;
        if (f.OnOff != "0" && f.OnOff != "1")
            ShowWarning(session, InvalidFieldWarning(session, f.ArrivalID,
                                                     session.tr(104, "has invalid value at (first) field \"on/off\""),
                                                     f.OnOff, path, lineNumber));
        int index = t.glob_ARRAY_PLAYERS.Add(std::move(player), tooMany);
        TPlayer& added = t.Player(index);
        added.StartNo = index;
    }
    // One line per file, not one per player: every command reads the file.
    session.AppendToLog("Load list of players from file (" + path.string() + "): " +
                        std::to_string(t.PlayerCount()) + " players.");
}

void SortPlayersByElo(Session&, Tournament& t) {
    int count = t.PlayerCount();
    std::vector<TPlayer> players;
    players.reserve(static_cast<size_t>(count));
    for (int i = 1; i <= count; ++i) players.push_back(std::move(t.Player(i)));
    std::stable_sort(players.begin(), players.end(), [](const TPlayer& a, const TPlayer& b) {
        if (a.ELO != b.ELO) return a.ELO > b.ELO;
        return CompareNames(a.Name, b.Name) < 0;
    });
    for (int i = 1; i <= count; ++i) {
        TPlayer& p = t.Player(i);
        p = std::move(players[static_cast<size_t>(i - 1)]);
        p.StartNo = i;
    }
}

void RefuseUnreadablePlayerValues(Session& session, const std::filesystem::path& path) {
    RequireRegularFile(session, path);
    std::vector<std::string> lines = ReadTrimmedLines(path);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string line = CleanLine(lines[i]);
        if (IsPlayersFileComment(Trim(line))) continue;
        PlayerLineFields f = SplitPlayerLine(line);
        int elo = 0;
        const std::string* bad = !TryParseInt(f.ELO, elo) ? &f.ELO
                                 : (f.OnOff != "0" && f.OnOff != "1") ? &f.OnOff
                                                                      : nullptr;
        if (!bad) continue;
        int lineNumber = static_cast<int>(i) + 1;
        Fail(session,
             "Refused: players.txt, line " + std::to_string(lineNumber) + ", holds a value that cannot be read (" +
                 Quoted(*bad) + ").",
             session.tr(100, "Value") + " " + Quoted(*bad) + AtFileLine(session, path, lineNumber) + " " +
                 session.tr(406, "cannot be read. Correct it in the file before the players file is changed; "
                                 "nothing was written."));
    }
}

void WritePlayersFileInRatingOrder(Session& session, const Tournament& t, const std::filesystem::path& path) {
    RefuseUnreadablePlayerValues(session, path);
    std::vector<std::string> lines = {std::string(PlayersFileHeader)};
    for (int i = 1; i <= t.PlayerCount(); ++i) lines.push_back(FormatPlayerLine(t.Player(i)));
    WriteTextLines(path, lines);
    session.AppendToLog("New file players.txt was created.");
}

}  // namespace veltrun
