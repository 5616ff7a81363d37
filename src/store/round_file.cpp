#include "store/file_limits.h"
#include "store/round_file.h"

#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "store/errors.h"
#include "store/file_messages.h"
#include "store/safe_open.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/tournament.h"

namespace veltrun {

namespace {

bool IsNoPlayerSide(std::string_view side) { return side == "bye" || side == "stop"; }

// Every player stands on exactly one line of a round, whether he played,
// had a bye, was absent or still waits for a result: a missing line would let
// the next pairing repeat his games, a second one would shift his history.
class RoundCoverage {
public:
    RoundCoverage(Session& session, const Tournament& t, const std::filesystem::path& path)
        : session_(session), t_(t), path_(path) {}

    void Take(const std::string& gameId, int lineNumber) {
        for (int side = 1; side <= 2; ++side) {
            std::string alias = GetField(gameId, '-', side);
            int index = FindPlayerByArrivalID(t_, alias);
            if (index <= 0) continue;
            auto [at, added] = lines_.emplace(index, lineNumber);
            if (!added) RefuseSecondLine(alias, at->second, lineNumber);
        }
    }

    void RequireEveryPlayer() const {
        std::string missing;
        for (int i = 1; i <= t_.PlayerCount(); ++i)
            if (!lines_.count(i)) missing += (missing.empty() ? "" : ", ") + t_.Player(i).ArrivalID;
        if (missing.empty()) return;
        Fail(session_, "Fatal error (in file " + path_.string() + "). Players on no line of the round: " + missing + ".",
             session_.tr(121, "File") + " " + path_.string() + ": " +
                 session_.tr(400, "these players stand on no line of the round:") + " " + missing + ". " +
                 session_.tr(401, "Every player stands on exactly one line of each round file; a player who did not "
                                  "play is written as") +
                 " |0k-0k|||ALIAS-stop (|0k-0k|||" + GetField(missing, ',', 1) + "-stop).");
    }

private:
    [[noreturn]] void RefuseSecondLine(const std::string& alias, int first, int second) const {
        std::string lines = std::to_string(first) + " " + session_.tr(403, "and") + " " + std::to_string(second);
        Fail(session_,
             "Fatal error (in file " + path_.string() + "). Player (" + alias + ") stands on lines " +
                 std::to_string(first) + " and " + std::to_string(second) + ".",
             session_.tr(121, "File") + " " + path_.string() + ": " + session_.tr(102, "Alias") + " (" + alias + ") " +
                 session_.tr(402, "stands on more than one line of the round, on lines") + " " + lines + ". " +
                 session_.tr(404, "Every player stands on exactly one line of each round file."));
    }

    Session& session_;
    const Tournament& t_;
    std::filesystem::path path_;
    std::map<int, int> lines_;  // table index -> line number
};

// A late entrant's round lines are written before his players.txt line, so
// an interruption between the writes leaves "stop" lines of a player who is
// not registered. They carry nothing and are passed over; any other line
// with an unknown alias stays an error.
bool IsOrphanStopLine(const Tournament& t, const GameLine& game) {
    std::string alias = Trim(GetField(game.GameId, '-', 1));
    return game.Result == "0k-0k" && Trim(GetField(game.GameId, '-', 2)) == "stop" && !alias.empty() &&
           !IsNoPlayerSide(alias) && FindPlayerByArrivalID(t, alias) <= 0;
}

}  // namespace

std::filesystem::path RoundFilePath(const std::filesystem::path& folder, int round) {
    return folder / ("round" + std::to_string(round) + ".txt");
}

std::filesystem::path BackupRoundFilePath(const std::filesystem::path& folder, int round) {
    return folder / ("bak_round" + std::to_string(round) + ".txt");
}

bool IsRoundFileComment(std::string_view line) { return line.empty() || line.front() == '#'; }

GameLine ParseGameLine(std::string_view line) {
    return {GetField(line, '|', 2), GetField(line, '|', 3), GetField(line, '|', 4), GetField(line, '|', 5),
            GetField(line, '|', 6)};
}

std::string FormatGameLine(const GameLine& game, bool withGoals) {
    std::string line = "|" + game.Result + "|" + game.Names + "|" + game.Indexes + "|" + game.GameId;
    if (withGoals) line += "|" + game.Goals;
    return line;
}

std::string JoinSides(std::string_view white, std::string_view black) {
    return std::string(white) + "-" + std::string(black);
}

StringList WriteRoundFileHeader(const Tournament& t) {
    return {"# symbol ?-? must be replaced by valid result", "# valid results are: " + ValidResultsText(t)};
}

void LoadRoundFile(Session& session, Tournament& t, int round, const std::filesystem::path& path) {
    RequireRegularFile(session, path);
    std::vector<std::string> lines = ReadTrimmedLines(path, file_limit::RoundFile);
    bool goals = t.TBsType == "Goals";
    RoundCoverage coverage(session, t, path);
    int games = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsRoundFileComment(lines[i])) continue;
        GameLine game = ParseGameLine(lines[i]);
        int lineNumber = static_cast<int>(i) + 1;
        if (IsOrphanStopLine(t, game)) {
            session.AppendToLog("Ignored: line " + std::to_string(lineNumber) + " (" + game.GameId +
                                ") names no player of players.txt.");
            continue;
        }
        try {
            ReplayGame(session, t, game.GameId, game.Result, goals ? game.Goals : "0:0", round);
        } catch (const myException& e) {
            throw myException(e.what() + AtFileLine(session, path, lineNumber));
        }
        coverage.Take(game.GameId, lineNumber);
        ++games;
    }
    coverage.RequireEveryPlayer();
    // One line per file: a line per game made every command add megabytes.
    session.AppendToLog("Load list of games from file (" + path.string() + "): " + std::to_string(games) +
                        " games.");
}

std::string GameListEntry::Text() const {
    return "|" + std::to_string(Round) + "|" + std::to_string(K) + "|" + Result + "|" + GameId + "|";
}

GameList BuildGameList(const Session& session, const Tournament& t, int round) {
    GameList list;
    for (int r = 1; r <= t.CurrentRound; ++r) {
        if (round != -1 && r != round) continue;
        auto path = RoundFilePath(t.TournamentFolder, r);
        RequireRegularFile(session, path);
        int k = 0;
        for (const auto& line : ReadTrimmedLines(path, file_limit::RoundFile)) {
            if (IsRoundFileComment(line)) continue;
            ++k;
            GameLine game = ParseGameLine(line);
            if (game.Result == "?-?") list.push_back({r, k, game.Result, game.GameId});
        }
    }
    return list;
}

void WriteNewRoundFile(Session& session, Tournament& t, int round, const std::vector<RoundPair>& pairs) {
    std::string name = "round" + std::to_string(round) + ".txt";
    session.AppendToLog("Write into file " + name + " is starting ...");
    StringList lines = WriteRoundFileHeader(t);
    std::vector<GameLine> withoutPlayer;
    auto side = [&](const std::string& text, bool wantName) {
        if (!IsAllDigits(text)) return text;
        int index = 0;
        TryParseInt(text, index);
        const TPlayer& p = t.Player(index);
        return wantName ? p.Name : p.ArrivalID;
    };
    for (const auto& pair : pairs) {
        GameLine game;
        game.Result = DefaultResult(t, session.settings.ByePoints, "?-?", pair.White, pair.Black);
        game.Names = JoinSides(side(pair.White, true), side(pair.Black, true));
        game.Indexes = JoinSides(pair.White, pair.Black);
        game.GameId = JoinSides(side(pair.White, false), side(pair.Black, false));
        game.Goals = "0:0";
        lines.push_back(FormatGameLine(game, t.TBsType == "Goals"));
        if (IsNoPlayerSide(pair.White) || IsNoPlayerSide(pair.Black)) withoutPlayer.push_back(game);
    }
    // The model follows only a file that was really written.
    WriteTextLines(RoundFilePath(t.TournamentFolder, round), lines);
    for (const auto& game : withoutPlayer) InsertGame(session, t, game.GameId, game.Result, "0:0", round);
    session.AppendToLog("Write into file " + name + " is completed.");
    if (session.settings.IsBackupRoundFiles) BackupRoundFile(session, t, round);
}

bool BackupRoundFile(Session& session, const Tournament& t, int round) {
    std::string name = "bak_round" + std::to_string(round) + ".txt";
    try {
        std::string bytes = ReadFileBytes(RoundFilePath(t.TournamentFolder, round));
        WriteFileAtomically(BackupRoundFilePath(t.TournamentFolder, round), bytes);
    } catch (const std::exception&) {
        session.AppendToLog("Backup file " + name + " was not created - fatal I/O error.");
        return false;
    }
    session.AppendToLog("Backup file " + name + " is created.");
    return true;
}

}  // namespace veltrun
